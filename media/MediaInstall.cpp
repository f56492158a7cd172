#include "media/MediaInstall.h"
#include "media/CardDeck.h"
#include "media/MediaLists.h"
#include "media/Persons.h"
#include "shell/Profile.h"
#include "shell/Startup.h"

void Media_Install() {
    Startup.List_Personalities = [] { List_Personalities(); };
    Startup.List_CommentFiles = [] { List_CommentFiles(); };
    Startup.List_Backgrounds = [] { List_Backgrounds(); };
    Startup.List_ScoreFiles = [] { List_ScoreFiles(); };
    Startup.ChangePerson = [] { ChangePerson(); };
    // The seats take their personalities before the table shows their names.
    auto show = ProfHooks.SeatOpponents;
    ProfHooks.SeatOpponents = [show] {
        Person_SeatAll(Prof.Prefs);
        if (show) show();
    };
    CardDeck_Install();
}
