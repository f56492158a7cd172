#include "shell/Startup.h"
#include "common/Pace.h"
#include "common/Records.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/Plays.h"
#include "engine/RuleMessages.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "shell/Folders.h"
#include "shell/GameEndInstall.h"
#include "shell/KeyCommand.h"
#include "shell/MenuCommands.h"
#include "shell/MenuList.h"
#include "shell/Profile.h"
#include "shell/ProfileTable.h"
#include "shell/ProgramEnd.h"
#include "shell/SaveSettings.h"
#include "shell/SaveWarning.h"
#include "shell/SavedGames.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"
#include "table/Avatar.h"
#include "table/Backgrounds.h"
#include "table/DefaultArt.h"
#include "table/Display.h"
#include "table/Drag.h"
#include "table/Layout.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Panel.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "table/TableState.h"
#include "table/WindowPlaces.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <stdexcept>
#include <utility>

StartupState Boot;

namespace {

constexpr int kSavedGameSize = 6038;
constexpr int kDisplayModeRecord = 14; // layout mode + 20, placement marker
constexpr int kPlacementRecord = 15;   // height or state, width, left, top (twips)
const QString kStartupTitle = QStringLiteral("Grulm and Torvek");

std::unique_ptr<QLockFile> g_lock;
platform::RecordFile g_saved;

int StartupClamp16(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -32768, 32767));
}

QString LockPath() {
    if (!Boot.LockPath.isEmpty()) return Boot.LockPath;
    const QString root = platform::UserDataRoot() + "/Vornhelm";
    QDir().mkpath(root);
    return root + "/running.lock";
}

void UnloadTable() {
    TableForm& f = frmGrulm();
    f.Unload();
}

enum class LockResult { Ours, OtherCopy, Failed };

// Another copy holds the lock while it runs; a copy that died leaves a stale lock that is taken over.
// A lock that cannot be written at all is no sign of another copy.
LockResult TakeLock() {
    g_lock = std::make_unique<QLockFile>(LockPath());
    g_lock->setStaleLockTime(0);
    if (g_lock->tryLock(0)) return LockResult::Ours;
    const bool held = g_lock->error() == QLockFile::LockFailedError;
    g_lock.reset();
    return held ? LockResult::OtherCopy : LockResult::Failed;
}

void StopStart(const QString& text, int style) {
    platform::MsgBox(text, style, kStartupTitle);
    Com.GameAbort = true;
    platform::Later(0, "timer", [] { UnloadTable(); });
}

} // namespace

void Startup_Reset() {
    Boot = StartupState{};
    g_saved.Close();
    g_lock.reset();
}

platform::RecordFile& SavedGameFile() {
    return g_saved;
}

DisplayKept DisplayKept_Read(platform::RecordFile& scores) {
    DisplayKept k;
    const ScoreRecord mode = ScoreRecord::Decode(scores.Read(kDisplayModeRecord));
    k.LayoutMode = mode.A >= 20 ? mode.A - 20 : 0;
    if (k.LayoutMode > 3) k.LayoutMode = 0;
    k.HasPlacement = mode.B == 20;
    const ScoreRecord place = ScoreRecord::Decode(scores.Read(kPlacementRecord));
    k.First = place.A;
    k.Width = place.B;
    k.Left = place.C;
    k.Top = place.D;
    return k;
}

bool DisplayKept_Usable(const DisplayKept& k, const std::vector<QRect>& areas, int captionTwips) {
    constexpr int kCardWidthTwips = 1065;
    // The narrowest and lowest window the table is laid out for: a 640 x 480 screen's small display.
    constexpr int kLeastWidth = 9600, kLeastHeight = 6000;
    int widest = 0, highest = 0;
    for (const QRect& a : areas) {
        widest = std::max(widest, a.width());
        highest = std::max(highest, a.height());
    }
    if (k.Width < std::min(kLeastWidth, widest) || k.First < std::min(kLeastHeight, highest)) return false;
    // A window kept from a larger screen would run past this one's edge: the table is fitted
    // anew. Its frame's borders may stand just off a screen it fitted.
    if (k.Width > widest + kCardWidthTwips || k.First > highest + kCardWidthTwips) return false;
    const QRect title(k.Left, k.Top, k.Width, captionTwips);
    for (const QRect& a : areas) {
        const QRect seen = a.intersected(title);
        if (seen.width() >= kCardWidthTwips && seen.height() == title.height()) return true;
    }
    return false;
}

