#pragma once
// Painting cards, backs and place-holders into card places; the whole-table
// redraw and reset; the status bar, the card counter and the pile viewer's texts.
#include "engine/Model.h"
#include "table/TableState.h"

using Places = ControlArray<PictureBox>;

void Card_Show(Places& places, int index, int card, int kind);
void Cards_ShowAll();
void Card_ShowSmall(Places& places, int index);
void Cards_MakeFiles();
void Card_LoadFile(const QString& file, int rank);
void Deck_LoadSmall();
void Sound_Card(int kind);
// Fills the picture store's face sheet and backs for a deck style and back style.
void GetCardFaces(int style);
void GetCardBacks(int back);
// Builds every picture of the picture store for the current settings.
void Pictures_Init();
// Points the place-holder pictures at the look PlaceholderStyle chooses.
void Skin_SelectImages();

void Table_Redraw();
void Table_Clear();
void DebugShowDeck();
// Empties a seat's cards and hold piles, and its statistics unless a restart or restore keeps them.
void Player_Clear(SeatRecord& rec);

void Counter_ShowDeck();

void StatusBar_Player(SeatRecord& rec);
void StatusBar_Clear();
void StatusBar1_PanelClick(int panel);
void StatusBar_Init();
void WildUpdate();
void SideInfo_Show(SeatRecord& rec, int seat);
// HoldInfo: its signature is the painting code's choice (the three callers pass different tables).
void DisplayStats();
QString PlayerNameOf(int rank);
