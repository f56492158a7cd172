#pragma once
// What the layout keeps off the cards on narrow screens: the avatar, the comment line
// and the deal button, and the height the winner's notice needs.
#include "engine/TableForm.h"
#include "table/TableState.h"

#include <QRectF>
#include <optional>
#include <vector>

// A control's box (pixels).
QRectF KeepClear_Rect(const platform::Control& c);
// True when `box` lies on none of `places`.
bool KeepClear_Free(const QRectF& box, const std::vector<QRectF>& places);
// Every card place of the seats at the table, their hold frames, the center piles and the
// stock with its frame (pixels), shown or waiting for the deal.
std::vector<QRectF> KeepClear_CardPlaces();
// A seat's side pile with the edges of its side stack (pixels).
QRectF KeepClear_SidePile(int seat);
// Shrinks the avatar toward its top right corner until it covers no card place.
void Avatar_KeepClear();
// Puts back the opponents' names Labels_KeepClear moved, where the layout put them: before
// the table is rescaled, which would otherwise carry the move along.
void Names_PutBack();
// An opponent's name goes under its side pile and stack where the card places leave room;
// where they leave none it stays, drawn in front of the stack's edges.
void Names_KeepClear();
// Puts each opponent's name clear of its side stack, ends the comment line above the card
// places under it, and puts the deal button above the
// human's side card when it would cover the card or the name under it.
void Labels_KeepClear();
// The height the longest winner's notice takes in the message label, in its own font and width.
double Notice_Height(const Label& label);
// The height the longest winner's notice, or the rule message `rule`, takes in `font` wrapped in
// `width`.
double Notice_HeightFor(const QFont& font, double width, const QString& rule);
// The longest rule message, whose room the message label keeps; an empty text keeps the game's own.
const QString& Notice_RuleReserved();
void Notice_ReserveRule(const QString& text);
// Where the message label laid out at `line` in `font` shows the longest notice (or the rule
// message `rule`) whole, clear of `obstacles` in a room `width` wide down to `bottom`: where it
// stands, narrowed or widened, else in the free room nearest; none where neither is free.
std::optional<QRectF> Notice_Place(const QRectF& line, const QFont& font,
                                   const std::vector<QRectF>& obstacles, double bottom, double width,
                                   const QString& rule);
// What the message label keeps off: everything (`all`), and short of room, only what the player
// reads or presses with it (`essentials`: the cards, the deal button, the comment line, the
// player's own name).
struct NoticeKeepOff {
    std::vector<QRectF> all, essentials;
};
// The message label's box and font size once fitted as Notice_Fit fits it: in `font` where it
// finds room, else in the largest smaller font that does, else squeezed where most of it shows.
struct NoticeFitted {
    QRectF box;
    double fontSize = 0;
};
NoticeFitted Notice_FitAmong(const QRectF& line, const QFont& font, const NoticeKeepOff& keepOff,
                             double bottom, double width, const QString& rule);
// The font size the player chose for the message label, which a small screen may show smaller.
double Notice_ChosenFontSize(const Label& message, const TableState& state);
// Makes the message label at least that high, so the notice shows whole: where it stands, else
// narrowed clear of what cuts into it or widened to what stands beside it, else in the free room
// nearest to it; clear of the card places, the side stacks, the other labels and pictures, and
// of the deal button when it shows with the notice; where it fits nowhere, in a smaller font.
void Notice_Fit(bool dealShown);
// The three above, once every place of a layout stands where it goes.
void Layout_KeepClear();