void DisplayKept_Write(platform::RecordFile& scores, int layoutMode, int state, int height, int width,
                       int left, int top) {
    ScoreRecord mode = ScoreRecord::Decode(scores.Read(kDisplayModeRecord));
    mode.A = layoutMode + 20;
    mode.B = 20;
    scores.Write(kDisplayModeRecord, mode.Encode());
    ScoreRecord place = ScoreRecord::Decode(scores.Read(kPlacementRecord));
    if (state == 1 || state == 2) {
        place.A = 2;
        place.B = place.C = place.D = 0;
    } else {
        place.A = StartupClamp16(height);
        place.B = StartupClamp16(width);
        place.C = StartupClamp16(left);
        place.D = StartupClamp16(top);
    }
    scores.Write(kPlacementRecord, place.Encode());
}

namespace {

void ReadScreen(platform::Screen& scr) {
    Tbl.ScreenWidthTwips = scr.WidthTwips();
    Tbl.ScreenHeightTwips = scr.HeightTwips();
    Boot.ColorDepth = scr.ColourDepth();
    Tbl.TitleBarHeight = scr.CaptionHeightPixels();
    Com.CpuSpeed = static_cast<int>(GetCPUSpeed(false));
}

void UseLargeFonts(TableForm& f) {
    if (IsSmallFonts()) return;
    Tbl.LargeFonts = true;
    f.Label9(kLblMessage).SetFontSize(10);
    f.Label9(kLblComment).SetFontSize(10);
    f.lblLevel.SetFontSize(8);
    f.LabelPeek.SetFontSize(8);
}

// The human's and seat 2's places, their hold places shown.
void LoadStartPlaces(TableForm& f) {
    for (int i = 1; i <= 10; ++i) {
        if (!f.Picture7.Exists(i)) f.Picture7.Load(i);
        if (i >= 2 && !f.Picture1.Exists(i)) f.Picture1.Load(i);
    }
    for (int i = 7; i <= 10; ++i) {
        f.Picture7(i).SetVisible(true);
        f.Picture1(i).SetVisible(true);
    }
}

void SetCardMeasures() {
    Tbl.CardWidth = 71;
    Tbl.CardHeight = 96;
    Tbl.CenterSpacing = 82;
    Tbl.CenterSnapWidth = 41;
}

// A first start makes what an installer would have left; without the files there is no game.
bool RequiredFilesPresent() {
    QString error;
    Profile_CreateDefaults(&error);
    if (FileExists(Com.DataPath + kScoreFile) && FileExists(Com.DataPath + kProfileFile)) return true;
    Startup.SplashUnload();
    QString text = QStringLiteral("Unable to start Vornhelm!\r\n\r\nFiles are missing.");
    if (!error.isEmpty()) text += "\r\n" + error;
    platform::MsgBox(text, platform::vbCritical, kStartupTitle);
    Com.GameAbort = true;
    return false;
}

void ClearStartTips(TableForm& f) {
    for (int i = 1; i <= 3; ++i)
        f.PicCenter(i).SetToolTipText(QString());
    for (int i = 1; i <= 10; ++i) {
        f.Picture7(i).SetToolTipText(QString());
        f.Picture1(i).SetToolTipText(QString());
    }
}

void KeepFormSize(TableForm& f) {
    f.SetScaleMode(platform::vbTwips);
    Tbl.FormHeight = f.HeightTw();
    Tbl.FormWidth = f.WidthTw();
}

// Where the human's hand ends in the table the kept display mode lays out in the window as it is
// now (twips).
double KeptHandBottomTw(const DisplayKept& kept) {
    const auto plan = Layout_PlanFor(Layout_InputsNow(DisplayMode_Of(kept.LayoutMode), false));
    const PlacedControl* hand = plan->Find(QStringLiteral("Picture7"), 2);
    return hand ? hand->rect.bottom() * platform::kTwipsPerPixel : 0;
}

// Puts the window where the last run left it, when that place is still on a screen.
void PlaceWindow(TableForm& f, const DisplayKept& kept, platform::Screen& scr) {
    const bool normal = kept.First != 1 && kept.First != 2;
    if (kept.HasPlacement &&
        !(normal && !DisplayKept_Usable(kept, scr.AreasTwips(), platform::TwipsOfPx(Tbl.TitleBarHeight)))) {
        if (kept.First == 2) {
            Tbl.SavedWindowState = 2;
        } else if (kept.First != 1) {
            Tbl.SavedWindowState = 0;
            // The kept place is the frame's, title bar included.
            f.MoveFrameTw(kept.Left, kept.Top, kept.Width, kept.First);
            // Fitted for the display it was kept in, which start-up enters without fitting again.
            if (kept.LayoutMode < 2 && kept.First < KeptHandBottomTw(kept) + 1068)
                Table_FitScreen(DisplayMode_Of(kept.LayoutMode));
        }
        KeepFormSize(f);
    } else {
        Tbl.SavedWindowState = 0;
        Table_FitScreen(DisplayMode_Of(kept.LayoutMode));
        platform::SaveSetting(kSettingsApp, QStringLiteral("Startup"), QStringLiteral("Path"), Com.AppPath);
    }
}

} // namespace

