#include "net/Recover.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "engine/TurnOrder.h"
#include "net/NetCleanUp.h"
#include "net/NetCodec.h"
#include "net/NetHooks.h"
#include "net/Snapshot.h"
#include "net/SnapshotOld.h"
#include "platform/Services.h"
#include "platform/Text1252.h"
#include "shell/MenuCommands.h"

namespace {

// The deal button and the saved-game code wait while a snapshot is on its way.
struct RecoverPendingScope {
    ~RecoverPendingScope() { Com.RecoverPending = 0; }
};

bool OldPeer() {
    return Version_AtMost(Com.PeerVersion, kOldPeerVersion);
}

QString RecoverNotice() {
    QString notice;
    if (Menu.RestartSend) {
        notice = QStringLiteral("GRULM: Host has restarted this game.");
        Menu.RestartSend = false;
    } else {
        QString name;
        if (NetHooks.SecureSaveTaken(name))
            notice = QStringLiteral("GRULM: This is a secure saved game, saved as: ") + name;
        else
            notice = QStringLiteral("GRULM: This is NOT a secure saved game.");
    }
    if (Version_Above(Com.PeerVersion, kOldPeerVersion)) notice.prepend(QStringLiteral("$-"));
    return notice;
}

int TurnForPeer() {
    if (!OldPeer()) return Com.Pturn;
    return Com.Pturn == 1 ? 2 : 1;
}

void ShowResumed() {
    TableForm& f = frmGrulm();
    f.StatusMsg.SetVisible(false);
    f.Stacks_ShowCounts(true);
    if (Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundDeal));
    f.Table_Redraw();
    f.Label9(kLblNotice).SetCaption(QString());
}

void Resume() {
    if (Com.Pturn >= 2) {
        Hooks.ComputerTurn();
    } else if (Com.Pturn == 1) {
        TableForm& f = frmGrulm();
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
    }
}

void RefuseDamaged(const QString& sender, const QString& why) {
    platform::MsgBox(QStringLiteral("The game sent by ") + sender + QStringLiteral(" is damaged (") + why +
                         QStringLiteral(").\r\nThe Internet game has ended."),
                     platform::vbExclamation, QStringLiteral("Vornhelm Internet Game"));
    Com.NetDeck.clear();
    Com.RecoverPending = 0;
    // The game on the table ends here too: a deal or refill under way stops at its next question.
    Table_GameOver();
    // The host hears the end as a player's leaving, not as a silence to wait out.
    ++Menu.ChatCount;
    Net_Farewell(Menu.ChatCount);
    NetHooks.NetCleanUp();
}
} // namespace

void Net_RefuseDamaged(const QString& why) {
    RefuseDamaged(QStringLiteral("the host"), why);
}

void Net_RefuseDamagedFrom(int element, const QString& why) {
    if (Com.NetHost == 0) return Net_RefuseDamaged(why);
    const QString name = Com.NetSockets.at(static_cast<size_t>(element)).Name.trimmed();
    RefuseDamaged(name.isEmpty() ? QStringLiteral("a player") : name, why);
}

void SendRecover() {
    RecoverPendingScope pending;
    Net_GameBegins();
    TableForm& f = frmGrulm();
    // Who went first was the old deal's news: the game sent resumes where it stands.
    f.Label9(kLblComment).SetCaption(QString());
    f.StatusMsg.SetCaption(QStringLiteral("Waiting for opponent"));
    f.StatusMsg.SetVisible(true);
    ++Menu.ChatCount;
    Net_SendAllText(platform::FromCp1252(Msg_SY(Menu.ChatCount, RecoverNotice())));
    std::vector<int> fields{TurnForPeer()};
    if (OldPeer()) {
        if (!SendRecoverOld(fields)) return;
    } else {
        if (!Net_Wait(NetHooks.Net_SendLayout())) return;
        const std::vector<int> rest = Snapshot_Fields(Snapshot_Capture());
        fields.insert(fields.end(), rest.begin() + 1, rest.end());
    }
    Com.NetDeck = QStringLiteral("RC ") + Net_FieldList(fields);
    const Exchange rc = Net_Open(kNetRC, Net_Answerers());
    Net_SendAllText(Com.NetDeck);
    f.Label9(kLblNotice).SetCaption(QStringLiteral("WAITING for Opponent"));
    const bool answered = Net_Wait(rc);
    Com.NetDeck.clear();
    if (!answered) return;
    Net_SendAllText(QStringLiteral("RS"));
    ShowResumed();
    Com.RecoverPending = 0;
    Resume();
}

bool GetRecover() {
    const auto fields = Snapshot_Numbers(Com.NetDeck);
    if (!fields || fields->empty()) {
        Net_RefuseDamaged(QStringLiteral("a field is not a number"));
        return false;
    }
    // The snapshot is the game from now on, whether it is applied or refused as damaged.
    Game_Begin(true);
    if (OldPeer()) {
        QString why;
        if (!GetRecoverOld(*fields, &why)) {
            Net_RefuseDamaged(why);
            return false;
        }
        Com.RecoverPending = 1;
        WhosOnFirst();
        Com.Pturn = Eng.TurnOrder(1);
        Com.NetDeck.clear();
        Hooks.Rules_ShowCaption();
        TableForm& f = frmGrulm();
        f.ImgTurn1.SetVisible(Com.Pturn == 1);
        f.ImgTurn2.SetVisible(Com.Pturn != 1);
        if (Com.Pturn == 1) f.Piles_EnableRange(f.Picture7, true, 1, 10);
        f.Table_Redraw();
        return true;
    }
    QString why;
    const auto snapshot = Snapshot_Decode(Com.NetDeck, &why);
    if (!snapshot) {
        Net_RefuseDamaged(why);
        return false;
    }
    Snapshot_Apply(*snapshot);
    return true;
}
