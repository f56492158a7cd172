#include "shell/frmTutorial.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/RuleMessages.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "shell/KeyCommand.h"
#include "shell/MenuCommands.h"
#include "shell/SavedGames.h"
#include "shell/ShellHooks.h"
#include "shell/Startup.h"
#include "shell/Tutorial.h"
#include "table/Panel.h"
#include "table/TableHooks.h"
#include "table/WindowPlaces.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QWidget>
#include <algorithm>

namespace {

const QString kTitle = QStringLiteral("Tutorial");
constexpr int kWindowW = 280, kWindowH = 303, kTutorialMargin = 10;
// The step's text gets the room it needs, within these heights: the window is no higher.
constexpr int kTextLeast = 60, kTextMost = 240;
constexpr int kArrowGap = 10; // the up arrow sits this far in from the card's left edge
constexpr int kSideSlot = 1, kFirstHoldSlot = 7, kLastSlot = 10;
enum FixedStep : int { kStepBackShown = 2, kStepMoved = 3, kStepCenters = 4, kStepSide = 6, kStepHolds = 9 };
constexpr int kClearBelow = 3;
constexpr int kPlaceRetryMs = 50, kRaiseLateMs = 500;

TutorialForm*& TutorialInstance() {
    static TutorialForm* form = nullptr;
    return form;
}

TableForm& F() {
    return frmGrulm();
}

// What the arrow points at now: a card slot, the center piles' picture, or 0 for nothing.
constexpr int kPointsAtCenters = -1;
int g_tutorialPointed = 0;

QRect TutorialRectOf(const platform::Control& c) {
    return QRectF(c.LeftPx(), c.TopPx(), c.WidthPx(), c.HeightPx()).toAlignedRect();
}

// Where a label's text is drawn on the table.
QRect TextRectOf(const platform::Label& l) {
    const int align = l.Alignment() == 1   ? Qt::AlignRight
                      : l.Alignment() == 2 ? Qt::AlignHCenter
                                           : Qt::AlignLeft;
    return QFontMetrics(l.Font()).boundingRect(TutorialRectOf(l).adjusted(1, 0, -1, 0),
                                               Qt::AlignTop | Qt::TextWordWrap | align, l.DisplayText());
}

void ArrowUpAt(int slot) {
    TableForm& f = F();
    if (!f.Picture7.Exists(slot)) return;
    const PictureBox& p = f.Picture7(slot);
    QRectF at(p.LeftPx() + kArrowGap, p.TopPx() + p.HeightPx(), f.imgTipUp.WidthPx(), f.imgTipUp.HeightPx());
    // The player's name and the message under the card stay readable: the arrow goes beside
    // their text, or below it.
    for (const int label : {kLblHumanName, kLblMessage}) {
        const platform::Label& l = f.Label9(label);
        const QRectF text = TextRectOf(l);
        if (!l.Visible() || l.Caption().trimmed().isEmpty() || !at.intersects(text)) continue;
        if (text.right() + 1 + at.width() <= p.LeftPx() + p.WidthPx())
            at.moveLeft(text.right() + 1);
        else
            at.moveTop(text.bottom() + 1);
    }
    f.imgTipUp.SetGeometryPx(at.left(), at.top(), at.width(), at.height());
    f.imgTipUp.ZOrder(0);
    f.imgTipUp.SetVisible(true);
    g_tutorialPointed = slot;
}

void ArrowDownAt(int slot) {
    TableForm& f = F();
    if (!f.Picture7.Exists(slot)) return;
    const PictureBox& p = f.Picture7(slot);
    f.imgTip.SetGeometryPx(p.LeftPx() + kArrowGap, p.TopPx() - f.imgTip.HeightPx(), f.imgTip.WidthPx(),
                           f.imgTip.HeightPx());
    f.imgTip.ZOrder(0);
    f.imgTip.SetVisible(true);
    g_tutorialPointed = slot;
}

void ArrowAtCenters() {
    TableForm& f = F();
    f.imgTip.SetGeometryPx(f.imgCenter.LeftPx() + f.imgCenter.WidthPx(), f.imgCenter.TopPx(),
                           f.imgTip.WidthPx(), f.imgTip.HeightPx());
    f.imgTip.ZOrder(0);
    f.imgTip.SetVisible(true);
    g_tutorialPointed = kPointsAtCenters;
}

// The table laid out anew (a display change, a window resized): the arrow shown points again at
// what it pointed at, in its new place.
void ArrowFollowsTable() {
    if (!Tut.Open) return;
    TableForm& f = F();
    const int at = g_tutorialPointed;
    if (at == kPointsAtCenters && f.imgTip.Visible())
        ArrowAtCenters();
    else if (at >= kFirstHoldSlot && f.imgTip.Visible())
        ArrowDownAt(at);
    else if (at >= kSideSlot && at < kFirstHoldSlot && f.imgTipUp.Visible())
        ArrowUpAt(at);
}

// What the step on the table names: the card to move, the places the arrow points at (all four
// hold piles for one of them) and the arrows.
std::vector<QRect> TutorialNamedPlaces() {
    TableForm& f = F();
    std::vector<QRect> named;
    bool moves = false;
    for (int slot = 1; slot <= kLastSlot; ++slot)
        moves =
            moves || (f.Picture7.Exists(slot) && f.Picture7(slot).Visible() && f.Picture7(slot).Enabled());
    // A card to move goes to a center pile: those stay in sight too.
    const bool holds = g_tutorialPointed >= kFirstHoldSlot;
    for (int slot = 1; slot <= kLastSlot; ++slot) {
        if (!f.Picture7.Exists(slot)) continue;
        const PictureBox& p = f.Picture7(slot);
        if ((p.Visible() && p.Enabled()) || slot == g_tutorialPointed || (holds && slot >= kFirstHoldSlot))
            named.push_back(TutorialRectOf(p));
    }
    for (int c = 1; moves && c <= Com.NumCenters; ++c)
        if (f.PicCenter.Exists(c)) named.push_back(TutorialRectOf(f.PicCenter(c)));
    for (const platform::Control* arrow :
         {static_cast<platform::Control*>(&f.imgTip), static_cast<platform::Control*>(&f.imgTipUp)})
        if (arrow->Visible()) named.push_back(TutorialRectOf(*arrow));
    if (Tut.Step == kStepCenters) named.push_back(TutorialRectOf(f.imgCenter));
    return named;
}

// Every place the tutorial can name, shown now or not: where the window opens.
std::vector<QRect> TutorialAllPlaces() {
    TableForm& f = F();
    std::vector<QRect> all;
    for (int slot = 1; slot <= kLastSlot; ++slot)
        if (f.Picture7.Exists(slot)) all.push_back(TutorialRectOf(f.Picture7(slot)));
    for (int c = 1; c <= Com.NumCenters; ++c)
        if (f.PicCenter.Exists(c)) all.push_back(TutorialRectOf(f.PicCenter(c)));
    all.push_back(TutorialRectOf(f.Label9(kLblHumanName)));
    return all;
}

void ArrowsHide() {
    TableForm& f = F();
    g_tutorialPointed = 0;
    f.imgTip.SetVisible(false);
    f.imgTipUp.SetVisible(false);
}

// After the computer's turn, or the player's awaited move, the step may be left.
void StepMayEnd() {
    if (!Tut.Open) return;
    Tut.Wait = false;
    TutorialForm& t = frmTutorial();
    t.cmdNext.SetEnabled(true);
    t.cmdBack.SetEnabled(true);
}

// The player's awaited move (with the computer's turn it hands over) is done. A step that sets
// no position of its own tells about the one the move has made, so it shows at once; one
// that loads a new position waits for Next, so the player can look at the table first.
void MoveDone() {
    if (!Tut.Open) return;
    StepMayEnd();
    const int step = Tut.Step;
    if (step < 1 || step >= Tut.Steps.size()) return;
    if (!Tutorial_ReadTag(Tut.Steps.at(step - 1)).EnablesSlot()) return;
    if (Tutorial_ReadTag(Tut.Steps.at(step)).LoadsRecord()) return;
    // Once the move's own handler has finished; a Next pressed meanwhile has gone on already.
    platform::Later(0, frmTutorial().Window(), "frmTutorial.MoveDone", [step] {
        if (Tut.Open && Tut.Step == step) frmTutorial().cmdNext_Click();
    });
}

// At start-up the table is shown only after its load, which opens the tutorial on a first run.
void PlaceWhenTableShown() {
    if (!Tut.Open || !HasTableForm()) return;
    if (!F().Window()->isVisible()) {
        platform::Later(kPlaceRetryMs, frmTutorial().Window(), "timer", [] { PlaceWhenTableShown(); });
        return;
    }
    frmTutorial().PlaceWindow();
    // Without a window manager the table may still be mapped above it a moment later.
    platform::Later(kRaiseLateMs, frmTutorial().Window(), "timer", [] {
        if (Tut.Open) frmTutorial().Window()->raise();
    });
}

} // namespace

