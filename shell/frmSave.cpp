#include "shell/frmSave.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "platform/Services.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "table/WindowPlaces.h"

#include <QApplication>
#include <QDateTime>
#include <QLineEdit>
#include <QLocale>

namespace {

constexpr quint32 kPlain = 0x00FFFFFF;
constexpr quint32 kChosen = 0x0080FFFF; // pale yellow
constexpr quint32 kEmpty = 0x00E0E0E0;  // light grey: a slot that holds no game
constexpr int kSlots = 10;
constexpr int kAutoSlot = 11;

SaveForm*& SaveInstance() {
    static SaveForm* form = nullptr;
    return form;
}

// The name a slot shows: an Internet save's mark is not shown.
QString ShownName(const QString& name) {
    const QString t = name.trimmed();
    return t.startsWith(QLatin1String("^^")) ? t.mid(2) : t;
}

} // namespace

SaveForm& frmSave() {
    if (!SaveInstance()) new SaveForm(); // lives until the program ends
    return *SaveInstance();
}

SaveForm::SaveForm() : Form(QStringLiteral("frmSave")) {
    if (!SaveInstance()) SaveInstance() = this;
    Window()->setWindowFlags(Qt::Dialog);
    SetCaption(QStringLiteral("Saved Games"));
    SetScaleMode(platform::vbPixels);
    SetClientSizePx(300, 430);

    for (int i = 1; i <= kAutoSlot; ++i) {
        TextBox& box = Text1.Create(i);
        box.Move(20, 12 + (i - 1) * 28, 260, 24);
        box.SetMaxLength(SavedGame::kFields[SavedGame::kName].size);
    }
    Check1.Move(20, 322, 260, 22);
    Check1.SetCaption(QStringLiteral("AutoSave"));
    Label1.Move(20, 348, 260, 20);
    Label1.SetAlignment(2);
    Label1.SetForeColor(0x000000C0);
    cmdSave.Move(40, 378, 100, 30);
    cmdSave.SetCaption(QStringLiteral("Save"));
    Command2.Move(160, 378, 100, 30);
    Command2.SetCaption(QStringLiteral("Cancel"));

    Text1.On().Click = [this](int i) { Text1_Click(i); };
    Text1.On().MouseDown = [this](int i, int button, int shift, double x, double y) {
        Text1_MouseDown(i, button, shift, x, y);
    };
    cmdSave.On().Click = [this](int) { cmdSave_Click(); };
    Command2.On().Click = [this](int) { Command2_Click(); };
    SetEscapeButton(Command2);
    Check1.On().Click = [this](int) { Check1_Click(); };
    Check1.On().MouseUp = [this](int, int button, int shift, double x, double y) {
        Check1_MouseUp(button, shift, x, y);
    };
}

SaveForm::~SaveForm() {
    if (SaveInstance() == this) SaveInstance() = nullptr;
}

bool SaveForm::SaveMode() const {
    return cmdSave.Caption() != QLatin1String("Restore");
}

void SaveForm::Highlight(int index, bool on) {
    if (index >= 1 && Text1.Exists(index)) Text1(index).SetBackColor(on ? kChosen : kPlain);
}

void SaveForm::LoadSlots(bool restore) {
    filling_ = true;
    Selected = 0;
    picked_ = false;
    Label1.SetCaption(QString());
    for (int i = 1; i <= kAutoSlot; ++i)
        Highlight(i, false);
    platform::RecordFile& file = SavedGameFile();

    if (!restore) {
        for (int n = 1; n <= kSlots; ++n) {
            const QString name = ShownName(SavedGame_Read(file, n).Name);
            Text1(n).SetText(name.isEmpty() ? "game " + QString::number(n) : name);
            Text1(n).SetLocked(false);
            Text1(n).SetEnabled(true);
        }
        cmdSave.SetCaption(Com.NetGame != 0 ? QStringLiteral("NET Save") : QStringLiteral("Save"));
        Check1.SetVisible(false);
        Text1(kAutoSlot).SetVisible(false);
        // The first slot has the typing focus when the window opens: a name typed there replaces
        // the one shown and is saved there.
        Selected = 1;
        Highlight(Selected, true);
        offered_ = Text1(Selected).Text();
        if (auto* edit = qobject_cast<QLineEdit*>(Text1(Selected).Widget())) {
            edit->setFocus();
            edit->selectAll();
        }
        filling_ = false;
        return;
    }

    const int records = file.RecordCount();
    bool autoHeld = false;
    for (int n = 1; n <= kAutoSlot; ++n) {
        TextBox& box = Text1(n);
        box.SetLocked(true);
        const SavedGame g = n <= records ? SavedGame_Read(file, n) : SavedGame{};
        box.SetEnabled(g.HoldsGame());
        box.SetText(g.HoldsGame() ? ShownName(g.Name) : QStringLiteral("(empty)"));
        if (!g.HoldsGame()) box.SetBackColor(kEmpty);
        if (n == kAutoSlot) autoHeld = g.HoldsGame();
    }
    cmdSave.SetCaption(QStringLiteral("Restore"));
    Text1(kAutoSlot).SetText(QStringLiteral("AutoSave"));
    const bool local = Com.NetGame == 0;
    Check1.SetVisible(local);
    Text1(kAutoSlot).SetVisible(local);
    Check1.SetValue(Shl.MoveLogOn ? 1 : 0);
    Text1(kAutoSlot).SetEnabled(local && autoHeld && Shl.MoveLogOn);
    filling_ = false;
}

