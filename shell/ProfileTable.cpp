#include "shell/ProfileTable.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "shell/Profile.h"
#include "shell/ShellHooks.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "table/Backgrounds.h"
#include "table/Layout.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/TableState.h"

#include <algorithm>

bool NarrowForStandard() {
    return Layout_NarrowForStandard(Tbl.ScreenWidthTwips, Tbl.ScreenHeightTwips, Com.NumPlayers,
                                    Com.NumCenters);
}

void SmallDisplay_Force() {
    TableForm& f = frmGrulm();
    // The plan takes the small display the screen forces, and the display entries with it.
    Layout_Relay(Layout_ModeAsked());
    for (int p : {1, 4, 5, 8})
        if (p <= f.StatusBar1.PanelCount()) f.StatusBar1.Panels(p).MinWidth = platform::PxOfTwips(700);
    if (f.StatusBar1.PanelCount() >= 5) f.StatusBar1.Panels(5).Text = QStringLiteral("Grulm:");
    f.StatusBar1.Update();
}

namespace {
// The player's profile onto the table: cards, pictures, status bar and avatar.
void ShowProfileOnTable(bool startUp) {
    TableForm& f = frmGrulm();
    Tbl.HoldViewLeft = Prof.HoldViewLeft;
    Tbl.HoldViewTop = Prof.HoldViewTop;
    Tbl.BackgroundStretch = Prof.BackgroundStretch;
    f.StatusBar1.SetVisible(Prof.StatusBarShown);
    f.ImgAvatar.SetVisible(Shl.AvatarShown);
    Pictures_Init();
    if (Com.DeckStyle <= 5) {
        Deck_LoadSmall();
    } else {
        GetCardFaces(Com.DeckStyle);
        Cards_MakeFiles();
    }
    if (startUp) {
        Stacks_LoadImages();
        Highlights_LoadImages();
    }
    HoldImages_Set();
    Cards_ShowAll();
}

// The table laid out for the profile's game size.
void LayOutForProfile() {
    // A profile of the game size on the table leaves the table as it stands.
    if (Boot.LaidOut && Com.NumPlayers == Boot.LaidPlayers && Com.NumCenters == Boot.LaidCenters) return;
    const bool relaid = Boot.LaidOut;
    Boot.LaidOut = true;
    Com.PrevPlayers = Boot.LaidPlayers;
    Com.PrevCenters = Boot.LaidCenters;
    Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    // The layout took the small display for more players than the standard one holds here;
    // start-up forces it itself, after the stored mode is known.
    if (!Tbl.ResizeLock && Tbl.DisplayForced) SmallDisplay_Force();
    Boot.LaidPlayers = Com.NumPlayers;
    Boot.LaidCenters = Com.NumCenters;
    // A game in play dealt for the other size cannot go on at this one (another player's
    // profile brings its own): the table waits for a new deal, as after a change of house rules.
    if (relaid && Com.NetGame == 0 && Com.Pturn != 0 && Eng.PlayerSideCount > 0) {
        TableForm& f = frmGrulm();
        f.Table_Clear();
        f.cmdDeal.SetVisible(true);
    }
}

// The profile's background, name colour and comment size on the table.
void ApplyProfileOptions() {
    TableForm& f = frmGrulm();
    Tbl.BackgroundIndex =
        Profile_BackgroundChoice(Shl.LastBackground, Tbl.BackgroundCount, 0, Boot.ColorDepth);
    if (Background_Chosen()) Background_Load();
    for (int i = SeatNameLabel(1); i <= SeatNameLabel(4); ++i)
        if (f.Label9.Exists(i)) f.Label9(i).SetForeColor(Shl.FontColour);
    f.Label9(kLblMessage).SetFontSize(Com.CommentFontSize);
    f.Label9(kLblComment).SetFontSize(Com.CommentFontSize);
    Table_Redraw();
    Cards_ShowAll();
}

} // namespace

void ProfileTable_Install() {
    ProfHooks.ShowProfile = ShowProfileOnTable;
    ProfHooks.SeatOpponents = [] {
        Table_ShowSeats();
        const int lvl = std::clamp(Eng.Seat2Rec.RecLevel, 0, 2);
        frmGrulm().lblLevel.SetCaption(QString::fromLatin1(kLevelNames[lvl]));
    };
    ProfHooks.LayOut = LayOutForProfile;
    ProfHooks.ApplyOptions = ApplyProfileOptions;
    ProfHooks.GatherTable = [] {
        Prof.HoldViewLeft = Tbl.HoldViewLeft;
        Prof.HoldViewTop = Tbl.HoldViewTop;
        Prof.BackgroundStretch = Tbl.BackgroundStretch;
        Prof.SmallDisplay = Com.LayoutMode >= 2;
        Prof.StatusBarShown = frmGrulm().StatusBar1.Visible();
    };
    ProfHooks.NewGamePrompt = [] {
        frmGrulm()
            .Label9(kLblComment)
            .SetCaption(QStringLiteral("Select NEW from the Game Menu to start a new game."));
    };
}
