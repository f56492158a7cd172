#pragma once
// The seats' names, the comment line and the emote icon beside it, worked out by arithmetic from
// the layout's inputs and the card places the grid gave.
#include "table/LayoutGrid.h"
#include "table/TableState.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <array>
#include <vector>

// Appends to `places` (the card places of `in`) each seat's name under its side pile, the
// comment line and the emote icon; gives the moves of the opponents' names off their side stacks,
// as the table state keeps them.
std::array<TableState::NameMove, 5> LayoutGrid_Labels(const LayoutInputs& in, std::vector<GridPlace>& places);
// Where a label the table fits round the cards goes (the notice, the comment line), from `box`
// where it is laid out: it keeps `lines` lines of text in `font`, or ends before the place to its
// right while `widest` still fits; where neither leaves it free it goes to the free room nearest.
// It keeps off the card places, the side piles, the names already in `places`, the deal button as
// first laid out and the avatar.
QRectF LayoutGrid_FitLabel(const LayoutInputs& in, const std::vector<GridPlace>& places, const QRectF& box,
                           const QFont& font, int lines, const QString& widest);
// The comment line where the layout first lays it out, ending above the card places under it,
// before it is fitted round the rest.
QRectF LayoutGrid_CommentLaid(const LayoutInputs& in, const std::vector<GridPlace>& places);
// The opponents' names' moves off their side stacks, from the places LayoutGrid_Places gave for `in`.
std::array<TableState::NameMove, 5> LayoutGrid_NameMovesOf(const LayoutInputs& in,
                                                           std::vector<GridPlace> places);
// The opponents' names (by seat) of a table scaled to a narrow window as they stand before its
// seats are fitted, among `places` as they then stand.
std::array<QRectF, 5> LayoutGrid_NamesBeforeFit(const LayoutInputs& in, const std::vector<GridPlace>& places);
