#include "shell/MenuCommands.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/RuleMessages.h"
#include "engine/SeatTable.h"
#include "engine/Stats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/frmRules.h"
#include "platform/Services.h"
#include "shell/KeyCommand.h"
#include "shell/SaveWarning.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "shell/Utilities.h"
#include "shell/frmSave.h"
#include "shell/frmScoreStat.h"
#include "table/Backgrounds.h"
#include "table/CardFlow.h"
#include "table/Display.h"
#include "table/HandOrder.h"
#include "table/LayoutGameSize.h"
#include "table/Panel.h"
#include "table/TableState.h"
#include "table/frmCounter.h"
#include "table/WindowPlaces.h"

MenuState Menu;
MenuWindowsT MenuWin;

void Menu_Reset() {
    Menu = MenuState{};
}

namespace {

constexpr int kUserSlots = 10;
constexpr int kAutoSlotRow = 11;
constexpr int kBackgroundNextKey = 32;

bool Remote() {
    return Com.NetGame != 0 && Com.NetHost != 1;
}

// A restore or a new table under a running computer turn, while a game is being started or a
// caller takes its seat, would pull its tables away. The start is waited for as New Game waits for
// it: the command, pressed `again`, runs once the table is free.
bool RefusedWhileTableBusy(std::function<void()> again) {
    if (Table_CommandsHeld()) {
        Table_Keep(std::move(again));
        return true;
    }
    if (!Eng.CompTurnActive) return false;
    platform::MsgBox(QStringLiteral("Wait!  Let me finish my turn first!"), platform::vbOKOnly,
                     Seat_OnTurnTitle());
    return true;
}

void CopyRecord(int from, int to) {
    platform::RecordFile& file = SavedGameFile();
    if (file.IsOpen()) file.Write(to, file.Read(from));
}

// The automatic save that holds the start of the turn before the one on the table: the one
// the last hand-over did not write.
int PreviousTurnSlot() {
    return Eng.TurnCount % 2 != 0 ? kAutoSaveEven : kAutoSaveOdd;
}

// No game on the table, or its end already counted: going back would let it be won twice.
bool NoTurnToGoBackTo() {
    if (Eng.TurnCount != 0 && Com.Pturn != 0) return false;
    platform::MsgBox(QStringLiteral("No move to restore!"), platform::vbCritical,
                     QStringLiteral("Previous Turn"));
    return true;
}

void RestoreSlot(bool turnRestore) {
    Com.RestartingTurn = turnRestore;
    Game_Restore(SavedGameFile());
    Com.RestartingTurn = false;
    // A turn taken back starts its own move history and run: Undo Move must not reach the later turn.
    if (turnRestore && !Sav.DialogCancelled && Com.Pturn == 1) {
        Stats_TakeBack(static_cast<int>(Eng.HumanPlays.size()));
        MoveHistory_Restart();
    }
}

void Save() {
    Keys.KeyArmed = true;
    // Under a computer turn the seat's cards are in play, not yet back in its record.
    if (RefusedWhileTableBusy([] { MenuGame(kGameSave); })) return;
    if (Com.Pturn == 0) {
        platform::MsgBox(QStringLiteral("There's no game to save!"), platform::vbOKOnly,
                         QStringLiteral("Grulm & Torvek"));
        return;
    }
    Sav.DialogCancelled = false;
    MenuWin.SaveDialog(false);
    if (Sav.DialogCancelled) {
        Sav.DialogCancelled = false;
        return;
    }
    if (Sav.SaveSlot < 1 || Sav.SaveSlot > kUserSlots) return;
    Game_Capture();
    Sav.Buffer.Name = Sav.SaveName;
    platform::RecordFile& file = SavedGameFile();
    if (!file.Write(Sav.SaveSlot, Sav.Buffer.Encode())) {
        SaveFailed_Warn(Com.DataPath + "backup.sav", file.ErrorString());
        return;
    }
    CopyRecord(kGameStart, Sav.SaveSlot + kSlotStartOffset);
    Sav.SaveMidTurn = false;
    const QString shown = Sav.SaveName.startsWith(QLatin1String("^^")) ? Sav.SaveName.mid(2) : Sav.SaveName;
    frmGrulm().Label9(kLblMessage).SetCaption(QStringLiteral("Game saved as\r\n") + shown);
}

// False when nothing was restored: the dialog was cancelled or the slot holds no game for it.
bool Restore() {
    Sav.DialogCancelled = false;
    Keys.KeyArmed = true;
    if (RefusedWhileTableBusy([] { MenuGame(kGameRestore); })) return false;
    MenuWin.SaveDialog(true);
    if (Sav.DialogCancelled) return false;
    bool turnRestore = false;
    if (Sav.SaveSlot == kAutoSlotRow) {
        if (NoTurnToGoBackTo()) return false;
        turnRestore = true;
        Sav.SaveSlot = PreviousTurnSlot();
    } else if (Sav.SaveSlot >= 1 && Sav.SaveSlot <= kUserSlots) {
        CopyRecord(Sav.SaveSlot + kSlotStartOffset, kGameStart);
        Menu.SlotRestored = true;
    } else {
        return false;
    }
    TableForm& f = frmGrulm();
    if (f.cmdDeal.Visible()) f.cmdDeal.SetVisible(false);
    RestoreSlot(turnRestore);
    return !Sav.DialogCancelled;
}

void PreviousTurn() {
    if (RefusedWhileTableBusy([] { MenuGame(kGamePrevious); })) return;
    if (NoTurnToGoBackTo()) return;
    Sav.SaveSlot = PreviousTurnSlot();
    // A player who has not played a turn yet has nothing to go back to, which is no damage.
    if (!SavedGame_Read(SavedGameFile(), Sav.SaveSlot).HoldsGame()) {
        platform::MsgBox(QStringLiteral("No move to restore!"), platform::vbCritical,
                         QStringLiteral("Previous Turn"));
        return;
    }
    RestoreSlot(true);
}

void RestartGame() {
    if (RefusedWhileTableBusy([] { MenuGame(kGameRestart); })) return;
    if (Com.FlowRunning) {
        Keys.KeyArmed = true;
        AnimateCardsFlow(0);
    }
    const QString title = QStringLiteral("Restart Game");
    if (!SavedGame_Read(SavedGameFile(), kGameStart).HoldsGame()) {
        platform::MsgBox(QStringLiteral("There's no game to restart!"), platform::vbInformation, title);
        return;
    }
    if (Com.NetGame != 0 && Com.NetHost == 1) {
        if (platform::MsgBox(QStringLiteral("Start the Internet game over from the beginning?"),
                             platform::vbOKCancel, title) != platform::vbOK)
            return;
        Menu.RestartSend = true;
    } else if (Sav.DealtThisRun) {
        if (platform::MsgBox(QStringLiteral("Start this game over from the beginning?"), platform::vbOKCancel,
                             title) != platform::vbOK)
            return;
    } else {
        platform::MsgBox(QStringLiteral("Restarting game from last session."), platform::vbInformation, title);
    }
    Sav.SaveSlot = kGameStart;
    if (Com.NetGame != 0 && Com.NetHost == 1) {
        MenuInternet(kNetSend);
        return;
    }
    // The same game again: an end already in the record is not recorded twice (the restore
    // knows it as the game on the table).
    RestoreSlot(false);
}

// The host's table is the remotes' too: it restores the start of this game when Restart Current
// Game asked for it, else the game chosen in the restore window, and sends it to them.
void SendSavedGame() {
    if (Com.NetGame == 0 || Com.NetGame == kNetGameConnecting) {
        platform::MsgBox(QStringLiteral("You have to connect to another player first!"), platform::vbOKOnly,
                         QStringLiteral("Vornhelm Not Online"));
        Menu.RestartSend = false;
        return;
    }
    if (RefusedWhileTableBusy([] { MenuInternet(kNetSend); })) {
        Menu.RestartSend = false;
        return;
    }
    Com.RecoverPending = 1;
    bool restored = false;
    if (Menu.RestartSend) {
        Sav.SaveSlot = kGameStart;
        RestoreSlot(false);
        restored = !Sav.DialogCancelled;
    } else {
        restored = Restore();
    }
    if (restored) MenuWin.SendGame();
    // Nothing restored leaves the game on the table as it was, and nothing is sent.
    Sav.DialogCancelled = false;
    Menu.RestartSend = false;
    Com.RecoverPending = 0;
}

void NewGame() {
    // A computer turn, the deal, the game's end or the hand-over after the human's discard
    // holds the table: the new game waits for it and starts when it is over.
    if (Local() && (Com.Pturn > 1 || Table_Held())) {
        Eng.TurnStop = true;
        Table_Keep(Game_NewIfAsked);
        return;
    }
    // The host's new game deals in a caller taking its seat: it waits for it.
    if (!Local() && Table_CommandsHeld() && !Game_Starting()) {
        Table_Keep(Game_New);
        return;
    }
    Game_New();
}

} // namespace

