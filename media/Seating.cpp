#include "media/Seating.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "platform/PickDialogs.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/Utilities.h"
#include "table/TableState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

OpponentChoices Opponent_Choices(const QString& netPersonName) {
    OpponentChoices c;
    c.comments << QStringLiteral("Default Personality");
    for (int i = 1; i <= Med.CommentFileCount; ++i)
        c.comments << Med.CommentFiles(i);
    c.comments << QStringLiteral("No Comments");
    for (int r = 0; r <= Med.PersonCount; ++r)
        c.opponents << Med.PersonList(1, r);
    // A seat-2 name missing from the list leaves the index one past the end.
    if (Tbl.PersonIndex < 0 || Tbl.PersonIndex >= c.opponents.size()) Tbl.PersonIndex = 0;
    c.opponentIndex = Tbl.PersonIndex;
    const bool net = Com.NetGame != 0;
    c.opponentShown = net && !netPersonName.isEmpty() ? netPersonName : c.opponents.value(c.opponentIndex);
    if (!net) c.playersButton = Com.NumPlayers - 2;
    return c;
}

namespace {

const QString kPictureFilter = QStringLiteral("Pictures (*.jpg;*.gif;*.bmp)|*.jpg;*.gif;*.bmp");

// The chosen file copied into `folder` under its own name; "" when it could not be.
QString CopyInto(const QString& file, const QString& folder) {
    const QString name = QFileInfo(file).fileName();
    const QString target = folder + name;
    QDir().mkpath(folder);
    // A picture already in place is the one chosen: removing it first would lose it.
    if (QFileInfo(file).canonicalFilePath() == QFileInfo(target).canonicalFilePath()) return name;
    if (QFileInfo::exists(target)) QFile::remove(target);
    return QFile::copy(file, target) ? name : QString();
}

// The table shows the player's own avatar in a game of three or more, else seat 2's.
void ShowSeatTwo() {
    TableForm& f = frmGrulm();
    if (!Com.PlayerAvatar.isEmpty() && Com.NumPlayers >= 3)
        f.Avatar_Show(Com.PlayerAvatar);
    else
        f.Avatar_Show(Eng.Seat2Rec.RecAvatar);
    const int level = Eng.Seat2Rec.RecLevel;
    if (level >= 0 && level <= 2) f.lblLevel.SetCaption(QString::fromLatin1(kLevelNames[level]));
}

void Resize() {
    Com.TotalCards = Com.NumPlayers * 52;
    Eng.Deck.Redim(2, Com.TotalCards);
    Eng.UsedPile.Redim(1, Com.TotalCards);
    TableForm& f = frmGrulm();
    f.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    f.Table_Redraw();
    Hooks.Rules_ShowCaption();
    Rul.RulesChanged = false;
}

} // namespace

void SetupOpponents(bool rulesOnly) {
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Sav.DialogCancelled = false;
    const bool local = Com.NetGame == 0;
    // Without a readable record there is nothing to write back.
    const bool record = !rulesOnly && Prefs_ReadRecord(Prof.PlayerRecord, &Prof.Prefs);
    if (!local) {
        if (rulesOnly) MedHooks.NetRules();
        else MedHooks.NetOpponents();
        // The Internet opponents window stores what it changed; only the rules change the table.
        if (!rulesOnly) return;
    } else {
        MedHooks.OpponentsEditor();
    }
    if (record && !Sav.DialogCancelled) Prefs_WriteRecord(Prof.PlayerRecord, Prof.Prefs);
    if (local) ShowSeatTwo();
    if (Sav.DialogCancelled && !Rul.RulesChanged) {
        Hooks.Labels_PlayerNames();
        Sav.DialogCancelled = false;
        return;
    }
    Sav.DialogCancelled = false;
    Resize();
    if (local)
        MenuGame(kGameNew);
    else if (Com.NetGame != kNetGameConnecting)
        MedHooks.Net_ChangeLayout();
}

void Background_Add() {
    const QString file =
        platform::Picks().OpenFile({QStringLiteral("Add Background Picture"), Com.DocsPath, QString(), kPictureFilter});
    if (file.isEmpty()) return;
    const QString name = CopyInto(file, Com.UserPath + "Backgrounds/");
    if (name.isEmpty()) return;
    List_Backgrounds();
    for (int i = 1; i <= Tbl.BackgroundCount; ++i) {
        if (Med.BackgroundList(i) == name) {
            // One before it: the step forward lands on the new picture.
            Tbl.BackgroundIndex = i - 1;
            MedHooks.Background_Cycle(40);
            return;
        }
    }
}
