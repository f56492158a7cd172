#pragma once
// The keys of the table window: keyboard card moves for the human, shortcuts of the
// menu commands, emote icons, the opponent's sounds and the background keys.
#include <QString>

struct KeyState {
    bool KeyArmed = true;     // false: the next key is swallowed (the card flow just started)
    bool KeysBlocked = false; // every key is ignored
    int PendingSlot = 0;      // card slot chosen for a keyboard move, 0 none
};
extern KeyState Keys;
void Keys_Reset();

// Modifier bits of `shift`.
inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// The players who may switch the debug mode from the keyboard.
bool Keys_MayDebug(const QString& playerName);

// One key pressed on the table (Windows key codes).
void KeyCommand(int keyCode, int shift);
