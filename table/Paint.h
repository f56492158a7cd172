#pragma once
// Painting cards, backs and place-holders into card places, and cutting the
// faces from the face sheet at the paint ratio.
#include "engine/Model.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

void Card_Show(Places& places, int index, int card, int kind);
// The fixed places painted again: the stock, the empty centers and hold places, the side piles.
void Cards_ShowAll();
struct SeatParts;
// The seat's side pile is on the table: dealt, and not yet played out.
bool SidePile_Dealt(const SeatParts& seat);
void Card_ShowSmall(Places& places, int index);
// The place-holder that fits a place: the large one only in a place of the large card's height.
const QImage& EmptyPlaceFor(const PictureBox& place);
void Sound_Card(int kind);

// Pictures are drawn at this many device pixels per logical pixel: the screen's,
// unless a ratio was set (0 follows the screen again).
qreal Paint_PixelRatio();
void Paint_SetPixelRatio(qreal ratio);
// The 71 x 96 cell of the face sheet whose top left is at x, y; throws when the
// sheet has no such cell.
QImage Sheet_CellAt(int x, int y);
// Sets SheetRow, SheetX and SheetY for the card number in SheetCard (1 to 52).
void Sheet_ComputeCell();
// Reads a face file scaled to the small card size (a null picture when it cannot be read).
QImage Face_ReadSmall(const QString& file);
// Forgets the faces cut from the sheet or read from the face files; the next
// paint takes them from the sources again.
void Faces_Forget();
