#pragma once
// The picture store: backs, place-holders, center frames and the face sources,
// all drawn in code at the paint ratio.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

void Cards_MakeFiles();
void Card_LoadFile(const QString& file, int rank);
void Deck_LoadSmall();
// Fills the picture store's face sheet and backs for a deck style and back style.
void GetCardFaces(int style);
void GetCardBacks(int back);
// Decks 7 and up and backs 1 and up (not 99) come from the card-deck component; a null
// picture, as when none is installed, leaves our own.
struct DeckSourceHooks {
    std::function<QImage(int deck, qreal dpr)> FaceSheet = [](int, qreal) { return QImage(); };
    std::function<QImage(int back, QSize size, qreal dpr)> Back = [](int, QSize, qreal) { return QImage(); };
};
extern DeckSourceHooks DeckSource;
// The soft panel behind the center piles, for three piles in a row or four in a square; the
// second look goes with the second look of the place-holders.
QImage Pictures_CenterFrame(bool four, bool secondLook, qreal dpr);
// A card back, large or small, of back style `back` (the component's, else our own in the deck
// colour).
QImage Pictures_Back(int back, bool large, quint32 deckColour, qreal dpr);
// Builds every picture of the picture store for the current settings.
void Pictures_Init();
// Points the place-holder pictures at the look PlaceholderStyle chooses.
void Skin_SelectImages();
// Gives the control panel its picture and puts its labels against its right edge, margin pixels in.
void Skin_PlacePanel(int margin);
