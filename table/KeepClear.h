#pragma once
// The room the winner's notice and the rule messages need, and where the message label shows
// them clear of the table.
#include "engine/TableForm.h"
#include "table/TableState.h"

#include <QRectF>
#include <optional>
#include <vector>

// The height the longest winner's notice, or the rule message `rule`, takes in `font` wrapped in
// `width`.
double Notice_HeightFor(const QFont& font, double width, const QString& rule);
// The longest rule message, whose room the message label keeps.
const QString& Notice_RuleReserved();
// What the message label keeps off: everything (`all`), and short of room, only what the player
// reads or presses with it (`essentials`: the cards, the deal button, the comment line, the
// player's own name).
struct NoticeKeepOff {
    std::vector<QRectF> all, essentials;
};
// The message label's box and font size once fitted: in `font` where it
// finds room, else in the largest smaller font that does, else squeezed where most of it shows.
struct NoticeFitted {
    QRectF box;
    double fontSize = 0;
};
NoticeFitted Notice_FitAmong(const QRectF& line, const QFont& font, const NoticeKeepOff& keepOff,
                             double bottom, double width, const QString& rule);
// The font size the player chose for the message label, which a small screen may show smaller.
double Notice_ChosenFontSize(const Label& message, const TableState& state);