TutorialForm::TutorialForm() : Form(QStringLiteral("frmTutorial")) {
    if (!TutorialInstance()) TutorialInstance() = this;
    Window()->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    cmdNext.On().Click = [this](int) { cmdNext_Click(); };
    cmdBack.On().Click = [this](int) { cmdBack_Click(); };
    cmdOK.On().Click = [this](int) { cmdOK_Click(); };
    // Keys go to the table's handler, which tells the player they do nothing here.
    KeyDown = [](int key, int shift) { KeyCommand(key, shift); };
}

TutorialForm::~TutorialForm() {
    if (TutorialInstance() == this) TutorialInstance() = nullptr;
}

TutorialForm& frmTutorial() {
    if (!TutorialInstance()) new TutorialForm();
    return *TutorialInstance();
}

void TutorialForm::Form_Load() {
    SetCaption(kTitle);
    SetClientSizePx(kWindowW, kWindowH);
    lblTipText.SetWordWrap(true);
    lblTipText.SetGeometryPx(kTutorialMargin, kTutorialMargin, kWindowW - 2 * kTutorialMargin, 240);
    cmdBack.SetCaption(QStringLiteral("< Back"));
    cmdBack.SetGeometryPx(kTutorialMargin, 262, 80, 30);
    cmdNext.SetCaption(QStringLiteral("Next >"));
    cmdNext.SetGeometryPx(100, 262, 80, 30);
    cmdOK.SetCaption(QStringLiteral("OK"));
    cmdOK.SetGeometryPx(190, 262, 80, 30);
}

