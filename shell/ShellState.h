#pragma once
// Player options the shell keeps for the profile and the settings copy in the
// score file, where no lower layer owns them yet.
#include <QString>
#include <QStringList>

struct ShellState {
    quint32 FontColour = 0x00FFFFFF; // text colour of the name and comment labels (BGR)
    bool FontBackdrop = false;       // the comment label is opaque on the mat colour
    QString LastAvatar;              // the avatar picture shown last
    bool AvatarShown = true;         // the avatar picture is shown on the table
    int LastBackground = 0;          // 0: the player has never cycled the backgrounds
    bool LoseAnimOff = false;
    bool WinAnimOff = false;
    bool MoveLogOn = false; // the move-history file is open
    QString NetPlayerName;  // the name used in Internet games
    QStringList SaveWarned; // files whose failed save the player was told of this run
};

extern ShellState Shl;
void Shell_Reset();
