#include "media/Seating.h"
#include "common/Shared.h"
#include "media/MediaState.h"
#include "table/TableState.h"

OpponentChoices Opponent_Choices(const QString& netPersonName) {
    OpponentChoices c;
    c.comments << QStringLiteral("Default Personality");
    for (int i = 1; i <= Med.CommentFileCount; ++i)
        c.comments << Med.CommentFiles(i);
    c.comments << QStringLiteral("No Comments");
    for (int r = 0; r <= Med.PersonCount; ++r)
        c.opponents << Med.PersonList(1, r);
    // A seat-2 name missing from the list leaves the index one past the end.
    if (Tbl.PersonIndex < 0 || Tbl.PersonIndex >= c.opponents.size()) Tbl.PersonIndex = 0;
    c.opponentIndex = Tbl.PersonIndex;
    const bool net = Com.NetGame != 0;
    c.opponentShown = net && !netPersonName.isEmpty() ? netPersonName : c.opponents.value(c.opponentIndex);
    if (!net) c.playersButton = Com.NumPlayers - 2;
    return c;
}