void TutorialForm::FitToText() {
    const int width = kWindowW - 2 * kTutorialMargin;
    const QFontMetrics fm(lblTipText.Font());
    // The label draws its text a pixel in from either side.
    const int text =
        fm.boundingRect(QRect(0, 0, width - 2, kTextMost), Qt::TextWordWrap, lblTipText.DisplayText())
            .height();
    const int high = std::clamp(text + fm.lineSpacing() / 2, kTextLeast, kTextMost);
    lblTipText.SetGeometryPx(kTutorialMargin, kTutorialMargin, width, high);
    const int buttons = kTutorialMargin + high + kTutorialMargin;
    for (platform::CommandButton* b : {&cmdBack, &cmdNext, &cmdOK})
        b->SetGeometryPx(b->LeftPx(), buttons, b->WidthPx(), b->HeightPx());
    QWidget* w = Window();
    const QSize client(kWindowW, buttons + static_cast<int>(cmdOK.HeightPx()) + kTutorialMargin);
    if (client == w->size()) return;
    // Grown at the foot of the screen, it moves up rather than past it.
    const QMargins m = platform::FrameMarginsOf(w);
    const QRect kept = platform::FrameKeptIn(platform::FreeAreaAt(w->frameGeometry().center()),
                                             w->frameGeometry().topLeft(), client, m);
    SetClientSizePx(client.width(), client.height());
    if (w->isVisible() && kept.topLeft() != w->frameGeometry().topLeft()) w->move(kept.topLeft());
}

void TutorialForm::PlaceWindow() {
    if (!HasTableForm()) return;
    // Beside the player's places where the screen has room, else where it covers fewest of them.
    Window_PlaceOverTable(Window(), TableSpot::Free, TutorialAllPlaces());
    Window()->raise();
}

