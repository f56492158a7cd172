#include "shell/frmWelcome.h"
#include "common/Shared.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"
#include "table/Status.h"
#include "table/WindowPlaces.h"

#include <QWindow>

// ---------------------------------------------------------------- WelcomeForm

namespace {
WelcomeForm*& WelcomeInstance() {
    static WelcomeForm* form = nullptr;
    return form;
}
} // namespace

WelcomeForm& frmWelcome() {
    if (!WelcomeInstance()) new WelcomeForm(); // lives until the program ends
    return *WelcomeInstance();
}

WelcomeForm::WelcomeForm() : Form(QStringLiteral("frmWelcome")) {
    if (!WelcomeInstance()) WelcomeInstance() = this;
    Window()->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    SetScaleMode(platform::vbPixels);
    SetClientSizePx(320, 140);
    SetBackColor(0x00408000);

    Label1.Move(12, 10, 296, 52);
    Label1.SetBackStyle(0);
    Label1.SetForeColor(0x00FFFFFF);
    Label1.SetAlignment(2);
    Label1.SetWordWrap(true);
    Label1.SetFontSize(10);
    Label1.SetFontBold(true);
    Label1.SetCaption(QStringLiteral("Who is playing?\r\nChoose your name or type a new one."));

    Combo1.Move(12, 82, 200, 26);
    Combo1.SetMaxLength(kPlayerNameWidth);
    Combo1.SetToolTipText(QStringLiteral("Your name, up to 20 characters"));

    Command1.Move(224, 80, 84, 30);
    Command1.SetCaption(QStringLiteral("OK"));

    Combo1.On().Click = [this](int) { Combo1_Click(); };
    Combo1.Confirmed = [this]() { Command1_Click(); };
    Command1.On().Click = [this](int) { Command1_Click(); };
    Label1.On().MouseMove = [this](int, int button, int shift, double x, double y) {
        Label1_MouseMove(button, shift, x, y);
    };
    MouseMove = [this](int button, int shift, double x, double y) { Form_MouseMove(button, shift, x, y); };
}

WelcomeForm::~WelcomeForm() {
    if (WelcomeInstance() == this) WelcomeInstance() = nullptr;
}

void WelcomeForm::Form_Load() {
    if (HasTableForm()) {
        TableForm& table = frmGrulm();
        SetBackground(table.Background());
        Window_PlaceOverTable(Window(), TableSpot::Centre);
    }

    if (Com.PlayerName.isEmpty()) Com.PlayerName = Prof.ProfileName.trimmed();

    Combo1.Clear();
    int selected = -1;
    for (int i = 1; i <= Prof.PlayerCount; ++i) {
        Combo1.AddItem(Prof.PlayerNames(i));
        if (selected < 0 && !Com.PlayerName.isEmpty() &&
            Profile_SameName(Prof.PlayerNames(i), Com.PlayerName))
            selected = i - 1;
    }
    if (selected >= 0)
        Combo1.SetListIndex(selected);
    else
        Combo1.SetText(Com.PlayerName);
    // A new player types over the name shown instead of after it.
    Combo1.SelectText();
}

void WelcomeForm::Combo1_Click() {
    Com.PlayerName = Combo1.Text();
}

void WelcomeForm::Refuse(const QString& text, const QString& title, bool emptyCombo) {
    platform::MsgBox(text, platform::vbExclamation, title);
    if (emptyCombo) Combo1.SetText(QString());
}

void WelcomeForm::Command1_Click() {
    // The name as the profile keeps it, so the check and the record agree.
    Com.PlayerName = Profile_StoredName(Combo1.Text());

    if (Com.PlayerName.compare(QLatin1String("GRULM"), Qt::CaseInsensitive) == 0) {
        Refuse(QStringLiteral("There can ONLY be\nONE Grulm\nand that's me!\nEnter your real name please."),
               QStringLiteral("Impersonator Alert"), true);
        return;
    }
    if (Com.PlayerName.compare(QLatin1String("TORVEK"), Qt::CaseInsensitive) == 0) {
        Refuse(QStringLiteral("Sorry dear, that name has been taken...\nEnter another name please."),
               QStringLiteral("Impersonator Alert"), true);
        return;
    }
    if (Com.PlayerName.isEmpty()) {
        Refuse(QStringLiteral("Please enter a name...\nI'd like to know who I'm playing with!"),
               QStringLiteral("Unknown Player"), false);
        return;
    }

    const int listed = Profile_FindPlayer(Com.PlayerName);
    if (!Profile_SameName(Com.PlayerName, Prof.ProfileName)) {
        // The name may become part of file names (network scores, avatars).
        if (listed == 0 && BadFileName(Com.PlayerName)) return;
        if (Prof.PlayerKnown) Prefs_Save(false);
    }

    Hide();
    Prof.PlayerKnown = true;
    if (listed > 0) Com.PlayerName = Prof.PlayerNames(listed);

    if (listed > 0 && listed + 1 != Prof.PlayerRecord) {
        Prof.PlayerRecord = listed + 1;
        if (Shl.MoveLogOn) ProfHooks.TempMovesOpen(false);
        Players_SetUp(Prof.PlayerRecord);
    }

    Prof.ProfileName = Com.PlayerName;

    if (listed == 0) {
        Prof.PlayerCount += 1;
        Prof.PlayerKnown = false;
        Prof.PlayerNames.RedimPreserve(Prof.PlayerCount);
        Prof.PlayerNames(Prof.PlayerCount) = Com.PlayerName;
        Prof.PlayerRecord = Prof.PlayerCount + 1;
        Prefs_Save(true);
        Prof.PlayerKnown = true;
        GetCPUSpeed(true);
        ProfHooks.NewGamePrompt();
    }

    if (HasTableForm() && frmGrulm().Label9.Exists(kLblHumanName))
        frmGrulm().Label9(kLblHumanName).SetCaption(Com.PlayerName);
    // Not the last player's name, nor none, until the next deal writes it again.
    if (HasTableForm()) StatusBar_Human();
    confirming_ = true;
    Unload();
    confirming_ = false;
}

// Closing the window by the window system confirms the name it shows, the last player's unless another
// was typed; with no name at all it closes with no player, and start-up then ends the program.
bool WelcomeForm::Form_QueryUnload() {
    if (confirming_) return false;
    QString name = Combo1.Text().trimmed();
    if (name.isEmpty()) name = Prof.ProfileName.trimmed();
    if (name.isEmpty()) {
        Com.PlayerName.clear();
        return false;
    }
    Combo1.SetText(name);
    Command1_Click();
    return true; // confirmed and unloaded, or refused and still open
}

void WelcomeForm::StartDrag() {
    if (QWindow* w = Window()->windowHandle()) w->startSystemMove();
}

void WelcomeForm::Form_MouseMove(int button, int, double, double) {
    if (button & 1) StartDrag();
}

void WelcomeForm::Label1_MouseMove(int button, int, double, double) {
    if (button & 1) StartDrag();
}
