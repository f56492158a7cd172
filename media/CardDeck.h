#pragma once
// Our stand-in for the card-deck component: extra face sheets and card backs,
// drawn in code. Deck numbers here start at 0 (the settings' deck 7), back numbers
// at 0 (the settings' back 1).
#include <QImage>
#include <QSize>

class clsDLL {
  public:
    int GetDecksQuantity() const;
    int GetBacksQuantity() const;
    // A face sheet of 13 x 4 cells of 71 x 96 (logical pixels); null for a deck not offered.
    QImage FaceSheet(int deck, qreal dpr) const;
    // A back at any size; null for a back not offered.
    QImage BackPicture(int back, QSize size, qreal dpr) const;
};

// Lets the table's GetCardFaces and GetCardBacks take the decks and backs above.
void CardDeck_Install();
