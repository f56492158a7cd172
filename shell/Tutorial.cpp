#include "shell/Tutorial.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/TableForm.h"
#include "platform/RecordFile.h"
#include "platform/Services.h"
#include "shell/SavedGameCheck.h"
#include "shell/SavedGames.h"
#include "shell/Startup.h"

#include <QFile>
#include <QTextStream>
#include <array>

TutorialState Tut;

void Tutorial_Reset() {
    Tut = TutorialState{};
}

namespace {

const QString kTutorialGameTitle = QStringLiteral("Tutorial Game");
const QString kParagraph = QStringLiteral("\r\n\r\n");
constexpr int kTutorialPlayers = 2, kTutorialCenters = 3, kTutorialSide = 19;

// A two-character number field of a tag; anything not a number counts as 0.
int Field(const QString& tag, int at) {
    const QString f = tag.mid(at, 2).trimmed();
    bool ok = false;
    const int v = f.toInt(&ok);
    return ok ? v : 0;
}

QChar Letter(const QString& tag, int at) {
    return at < tag.size() ? tag.at(at).toUpper() : QChar();
}

struct BackRange {
    int first, last, record;
};
constexpr std::array<BackRange, 8> kBackRanges = {{{6, 8, 31},
                                                   {10, 11, 32},
                                                   {12, 14, 33},
                                                   {16, 17, 34},
                                                   {18, 19, 35},
                                                   {20, 21, 36},
                                                   {22, 28, 37},
                                                   {29, 32, 38}}};

bool HasTable() {
    return HasTableForm();
}

// Lays the table out for the game size now in Com, from the size it had.
void LayOut(int prevPlayers, int prevCenters) {
    Com.PrevPlayers = prevPlayers;
    Com.PrevCenters = prevCenters;
    Com.TotalCards = 52 * Com.NumPlayers;
    if (!HasTable()) return;
    TableForm& f = frmGrulm();
    f.Layout_SetGameSize(prevPlayers, prevCenters);
    f.Table_Redraw();
    Hooks.Labels_PlayerNames();
    Hooks.Rules_ShowCaption();
}

void SetSize(int players, int centers) {
    const int prevPlayers = Com.NumPlayers, prevCenters = Com.NumCenters;
    if (prevPlayers == players && prevCenters == centers) return;
    Com.NumPlayers = players;
    Com.NumCenters = centers;
    LayOut(prevPlayers, prevCenters);
}

} // namespace

bool TutorialTag::EnablesSlot() const {
    return (letter1 == QLatin1Char('H') || letter1 == QLatin1Char('P')) && slot >= kTagFirstHandSlot &&
           slot <= kTagLastHandSlot;
}

bool TutorialTag::WaitsForNext() const {
    return present && letter1 != QLatin1Char('H') && letter1 != QLatin1Char('P') &&
           letter1 != QLatin1Char('R');
}

TutorialTag Tutorial_ReadTag(const QString& line) {
    TutorialTag t;
    const qsizetype p = line.indexOf(QLatin1Char('<'));
    QString shown = p < 0 ? line : line.left(p);
    t.text = shown.replace(QLatin1Char('~'), kParagraph);
    if (p < 0) return t;
    t.present = true;
    const QString tag = line.mid(p);
    t.letter1 = Letter(tag, 1);
    t.slot = Field(tag, 3);
    t.letter2 = Letter(tag, 5);
    const int record = Field(tag, 7);
    // Only the prepared positions may be loaded by a step.
    if (record >= kTutorialFirstRecord && record <= kTutorialLastRecord) t.record = record;
    return t;
}

TutorialBack Tutorial_BackTarget(int step) {
    for (const BackRange& r : kBackRanges)
        if (step >= r.first && step <= r.last) return {r.first, r.record};
    return {step, 0};
}

bool Tutorial_LoadSteps(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    Tut.Steps.clear();
    while (!in.atEnd())
        Tut.Steps << in.readLine();
    return true;
}

void Tutorial_KeepTable() {
    Tut.Kept = {Com.NumPlayers, Com.NumCenters, Com.SideSize, Com.ForcedCards, Com.NoWildAce};
}

void Tutorial_UseTable() {
    SetSize(kTutorialPlayers, kTutorialCenters);
    Com.TotalCards = 52 * Com.NumPlayers;
    Com.SideSize = kTutorialSide;
    Com.NoWildAce = false;
    Com.ForcedCards = 0;
}

void Tutorial_PutTableBack() {
    const TutorialKept& k = Tut.Kept;
    Com.SideSize = k.SideSize;
    Com.NoWildAce = k.NoWildAce;
    Com.ForcedCards = k.ForcedCards;
    SetSize(k.NumPlayers, k.NumCenters);
    Com.TotalCards = 52 * Com.NumPlayers;
    Hooks.Rules_ShowCaption();
    // The tutorial's plays leave no counts behind in the status bar.
    if (HasTable()) frmGrulm().StatusBar_Clear();
}

void Tutorial_SeedPositions() {
    platform::RecordFile& saves = SavedGameFile();
    if (!saves.IsOpen()) return;
    platform::RecordFile shipped;
    if (!shipped.OpenReadOnly(Com.AppPath + "/Data/tutorial.sav", SavedGame::kSize)) return;
    for (int r = kTutorialFirstRecord; r <= kTutorialLastRecord; ++r) {
        if (SavedGame_Read(saves, r).HoldsGame()) continue;
        const SavedGame g = SavedGame_Read(shipped, r);
        if (SavedGame_Fault(g).isEmpty()) saves.Write(r, g.Encode());
    }
}

bool Tutorial_LoadRecord(int record) {
    if (record < kTutorialFirstRecord || record > kTutorialLastRecord) return false;
    Sav.SaveSlot = record;
    Game_Restore(SavedGameFile());
    return !Sav.DialogCancelled;
}

int Tutorial_AuthorRecord(const QString& answer) {
    bool ok = false;
    const int n = answer.trimmed().toInt(&ok);
    return ok && n >= kAuthorFirstRecord && n <= kAuthorLastRecord ? n : 0;
}

namespace {
// Asks for a record number; 0 after a cancel, and after a wrong answer, which is explained.
int AskRecord(const QString& prompt) {
    const QString answer = Tut.Input(prompt, kTutorialGameTitle);
    if (answer.trimmed().isEmpty()) return 0;
    const int n = Tutorial_AuthorRecord(answer);
    if (n == 0)
        platform::MsgBox(QStringLiteral("Tutorial games are kept in records %1 to %2.")
                             .arg(kAuthorFirstRecord)
                             .arg(kAuthorLastRecord),
                         platform::vbExclamation, kTutorialGameTitle);
    return n;
}
} // namespace

void Tutorial_AuthorSave() {
    const int n = AskRecord(QStringLiteral("Enter a slot number to save this game (31-)"));
    if (n == 0) return;
    Game_Capture();
    Sav.Buffer.Name = "Tutorial" + NumStr(n);
    if (!SavedGameFile().Write(n, Sav.Buffer.Encode()))
        platform::MsgBox(QStringLiteral("The game could not be saved."), platform::vbExclamation,
                         kTutorialGameTitle);
}

void Tutorial_AuthorRestore() {
    const int n = AskRecord(QStringLiteral("Enter the record number to restore a game (31-)"));
    if (n == 0) return;
    if (!SavedGame_Read(SavedGameFile(), n).HoldsGame()) {
        platform::MsgBox(QStringLiteral("Record %1 holds no game.").arg(n), platform::vbExclamation,
                         kTutorialGameTitle);
        return;
    }
    Sav.SaveSlot = n;
    Game_Restore(SavedGameFile());
}
