#pragma once
// Tells the player, once per run and file, that a file the game keeps could not be written.
#include <QString>

void SaveFailed_Warn(const QString& path, const QString& reason);
