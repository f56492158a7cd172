#include "media/MediaInstall.h"
#include "common/Shared.h"
#include "engine/GameEnd.h"
#include "media/MediaState.h"
#include "media/PersonPack.h"
#include "table/Backgrounds.h"
#include "table/DefaultArt.h"
#include "table/Flash.h"
#include "media/CardDeck.h"
#include "media/ChatArt.h"
#include "media/GameSounds.h"
#include "media/Music.h"
#include "media/MediaLists.h"
#include "media/Persons.h"
#include "media/Seating.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/Startup.h"

void Media_Install() {
    Startup.List_Personalities = [] { List_Personalities(); };
    Startup.List_CommentFiles = [] { List_CommentFiles(); };
    // Our own board and pictures are put in place before the folder is read.
    Startup.List_Backgrounds = [] {
        DefaultArt_Install(Com.UserPath);
        List_Backgrounds();
    };
    BgLinks.List_Backgrounds = [] { List_Backgrounds(); };
    MedHooks.Background_Cycle = [](int key) { Background_Cycle(key); };
    Startup.List_ScoreFiles = [] { List_ScoreFiles(); };
    Startup.ChangePerson = [] { ChangePerson(); };
    // The seats take their personalities before the table shows their names.
    auto show = ProfHooks.SeatOpponents;
    ProfHooks.SeatOpponents = [show] {
        Person_SeatAll(Prof.Prefs);
        if (show) show();
    };
    CardDeck_Install();
    // The chat's own icons and sounds come with the game's sounds.
    Startup.SetUpSounds = [] {
        SetUpSounds();
        ChatArt_Install(Com.UserPath);
    };
    Startup.CleanUpSounds = [] { CleanUpSounds(); };
    // The player the tune needs loads the decoder and reaches the sound server: it waits for the table.
    ProfHooks.PlayIntro = [] { Startup_WhenShown([] { Music_PlayIntro(); }); };
    // The winner's animation knows the personalities by the list.
    GameEndHooks.Person_Index = [](const QString& name) {
        for (int r = 0; r <= Med.PersonCount; ++r)
            if (Med.PersonList(1, r).trimmed() == name.trimmed()) return r;
        return -1;
    };
    FlashHooks.Person_Name = [](int index) {
        return index >= 0 && index <= Med.PersonCount ? Med.PersonList(1, index).trimmed() : QString();
    };
    FlashHooks.HasAnimation = PersonPack_Has;
    MenuWin.Opponents = [] { SetupOpponents(false); };
    MenuWin.HostRules = [] { SetupOpponents(true); };
    MenuWin.AddBackground = [] { Background_Add(); };
    MenuWin.RemoveBackground = [] { Background_Remove(); };
    MenuWin.PlayIntro = [] { Music_PlayIntro(); };
    MenuWin.Present = [present = MenuWin.Present](int menu, int row) {
        return (menu == kMenuOptions && row == kOptAddBackground) ||
               (menu == kMenuInternet && (row == kNetPlayers || row == kNetHost)) || present(menu, row);
    };
}
