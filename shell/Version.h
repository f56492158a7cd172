#pragma once
// The program's version, as the splash and About windows show it.
#include <QString>

inline constexpr int kVersionMajor = 9, kVersionMinor = 6, kVersionRevision = 0;

inline QString Version_Text() {
    return QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}
