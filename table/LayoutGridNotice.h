#pragma once
// The notice, the message label, the deal button, the peek label and the status message worked
// out by arithmetic, in the room the layout keeps for each.
#include "table/LayoutGrid.h"

#include <vector>

// Appends to `places` (the card places, stock and avatar already worked out for `in`) the notice
// `Label9`(0), the message `Label9`(1), `cmdDeal`, `LabelPeek` and `StatusMsg`.
void LayoutGridNotice_Places(const LayoutInputs& in, std::vector<GridPlace>& places);

// Where the stock, fitted after the labels, stands by the message, the message moves under it.
void LayoutGridNotice_OffStock(const LayoutInputs& in, std::vector<GridPlace>& places);