void MenuGame(int item) {
    if (Eng.TurnStop) return;
    switch (item) {
    case kGameNew: NewGame(); break;
    case kGameLogin:
        // Another player's profile brings its own table size, rules and opponents.
        if (!RefusedWhileTableBusy([] { MenuGame(kGameLogin); })) MenuWin.Login();
        break;
    case kGameSave: Save(); break;
    case kGameRestore:
        // A remote player's game belongs to the host.
        if (Remote()) Net_MenuNotice(1);
        else if (Com.NetGame != 0) SendSavedGame();
        else Restore();
        break;
    case kGamePrevious: PreviousTurn(); break;
    case kGameRestart:
        if (Remote()) Net_MenuNotice(1);
        else RestartGame();
        break;
    case kGameStats:
        Menu.StatsMode = 0;
        MenuWin.Stats(0);
        break;
    case kGameExit:
        if (!Eng.CompTurnActive) {
            Keys.KeyArmed = true;
            MenuWin.Exit();
        }
        break;
    default: break;
    }
}

namespace {

void HouseRules() {
    if (RefusedWhileTableBusy([] { MenuOptions(kOptRules, 0); })) return;
    MenuWin.Rules();
    Hooks.Rules_ShowCaption();
    if (Rul.RulesChanged) {
        Sav.DealtThisRun = false;
        TableForm& f = frmGrulm();
        f.Table_Clear();
        f.cmdDeal.SetVisible(true);
    }
    Rul.RulesChanged = false;
}

} // namespace

