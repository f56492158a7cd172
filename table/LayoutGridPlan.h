#pragma once
// The whole layout plan worked out by arithmetic: the card places of LayoutGrid_Places with their
// stacking and looks, the layout's part of the table state, the display mode and the window.
#include "table/LayoutPlan.h"

// The plan for inputs LayoutGrid_Covers accepts; controls the arithmetic does not place yet are
// left out (an empty list of controls for inputs it does not cover).
LayoutPlan LayoutGrid_Plan(const LayoutInputs& in);
