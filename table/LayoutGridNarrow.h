#pragma once
// The labels round the centre of a table of three or four scaled to a narrow window: the notice,
// the message label, the deal button, the peek label and the status message, laid out where the
// scaled table has them and then fitted round the cards; and the avatar with a picture of its
// own, which gives way to them.
#include "table/KeepClear.h"
#include "table/LayoutGrid.h"

#include <QRectF>
#include <vector>

// The deal button as the scaled table first lays it out, right of the centre frame and above the
// lower right pile, before the piles go down below the opponents' hold rows.
QRectF LayoutGrid_NarrowDeal(const LayoutInputs& in);
// Appends to `places` (the scaled table's card places, stock, names, comment line and frames)
// the notice `Label9`(0), the message `Label9`(1), `cmdDeal`, `LabelPeek` and `StatusMsg`; then
// the avatar where its picture is one of its own.
void LayoutGrid_NarrowLabels(const LayoutInputs& in, std::vector<GridPlace>& places);
// What the message label keeps off among `places`: the seats' places, side piles and hold frames,
// the centre and stock piles and frames, the deal button, and but short of room, the other labels,
// the turn arrows, the wild-card labels and the avatar.
NoticeKeepOff LayoutGrid_NoticeKeepOff(const LayoutInputs& in, const std::vector<GridPlace>& places);
