#pragma once
// The whole layout plan worked out by arithmetic: the card places of LayoutGrid_Places with their
// stacking and looks, the layout's part of the table state, the display mode and the window.
#include "table/LayoutPlan.h"

LayoutPlan LayoutGrid_Plan(const LayoutInputs& in);
