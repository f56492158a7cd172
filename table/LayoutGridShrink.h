#pragma once
// The small display of three or four players on a screen up to 800 pixels wide, or too low for
// the human's rows: the table made for an 800-pixel window, scaled down whole to the window by how
// far the table reaches, its cards kept at the small size and its hold rows closed up.
#include "table/KeepClear.h"
#include "table/LayoutGrid.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <vector>

// The step of the searches for free room: a place found lies on it from the room's corner.
constexpr double kFreeRoomStep = 4;

// The widest screen (in twips) whose small display of three or four is scaled to the window.
constexpr int kShrinkScreenTw = 12000;

// How far the table is scaled: across to the window's width, down only as far as the screen's
// height asks; 1 and 1 where the table is not scaled.
struct LayoutShrink {
    double across = 1, down = 1;
    bool operator==(const LayoutShrink&) const = default;
};

// True for the small display of three or four on a screen up to 800 pixels wide or too low for
// it, which is scaled to the window (its labels round the centre: table/LayoutGridNarrow.h).
bool LayoutGrid_ScaledToWindow(const LayoutInputs& in);
// The room the window fitted to the screen gives the scaled table, above the status bar.
QSizeF LayoutGrid_ShrinkRoom(const LayoutInputs& in);
// The width the table is laid out in: the window fitted to the screen (the frame's sides not
// taken off, as the fitting sets the window's own width) or the window as given.
double LayoutGrid_WindowWidth(const LayoutInputs& in);
// The scale the small display of three or four takes on a narrow or low screen.
LayoutShrink LayoutGrid_Shrink(const LayoutInputs& in);
// A place as the table's scaling takes it: position and size by the factors; a label's or a
// button's font by the factor across (but the comment line's, which keeps the player's size).
QRectF LayoutGrid_Scaled(const QRectF& r, const LayoutShrink& s);
double LayoutGrid_ScaledFont(double pointSize, const LayoutShrink& s);
// Of the table's pictures, images, labels, buttons and shapes, true for those scaled with the
// table: all but the rules and level labels, the panel, the emote icon, the turn arrows, and on a
// screen 12000 twips wide the avatar and its slap.
bool LayoutGrid_ScalesWithTable(const PlaceName& name, const LayoutInputs& in);
// The layout state the scaling leaves: the centre square's corner and the top of the opponents'
// hold rows; and the comment line as the scaling leaves it, cut short above the card places
// where it stood before the hold rows went down below the hands, and gone down with them.
struct ShrinkState {
    LayoutShrink shrink;
    int centerLeft = 0, centerTop = 0, oppHoldTop = 0;
    QRectF comment;
};
ShrinkState LayoutGrid_ShrinkState(const LayoutInputs& in);
// The notice where the table made for an 800-pixel window has it, before it is scaled (its bottom
// decides the reach), with the font the fitting shows it in: smaller than the player's where it
// found no room in that one.
NoticeFitted LayoutGrid_NoticeDesignFit(const LayoutInputs& in);
// Scales the design places `places` to the window where the inputs ask it, with the stock and the
// avatar as drawn for a seat without a picture, each in room of its own; true when it did.
bool LayoutGrid_ShrinkPlaces(const LayoutInputs& in, std::vector<GridPlace>& places);
// Scales them as far as the seats' card places and frames: the human's side pile is then where
// the whole scaled table has it.
void LayoutGrid_ShrinkSeats(const LayoutInputs& in, std::vector<GridPlace>& places);
// The bottom of the room above the status bar, in the window as the plan makes it: fitted to the
// screen under the human's side pile in `places`, else as large as the inputs have it.
double LayoutGrid_RoomBottom(const LayoutInputs& in, const std::vector<GridPlace>& places);
// The stock group in `places`, where it lies on a card place, a frame, a side pile or one of
// `also`, or leaves `room`, moved to the free room nearest on a grid of 4 pixels; else the frame
// alone where it finds room.
void LayoutGrid_FitStock(std::vector<GridPlace>& places, const LayoutInputs& in, const QRectF& room,
                         const std::vector<QRectF>& also = {});
// True where the stock group in `places` lies in `room` on no card place, frame or side pile.
bool LayoutGrid_StockFree(std::vector<GridPlace>& places, const LayoutInputs& in, const QRectF& room);