void TutorialForm::KeepClearOfStep() {
    // It moves only off what the step names: a window that jumps loses the player's eye.
    const std::vector<QRect> named = TutorialNamedPlaces();
    if (!IsVisible() || !Window_CoversOnTable(Window(), named)) return;
    Window_PlaceOverTable(Window(), TableSpot::Free, named);
    // On a small screen the window can still lie over the arrow at the hold piles: it points at
    // one the window leaves free.
    TableForm& f = F();
    for (int hold = kFirstHoldSlot;
         f.imgTip.Visible() && g_tutorialPointed >= kFirstHoldSlot && hold <= kLastSlot &&
         Window_CoversOnTable(Window(), {TutorialRectOf(f.imgTip)});
         ++hold)
        ArrowDownAt(hold);
}

bool TutorialForm::LoadTips(const QString& path) {
    if (!Tutorial_LoadSteps(path)) return false;
    Tutorial_Step(false);
    return true;
}

void TutorialForm::DisplayCurrentTip() {
    if (Tut.Step < 1 || Tut.Step > Tut.Steps.size()) return;
    // The text shows before the step acts, so the player reads while the computer plays.
    lblTipText.SetCaption(Tutorial_ReadTag(Tut.Steps.at(Tut.Step - 1)).text);
    FitToText();
    lblTipText.SetCaption(ReadEnableInfo(Tut.Steps.at(Tut.Step - 1)));
}

QString TutorialForm::ReadEnableInfo(const QString& step) {
    Tut.Wait = true;
    const TutorialTag tag = Tutorial_ReadTag(step);
    TableForm& f = F();
    const GameOnTable mine;
    if (!tag.present) {
        // The computer plays its turn in the step's game, not in one put on the table meanwhile;
        // the step can be left once it is over.
        cmdNext.SetEnabled(false);
        cmdBack.SetEnabled(false);
        const PauseAnswer on = mine.Pause(kStepPause);
        if (on.Closing()) return tag.text;
        if (on) Hooks.ComputerTurn();
        StepMayEnd();
        return tag.text;
    }
    f.Piles_Enable(false);
    if (tag.EnablesSlot() && f.Picture7.Exists(tag.slot)) f.Picture7(tag.slot).SetEnabled(true);
    if (tag.WaitsForNext()) {
        Tut.Wait = false;
        if (mine.Pause(kStepPause).Closing()) return tag.text;
        cmdNext.SetEnabled(true);
        return tag.text;
    }
    if (tag.LoadsRecord()) {
        if (Tutorial_LoadRecord(tag.record)) {
            f.Piles_Enable(false);
            // The prepared position is where a restart of this game begins.
            SavedGameFile().Write(kGameStart, Sav.Buffer.Encode());
        }
    } else if (tag.PointsArrow()) {
        if (tag.slot >= kFirstHoldSlot)
            ArrowDownAt(tag.slot);
        else
            ArrowUpAt(tag.slot);
    }
    KeepClearOfStep();
    if (Com.Pturn == 1) cmdNext.SetEnabled(false);
    if (tag.LoadsRecord()) cmdNext.SetEnabled(true);
    return tag.text;
}

void TutorialForm::StepActions() {
    TableForm& f = F();
    switch (Tut.Step) {
    case kStepBackShown:
        cmdBack.SetVisible(true);
        break;
    case kStepMoved:
        // The window stays where it opened: a window that jumps loses the player's eye.
        f.Table_Clear();
        break;
    case kStepCenters:
        ArrowAtCenters();
        DealHooks.Sound_Card(1);
        break;
    case kStepSide:
        ArrowUpAt(kSideSlot);
        break;
    case kStepHolds:
        ArrowDownAt(kFirstHoldSlot);
        break;
    default:
        break;
    }
}

void TutorialForm::Tutorial_Step(bool back) {
    TableForm& f = F();
    if (back) {
        f.imgTipUp.SetVisible(false);
        if (Tut.Step < 3) cmdBack.SetVisible(false);
        Tut.Step = std::max(1, Tut.Step - 1);
        const TutorialBack to = Tutorial_BackTarget(Tut.Step);
        if (to.record != 0) {
            Tutorial_LoadRecord(to.record);
            f.Piles_Enable(false);
            Tut.Step = to.step;
        }
    } else {
        ++Tut.Step;
    }
    if (Tut.Step < kClearBelow) f.Table_Clear();
    Tutorial_HintClear();
    f.imgTip.SetVisible(false);
    g_tutorialPointed = 0;
    StepActions();
    KeepClearOfStep();
    const bool beyond = Tut.Step > Tut.Steps.size();
    cmdNext.SetVisible(!beyond);
    if (!beyond) DisplayCurrentTip();
}

