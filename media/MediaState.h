#pragma once
// State of the personalities and the media lists. The current personality's name
// and row (PersonName, PersonIndex) and the background count and choice are the
// table's (Tbl), which shows them.
#include "common/BArray.h"
#include "media/Personality.h"
#include "shell/SavedGames.h"

#include <QString>
#include <QStringList>
#include <functional>

struct MediaState {
    Personality PersonRec; // the record read last
    // One row per personality: (1, r) the name, (0, r) the description; rows 0..PersonCount.
    BArray<QString, 2> PersonList{1, 0};
    int PersonCount = 0;
    QString PersonDefaultAvatar;

    // The user's media, entries 1..count; entry 0 stays empty.
    BArray<QString, 1> AvatarList{0};
    int AvatarCount = 0;
    BArray<QString, 1> BackgroundList{0}; // its count is Tbl.BackgroundCount
    int GameBoardIndex = 0;
    BArray<QString, 1> ScoreFiles{0};
    int ScoreFileCount = 0;
    BArray<QString, 1> CommentFiles{0};
    int CommentFileCount = 0;

    QString NewAvatarName; // the picture imported last, in the user's "Avatars"
    // The personalities whose sounds the chat offers, entries 1 to 3; "" a free entry.
    BArray<QString, 1> ChatSoundPersons{3};

    // Damaged personality files already reported in this run.
    QStringList DamagedReported;

    QString NetPersonName; // the personality chosen in the Internet opponents window, "" none
};
extern MediaState Med;

// What the media code asks of windows built elsewhere; each starts neutral.
struct MediaHooks {
    // Steps the table to the next (40) or previous (38) background.
    std::function<void(int keyCode)> Background_Cycle = [](int) {};
    // The opponents editor, modal; its Cancel sets Sav.DialogCancelled. Nothing there counts as a cancel.
    std::function<void()> OpponentsEditor = [] { Sav.DialogCancelled = true; };
    // The Internet opponents window (it saves by itself) and the Internet table size and rules window.
    std::function<void()> NetOpponents = [] {};
    std::function<void()> NetRules = [] {};
    // The host tells the peers the new table size, ending a game in progress.
    std::function<void()> Net_ChangeLayout = [] {};
    // The chat window's quick comment i (1 to 20) becomes `text`.
    std::function<void(int i, const QString& text)> Chat_SetComment = [](int, const QString&) {};
    // The chat window takes the current skin (Internet games only).
    std::function<void()> Chat_Skin = [] {};
};
extern MediaHooks MedHooks;

void Media_Reset();
