#pragma once
// What the opponents editor and the Internet opponents window offer: the comment
// sets, the personalities, and which entries they start on.
#include <QString>
#include <QStringList>

struct OpponentChoices {
    // "Default Personality", the comment files, "No Comments".
    QStringList comments;
    // The personalities in list order.
    QStringList opponents;
    // The opponent shown: the chosen Internet personality's name, else the entry opponentIndex.
    int opponentIndex = 0;
    QString opponentShown;
    // The number-of-opponents button (players less two); -1 in an Internet game, which keeps its own.
    int playersButton = -1;
};

// Fills the choices; a current personality that names no entry becomes the first.
// `netPersonName` is the personality chosen in the Internet opponents window.
OpponentChoices Opponent_Choices(const QString& netPersonName);

// The opponents set-up (rulesOnly false) or, in an Internet game, the table size and
// rules window (true); then the table and a new game follow what was chosen.
void SetupOpponents(bool rulesOnly);
// Imports a picture as the player's avatar.
// Adds a picture to the backgrounds and shows it.
void Background_Add();