void TutorialForm::cmdNext_Click() {
    Tut.Wait = false;
    Tutorial_Step(false);
}

void TutorialForm::cmdBack_Click() {
    Tut.Wait = false;
    Tutorial_Step(true);
}

void TutorialForm::cmdOK_Click() {
    // Closing gives the table back, which must not change under the computer's turn.
    if (Eng.CompTurnActive) return;
    if (Tut.Step < Tut.Steps.size()) {
        if (platform::MsgBox(QStringLiteral("Exit the tutorial?"), platform::vbYesNo, kTitle) !=
            platform::vbYes)
            return;
        platform::MsgBox(
            QStringLiteral("To start the Tutorial again, go to the Help Menu and select Tutorial."),
            platform::vbOKOnly, kTitle);
    }
    Close();
}

void TutorialForm::Close() {
    closing_ = true;
    Unload();
    closing_ = false;
}

bool TutorialForm::Form_QueryUnload() {
    // The close box asks as OK does; OK has asked already.
    if (closing_ || !Tut.Open) return false;
    if (Eng.CompTurnActive) return true;
    if (Tut.Step >= Tut.Steps.size()) return false;
    return platform::MsgBox(QStringLiteral("Exit the tutorial?"), platform::vbYesNo, kTitle) !=
           platform::vbYes;
}

void TutorialForm::Form_Unload() {
    if (!Tut.Open) return;
    TableForm& f = F();
    f.Piles_Enable(true);
    Tut.Wait = true;
    Com.TutorialMode = false;
    Com.ShowBusy = false;
    Tut.Open = false;
    ArrowsHide();
    f.Table_Clear();
    Tutorial_PutTableBack();
    f.Table_Clear();
    f.cmdDeal.SetVisible(true);
    Net_MenuNotice(2);
    Keys.KeysBlocked = false;
}

void Tutorial_Show() {
    if (Com.NetGame != 0) {
        platform::MsgBox(QStringLiteral("The tutorial cannot run during an Internet game."),
                         platform::vbInformation, kTitle);
        return;
    }
    // The tutorial replaces the table under the turn loop's feet otherwise.
    if (Eng.CompTurnActive || Tut.Open) return;
    TutorialForm& t = frmTutorial();
    t.Load();
    Keys.KeysBlocked = true;
    Tut.Step = 0;
    Tut.Steps.clear();
    Com.TutorialMode = true;
    // The menus would change the table under the tutorial's steps.
    Com.ShowBusy = true;
    Tut.Open = true;
    Tutorial_KeepTable();
    Tutorial_SeedPositions();
    Tutorial_UseTable();
    TableForm& f = F();
    f.Table_Clear();
    Com.PeekOn = false;
    t.cmdBack.SetVisible(false);
    t.cmdNext.SetVisible(true);
    t.cmdNext.SetEnabled(true);
    t.cmdBack.SetEnabled(true);
    // Placed and raised once the table is up: at start-up it is not shown yet.
    t.Show();
    PlaceWhenTableShown();
    if (!t.LoadTips(Com.AppPath + "/tutorial.txt")) {
        platform::MsgBox(QStringLiteral("Tutorial not found, unable to run the tutorial."),
                         platform::vbCritical, kTitle);
        t.cmdOK_Click();
    }
}

void Tutorial_Install() {
    MenuWin.Tutorial = [] { Tutorial_Show(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuHelp && row == kHelpTutorial) || present(menu, row);
    };
    Startup.TutorialShow = [] { Tutorial_Show(); };
    Startup.TutorialClose = [] {
        if (Tut.Open) frmTutorial().Close();
    };
    Hooks.Tutorial_NextStep = [] { MoveDone(); };
    DispHooks.LaidOut = [] { ArrowFollowsTable(); };
    // A discard hands the turn to the computer; once it is back, the step may end.
    Hooks.ComputerTurn = [turn = Hooks.ComputerTurn] {
        turn();
        if (Tut.Open && Com.Pturn == 1) {
            F().Piles_Enable(false);
            MoveDone();
        }
    };
    Tut.Input = [](const QString& prompt, const QString& title) {
        return QInputDialog::getText(nullptr, title, prompt);
    };
}