void MenuOptions(int item, int subItem) {
    switch (item) {
    case kOptSpeed: MenuWin.Pace(); break;
    case kOptSound: ChangeNoise(); break;
    case kOptPreferences:
        if (Local() || Com.Pturn < 2) {
            MenuWin.Preferences();
            // The viewer shows the hold piles in the look just chosen.
            const platform::Form* hold = platform::Form::Find(QStringLiteral("frmHold"));
            if (hold && hold->IsVisible()) frmGrulm().HoldView_Refresh(QString());
        } else
            platform::MsgBox(QStringLiteral("Please wait until your turn to change game preferences!"),
                             platform::vbInformation, QStringLiteral("Don't hold up the game!"));
        break;
    case kOptRules: HouseRules(); break;
    case kOptOpponents:
        if (!RefusedWhileTableBusy([] { MenuOptions(kOptOpponents, 0); })) MenuWin.Opponents();
        break;
    case kOptComments: MenuWin.Comments(); break;
    case kOptBackground:
        Tbl.BackgroundStretch = false;
        Background_Cycle(kBackgroundNextKey);
        break;
    case kOptStretch:
        Tbl.BackgroundStretch = true;
        Background_Load();
        break;
    case kOptAddBackground: MenuWin.AddBackground(); break;
    case kOptDisplaySize:
        if (subItem == 0 || subItem == 1) Display_Change(subItem);
        else if (subItem == 2) Table_FitScreen(Layout_ModeAsked());
        break;
    default: break;
    }
}

