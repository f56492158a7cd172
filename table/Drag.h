#pragma once
// The pointer side of the human's plays: picking a card up, dragging it, finding
// the place it was dropped on, and what the release and a double click make of it.
#include "engine/GameOnTable.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

// No drop target.
constexpr int kNoTarget = -1;

void Picture7_MouseDown(int index, int button, int shift, double x, double y);
void Picture7_MouseMove(int index, int button, int shift, double x, double y);
void Picture7_MouseUp(int index, int button, int shift, double x, double y);
void Picture7_DblClick(int index);
// The drop target of Picture7(index) where it lies now: a center pile 1 to NumCenters,
// a hold place 7 to 10 or a hand slot 2 to 6 (Tbl.DropTargets names the array), or kNoTarget.
void CenterHitTest(int index, int& target);
// The point a fraction t of the way from (x1, y1) to (x2, y2), rounded half up.
void InterpolatePoint(int x1, int y1, int x2, int y2, float t, int& x, int& y);
// The dragged card glides from (left, top) back to its home, pausing through the ticket of
// the flow it ends; a table laid out anew meanwhile keeps the places it has.
void Drag_GlideBack(int index, int left, int top, const GameOnTable& mine);
void PicCenter_MouseDown(int index, int button, int shift, double x, double y);
void PicCenter_DblClick(int index);
// Wires the human's places and the stock to the handlers above.
void Drag_Install(TableForm& f);
