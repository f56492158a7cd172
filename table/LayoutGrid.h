#pragma once
// The card places of the table worked out from the layout's inputs alone, by arithmetic: so far
// the table of two in every display on every screen, of three in every display on every screen,
// and of four in every display on a screen 1024 pixels wide or wider or 800 pixels wide or
// narrower and in the standard display from 800 (the small display of three or four on a screen
// up to 800 pixels wide is scaled to the window,
// table/LayoutGridShrink.h); with them the stock, its frame and turn arrows and the avatar.
#include "table/LayoutPlan.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

struct GridPlace {
    PlaceName name;
    int index;
    QRectF rect;
    // Where the arithmetic decides them: shown or not, and the font's point size.
    std::optional<bool> visible = std::nullopt;
    std::optional<double> fontSize = std::nullopt;
};

// The avatar's box for a picture of that size (none: the one drawn for a seat without a picture).
QSizeF LayoutGrid_AvatarSize(const QSize& picture);
// The top of the centre square of three or four at the design size: lower on a wide screen.
double LayoutGrid_CenterTop(const LayoutInputs& in);
// True for the small display of four on a screen from 12288 twips to 1024 pixels wide whose
// table, its card places and frames as first laid out, reaches past the room the window fitted
// to the screen gives it: it is scaled to the window as a narrower screen's is.
bool LayoutGrid_FourPastRoom(const LayoutInputs& in);
// True for the small display of three or four on a screen too low for its human's rows and name:
// it is scaled down to the window as a narrow screen's is.
bool LayoutGrid_SeveralPastBottom(const LayoutInputs& in);
// How far the small display of two draws its rows closer on a screen too low for the human's
// hand and name at four fifths: 1 where it has room.
double LayoutGrid_SmallTwoDown(const LayoutInputs& in);
// The places before the small display of three or four is scaled to a narrow window.
std::vector<GridPlace> LayoutGrid_Design(const LayoutInputs& in);
// The places of three or four at the standard display on that screen, the large cards down, as
// the table stands before the small display is entered.
std::vector<GridPlace> LayoutGrid_SeveralStandard(const LayoutInputs& in);
// The place called `name`(`index`) among `places`.
GridPlace& LayoutGrid_At(std::vector<GridPlace>& places, const char* name, int index);
// Each hold pile's frame round its card, a pixel left and two above: the human's and seat 2's.
void LayoutGrid_HoldCardFrames(std::vector<GridPlace>& places);
// The stock where the layout's rule for that screen puts it in a window `width` wide: beside the
// human's hold frame on a narrow screen, else under the avatar's box.
void LayoutGrid_StockByRule(std::vector<GridPlace>& places, const LayoutInputs& in, double width);
// The stock at `stock` in its frame 5 pixels round it, the turn arrows 7 pixels above and below.
void LayoutGrid_StockAt(std::vector<GridPlace>& places, const QRectF& stock);
// The avatar at the top right of a table `width` wide (in a box `side` pixels large, at `top`),
// given way to `places` and `also`, no lower than `bottom`.
void LayoutGrid_Avatar(std::vector<GridPlace>& places, const LayoutInputs& in, double width, double bottom,
                       const std::vector<QRectF>& also = {}, double side = 130, double top = 0);
// Every seat's places 1 to 10, the centre piles, the stock group and the avatar, where the layout
// puts them; empty for inputs it does not cover.
std::vector<GridPlace> LayoutGrid_Places(const LayoutInputs& in);
