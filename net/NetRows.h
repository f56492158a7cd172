#pragma once
// The host's connection rows as the network code reads them.
#include "common/Shared.h"

#include <QString>

inline const QString kCrLf = QStringLiteral("\r\n");

// The row of a socket element; a bad element throws rather than reading past the rows.
inline NetSocketRow& Row(int e) {
    return Com.NetSockets.at(static_cast<size_t>(e));
}
