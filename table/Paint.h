#pragma once
// Painting cards, backs and place-holders into card places; the whole-table
// redraw and reset; the status bar, the card counter and the pile viewer's texts.
#include "engine/Model.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

#include <functional>

using Places = ControlArray<PictureBox>;

void Card_Show(Places& places, int index, int card, int kind);
void Cards_ShowAll();
void Card_ShowSmall(Places& places, int index);
// The place-holder that fits a place: the large one only in a place of the large card's height.
const QImage& EmptyPlaceFor(const PictureBox& place);
void Cards_MakeFiles();
void Card_LoadFile(const QString& file, int rank);
void Deck_LoadSmall();
void Sound_Card(int kind);
// Fills the picture store's face sheet and backs for a deck style and back style.
void GetCardFaces(int style);
void GetCardBacks(int back);
// Decks 7 and up and backs 1 and up (not 99) come from the card-deck component; a null
// picture, as when none is installed, leaves our own.
struct DeckSourceHooks {
    std::function<QImage(int deck, qreal dpr)> FaceSheet = [](int, qreal) { return QImage(); };
    std::function<QImage(int back, QSize size, qreal dpr)> Back = [](int, QSize, qreal) { return QImage(); };
};
extern DeckSourceHooks DeckSource;
// Builds every picture of the picture store for the current settings.
void Pictures_Init();
// Points the place-holder pictures at the look PlaceholderStyle chooses.
void Skin_SelectImages();
// Gives the control panel its picture and puts its labels against its right edge, margin pixels in.
void Skin_PlacePanel(int margin);

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

void Table_Redraw();
void Table_Clear();
void DebugShowDeck();
// The picture the debug view of the shuffled deck shows.
QImage DebugDeck_Render();
// Empties a seat's cards and hold piles, and its statistics unless a restart or restore keeps them.
void Player_Clear(SeatRecord& rec);

void Counter_ShowDeck();

void StatusBar_Player(SeatRecord& rec);
void StatusBar_Clear();
void StatusBar1_PanelClick(int panel);
void StatusBar_Init();
void WildUpdate();
void SideInfo_Show(SeatRecord& rec, int seat);
// Fills the hold-pile viewer with the cards hidden in the pile Tbl.ViewedSlot names
// (0 the stock, 1 a side pile, 7 to 10 a hold pile); the caller shows the viewer.
// A seat's hold piles: cards (pair, pile, depth) with the top at the depth that column 1 of info holds.
void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 2>& info, int count, const QString& name);
// The human's hold piles: the covered cards and their counts.
void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 1>& counts, int count, const QString& name);
// A side pile of count cards, top at position count (the stock is read from Deck).
void HoldInfo(const BArray<int, 2>& cards, int count, const QString& name);
void DisplayStats();
QString PlayerNameOf(int rank);
// The name other subsystems know this lookup by.
inline QString BlockedPlayerName(int rank) {
    return PlayerNameOf(rank);
}
