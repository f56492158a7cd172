// The chat window's sending side: the entry box and its send button, the quick
// phrases, the icon and sound lists, the emoticon shortcuts and the small buttons.
// More of FrmChat, which frmChat.h declares.
#include "net/frmChat.h"

#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "net/ChatLines.h"
#include "net/ChatState.h"
#include "net/NetMessage.h"
#include "net/NetRows.h"
#include "platform/Services.h"
#include "shell/Utilities.h"
#include "table/Avatar.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

namespace {

constexpr int kFontStep = 2;

bool SendStartsCi(const QString& s, const char* head) {
    return s.startsWith(QLatin1String(head), Qt::CaseInsensitive);
}
bool PeerAtMost(const char* gate) {
    return Version_AtMost(Com.PeerVersion, gate);
}

QString Folder(const char* name) {
    return Com.UserPath + QLatin1String(name);
}

void PlayOwn(const QString& fileName) {
    const QString file = Chat_FindFile(Folder("Sounds"), fileName);
    if (!file.isEmpty() && Com.SoundMode != kSoundsOff) platform::Svc().sound->PlayAsync(file);
}

QString IconFile(const QString& name) {
    const QString gif = Chat_FindFile(Folder("Icons"), name + QStringLiteral(".gif"));
    return gif.isEmpty() ? Chat_FindFile(Folder("Icons"), name + QStringLiteral(".jpg")) : gif;
}

// A notice in the conversation that is not part of what was said: not logged.
void Notice(const QString& text) {
    Chat.Transcript = Chat_Append(Chat.Transcript, text);
    Chat_ShowLine(text);
}

void ShowListAbove(QListWidget* list, QPushButton* button) {
    const QPoint at = button->mapTo(list->parentWidget(), QPoint(0, 0));
    list->move(at.x(), std::max(0, at.y() - list->height()));
    list->show();
    list->raise();
}

} // namespace

QString FrmChat::ShortCutCheck(const QString& text) {
    if (PeerAtMost(kVersionNoEmotes)) return text;
    const ChatShortCut cut = Chat_FindShortCut(text);
    if (cut.at < 0) return text;
    const auto found = lstIcons->findItems(cut.icon, Qt::MatchFixedString);
    // Without its icon the shortcut stays as typed rather than vanish.
    if (found.isEmpty()) return text;
    lstIcons_Click(lstIcons->row(found.first()));
    return Chat_RemoveShortCut(text, cut);
}

void FrmChat::Command1_Click() {
    const QString typed = Text2->text().trimmed();
    if (typed.isEmpty() && !IconOn) return;
    if (Com.NetGame == kNetGameConnecting) {
        platform::MsgBox(QStringLiteral("You have to be connected to your opponent first!"),
                         platform::vbCritical, QStringLiteral("Vornhelm Online"));
        return;
    }
    ChatLine = ShortCutCheck(typed);
    ++ChatCount();
    if (IconOn) {
        Text2->setText(QStringLiteral("PIC <") + IconName + QStringLiteral("> ") + ChatLine);
        ChatLine = QStringLiteral("ICO ") + IconName + QLatin1Char('!') + ChatLine;
        IconShow(QString(), false);
    }
    if (ChatLine == QLatin1String("<SLAP>")) ChatLine = QStringLiteral("<SMACK>");
    const QString entry = Text2->text().trimmed();
    if (Version_Above(Com.PeerVersion, kOldPeerVersion)) {
        if (SendStartsCi(entry, "WAV ")) ChatLine = QStringLiteral("WAV ") + ChatSoundFile;
        ChatLine = Com.PlayerName + QStringLiteral(": ") + ChatLine;
    }
    const QString message = QStringLiteral("SY ") + NumStr(ChatCount()) + QLatin1Char('#') + ChatLine;
    if (Com.NetHost != 1)
        Net_SendText(message, 1);
    else
        Net_SendAllText(message, 0);
    if (Com.NetGame == 0) {
        Unload();
        return;
    }
    Chat_AddLine(DisplayLine(entry));
    Text2->clear();
}

