#pragma once
// Cutting a socket's byte stream into lines at the terminator. Pure: the
// buffer is the caller's, one per socket element.
class QByteArray;

inline constexpr char kNetDelim = '\n';

// Appends received bytes. False when the line still pending would grow past the
// limit; the buffer is then left as it was.
bool Frame_Append(QByteArray& buffer, const QByteArray& bytes, int maxPending);
// Cuts the first complete line off the buffer, without its terminator.
bool Frame_TakeLine(QByteArray& buffer, QByteArray& line);
