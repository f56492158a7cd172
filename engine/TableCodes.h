#pragma once
// Numbers the table window's operations take that carry a meaning.
#include <QtGlobal>

// The roles of the Label9 elements.
enum Label9Role : int {
    kLblNotice = 0,    // a notice across the table: "CLEARING", "WAITING for Opponent"
    kLblMessage = 1,   // the game's messages to the human
    kLblComment = 2,   // announcements and the opponents' comments
    kLblHumanName = 3, // the human's name
    kLblSeat2Name = 4, // seat 2's name; seats 3 and 4 follow
};

// The element holding a seat's name (seat 1 is the human).
constexpr int SeatNameLabel(int seat) {
    return kLblHumanName + seat - 1;
}

// The kinds of Card_Show and Card_Deal: 1 to 5 also play that kind's card sound.
enum CardShowKind : int {
    kShowSilent = 0,
    kShowSoundFirst = 1,
    kShowSideUp = 1,      // the next side card turned up
    kShowTurnedOver = 1,  // a computer seat's hand turned face up or down by a peek
    kShowPlayed = 2,      // a card played onto a center pile
    kShowDealtToSeat = 3, // a hand card of the opening deal to a computer seat
    kShowDiscarded = 4,   // a card discarded onto a hold pile
    kShowDrawn = 5,       // a hand card dealt to the human, or drawn to refill a hand
    kShowSoundLast = 5,
    kShowEmptyPlace = 88, // the place-holder of an empty place
};

// The white a place shows under a card of the small decks.
inline constexpr quint32 kPlaceWhite = 0x00FFFFFF;
