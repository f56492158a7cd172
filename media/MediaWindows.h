#pragma once
// Opens the media windows from the Options menu: the comment editor, the preferences
// and the opponents editor. Call once at start-up, after MenuCommands_Install.
void MediaWindows_Install();

// The Options menu's opponents command in a local game: the editor, then the table
// relabelled, or re-sized with a new game when the game size changed.
