#pragma once
// Small services of the shell: the settings store, the shipped text records,
// embedded resources, file-name and picture checks, the browser, and the probes
// of the screen and the processor.
#include <QString>

// The settings store: application name, and section, key and default of each setting.
inline constexpr char kSettingsApp[] = "Vornhelm";
struct SettingKey {
    const char* section;
    const char* key;
    const char* def;
};
// Folder last used in an import or export dialog.
inline constexpr SettingKey kSetLastDir{"Settings10", "LastDir", ""};
// "1" shows the tip of the day at start-up.
inline constexpr SettingKey kSetShowTips{"Options10", "Show Tips at Startup", "1"};
// The next tip to show.
inline constexpr SettingKey kSetTipNumber{"Options10", "Tip Number", "0"};
// The chat log's folder.
inline constexpr SettingKey kSetLog{"Options10", "Log", ""};
// The install folder, written at every start-up.
inline constexpr SettingKey kSetStartupPath{"Startup", "Path", ""};

QString ReadSetting(const SettingKey& key);
void WriteSetting(const SettingKey& key, const QString& value);
bool ShowTipsAtStartup();
void SetShowTipsAtStartup(bool on);
int TipNumber();
void SetTipNumber(int number);

// The "LastDir" setting when it names an existing folder, else DocsPath.
QString GetLastDir();
void SaveLastDir(const QString& folder);

// The text-records file in the install folder's Data folder.
inline constexpr char kTextRecordsFile[] = "Tobrinel.ran";
// Records `first` to `last` of the text-records file, each trimmed and followed by
// one blank; "" for an empty range or a missing file.
QString ReadTextRecords(int first, int last);

// Writes the bytes of the embedded resource ":/<type>/<id>" to `path`; a missing
// resource or a failed write leaves it be, unreported.
void ResToFile(int id, const QString& type, const QString& path);

// True when a loaded window has exactly this name.
bool IsFormLoaded(const QString& name);

// True, after telling the user, when `name` holds a character a file name may not have.
bool BadFileName(const QString& name);
// The message of a refused file name.
void BadFileName_Tell();
// `name` without the characters a file name may not hold (those above and control
// characters), trimmed: a name that came from elsewhere, made fit to propose as a file's.
QString FileNameCleaned(const QString& name);

// Opens a web page or document with the desktop's default application; tells the
// user and gives false when that fails.
bool OpenURL(const QString& address);

// True when the screen runs at 96 logical dots per inch.
bool IsSmallFonts();

// The processor clock in MHz, 0 when unknown; with `setDefault` also sets AnimSteps by it.
int GetCPUSpeed(bool setDefault);
// The highest "cpu MHz" of a /proc/cpuinfo text, rounded; 0 when there is none.
int CpuMHzFromInfo(const QString& cpuinfo);
// Card-move animation steps for a processor clock.
int AnimStepsForMHz(int mhz);

// False, after telling the user, when the picture is wider or higher than `limit` pixels.
// Only the picture's header is read.
bool Picture_SizeOK(const QString& file, int limit);
