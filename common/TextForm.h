#pragma once
// The text form of numbers used in messages, records and the network:
// one blank before a non-negative number, a minus sign otherwise; read back by
// skipping blanks and stopping at the first character that is not a digit.
#include <QString>

#include <cmath>

QString NumStr(long long n);
// The value of the leading number of a text (0 when there is none), as the game reads numbers.
double NumVal(const QString& s);
// The same, as a 16-bit integer (rounded, clamped to -32768..32767).
int NumVal16(const QString& s);

// Rounding to the nearest whole number, halves to even, as the game's 16-bit measures round.
inline int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}
