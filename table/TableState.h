#pragma once
// State of the table presentation: card size, the layout grid, which places
// exist, and the pictures the table paints from.
#include "common/BArray.h"
#include "engine/TableForm.h"

#include <QImage>
#include <QStringList>
#include <array>
#include <functional>

// The hidden picture-source window: card backs, place-holders, center frames,
// and the faces of the number-only decks.
struct PictureStore {
    std::array<QImage, 6> FilePic;  // 0 the full-size back, 5 the small back
    QImage ImgEmpty2, ImgEmptySm2;  // place-holders of the first look
    QImage ImgEmpty3, ImgEmptySm3;  // and of the second
    QImage imgCenterH, imgCenterHM; // center frames, three piles
    QImage imgCenterV, imgCenterVM; // four piles
    std::array<QImage, 14> Image1;  // full-size number faces by rank 1..13
    std::array<QImage, 14> ImageSm; // the same at 59 x 80
    QImage imgALL;                  // the face sheet of the current sheet deck
};

struct TableState {
    int CardWidth = 71;
    int CardHeight = 96;
    static constexpr int CardStep = 80;
    int ScreenWidthTwips = 12000;
    int ScreenHeightTwips = 9000;
    bool LargeFonts = false;

    // The layout grid (pixels).
    int Seat2Top = 0, Seat2SideLeft = 0, HumanTop = 0, Seat2HandTop = 0, HumanHandLeft = 0, Seat2HandLeft = 0;
    int HumanHoldTop = 0, OppHoldTop = 0, HumanHoldLeft = 0, Seat2HoldLeft = 0, CenterTop = 0, CenterLeft = 0;
    // Raised positions of the human's rows.
    int UpSideTop = 0, UpHoldTop = 0, UpSeat2HoldTop = 0;

    // Which run-time places exist.
    bool FourthCenterLoaded = false, Seat3Loaded = false, Seat4Loaded = false;
    bool ResizeLock = false;
    bool SmallDisplay = false;
    bool HoldFramesMade = false;

    // Window measures: spacing of the center piles and the snap width of a drop on them.
    int CenterSpacing = 82;
    int CenterSnapWidth = 41;
    int FormWidth = 0, FormHeight = 0; // twips
    int TitleBarHeight = 0;
    int SavedWindowState = 0;
    // The two display entries of the popup menu: caption and enabled.
    QString DisplayEntry[2] = {QStringLiteral("Move Cards Up"), QStringLiteral("Make Display Smaller")};
    bool DisplayEntryEnabled[2] = {true, true};
    int BackgroundIndex = 0, BackgroundCount = 0;
    bool BackgroundStretch = false;
    int OppShown = 1;
    int OppPeeking = 0;
    int PersonIndex = 0;
    QString PersonName = QStringLiteral("Grulm");
    BArray<int, 1> WaitOrder{4};
    // The background files of the user's folder, the default board first.
    QStringList BackgroundList;
    int MenuStyle = 0;
    // Avatars: the personality's own picture, the one the player's settings keep,
    // the pointer at the last plain release over the avatar, and a seat's move being drawn.
    QString PersonDefaultAvatar, ChosenAvatar;
    int SlapX = 0, SlapY = 0;
    bool SeatMoveBusy = false;

    // The hold-pile viewer's state.
    int ViewedSlot = 0;
    bool HoldViewOther = false;
    BArray<int, 1> HoldView{2};
    int HoldViewPile = 0;
    BArray<int, 1> HoldViewCards{10};
    int HoldViewLeft = 0, HoldViewTop = 0;
    int CaptionHeight = 0;

    // Module state of the card painting.
    int SheetCard = 0, SheetRow = 0, SheetX = 0, SheetY = 0;
    bool SoundBusy = false;

    PictureStore Pic;
};

extern TableState Tbl;
void Table_ResetState();

// The display-size change belongs to the display code; until it is installed a
// change of game size in a display mode other than 0 only re-lays the table.
extern std::function<void(int kind)> DisplayChangeHook;
void Display_Change(int kind);
