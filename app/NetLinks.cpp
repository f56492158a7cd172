#include "app/NetLinks.h"
#include "media/MediaState.h"
#include "media/OpponentsEdit.h"
#include "media/Persons.h"
#include "media/frmSounds.h"
#include "net/AvatarBook.h"
#include "net/Joining.h"
#include "net/NetHooks.h"
#include "net/frmChat.h"
#include "net/frmMultiNET.h"
#include "net/frmRulesNET.h"
#include "shell/MenuCommands.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "table/Pictures.h"
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
    // The windows of Internet play reach the media windows and back.
    NetHooks.Avatar_Load = [](SeatRecord& seat, bool write) { Avatar_Load(seat, write); };
    NetHooks.Get_Avatars = [] { return Get_Avatars(); };
    NetHooks.Chat_PhraseTips = [] {
        if (ChatWindowExists()) frmChat().SetPhrases();
    };
    NetHooks.GetSoundList = [] { frmChat().GetSoundList(); };
    NetHooks.OnlineSounds_Show = [] { frmSounds().Show(true); };
    NetHooks.MultiNET_Close = [] {
        if (platform::Form::IsLoaded(QStringLiteral("frmMultiNET"))) frmMultiNET().Unload();
        NetSetup.NetPersonName.clear();
        Med.NetPersonName.clear();
    };
    NetHooks.Person_CheckSeat2 = [] { Person_SeatAll(Prof.Prefs); };
    MedHooks.NetOpponents = [] { MultiNET_Show(); };
    MedHooks.NetRules = [] { RulesNET_Choose(); };
    MedHooks.Net_ChangeLayout = [] { Net_ChangeLayout(); };
}
