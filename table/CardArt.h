#pragma once
// Card pictures drawn entirely in code: the built-in sheet deck, the five
// number-only decks, the classic back, the empty place-holders and the edges of
// the side stacks. Every picture is a QImage in Format_ARGB32_Premultiplied whose
// device pixel ratio is set, so a 71 x 96 card at dpr 2 has 142 x 192 pixels and
// stays sharp on high-density screens. Parts outside a card's rounded corners are
// transparent. Painting text needs a Q(Gui)Application.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace cardart {

constexpr int kLargeW = 71, kLargeH = 96, kSmallW = 59, kSmallH = 80;
constexpr int kSheetCols = 13, kSheetRows = 4;

// Sheet deck face of card number 1..52 (rows: 1 clubs, 2 diamonds, 3 hearts,
// 4 spades; column = rank, 1 Ace .. 13 King) at any logical size. Numbers above 52
// show the face of the same card of the first pack (60 shows 8); numbers below 1
// give a fully transparent picture.
QImage SheetFace(int card, QSize size, qreal dpr = 1.0);

// Logical rectangle of card n's 71 x 96 cell in BuiltinSheet() (numbers above 52
// wrap as in SheetFace; an empty rect for numbers below 1).
QRect SheetCell(int card);

// The built-in picture deck: 13 x 4 cells of 71 x 96 (923 x 384 logical pixels),
// the cell of card n at SheetCell(n).
QImage BuiltinSheet(qreal dpr = 1.0);

// Number-only decks: deckStyle 1..5 (others are clamped), rank 1..13; ranks above
// 13 count modulo 13 like a card number. Rank 13 is the wild card.
QImage NumberFace(int deckStyle, int rank, QSize size, qreal dpr = 1.0);

// The classic built-in card back, filled with the deck colour (0x00BBGGRR).
QImage Back(QSize size, quint32 deckColourBGR, qreal dpr = 1.0);

// Empty card place on the table; style 0 is the first look, any other value the
// second look.
QImage Placeholder(QSize size, int style, qreal dpr = 1.0);

// The visible edge of one face-down card under a side pile.
QImage StackEdge(QSize size, quint32 deckColourBGR, qreal dpr = 1.0);

// A colour stored as 0x00BBGGRR.
QColor FromBGR(quint32 bgr);

} // namespace cardart