void OpenDoor() {
    TableForm& f = frmGrulm();
    auto& scr = *platform::Svc().screen;
    Panel_Draw(f);
    StatusBar_Init();
    ReadScreen(scr);
    Pictures_Init();
    UseLargeFonts(f);
    Boot.NetOppName = QStringLiteral("Grulm");
    platform::Svc().random.Randomize(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    LoadStartPlaces(f);
    SetCardMeasures();
    Startup.List_CommentFiles();
    if (!RequiredFilesPresent()) return;
    // Before the personalities bring their own avatars, so a first start gets ours too.
    DefaultArt_Install(Com.UserPath);
    platform::RecordFile scores;
    scores.Open(Com.DataPath + kScoreFile, ScoreRecord::kSize);
    const DisplayKept kept = DisplayKept_Read(scores);
    // The table is still in the design's mode 0; the kept mode is entered by the load, not before.
    Boot.StoredLayoutMode = kept.LayoutMode;
    Com.LayoutMode = 0;
    Startup.List_Personalities();
    ClearStartTips(f);
    Pause(kPaceStartupPaint);
    Get_Players(true);
    KeepFormSize(f);
    Startup.SetUpSounds();
    PlaceWindow(f, kept, scr);
    scores.Close();
    Com.NetGame = 0;
    Boot.NetDelim = QString(QChar(10));
    Startup.ChangePerson();
    // Panel 5 names the chosen opponent from the start, not only after the first clear.
    StatusBar_Names();
    Startup.List_Backgrounds();
    Startup.List_ScoreFiles();
    Options_Apply();
}

namespace {

void ReadDebugSwitch() {
    const QString line = Boot.Arguments.join(' ');
    if (line.left(6).toUpper() == QLatin1String("/KLOMB") && line.size() >= 6) Com.DebugMode = true;
}

// Folders first: without them there is no lock to take either. Then one copy at a time.
bool FoldersAndLock() {
    QString error;
    if (!Folders_Init(&error)) {
        StopStart(error, platform::vbCritical);
        return false;
    }
    const LockResult lock = TakeLock();
    if (lock == LockResult::OtherCopy) {
        StopStart(QStringLiteral("The game is already running. Check your Windows task bar to bring it up or "
                                 "use the Task Manager to end the game."),
                  platform::vbOKOnly);
        return false;
    }
    if (lock == LockResult::Failed) {
        StopStart(QStringLiteral("Grulm and Torvek cannot write in the folder \"%1\". Please check that the "
                                 "folder can be written and start the game again.")
                      .arg(QFileInfo(LockPath()).absolutePath()),
                  platform::vbCritical);
        return false;
    }
    return true;
}

// The stored layout mode, entered the way the menu would.
void EnterStoredLayout() {
    switch (Com.LayoutMode) {
    case 1:
        // The lock stays: refitting the window here would lose its stored placement.
        Com.LayoutMode = 0;
        Display_Change(0);
        break;
    case 2:
        Com.LayoutMode = 0;
        Display_Change(1);
        Tbl.CenterSpacing = 66;
        break;
    case 3:
        // Moved and moved back on the way: the small display stays.
        Com.LayoutMode = 0;
        Display_Change(0);
        Display_Change(1);
        Tbl.CenterSpacing = 66;
        break;
    default:
        break;
    }
}

void ShowOpponent(TableForm& f) {
    for (int c = 1; c <= Com.NumCenters; ++c)
        if (f.LblWild.Exists(c)) f.LblWild(c).SetFontSize(Com.CommentFontSize);
    f.Label9(kLblComment).SetFontSize(Com.CommentFontSize);
    Startup.FlasherLoad();
    if (!Eng.Seat2Rec.RecAvatar.isEmpty()) f.Avatar_Show(Eng.Seat2Rec.RecAvatar);
    const int lvl = std::clamp(Eng.Seat2Rec.RecLevel, 0, 2);
    f.lblLevel.SetCaption(QString::fromLatin1(kLevelNames[lvl]));
}

void ShowWindow(TableForm& f) {
    if (Tbl.SavedWindowState >= 2) {
        Table_FitScreen(Layout_ModeAsked());
        if (Tbl.SavedWindowState == 2) f.SetWindowState(2);
    } else {
        f.SetWindowState(0);
    }
    f.Show();
    Boot.TableShown = true;
    // Tied to the window: a step still waiting when the table goes is dropped with it.
    for (auto& step : std::exchange(Boot.WhenShown, {}))
        platform::Later(0, f.Window(), "timer", std::move(step));
    f.PicCenter(0).SetVisible(true);
    Startup.SplashUnload();
    // Keep the window on the screen.
    if (f.WindowState() != 2) {
        if (f.FrameLeftTw() + f.WidthTw() / 1.5 >= Tbl.ScreenWidthTwips ||
            f.FrameTopTw() + f.HeightTw() / 1.5 >= Tbl.ScreenHeightTwips)
            Table_MoveFrameTo(Table_HomeTw().x(), Table_HomeTw().y());
        Table_KeepFrameOnScreen();
    }
    f.PicCenter(0).SetVisible(true);
    f.SetScaleMode(platform::vbPixels);
    // Shown, the window's frame is known: the table is laid out for it.
    Layout_Relay(Layout_ModeAsked());
}

// False when the login closed without a name: there is no game without a player, the program ends.
bool MeetPlayer(TableForm& f) {
    if (Prof.PlayerRecord <= 1) {
        Startup.LoginShow();
        if (Com.PlayerName.trimmed().isEmpty() || Boot.EndAsked) {
            Com.GameAbort = true;
            platform::Later(0, "timer", [] { UnloadTable(); });
            return false;
        }
        Startup.TutorialShow();
    } else {
        Com.PlayerName = Prof.ProfileName;
        f.Label9(kLblHumanName).SetCaption(Com.PlayerName);
        StatusBar_Human();
    }
    f.Label9(kLblComment).SetCaption("\r\nWelcome " + Com.PlayerName + " to Grulm's World");
    return true;
}

} // namespace

void Grulm_FormLoad() {
    TableForm& f = frmGrulm();
    ReadDebugSwitch();
    if (!FoldersAndLock()) return;
    Startup.SplashShow();
    Tbl.ResizeLock = true;
    OpenDoor();
    if (Com.GameAbort) {
        platform::Later(0, "timer", [] { UnloadTable(); });
        return;
    }
    Com.LayoutMode = Boot.StoredLayoutMode;
    // A narrow screen gets the small display; three or four players need a wider one for the standard.
    const bool forced = Com.LayoutMode < 2 && NarrowForStandard();
    if (forced) SmallDisplay_Force();
    Eng.SeatSideStack = 99;
    EnterStoredLayout();
    // The window was sized for the standard display; a forced small one must fit the screen.
    if (forced) Table_FitScreen(Layout_ModeAsked());
    f.SetScaleMode(platform::vbTwips);
    if (Com.NumPlayers == 2) Layout_Relay(Layout_ModeAsked());
    Tbl.ResizeLock = false;
    Table_Redraw();
    ShowOpponent(f);
    ShowWindow(f);
    // The saved-game file stays open for the run.
    if (!g_saved.Open(Com.DataPath + "backup.sav", kSavedGameSize))
        SaveFailed_Warn(Com.DataPath + "backup.sav", g_saved.ErrorString());
    if (!MeetPlayer(f)) return;
    if (!Com.TutorialMode) {
        f.cmdDeal.SetVisible(true);
        Boot.ShowTips = ShowTipsAtStartup() ? 1 : 0;
        if (Boot.ShowTips == 1 && !Boot.EndAsked) Startup.TipShow();
    }
    Boot.Started = true;
    // Asked to end while starting: now the exit can keep what the start-up read.
    if (Boot.EndAsked) platform::Later(0, f.Window(), "timer", [] { frmGrulm().Window()->close(); });
}

void Startup_WhenShown(std::function<void()> step) {
    if (Boot.TableShown && HasTableForm())
        platform::Later(0, frmGrulm().Window(), "timer", std::move(step));
    else
        Boot.WhenShown.push_back(std::move(step));
}

bool Grulm_QueryUnload() {
    if (Eng.TableBusy || Eng.CompTurnActive) {
        // The running step stops at its next wait; the window closes once it has unwound.
        Eng.CancelFlag = true;
        Com.GameAbort = true;
        Windows_CloseWaited();
        if (!Boot.CloseDeferred) {
            Boot.CloseDeferred = true;
            auto* timer = new QTimer();
            platform::Connect(timer, &QTimer::timeout, "timer", [timer] {
                if (Eng.TableBusy || Eng.CompTurnActive) return;
                timer->stop();
                timer->deleteLater();
                Boot.CloseDeferred = false;
                frmGrulm().Unload();
            });
            timer->start(20);
        }
        return true;
    }
    if (Boot.Started)
        ExitLeft(1);
    else if (g_lock)
        Startup.CleanUpSounds(); // a start-up that stopped leaves none of its files behind
    return false;
}

void ExitLeft(int fromClose) {
    TableForm& f = frmGrulm();
    Com.GameAbort = true;
    Keys.KeyArmed = true;
    Startup.TutorialClose();
    // The card flow is only asked to stop: a closing program deals no new game.
    if (Com.FlowRunning || Com.FlowStop) Com.FlowStop = true;
    Startup.CleanUpSounds();
    // Closing the move history leaves the player's AutoSave choice as it is; the profile stores it below.
    const bool autoSave = Shl.MoveLogOn;
    if (Shl.MoveLogOn) ProfHooks.TempMovesOpen(false);
    Shl.MoveLogOn = autoSave;
    if (QFile::exists(Com.DataPath + "~tempmoves.sav")) QFile::remove(Com.DataPath + "~tempmoves.sav");
    if (Com.NetGame != 0) Startup.NetLeave();
    // Settings and the display kept for the next run.
    platform::RecordFile scores;
    if (scores.Open(Com.DataPath + kScoreFile, ScoreRecord::kSize)) {
        SaveSettings(scores);
        f.SetScaleMode(platform::vbTwips);
        DisplayKept_Write(scores, Com.LayoutMode, f.WindowState(), Tbl.FormHeight, Tbl.FormWidth,
                          f.FrameLeftTw(), f.FrameTopTw());
    } else {
        SaveFailed_Warn(Com.DataPath + kScoreFile, scores.ErrorString());
    }
    Prefs_Load();
    scores.Close();
    g_saved.Close();
    CleanUpFontsAndForms();
    if (fromClose == 0) f.Unload();
    g_lock.reset();
}

void CleanUpFontsAndForms() {
    Startup.ShowHelpClose();
    for (platform::Form* form : platform::Form::All())
        if (form->Name() != QLatin1String("frmGrulm") && form->Loaded()) form->Unload();
}

namespace {
// The avatars, backgrounds and the house rules' neighbours on the table.
void InstallTableExtras() {
    Avatar_Install();
    Backgrounds_Install();
    BgLinks.LastBackground = [] { return Shl.LastBackground; };
    BgLinks.SetLastBackground = [](int index) { Shl.LastBackground = index; };
    Hooks.Labels_PlayerNames = [] {
        Table_ShowSeats();
        StatusBar_Names();
    };
    Startup.ChangePerson = [] {
        // Without the personalities, the default opponents wear the default avatars named after them.
        DefaultArt_Install(Com.UserPath);
        for (int seat = 2; seat <= 4; ++seat) {
            SeatRecord& r = SeatRecordOf(seat);
            const QString file = r.RecName + ".png";
            if (r.RecAvatar.isEmpty() && QFileInfo::exists(Com.UserPath + "Avatars/" + file))
                r.RecAvatar = file;
        }
        Tbl.PersonDefaultAvatar = Eng.Seat2Rec.RecAvatar;
    };
    Startup.List_Backgrounds = [] {
        DefaultArt_Install(Com.UserPath);
        Backgrounds_ReadFolder();
    };
    Startup.KeyCommand = [](int keyCode, int shift) { KeyCommand(keyCode, shift); };
    MenuCommands_Install();
    MenuList_Install();
}
} // namespace

void Startup_Install() {
    Boot.LaidPlayers = 2;
    Boot.LaidCenters = 3;
    Boot.LaidOut = false;
    ProfileTable_Install();
    TableForm& f = frmGrulm();
    f.LoadHandler = [] {
        try {
            Grulm_FormLoad();
        } catch (const std::exception& e) {
            // Error numbers as the player knows them: 9 for a value out of range, 5 otherwise.
            const int number = dynamic_cast<const std::out_of_range*>(&e) ? 9 : 5;
            StopStart("Unexpected error while setting up Vornhelm!\r\nError # " + QString::number(number) +
                          " occurred: " + QString::fromLocal8Bit(e.what()),
                      platform::vbCritical);
        }
    };
    f.QueryUnloadHandler = [] { return Grulm_QueryUnload(); };
    f.UnloadHandler = [] {
        g_lock.reset();
        Startup.Quit();
    };
    f.Resize = [] { Grulm_FormResize(); };
    f.KeyDown = [](int keyCode, int shift) { Startup.KeyCommand(keyCode, shift); };
    Display_Install();
    SavedGames_Install();
    Deal_Install();
    DealHooks.Sound_Card = [](int kind) { Sound_Card(kind); };
    Drag_Install(f);
    Panel_Install(f);
    Plays_Install();
    Hooks.Rules_ShowCaption = [] { Rules_ShowCaption(); };
    DispHooks.Rules_ShowCaption = [] { Rules_ShowCaption(); };
    PanelHooks.MenuStyle = [] { return Prof.MenuStyle; };
    GameEnd_Install();
    InstallTableExtras();
}