void SaveForm::Form_Load() {
    Window_PlaceOverTable(Window(), TableSpot::Centre);
    Selected = 0;
}

bool SaveForm::Form_QueryUnload() {
    // Closing the window is a cancel; the window is only hidden.
    Sav.DialogCancelled = true;
    Sav.NetSaveRestored = false;
    Hide();
    return true;
}

void SaveForm::Text1_Click(int index) {
    if (index < 1 || index > kAutoSlot) return;
    Label1.SetCaption(QString());
    Highlight(Selected, false);
    Highlight(index, true);
    if (SaveMode()) {
        const QString players = QString::number(Com.NumPlayers) + "P_";
        if (Com.NetGame == 0) {
            Text1(index).SetText(players);
        } else {
            const QLocale here;
            const QDateTime now = QDateTime::currentDateTime();
            const QString label = "NET" + players + here.toString(now.date(), QLocale::ShortFormat) + "_" +
                                  here.toString(now.time(), QLocale::ShortFormat);
            Text1(index).SetText(label + (NetSlotName ? NetSlotName() : Com.PlayerName));
        }
    } else {
        Sav.Buffer = SavedGame_Read(SavedGameFile(), index);
        if (Sav.Buffer.Name.startsWith(QLatin1String("^^"))) {
            if (Com.NetGame == 0) {
                platform::MsgBox(QStringLiteral("Saved Internet games can only be restored online from the "
                                                "Internet Menu."),
                                 platform::vbInformation, QStringLiteral("Internet Game"));
                Highlight(index, false);
                Selected = 0;
                return;
            }
            Sav.NetSaveRestored = true;
        }
    }
    Selected = index;
    picked_ = true;
}

void SaveForm::Text1_MouseDown(int, int, int, double, double) {
    if (SaveMode() && Com.NetGame == 0) Label1.SetCaption(QString());
}

void SaveForm::cmdSave_Click() {
    if (Selected == 0) {
        QApplication::beep();
        Label1.SetCaption(QStringLiteral("Select a game slot!"));
        return;
    }
    QString name = Text1(Selected).Text().trimmed();
    if (name.isEmpty()) {
        name = "saved game " + QString::number(Selected);
        Text1(Selected).SetText(name);
    }
    Sav.DialogCancelled = false;
    Sav.SaveSlot = Selected;
    Sav.SaveName = name;
    if (cmdSave.Caption() == QLatin1String("NET Save") && Com.NetGame != 0)
        Sav.SaveName = "^^" + Sav.SaveName;
    Hide();
}

void SaveForm::Command2_Click() {
    if (SaveMode() && Selected != 0 && (picked_ || Text1(Selected).Text() != offered_)) {
        const int answer = platform::MsgBox(
            QStringLiteral("Did you want to save this game?\r\nClick the Save button to save."),
            platform::vbYesNo | platform::vbQuestion, QStringLiteral("Save game?"));
        if (answer == platform::vbYes) return;
    }
    Sav.DialogCancelled = true;
    Sav.NetSaveRestored = false;
    Hide();
}

void SaveForm::Check1_Click() {
    if (filling_) return;
    if (Check1.Value() == 1) {
        if (!Shl.MoveLogOn) TempMoves_Open(true);
        Text1(kAutoSlot).SetEnabled(true);
    } else {
        TempMoves_Open(false);
        Text1(kAutoSlot).SetEnabled(false);
    }
}

void SaveForm::Check1_MouseUp(int, int, double, double) {
    // Without a game on the table there is nothing to save, and the last run's save must stay.
    if (Check1.Value() != 1 || Com.Pturn == 0) return;
    Eng.TurnCount = 1;
    Game_AutoSave();
}
