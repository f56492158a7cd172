#include "platform/Settings.h"

#include <QSettings>
#include <QStandardPaths>

namespace platform {

QString SettingsFile(const QString& app) {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return dir + "/" + app + "/" + app + ".ini";
}

QString GetSetting(const QString& app, const QString& section, const QString& key, const QString& def) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    return s.value(section + "/" + key, def).toString();
}

void SaveSetting(const QString& app, const QString& section, const QString& key, const QString& value) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    s.setValue(section + "/" + key, value);
    s.sync();
}

void DeleteSetting(const QString& app, const QString& section, const QString& key) {
    QSettings s(SettingsFile(app), QSettings::IniFormat);
    s.remove(section + "/" + key);
    s.sync();
}

QString UserDataRoot() {
    // Without a home Qt falls back to the root folder, which is no place for a player's files.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.startsWith('/') && qEnvironmentVariable("HOME").isEmpty()) return QString();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

} // namespace platform
