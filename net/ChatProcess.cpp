#include "net/ChatProcess.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "net/ChatLines.h"
#include "net/ChatState.h"
#include "net/NetHooks.h"
#include "net/NetMessage.h"
#include "net/NetRows.h"
#include "net/frmChat.h"
#include "platform/Services.h"
#include "table/Avatar.h"
#include "table/TableState.h"

#include <QImage>

namespace {

const QString kBusyLine = QStringLiteral("GRULM: So you want to play with us? Sorry I'm busy!");
const QString kQuitMark = QStringLiteral("Quit!^");

bool NewPeer() {
    return Version_Above(Com.PeerVersion, kOldPeerVersion);
}

void PlayAsync(const QString& path) {
    if (Com.SoundMode != kSoundsOff) platform::Svc().sound->PlayAsync(path);
}

void SetComment(const QString& text) {
    if (HasTableForm() && frmGrulm().Label9.Exists(kLblComment))
        frmGrulm().Label9(kLblComment).SetCaption(text);
}

void HideEmote() {
    if (HasTableForm()) frmGrulm().imgIcon.SetVisible(false);
}

void ShowEmote(const QString& icon) {
    // A picture the peer names is looked up by its plain name only.
    QString file = Chat_FindFile(Com.UserPath + QStringLiteral("Icons"), icon + QStringLiteral(".gif"));
    if (file.isEmpty())
        file = Chat_FindFile(Com.UserPath + QStringLiteral("Icons"), icon + QStringLiteral(".jpg"));
    const QImage picture = file.isEmpty() ? QImage() : QImage(file);
    if (picture.isNull() || !HasTableForm()) return;
    frmGrulm().imgIcon.SetPicture(picture);
    frmGrulm().imgIcon.SetVisible(true);
}

void SoundFromPeer(const ChatIn& in, bool newPeer) {
    const QString name = in.text.mid(4);
    const QString fileName = newPeer ? name : name + QStringLiteral(".wav");
    if (!Chat_PlainFileName(fileName)) return;
    QString label = QStringLiteral("Sound from ") + in.prefix + (newPeer ? name.left(name.size() - 4) : name);
    const QString file = Chat_FindFile(Com.UserPath + QStringLiteral("Sounds"), fileName);
    if (file.isEmpty()) label += kCrLf + QStringLiteral("(You don't have this sound)");
    SetComment(label);
    if (!file.isEmpty()) PlayAsync(file);
}

// The remote learns that the host is busy with someone else: its Internet game ends.
bool BusyRefusal(const QString& line) {
    if (Com.NetHost != 0 || !Com.PeerVersion.isEmpty() || !line.contains(kBusyLine)) return false;
    platform::MsgBox(QStringLiteral("You cannot join this game. The host is playing someone else."),
                     platform::vbCritical, QStringLiteral("Impossible"));
    NetHooks.NetCleanUp();
    Com.NetState = kNetNone;
    return true;
}

// Shows a chat line; false when the handling ends with it.
bool ShowLine(ChatIn& in, const QString& icon, bool newPeer) {
    if (newPeer && in.text.endsWith(kQuitMark)) {
        if (Com.NetHost == 0) Chat.QuitFlag = 1;
        in.text.chop(1);
    }
    const QString line = Chat_DisplayLine(in, icon, newPeer, Chat_OpponentName());
    Chat_AddLine(line);
    PlayAsync(Com.DataPath + (in.prefix == kChatSystemPrefix ? kSoundAlert : kSoundChatLine));
    if (BusyRefusal(line)) return false;
    if (Chat.QuitFlag == 1) {
        // Offered once: the lines that may still follow do not ask again.
        Chat.QuitFlag = 0;
        Pause(kQuitPause);
        NetHooks.Net_AskSaveEndedGame();
    }
    return true;
}

void PassOn(const ChatIn& in, const QString& received, int socket) {
    if (Com.NetHost != 1 || Com.NetGame < 2 || Com.NetGame == kNetGameConnecting) return;
    ++ChatCount();
    const QString text = received.isEmpty() ? in.text : received;
    Net_SendAllText(QStringLiteral("SY ") + NumStr(ChatCount()) + QLatin1Char('#') + in.prefix + text,
                    socket);
}

void ProcessSY(const QString& body, int socket) {
    const bool newPeer = NewPeer();
    ChatIn in = Chat_Split(body, newPeer);
    QString received; // an emote line goes on as it came
    switch (Chat_FormOf(in.text)) {
    case ChatForm::OldSystem:
        Chat_AddLine(in.text.mid(2));
        SetComment(in.text.mid(2));
        PlayAsync(Com.DataPath + kSoundAlert);
        break;
    case ChatForm::Flow:
        GameEndHooks.AnimateCardsFlow(0);
        break;
    case ChatForm::Sound:
        SoundFromPeer(in, newPeer);
        break;
    case ChatForm::Slap:
        if (HasTableForm()) AvatarSlap();
        SetComment(in.prefix + QStringLiteral("sent SLAP!"));
        break;
    case ChatForm::Icon: {
        received = in.text;
        const ChatIcon parts = Chat_IconParts(in.text);
        ShowEmote(parts.icon);
        in.text = parts.text;
        if (!ShowLine(in, parts.icon, newPeer)) return;
        break;
    }
    case ChatForm::Line:
        if (!ShowLine(in, QString(), newPeer)) return;
        break;
    }
    PassOn(in, received, socket);
}

void ProcessPK(bool peeking) {
    if (peeking) PlayAsync(Com.DataPath + kSoundJeer);
    if (HasTableForm()) {
        // The notices are wider than the label's place: it takes the size of its text.
        frmGrulm().LabelPeek.SetAutoSize(true);
        frmGrulm().LabelPeek.SetCaption(peeking ? QStringLiteral("Opponent is PEEKING!")
                                                : QStringLiteral("Opponent is not peeking now."));
        frmGrulm().LabelPeek.SetVisible(true);
    }
    Tbl.OppPeeking = peeking ? 1 : 0;
}

} // namespace

void Net_ProcessChat(const QString& line, int socket) {
    HideEmote();
    if (line.startsWith(QLatin1String("SY"))) {
        ProcessSY(line.mid(3), socket);
    } else if (line.startsWith(QLatin1String("PK"))) {
        ProcessPK(line.mid(3).trimmed() == QLatin1String("True"));
    }
}
