#pragma once
// The seats' names, the comment line and the emote icon beside it, worked out by arithmetic from
// the layout's inputs and the card places the grid gave.
#include "table/LayoutGrid.h"
#include "table/TableState.h"

#include <QRectF>
#include <array>
#include <vector>

// The frame round the centre piles: 15 pixels left of the piles and 16 above, at the picture's
// size for the display (the small display of two draws its margin at four fifths).
QRectF LayoutGrid_CenterFrame(const LayoutInputs& in, const std::vector<GridPlace>& places);
// Appends to `places` (the card places of `in`) each seat's name under its side pile, the
// comment line and the emote icon; gives the moves of the opponents' names off their side stacks,
// as the table state keeps them.
std::array<TableState::NameMove, 5> LayoutGrid_Labels(const LayoutInputs& in, std::vector<GridPlace>& places);
// Those moves alone, for inputs the arithmetic covers.
std::array<TableState::NameMove, 5> LayoutGrid_NameMoves(const LayoutInputs& in);
