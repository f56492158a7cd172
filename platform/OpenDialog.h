#pragma once
// The open-file dialog: one file that exists, read-only box hidden.
#include <QString>
#include <functional>

namespace platform {

// Filter in the "Description|*.a;*.b" form the game uses. Gives the chosen file's
// full path, "" when the dialog was left.
QString OpenFileName(const QString& title, const QString& filter, const QString& folder);

// Tests answer the dialog through this; empty runs the real one.
extern std::function<QString(const QString& title, const QString& filter, const QString& folder)> OpenFileScript;

} // namespace platform
