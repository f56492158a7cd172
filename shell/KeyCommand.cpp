#include "shell/KeyCommand.h"
#include "common/Shared.h"
#include "engine/Discard.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "shell/ShellHooks.h"
#include "shell/Utilities.h"
#include "shell/Tutorial.h"
#include "table/Backgrounds.h"
#include "table/CardFlow.h"
#include "table/Flash.h"
#include "table/Panel.h"
#include "table/Status.h"
#include "table/TableState.h"

KeyState Keys;

void Keys_Reset() {
    Keys = KeyState{};
}

bool Keys_MayDebug(const QString& playerName) {
    return playerName == QLatin1String("Master Rada") || playerName == QLatin1String("Rada");
}

namespace {

enum Key : int {
    kBackspace = 8, kEnter = 13, kEsc = 27, kPageUp = 33, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
    kRight = 39, kDown = 40, kDelete = 46, kDigit0 = 48, kDigit9 = 57, kLetterA = 65, kLetterZ = 90,
    kPad0 = 96, kPad9 = 105, kF1 = 112, kF2, kF3, kF4, kF5, kF6, kF7, kF8, kF9, kF10, kF11, kF12,
    kEquals = 187, kLetterR = 82, kLetterS = 83
};
const QString kSplashForm = QStringLiteral("frmSplash");
const QString kAskPile = QStringLiteral("Move card to which pile?");
constexpr int kFirstHold = 7;

bool IsPad(int key) {
    return key >= kPad0 && key <= kPad9;
}

// The target key of a keyboard move; true when the key was a centre pile.
bool MoveTarget(int digit) {
    TableForm& f = frmGrulm();
    f.Label9(kLblMessage).SetCaption(QString());
    // The frame marked the chosen card; a discard plays the other seats' turns before this returns.
    f.lblHighlight.SetVisible(false);
    if (digit >= 1 && digit <= 4) {
        Eng.SourceSlot = Keys.PendingSlot;
        Eng.TargetPile = digit;
        Keys.PendingSlot = 0;
        if (Eng.TargetPile > Com.NumCenters) return true;
        Rules_CheckCenter();
        if (Com.Pturn == kRefused) {
            Com.Pturn = 1;
        } else {
            const GameOnTable mine;
            Player_Move();
            // A winning play leaves the winner's notice there, and a game dealt meanwhile its own.
            if (mine.StillOn() && Com.Pturn == 1) f.Label9(kLblMessage).SetCaption(QStringLiteral("Done!"));
        }
        return true;
    }
    const int slot = Keys.PendingSlot;
    Keys.PendingSlot = 0;
    if ((digit == 0 || digit >= 6) && slot >= 2 && slot <= 6) {
        Eng.SourceSlot = slot;
        Eng.TargetHold = digit == 0 ? 10 : digit;
        if (Eng.TargetHold >= kFirstHold) {
            Eng.DragHomeLeft = static_cast<int>(f.Picture7(slot).LeftPx());
            Eng.DragHomeTop = static_cast<int>(f.Picture7(slot).TopPx());
            Player_EndTurn();
        }
    }
    return false;
}

// A keyboard card move; true when the key was taken by it.
bool CardMove(int key) {
    TableForm& f = frmGrulm();
    const bool enter = key == kEnter && !f.cmdDeal.Visible();
    if (Com.Pturn != 1 || !(enter || IsPad(key))) return false;
    // Not while a play is under way or the source place is out of play.
    if (Eng.PlayBusy) return false;
    if (f.Label9(kLblMessage).Caption() == kAskPile) {
        if (!IsPad(key)) {
            f.Label9(kLblMessage).SetCaption(QString());
            Keys.PendingSlot = 0;
            return false;
        }
        return MoveTarget(key - kPad0);
    }
    if (enter) {
        if (Keys.PendingSlot == 0) return false;
        const int slot = Keys.PendingSlot;
        if (f.Picture7.Exists(slot) && f.Picture7(slot).Enabled() && Eng.PlayerCards(0, slot) != 0) {
            f.Label9(kLblMessage).SetCaption(kAskPile);
        } else {
            f.Label9(kLblMessage).SetCaption(QString());
            Keys.PendingSlot = 0;
            f.lblHighlight.SetVisible(false);
            return true;
        }
    } else {
        const int digit = key - kPad0;
        Keys.PendingSlot = digit == 0 ? 10 : digit;
        f.Label9(kLblMessage).SetCaption("Move card: " + QString::number(Keys.PendingSlot));
    }
    if (f.Picture7.Exists(Keys.PendingSlot)) {
        PictureBox& p = f.Picture7(Keys.PendingSlot);
        f.lblHighlight.SetGeometryPx(p.LeftPx(), p.TopPx(), f.lblHighlight.WidthPx(), f.lblHighlight.HeightPx());
        f.lblHighlight.SetVisible(true);
    }
    return true;
}

const char* EmoteFile(int letter) {
    switch (letter) {
    case 'A': return "Angry.gif";
    case 'B': return "Begging.gif";
    case 'C': return "Crying.gif";
    case 'D': return "Dumb_Move.gif";
    case 'E': return "Embarrassed.gif";
    case 'F': return "Hotflash.gif";
    case 'G': return "Grinning.gif";
    case 'K': return "Skull.gif";
    case 'M': return "Mischievous.gif";
    case 'N': return "Noose.gif";
    case 'S': return "Sad.gif";
    case 'W': return "Wink.gif";
    case 'X': return "Shoot.gif";
    default: return nullptr;
    }
}

void Emote(int letter) {
    TableForm& f = frmGrulm();
    const char* file = EmoteFile(letter);
    f.imgIcon.SetVisible(file != nullptr);
    if (file) f.imgIcon.SetPicture(QImage(Com.UserPath + "Icons/" + QLatin1String(file)));
}

void OpponentSound(int key) {
    const int index = key == kEquals ? 13 : key == kDigit0 ? 12 : key - kDigit0 + 2;
    Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Eng.SeatSounds(index));
    if (index == 3)
        frmGrulm()
            .Label9(kLblComment)
            .SetCaption(
                QStringLiteral("I feel like a puppet on a string. Are you trying to put words in my mouth?"));
}

