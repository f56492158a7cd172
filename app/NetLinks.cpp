#include "app/NetLinks.h"
#include "media/Persons.h"
#include "net/NetHooks.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/TableState.h"

void NetLinks_Install() {
    // A save of an Internet game first stores the seat that may be moving.
    NetHooks.Game_Save = [] {
        Sav.SaveMidTurn = true;
        MenuGame(kGameSave);
    };
    NetHooks.PersonName_Set = [](const QString& name) { Tbl.PersonName = name; };
    NetHooks.Seats_FromProfile = [] { Person_SeatAll(Prof.Prefs); };
    NetHooks.Deck_LoadSmall = [] { Deck_LoadSmall(); };
    NetHooks.TempMoves_Open = [](bool open) { TempMoves_Open(open); };
    NetHooks.Centers_Show = [] { Centers_Show(); };
}
