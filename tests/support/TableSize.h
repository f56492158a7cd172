#pragma once
// What the engine, opponent and headless-game tests share: the table laid out for a game
// size on the 800-pixel screen, and a plain reshuffle of the used pile without the table.
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Model.h"
#include "table/Design.h"
#include "table/Piles.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"

inline void LayTableFor(FrmGrulm& form, int players) {
    Tbl.ScreenWidthTwips = 12000;
    form.SetClientSizePx(800, static_cast<int>(design::kClient.h));
    Stacks_LoadImages();
    Highlights_LoadImages();
    Com.PrevPlayers = Com.NumPlayers;
    Com.PrevCenters = Com.NumCenters;
    Com.NumPlayers = players;
    Com.NumCenters = players > 2 ? 4 : 3;
    Com.TotalCards = players * 52;
    form.Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
}

inline void ReshuffleUsedPile() {
    for (int i = 1; i <= Eng.UsedCount; ++i)
        for (int k = 0; k <= 1; ++k) {
            Eng.Deck(k, i) = Eng.UsedPile(k, i);
            Eng.UsedPile(k, i) = 0;
        }
    Eng.DeckCount = Eng.UsedCount;
    Eng.UsedCount = 0;
    if (Eng.DeckCount > 1) Deck_Shuffle(1, Eng.DeckCount);
}