void MenuInternet(int item) {
    switch (item) {
    case kNetSave:
        if (Com.Pturn != 0 && Com.NetGame != 0) {
            Sav.SaveMidTurn = true;
            MenuGame(kGameSave);
        } else {
            platform::MsgBox(QStringLiteral("There's no Internet game to save!"), platform::vbOKOnly,
                             QStringLiteral("Vornhelm Online"));
        }
        break;
    case kNetSend: SendSavedGame(); break;
    case kNetRestart: MenuGame(kGameRestart); break;
    case kNetNew: MenuGame(kGameNew); break;
    case kNetScores: MenuWin.NetScores(); break;
    case kNetStart: MenuWin.Internet(); break;
    case kNetPlayers:
        if (!RefusedWhileTableBusy([] { MenuInternet(kNetPlayers); })) MenuWin.Opponents();
        break;
    case kNetHost:
        if (!RefusedWhileTableBusy([] { MenuInternet(kNetHost); })) MenuWin.HostRules();
        break;
    default: break;
    }
}

namespace {

// Tells every peer: the host all of them, a remote player the host.
void SendToPeers(QString message) {
    if (Com.NetHost == 1) {
        int except = 0;
        Netl.Net_SendAll(message, except);
    } else {
        int socket = 1;
        Netl.Net_Send(message, socket);
    }
}

void PeekNotice(const QString& text, bool on) {
    Menu.ChatCount += 1;
    const QString body = Com.PeerVersion.toInt() > 74 ? "$-" + text : text;
    // The counter in the number form every message uses, as the chat's own lines have it.
    SendToPeers("SY " + NumStr(Menu.ChatCount) + "#" + body);
    Pause(kPeekNoticeGap);
    SendToPeers(QStringLiteral("PK ") + (on ? "True" : "False"));
}

void TogglePeek() {
    if (Tbl.Dealing) return;
    TableForm& f = frmGrulm();
    const bool net = Com.NetGame != 0;
    if (net && !Com.PeekOn &&
        platform::MsgBox(
            QStringLiteral("Are you sure you want to peek at your opponent's cards? They will be notified!"),
            platform::vbYesNo, QStringLiteral("Cheater")) != platform::vbYes)
        return;
    Com.PeekOn = !Com.PeekOn;
    if (!net) {
        f.Label9(kLblComment).SetCaption(Com.PeekOn ? QStringLiteral("Some people like to watch...\r\n\r\nCHEATER")
                                          : QStringLiteral("Going Blind?\r\nWhy should I bother to keep score "
                                                           "if you're going to cheat?"));
    } else if (Com.PeekOn) {
        f.LabelPeek.SetCaption(QStringLiteral("You're PEEKING!\r\n"));
        f.LabelPeek.SetVisible(true);
        PeekNotice(QStringLiteral("GRULM: You're being watched."), true);
        f.Label9(kLblNotice).SetCaption(QStringLiteral("Opponent\r\nALERTED"));
    } else {
        PeekNotice(QStringLiteral("GRULM: Nobody's looking now."), false);
        f.Label9(kLblNotice).SetCaption(QStringLiteral("Opponent has\r\nbeen informed."));
        f.LabelPeek.SetAutoSize(true); // the notice is wider than the label's place
        f.LabelPeek.SetCaption((Tbl.OppPeeking != 0) ? QStringLiteral("Opponent is PEEKING!\r\n")
                                              : QStringLiteral("\r\n"));
        f.LabelPeek.SetVisible((Tbl.OppPeeking != 0));
    }
    Peek();
    if (!net) f.Counter_Refresh();
    if (net && Com.PeekOn && Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(Com.DataPath + kSoundJeer);
}

void CardCounter() {
    if (Com.NetGame != 0 && !Com.DebugMode) {
        platform::MsgBox(QStringLiteral("Count your own cards during a Net game!"), platform::vbExclamation,
                         QStringLiteral("Count by yourself"));
        return;
    }
    MenuWin.Counter();
}

} // namespace

QString Menu_WebLink(int item) {
    switch (item) {
    case 1: return QStringLiteral("https://vornhelm.example/");
    case 2: return QStringLiteral("https://vornhelm.example/online/");
    case 3: return QStringLiteral("https://vornhelm.example/address-check/");
    default: return QString();
    }
}

void MenuHelp(int item, int subItem) {
    switch (item) {
    case kHelpContents: MenuWin.Help(); break;
    case kHelpTutorial: MenuWin.Tutorial(); break;
    case kHelpTips: MenuWin.Tips(); break;
    case kHelpPeek: TogglePeek(); break;
    case kHelpCounter: CardCounter(); break;
    case kHelpStatusBar: {
        TableForm& f = frmGrulm();
        f.StatusBar1.SetVisible(!f.StatusBar1.Visible());
        break;
    }
    case kHelpWeb:
        if (!Menu_WebLink(subItem).isEmpty()) OpenURL(Menu_WebLink(subItem));
        break;
    case kHelpAbout: MenuWin.About(); break;
    default: break;
    }
}

void MenuDispatch() {
    const int item = Tbl.MenuItem;
    switch (Tbl.MenuNumber) {
    case kMenuGame: MenuGame(item); break;
    case kMenuOptions:
        if (item == kOptDisplaySize) {
            const int sub = Menu.DisplaySizeItem;
            Menu.DisplaySizeItem = 0;
            MenuOptions(item, sub);
        } else if ((item == kOptRules || item == kOptOpponents) && Com.NetGame != 0) {
            Net_MenuNotice(1);
        } else {
            MenuOptions(item, 0);
        }
        break;
    case kMenuInternet: MenuInternet(item); break;
    case kMenuHelp: {
        const int sub = item == kHelpWeb ? Menu.WebLinkItem : 0;
        if (item == kHelpWeb) Menu.WebLinkItem = 0;
        MenuHelp(item, sub);
        break;
    }
    default: break;
    }
}

bool Menu_RowAvailable(int menu, int row) {
    switch (menu) {
    case kMenuGame: return row != kGameLogin || MenuWin.Present(menu, row);
    case kMenuOptions:
        return row == kOptSound || row == kOptRules || row == kOptBackground || row == kOptStretch ||
               row == kOptDisplaySize || MenuWin.Present(menu, row);
    case kMenuInternet:
        return row == kNetSave || row == kNetRestart || row == kNetNew || MenuWin.Present(menu, row);
    case kMenuHelp:
        return row == kHelpPeek || row == kHelpCounter || row == kHelpStatusBar || row == kHelpWeb ||
               MenuWin.Present(menu, row);
    default: return false;
    }
}

void MenuCommands_Install() {
    MenuWin.SaveDialog = [](bool restore) {
        SaveForm& w = frmSave();
        w.Load();
        w.LoadSlots(restore);
        w.Show(true);
    };
    MenuWin.Rules = [] { frmRules().Show(true); };
    MenuWin.Stats = [](int mode) { ScoreStat_Open(mode); };
    MenuWin.Login = [] { Startup.LoginShow(); };
    MenuWin.Exit = [] { frmGrulm().Unload(); };
    MenuWin.Counter = [] {
        Counter_ShowDeck();
        ToolWindow_Open(frmCounter(), TableSpot::Free, false);
    };
    // The card flow swallows the next key; a click or a new size on the table lets keys through again.
    Hooks.KeyArm = [](bool armed) { Keys.KeyArmed = armed; };
    MenuWin.Present = [](int menu, int row) { return menu == kMenuGame && row == kGameLogin; };
    PanelHooks.MenuDispatch = [] { MenuDispatch(); };
}
