#pragma once
// State of the table presentation: card size, the layout grid, which places
// exist, and the pictures the table paints from.
#include "common/BArray.h"
#include "engine/TableForm.h"
#include "table/TableHooks.h"

#include <QHash>
#include <QImage>
#include <QRectF>
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
    // The small display was taken because the standard one does not fit, not chosen.
    bool DisplayForced = false;
    // Three or four players: the factors the small display was scaled by, across and down, to fit
    // a narrow window.
    double TableShrink = 1, TableShrinkDown = 1;
    // What the table's fonts are scaled by, against the sizes the player chose.
    double FontScale = 1;
    bool HoldFramesMade = false;

    // Window measures: spacing of the center piles and the snap width of a drop on them.
    int CenterSpacing = 82;
    int CenterSnapWidth = 41;
    int FormWidth = 0, FormHeight = 0; // twips
    int TitleBarHeight = 0;
    int SavedWindowState = 0;
    // The two display entries of the popup menu: caption and enabled.
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
    // the pointer at the last plain release over the avatar.
    QString PersonDefaultAvatar, ChosenAvatar;
    // The avatar's box as the layout rule puts it (pixels), before it gives way to the cards.
    QRectF AvatarRule;
    // An opponent's name moved from under its side stack, by seat: the top the layout gave
    // it and the top it was moved to (pixels), so a rescaling starts from the layout's.
    struct NameMove {
        bool moved = false;
        double from = 0, to = 0;
    };
    std::array<NameMove, 5> NameMoves{};
    // The message label's font made smaller where the longest notice fits nowhere at the size the
    // player chose: that size and the one shown (points), so the next fitting starts from the chosen.
    struct NoticeShrink {
        double chosen = 0, shown = 0;
    };
    NoticeShrink NoticeFont;
    int SlapX = 0, SlapY = 0;

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
    // Pictures are drawn at this many device pixels per logical pixel; 0 follows the screen.
    qreal PixelRatio = 0;
    // Faces already cut from the sheet (by card number) or read from their files (by
    // file name), so a repaint is a swap of shared pictures.
    QHash<int, QImage> LargeFaces;
    QHash<QString, QImage> SmallFaces;

    // A card flight: the deal is flying a card, and where the flight started (pixels).
    bool Dealing = false;
    int AnimStartX = 0, AnimStartY = 0;

    PictureStore Pic;

    // The drag of a human's card: the pressed point inside the card, the places the
    // last hit test found its target in, and a right press on the side or a hold place.
    int DragGrabX = 0, DragGrabY = 0;
    ControlArray<PictureBox>* DropTargets = nullptr;
    bool RightPressed = false;

    // The icon panel and its drop-down list (Com.ShowBusy keeps them shut).
    bool MenuListShown = false;
    bool PanelHover = false;
    bool MenuChosen = false;
    int MenuNumber = 0, MenuItem = 0;
    // The pointer's first height while the card flow runs (0 none yet).
    int FlowFirstY = 0;
};

extern TableState Tbl;
void Table_ResetState();

void Display_Change(int kind);
