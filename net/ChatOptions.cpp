// The chat window's options: logging the conversation, importing and exporting
// icons and sounds, help; and the chat's place in the network hooks.
// More of FrmChat, which frmChat.h declares.
#include "net/frmChat.h"

#include "common/Shared.h"
#include "engine/Flow.h"
#include "net/ChatProcess.h"
#include "net/ChatState.h"
#include "shell/MenuCommands.h"
#include "net/NetHooks.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "shell/Utilities.h"

#include <QCursor>
#include <QDateTime>
#include <QFileInfo>
#include <QMenu>

namespace {

constexpr int kChoiceFirst = 1; // start logging, or import
const QString kLogTitle = QStringLiteral("Chat Logging");

std::pair<QString, int> OptionsMenu() {
    QMenu menu;
    auto add = [](QMenu* m, const QString& text, const char* command, int item) {
        m->addAction(text)->setData(QStringList{QLatin1String(command), QString::number(item)});
    };
    QMenu* log = menu.addMenu(QStringLiteral("Log"));
    add(log, QStringLiteral("Start Logging"), "Log", 1);
    add(log, QStringLiteral("Stop Logging"), "Log", 2);
    QMenu* sound = menu.addMenu(QStringLiteral("Sound"));
    add(sound, QStringLiteral("Import Sound"), "Sound", 1);
    add(sound, QStringLiteral("Export Sound"), "Sound", 2);
    QMenu* icon = menu.addMenu(QStringLiteral("Icon"));
    add(icon, QStringLiteral("Import Picon"), "Icon", 1);
    add(icon, QStringLiteral("Export Picon"), "Icon", 2);
    add(&menu, QStringLiteral("Help"), "Help", 0);
    QAction* a = menu.exec(QCursor::pos());
    if (!a) return {};
    const QStringList d = a->data().toStringList();
    return {d.value(0), d.value(1).toInt()};
}

void LogBox(const QString& text) {
    platform::MsgBox(text, platform::vbInformation, kLogTitle);
}

QString DirOf(const QString& file) {
    return QFileInfo(file).absolutePath();
}

// Copies a file over whatever has its name there; false when it could not.
bool CopyOver(const QString& from, const QString& to) {
    if (QFileInfo(from).absoluteFilePath() == QFileInfo(to).absoluteFilePath()) return true;
    if (QFileInfo::exists(to)) QFile::remove(to);
    return QFile::copy(from, to);
}

void CopyFailed(const QString& file) {
    platform::MsgBox(QStringLiteral("The file could not be copied:\r\n") + file, platform::vbExclamation,
                     QStringLiteral("Vornhelm Online"));
}

void KeepLastDir(const QString& file) {
    const QString folder = DirOf(file);
    if (folder != GetLastDir()) SaveLastDir(folder);
}

} // namespace

ChatDialogsT ChatDialogs{OptionsMenu};

void ChatDialogs_Reset() {
    ChatDialogs.Options = OptionsMenu;
}

void FrmChat::lblOptions_Click() {
    const auto [command, item] = ChatDialogs.Options();
    if (!command.isEmpty()) Options_Chosen(command, item);
}

void FrmChat::Options_Chosen(const QString& command, int item) {
    if (command == QLatin1String("Log")) {
        if (item == kChoiceFirst)
            LogStart();
        else
            LogStop();
    } else if (command == QLatin1String("Icon") || command == QLatin1String("Sound")) {
        if (item == kChoiceFirst)
            ImportThis(command);
        else
            ExportThis(command);
    } else if (command == QLatin1String("Help")) {
        Hooks.ShowHelp(QStringLiteral("Keyword"), QStringLiteral("Chat Window"));
    }
}

