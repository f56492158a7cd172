#pragma once
// The frame behind the centre piles, the wild-card labels on them and the table's small parts,
// worked out by arithmetic from the layout's inputs and the card places already worked out.
#include "table/LayoutGrid.h"

#include <QImage>
#include <QRectF>
#include <vector>

// The frame behind the centre piles, placed from pile 1 in `places`; the labels round the
// piles keep to its edges.
QRectF LayoutGrid_CenterFrame(const LayoutInputs& in, const std::vector<GridPlace>& places);
// The wild-card labels where the centre layout first puts them, by their piles in `places`,
// before any is moved off what lies there.
std::vector<QRectF> LayoutGrid_WildAtPiles(const LayoutInputs& in, const std::vector<GridPlace>& places);
// The frame's picture, drawn in code for the piles' shape and the place-holders' look.
QImage LayoutGrid_CenterPicture(const LayoutInputs& in);
// True where the frame's picture is stretched to the frame: the small display.
bool LayoutGrid_CenterStretch(const LayoutInputs& in);
// The back the stock shows, drawn at the stock's card size.
QImage LayoutGrid_StockPicture(const LayoutInputs& in);
// Appends to `places` (the card places, the stock and the avatar) the centre frame, the
// wild-card labels, the hold picture, the key highlight, the menu icon, the tutorial's arrows
// and the level label; nothing where no card places are. The wild-card labels keep off the
// seats' names where `places` holds them already, as the layout keeps them.
void LayoutGrid_Frames(const LayoutInputs& in, std::vector<GridPlace>& places);
// The spare places the cards fly and are dragged over (element 0 of the seats' places, the side
// stacks and the hold outlines) and the side places of the seats not at the table, hidden, for
// the card places in `places`; none where there are none.
std::vector<GridPlace> LayoutGrid_SpareParts(const LayoutInputs& in, const std::vector<GridPlace>& places);
