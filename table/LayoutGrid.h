#pragma once
// The card places of the table worked out from the layout's inputs alone, by arithmetic: so far
// the standard display, with the cards down or moved up, of two players on a screen 800 pixels
// wide or wider and of three or four on one 1024 wide or wider; and the small display of two, its
// cards down or up, on every screen.
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