QString FrmChat::DisplayLine(const QString& entry) {
    if (SendStartsCi(entry, "WAV ")) {
        ChatSoundName = entry.mid(4).trimmed();
        PlayOwn(ChatSoundFile);
        QString line = QStringLiteral("Sent: WAV ") + ChatSoundName;
        const QString opp = Chat_OpponentName();
        if (PeerAtMost(kVersionNoChatSounds))
            line += kCrLf + QStringLiteral(">>> ") + opp +
                    QStringLiteral(" can't hear the sound you are playing. Feature only works with v.7+");
        else if (PeerAtMost(kOldPeerVersion) &&
                 ChatSoundFile.endsWith(QLatin1String(".pmw"), Qt::CaseInsensitive))
            line += kCrLf + QStringLiteral(">>> ") + opp +
                    QStringLiteral(" can't hear personality sounds. Feature only works with v.7.5+");
        return line;
    }
    if (SendStartsCi(entry, "<SMACK>")) {
        if (HasTableForm()) AvatarSlap();
        return QStringLiteral("Sent: Smack Slap! (Ouch!) ");
    }
    if (SendStartsCi(entry, "<SLAP>")) return QStringLiteral("Sent: You slapped your opponent! ");
    return Com.PlayerName + QStringLiteral(": ") + entry;
}

void FrmChat::CmdChat_Click(int index) {
    lstIcons->hide();
    lstWavs->hide();
    if (index >= 1 && index <= kQuickPhrases) Text2->setText(Eng.SeatComments(index));
}

void FrmChat::lstIcons_Click(int row) {
    lstIcons->hide();
    if (row < 0 || row >= lstIcons->count()) return;
    const QString name = lstIcons->item(row)->text();
    if (name == QLatin1String("(refresh)")) {
        GetIconList();
        return;
    }
    if (row == 0) return;
    IconShow(IconFile(name), true);
    IconOn = true;
    IconName = name;
    if (Com.NetGame != kNetGameConnecting && Com.NetGame != 0 && PeerAtMost(kVersionNoEmotes))
        Notice(QStringLiteral(">>> ") + Chat_OpponentName() +
               QStringLiteral(" can't see the picture you are sending. Feature only works with v.8.2+"));
}

void FrmChat::lstWavs_Click(int row) {
    IconShow(QString(), false);
    if (lstWavs->isHidden()) return;
    lstWavs->hide();
    if (row < 0 || row >= lstWavs->count()) return;
    const QString name = lstWavs->item(row)->text();
    if (name == QLatin1String("(refresh)")) {
        GetSoundList();
        return;
    }
    if (row == 0) return;
    if (name.compare(QLatin1String("SLAP"), Qt::CaseInsensitive) == 0) {
        Text2->setText(QStringLiteral("<SLAP>"));
        PlayOwn(QStringLiteral("slap.wav"));
    } else {
        Text2->setText(QStringLiteral("WAV ") + name);
    }
    const bool wav = lstWavs->item(row)->data(Qt::UserRole).toInt() == 1;
    ChatSoundFile = name + (wav ? QStringLiteral(".wav") : QStringLiteral(".pmw"));
    if (Com.NetGame == kNetGameConnecting) {
        PlayOwn(ChatSoundFile);
        return;
    }
    Command1_Click();
}

void FrmChat::cmdIcon_Click() {
    lstWavs->hide();
    ShowListAbove(lstIcons, cmdIcon);
}

void FrmChat::cmdShowSounds_Click() {
    lstIcons->hide();
    ShowListAbove(lstWavs, cmdShowSounds);
}

void FrmChat::cmdText_Click(int index) {
    const double step = index == 0 ? kFontStep : -kFontStep;
    for (QWidget* w : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Text2)}) {
        QFont f = w->font();
        f.setPointSizeF(std::max(4.0, f.pointSizeF() + step));
        w->setFont(f);
    }
}

void FrmChat::cmdSize_Click() {
    const double by = sizeState_ ? kChatGrow : kChatShrink;
    SetClientSizePx(static_cast<int>(Window()->width() * by), static_cast<int>(Window()->height() * by));
    sizeState_ = !sizeState_;
}

void FrmChat::cmdOnTop_Click() {
    OnTop(onTopState_);
    SetPin(onTopState_ ? 0 : 1);
    onTopState_ = !onTopState_;
}

void FrmChat::Text2_Backspace() {
    if (IconOn && Text2->text().isEmpty()) IconShow(QString(), false);
}

void FrmChat::Text1_LinkClicked(const QString& address) {
    const QString scheme = QUrl(address).scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) OpenURL(address);
}