bool PictureBackground() {
    return Tbl.BackgroundIndex < Tbl.BackgroundCount + 1;
}

void PlainKey(int key) {
    if (Com.NetGame == kNetGameConnecting && key != kF11) return;
    switch (key) {
    case kF1: MenuHelp(kHelpContents, 0); break;
    case kF2:
        if (Com.NetGame == 0 || Com.NetHost == 1) MenuGame(kGameNew);
        break;
    case kF3: MenuGame(kGameStats); break;
    case kF4:
        if (Com.NetGame == 0) MenuGame(kGamePrevious);
        break;
    case kF5: MenuOptions(kOptSpeed, 0); break;
    case kF6:
        if (Com.NetGame != 0) Net_MenuNotice(1);
        else MenuOptions(kOptRules, 0);
        break;
    case kF7: MenuHelp(kHelpPeek, 0); break;
    case kF8: MenuHelp(kHelpCounter, 0); break;
    case kF9: MenuHelp(kHelpStatusBar, 0); break;
    case kF10: MenuOptions(kOptOpponents, 0); break;
    case kF11: MenuInternet(kNetStart); break;
    case kF12: MenuGame(kGameExit); break;
    case kUp:
    case kDown:
        Tbl.BackgroundStretch = false;
        Background_Cycle(key);
        break;
    case kLeft:
    case kRight:
        if (PictureBackground()) {
            Tbl.BackgroundStretch = true;
            Background_Load();
        }
        break;
    case kBackspace:
        if (Com.NetGame == 0 && Com.Pturn == 1) {
            Com.RestartingTurn = true;
            RestartTurn();
        }
        break;
    case kEnd: MenuOptions(kOptPreferences, 0); break;
    case kDelete: platform::MsgBox(QStringLiteral("Are you trying to Delete ME?")); break;
    case kPageUp:
        if (Com.NetGame != 0) MenuWin.ChatOnTop(false);
        break;
    case kHome:
        MenuWin.PlayIntro();
        platform::MsgBox(QStringLiteral("There's no place like home."));
        break;
    default:
        if (key >= kLetterA && key <= kLetterZ) Emote(key);
        else if ((key >= kDigit0 && key <= kDigit9) || key == kEquals) OpponentSound(key);
        break;
    }
}

