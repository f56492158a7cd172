#include "media/Preferences.h"
#include "common/Shared.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "media/MediaState.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "table/Backgrounds.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutPlan.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "table/TableState.h"

#include <algorithm>

namespace {

constexpr int kWoodPlaces = -1; // the settings' True

// With the first back, some picture decks come with a back colour of their own.
void FirstBackColour(int face, int silverStyle) {
    if (Com.BackStyle != 1) return;
    if (face == 6 || face == 8)
        Com.DeckColour = kCreamBack;
    else if (face == silverStyle)
        Com.DeckColour = kSilverBack;
}

void ApplyCards(const PrefChoices& c, int& shown) {
    if (c.faceStyle != Com.DeckStyle) {
        Com.DeckStyle = c.faceStyle;
        shown |= kShowFaces;
    }
    FirstBackColour(Com.DeckStyle, 9);
}

void ApplyBacks(const PrefChoices& c, int& shown) {
    Com.BackStyle = c.back == 0 ? kPlainBack : c.back;
    Com.MatColour = c.matColour;
    if (Com.BackStyle == 1)
        FirstBackColour(Com.DeckStyle, 7);
    else
        Com.DeckColour = c.backColour;
    shown |= kShowBack;
}

void ApplyFont(const PrefChoices& c, int& shown) {
    Com.MatColour = c.backdropColour;
    Shl.FontColour = c.fontColour;
    Com.CommentFontSize = c.fontSize;
    Shl.FontBackdrop = c.backdrop;
    shown |= kShowFont;
}

void ApplySounds(const PrefChoices& c, int& shown) {
    if (c.soundOption == kSoundNone)
        Com.SoundMode = kSoundsOff;
    else
        Com.SoundSet = c.soundOption == kSoundMetal ? 1 : 0;
    Prof.MenuStyle = c.menuStyle == 0 ? 0 : 1;
    Tbl.MenuStyle = Prof.MenuStyle;
    Prof.IntroOff = c.introOff;
    Com.PlaceholderStyle = c.placeWood ? kWoodPlaces : 0;
    shown |= kShowSkin;
}

void ShowFont(TableForm& f) {
    if (f.Label9.Exists(kLblComment)) {
        platform::Label& l = f.Label9(kLblComment);
        l.SetFontSize(Com.CommentFontSize);
        l.SetBackColor(Com.MatColour);
        l.SetBackStyle(Shl.FontBackdrop ? 1 : 0);
    }
    for (int i = kLblMessage; i <= SeatNameLabel(Com.NumPlayers); ++i) {
        if (!f.Label9.Exists(i)) continue;
        f.Label9(i).SetForeColor(Shl.FontColour);
        if (i <= Com.NumCenters) f.Label9(i).SetFontSize(Com.CommentFontSize);
    }
}

} // namespace

PrefChoices Prefs_Choices(int backs) {
    PrefChoices c;
    c.faceStyle = Com.DeckStyle;
    c.back = Com.BackStyle >= 1 && Com.BackStyle <= backs ? Com.BackStyle : 0;
    c.backColour = Com.DeckColour;
    c.matColour = Com.MatColour;
    c.fontColour = Shl.FontColour;
    c.backdropColour = Com.MatColour;
    c.fontSize = Com.CommentFontSize;
    c.backdrop = Shl.FontBackdrop;
    c.soundOption = Com.SoundMode == kSoundsOff ? kSoundNone : (Com.SoundSet == 1 ? kSoundMetal : kSoundWood);
    c.menuStyle = Prof.MenuStyle == 0 ? 0 : 1;
    c.introOff = Prof.IntroOff;
    c.placeWood = Com.PlaceholderStyle != 0;
    return c;
}

int Prefs_Apply(int page, const PrefChoices& c) {
    int shown = 0;
    switch (page) {
    case kPageCards:
        ApplyCards(c, shown);
        break;
    case kPageBacks:
        ApplyBacks(c, shown);
        break;
    case kPageFont:
        ApplyFont(c, shown);
        break;
    case kPageSounds:
        ApplySounds(c, shown);
        break;
    default:
        break;
    }
    return shown;
}

void Prefs_ShowOnTable(int shown) {
    if (!HasTableForm()) return;
    TableForm& f = frmGrulm();
    if (shown & kShowFaces) {
        if (f.Label9.Exists(kLblComment))
            f.Label9(kLblComment)
                .SetCaption(QStringLiteral("To change backgrounds, use the Up/Down Arrow keys."));
        if (Com.DeckStyle < kFirstPictureDeck) {
            Deck_LoadSmall();
        } else {
            GetCardFaces(Com.DeckStyle);
            Cards_MakeFiles();
        }
    }
    if (shown & kShowBack) {
        GetCardBacks(Com.BackStyle);
        HoldImages_Set();
    }
    if (shown & kShowFont) ShowFont(f);
    if (shown & kShowSkin) {
        Skin_SelectImages();
        if (platform::Form* hold = platform::Form::Find(QStringLiteral("frmHold")); hold && hold->Loaded())
            Skin_Apply(*hold);
        MedHooks.Chat_Skin();
    }
    // The place-holders' look, the backs and the fonts are the plan's inputs: the table as it
    // has them, a plan looked up again where none of them changed.
    Layout_Relay(Layout_ModeAsked());
    f.Table_Redraw();
}
