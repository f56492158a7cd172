#pragma once
// The card places of the table worked out from the layout's inputs alone, by arithmetic: so far
// the two-player table, with three or four centre piles, in the standard display of a screen 800
// pixels wide or wider, with the cards down or moved up.
#include "table/LayoutPlan.h"

#include <QRectF>
#include <QString>
#include <vector>

struct GridPlace {
    QString name;
    int index;
    QRectF rect;
};

// True for the inputs the arithmetic covers.
bool LayoutGrid_Covers(const LayoutInputs& in);
// Every seat's places 1 to 10 and the centre piles, where the layout puts them; empty for inputs
// it does not cover.
std::vector<GridPlace> LayoutGrid_Places(const LayoutInputs& in);