void RemoveBackground() {
    const QString title = QStringLiteral("Remove Background");
    if (PictureBackground()) {
        if (platform::MsgBox(QStringLiteral("Are you sure you want to permanently delete this background?"),
                             platform::vbYesNoCancel, title) == platform::vbYes)
            MenuWin.RemoveBackground();
        return;
    }
    platform::MsgBox(QStringLiteral("There's no background picture to delete.\r\nYou can change the color of this "
                                    "color-only background from the Options Menu, Preferences, Deck Styles"),
                     platform::vbInformation, title);
}

void CtrlShiftKey(int key) {
    if (key == kF3) {
        MenuWin.Stats(2);
    } else if (key == kF8 && Keys_MayDebug(Com.PlayerName)) {
        Com.DebugMode = !Com.DebugMode;
    } else if (key == kLetterS) {
        Tutorial_AuthorSave();
    } else if (key == kLetterR) {
        Tutorial_AuthorRestore();
    }
}

void CtrlKey(int key) {
    switch (key) {
    case kLetterS:
        if (Com.NetGame == 0) MenuGame(kGameSave);
        break;
    case kLetterR: MenuGame(kGameRestore); break;
    case kF3: MenuWin.Stats(1); break;
    case kF4:
        frmGrulm().ImgAvatar.SetVisible(true);
        break;
    case kF5:
        if (IsFormLoaded(kSplashForm)) Startup.SplashUnload();
        else Startup.SplashShow();
        break;
    case kF6: static_cast<void>(Flash(Tbl.PersonIndex, GameOnTable())); break;
    case kF10: MenuWin.IconsLoad(); break;
    case kF11: DisplayStats(); break;
    case kDelete: RemoveBackground(); break;
    default: break;
    }
}

} // namespace

void KeyCommand(int key, int shift) {
    TableForm& f = frmGrulm();
    f.Timer1.SetEnabled(false);
    if (!Keys.KeyArmed) {
        Keys.KeyArmed = true;
        return;
    }
    if (Com.TutorialMode) {
        platform::MsgBox(QStringLiteral("Please don't use the Menus during the tutorial."), platform::vbInformation,
                         QStringLiteral("Using Tutorial"));
        return;
    }
    if (Keys.KeysBlocked) return;
    if (shift == 0 && CardMove(key)) return;
    f.lblHighlight.SetVisible(false);
    if (Keys.PendingSlot != 0) {
        Keys.PendingSlot = 0;
        f.Label9(kLblMessage).SetCaption(QString());
    }
    if (key == kEsc && (f.picPanel.Visible() || Tbl.MenuListShown)) Panel_Close();
    if (shift == 0) PlainKey(key);
    else if (shift == kCtrlMask && key != kHome) CtrlKey(key);
    else if (shift == (kCtrlMask | kShiftMask) && key != kHome) CtrlShiftKey(key);
    else if (key == kHome && shift == kCtrlMask) AnimateCardsFlow(1);
    else if (key == kHome && shift == (kCtrlMask | kShiftMask)) AnimateCardsFlow(2);
    else if (key == kHome && shift == (kCtrlMask | kShiftMask | kAltMask)) AnimateCardsFlow(0);
}
