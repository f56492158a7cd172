#pragma once
// The preferences: what the dialog shows for each setting, and applying one page of
// them to the settings and then to the table.
#include <QtGlobal>

enum PrefPage : int { kPageCards = 0, kPageBacks = 1, kPageFont = 2, kPageSounds = 3 };
constexpr int kPrefPages = 4;
constexpr int kFirstPictureDeck = 6; // face styles below are drawn, from here on pictures
constexpr int kPlainBack = 99;       // the settings' plain coloured back
constexpr quint32 kCreamBack = 0x00C0E0FF;
constexpr quint32 kSilverBack = 0x00C0C0C0;
constexpr quint32 kGreenMat = 32768;
enum PrefSound : int { kSoundWood = 0, kSoundMetal = 1, kSoundNone = 2 };

struct PrefChoices {
    int faceStyle = 0;
    int back = 0; // 0 the plain back, n the component's back n
    quint32 backColour = kCreamBack;
    quint32 matColour = kGreenMat; // the mat sample of the backs page
    quint32 fontColour = 0x00FFFFFF;
    quint32 backdropColour = kGreenMat; // the font page's backdrop
    int fontSize = 12;
    bool backdrop = false;
    int soundOption = kSoundWood;
    int menuStyle = 0;
    bool introOff = false;
    bool placeWood = false;
};

// The choices as the settings stand; `backs` is the number of backs offered.
PrefChoices Prefs_Choices(int backs);
// What applying a page changed, for the table to show.
enum PrefShown : int { kShowFaces = 1, kShowBack = 2, kShowFont = 4, kShowSkin = 8 };
// Applies one page's choices to the settings; returns the PrefShown bits to show.
int Prefs_Apply(int page, const PrefChoices& c);
// The table takes what Prefs_Apply changed, and is redrawn.
void Prefs_ShowOnTable(int shown);
