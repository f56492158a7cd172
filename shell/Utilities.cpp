#include "shell/Utilities.h"
#include "common/Records.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "platform/Controls.h"
#include "platform/RecordFile.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "shell/Folders.h"
#include "shell/ImageHeader.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include <algorithm>
#include <cmath>

QString ReadSetting(const SettingKey& key) {
    return platform::GetSetting(kSettingsApp, key.section, key.key, key.def);
}

void WriteSetting(const SettingKey& key, const QString& value) {
    platform::SaveSetting(kSettingsApp, key.section, key.key, value);
}

bool ShowTipsAtStartup() {
    return NumVal16(ReadSetting(kSetShowTips)) == 1;
}

void SetShowTipsAtStartup(bool on) {
    WriteSetting(kSetShowTips, on ? "1" : "0");
}

int TipNumber() {
    return NumVal16(ReadSetting(kSetTipNumber));
}

void SetTipNumber(int number) {
    WriteSetting(kSetTipNumber, QString::number(number));
}

QString GetLastDir() {
    const QString dir = ReadSetting(kSetLastDir);
    return !dir.isEmpty() && DirExists(dir) ? dir : Com.DocsPath;
}

void SaveLastDir(const QString& folder) {
    WriteSetting(kSetLastDir, folder);
}

QString ReadTextRecords(int first, int last) {
    if (first > last) return QString();
    platform::RecordFile file;
    if (!file.OpenReadOnly(Com.AppPath + "/Data/" + kTextRecordsFile, TextRecord::kSize)) return QString();
    QString out;
    for (int i = first; i <= last; ++i)
        out += TextRecord::Decode(file.Read(i)).Text + ' ';
    return out;
}

void ResToFile(int id, const QString& type, const QString& path) {
    QFile res(QStringLiteral(":/%1/%2").arg(type).arg(id));
    if (!res.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = res.readAll();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    out.write(bytes);
}

bool IsFormLoaded(const QString& name) {
    return platform::Form::IsLoaded(name);
}

namespace {
// What a file name of the game may not hold.
const QString kFileNameForbidden = QStringLiteral("!\"*./:<>?\\|");
} // namespace

bool BadFileName(const QString& name) {
    if (std::none_of(kFileNameForbidden.begin(), kFileNameForbidden.end(),
                     [&](QChar c) { return name.contains(c); }))
        return false;
    BadFileName_Tell();
    return true;
}

QString FileNameCleaned(const QString& name) {
    QString s;
    for (QChar c : name)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F && !kFileNameForbidden.contains(c)) s += c;
    return s.trimmed();
}

void BadFileName_Tell() {
    platform::MsgBox(QStringLiteral("Please do not use the following characters:  \n"
                                    "/ \\ : * . ? ! < > | \"\n"
                                    "Please re-enter."),
                     platform::vbCritical, QStringLiteral("Non-standard filename character"));
}

bool OpenURL(const QString& address) {
    const bool ok = QDesktopServices::openUrl(QUrl::fromUserInput(address));
    if (!ok) platform::MsgBox(QStringLiteral("Unable to launch default browser"));
    return ok;
}

bool IsSmallFonts() {
    return platform::Svc().screen->LogicalDpiX() == 96;
}

int CpuMHzFromInfo(const QString& cpuinfo) {
    int best = 0;
    // The clock of an idle core may be scaled down, so the fastest core counts.
    for (const QString& line : cpuinfo.split('\n')) {
        if (!line.startsWith(QLatin1String("cpu MHz"))) continue;
        const qsizetype colon = line.indexOf(':');
        if (colon < 0) continue;
        bool ok = false;
        const double mhz = line.mid(colon + 1).trimmed().toDouble(&ok);
        if (ok && mhz > 0 && mhz < 1e6) best = std::max(best, static_cast<int>(std::lround(mhz)));
    }
    return best;
}

int AnimStepsForMHz(int mhz) {
    if (mhz < 850) return 20;
    if (mhz < 1800) return 45;
    if (mhz < 2400) return 70;
    return 95;
}

int GetCPUSpeed(bool setDefault) {
    QFile file(QStringLiteral("/proc/cpuinfo"));
    QString info;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) info = QString::fromLatin1(file.readAll());
    const int mhz = CpuMHzFromInfo(info);
    if (setDefault) Com.AnimSteps = AnimStepsForMHz(mhz);
    return mhz;
}

bool Picture_SizeOK(const QString& file, int limit) {
    clsGetSize header;
    header.ReadImageInfo(file);
    const int width = header.Width();
    const int height = header.Height();
    if (width <= limit && height <= limit) return true;
    platform::MsgBox(QStringLiteral("Picture is too large: W %1 x H %2\n"
                                    "Please use pictures sized under %3 x %3 pixels.")
                         .arg(width)
                         .arg(height)
                         .arg(limit),
                     platform::vbCritical, QStringLiteral("Image Rejected"));
    return false;
}