void FrmChat::LogStart() {
    if (Com.NetGame == kNetGameConnecting) {
        LogBox(QStringLiteral(
            "Please wait until you are connected to your opponent, then start the chat logging."));
        return;
    }
    if (Chat.ChatLogOn) {
        LogBox(QStringLiteral("You've already started logging this conversation, remember?"));
        return;
    }
    QString folder = ReadSetting(kSetLog);
    if (folder.isEmpty() || !DirExists(folder)) folder = Com.DocsPath;
    // The name came over the network: what it proposes stays a plain file in that folder.
    QString name = FileNameCleaned(Chat_OpponentName());
    if (name.isEmpty()) name = QStringLiteral("Chat");
    const QString file =
        platform::Picks().SaveFile({QStringLiteral("Save Log to:"), folder, name + QStringLiteral(".txt"),
                                    QStringLiteral("Text Files (*.txt)")});
    if (file.isEmpty()) {
        platform::MsgBox(QStringLiteral("Logging Cancelled"), platform::vbInformation,
                         QStringLiteral("Log cancelled"));
        return;
    }
    if (DirOf(file) != folder) WriteSetting(kSetLog, DirOf(file));
    auto log = std::make_unique<QFile>(file);
    if (!log->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        platform::MsgBox(QStringLiteral("Unable to start logging"), platform::vbCritical,
                         QStringLiteral("Log failed"));
        return;
    }
    Chat.Log = std::move(log);
    Chat.ChatLogOn = true;
    LogBox(QStringLiteral("Logging Started"));
    const QDateTime now = QDateTime::currentDateTime();
    Chat_LogLine(QStringLiteral(" "));
    Chat_LogLine(now.date().toString(Qt::ISODate) + QStringLiteral(" ") + now.time().toString(Qt::ISODate) +
                 QStringLiteral(" Online with ") + Chat_OpponentName());
    Chat_LogLine(QStringLiteral(" "));
}

void FrmChat::LogStop() {
    if (!Chat.ChatLogOn) {
        LogBox(QStringLiteral("Logging wasn't on."));
        return;
    }
    if (Chat.Log) Chat.Log->close();
    Chat.Log.reset();
    Chat.ChatLogOn = false;
    LogBox(QStringLiteral("Logging Stopped"));
}

void FrmChat::ExportThis(const QString& kind) {
    const bool icon = kind == QLatin1String("Icon");
    const QString from = platform::Picks().OpenFile(
        {icon ? QStringLiteral("Export Icon: Select Icon") : QStringLiteral("Export Sound: Select WAV"),
         Com.UserPath + (icon ? QStringLiteral("Icons") : QStringLiteral("Sounds")), QString(),
         icon ? QStringLiteral("Picon Files (*.jpg *.gif *.bmp)") : QStringLiteral("Wav Sounds (*.wav)")});
    if (from.isEmpty()) return;
    const QString name = QFileInfo(from).fileName();
    const QString to = platform::Picks().SaveFile(
        {QStringLiteral("Export - choose folder to Export to"), GetLastDir(), name, QString()});
    if (to.isEmpty()) return;
    if (!CopyOver(from, to)) {
        CopyFailed(to);
        return;
    }
    KeepLastDir(to);
}

void FrmChat::ImportThis(const QString& kind) {
    const bool icon = kind == QLatin1String("Icon");
    const QString from = platform::Picks().OpenFile(
        {icon ? QStringLiteral("Import Icon") : QStringLiteral("Import Sound"), GetLastDir(), QString(),
         icon ? QStringLiteral("Pictures (*.jpg *.gif *.bmp)") : QStringLiteral("Wav Sounds (*.wav)")});
    if (from.isEmpty()) return;
    if (icon && !Picture_SizeOK(from, kIconLimit)) return;
    const QString to = Com.UserPath + (icon ? QStringLiteral("Icons/") : QStringLiteral("Sounds/")) +
                       QFileInfo(from).fileName();
    if (!CopyOver(from, to)) {
        CopyFailed(to);
        return;
    }
    if (icon)
        GetIconList();
    else
        GetSoundList();
    KeepLastDir(from);
}

void Chat_Install() {
    ChatDialogs_Reset();
    NetHooks.Net_ProcessChat = [](const QString& line, int socket) { Net_ProcessChat(line, socket); };
    NetHooks.ChatSendEnabled = [](bool enabled) { Chat_EnableSend(enabled); };
    Netl.Chat_EnableSend = [](bool enabled) { Chat_EnableSend(enabled); };
    NetHooks.ChatEntryEnable = [] { Chat_EnableEntry(true); };
    NetHooks.ChatWindow_Close = [] { Chat_Close(); };
    NetHooks.Chat_Open = [] { Chat_Open(); };
    NetHooks.Chat_SetTranscript = [](const QString& text) { Chat_SetTranscript(text); };
    MenuWin.IconsLoad = [] {
        if (ChatWindowExists()) frmChat().GetIconList();
    };
}
