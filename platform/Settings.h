#pragma once
// The per-user settings store: INI sections and keys under the user's config folder.
#include <QString>

namespace platform {
QString SettingsFile(const QString& app);
QString GetSetting(const QString& app, const QString& section, const QString& key,
                   const QString& def = QString());
void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value);
void DeleteSetting(const QString& app, const QString& section, const QString& key);
// The per-user data root (XDG data folder); "" when it cannot be named.
QString UserDataRoot();
} // namespace platform
