#pragma once
// Scripted peers on their own threads with blocking sockets: callers that join a host, and
// players that write every answer together with their next line in one write(), as a real
// opponent's TCP stack may hand them over.
#include "tests/net/ScriptedPeer.h"

#include <QByteArray>
#include <atomic>
#include <vector>

namespace joined {

// A caller at the host's `port` that identifies itself and gives its name: the two lines
// it read before, none when no one listens.
inline std::vector<QByteArray> Call(PeerSocket& p, int port, const QByteArray& name,
                                    const char* version = " 9. 6. 0") {
    std::vector<QByteArray> got;
    if (!p.Connect(port)) return got;
    got.push_back(p.Line());
    p.Send("IP Vornhelm Online^" + QByteArray(version) + "\n");
    got.push_back(p.Line());
    p.Send("NM " + name + "\n");
    return got;
}

// A number as the messages write it: one blank before it.
inline QByteArray Num(int n) {
    return ' ' + QByteArray::number(n);
}

// A seat's discard: hand card 2 onto hold pile 1 to 4 in turn, so no pile fills.
inline QByteArray Discard(int count) {
    return "PC " + Num(2) + '#' + Num(7 + count % 4) + '\n';
}

// Keeps the lines it read but chat and identification; `strange` the lines out of turn.
class Peer {
  public:
    Peer(QByteArray name, int players) : name_(std::move(name)), players_(players) {}
    virtual ~Peer() = default;
    std::vector<QByteArray> got, strange;
    int moves = 0; // the discards it sent, each answered by the end of its turn

    // Reacts until the other side closes, or the test lets go and nothing more comes.
    void Play(PeerSocket& p, const std::atomic<bool>& stop) {
        Begin(p);
        p.ReadTimeout(20);
        while (!p.Closed()) {
            const QByteArray line = p.Line();
            if (line.isEmpty()) {
                if (stop) break;
                continue;
            }
            const QByteArray code = line.left(2);
            if (code == "SY" || code == "PK" || code == "IP") continue;
            got.push_back(line);
            React(p, line, code, line.size() == 3);
        }
    }

  protected:
    virtual void Begin(PeerSocket&) {}
    virtual void React(PeerSocket& p, const QByteArray& line, const QByteArray& code, bool bare) = 0;
    int Next(int t) const { return t % players_ + 1; }
    // The program has this peer's move, a discard: the turn ends with OK, and `after` in
    // the same write.
    void MoveAnswered(PeerSocket& p, const QByteArray& line, const QByteArray& after = {}) {
        if (!awaitingPC_) strange.push_back(line);
        awaitingPC_ = false;
        awaitingOK_ = true;
        p.Send("OK\n" + after);
    }
    // True once, when the program answered the OK of this peer's turn.
    bool TurnOver(const QByteArray& code) {
        if (code != "OK" || !awaitingOK_) return false;
        awaitingOK_ = false;
        return true;
    }
    QByteArray Move() {
        awaitingPC_ = true;
        return Discard(moves++);
    }
    QByteArray Chat() { return "SY" + Num(++chat_) + '#' + name_ + ": on we go\n"; }

    QByteArray name_;
    int players_, turn_ = 0, chat_ = 0;
    bool awaitingPC_ = false, awaitingOK_ = false;
};

// A remote player at the program's table that only discards; `stray`, a line that asks
// nothing of the program, follows the OK of each of its turns and its answer to a move.
class DiscardingRemote : public Peer {
  public:
    DiscardingRemote(int seat, int players, QByteArray name, QByteArray stray = {})
        : Peer(std::move(name), players), seat_(seat), stray_(std::move(stray)) {}

  private:
    QByteArray MineOrChat() { return turn_ == seat_ ? Move() : Chat(); }
    void React(PeerSocket& p, const QByteArray& line, const QByteArray& code, bool bare) override {
        if (code == "RS" || code == "EG") return;
        if (code == "TR") {
            const int k = line.mid(3).trimmed().toInt();
            turn_ = players_ == 2 ? 3 - k : k; // a two-player table is told in the remote's own numbering
            p.Send("TR\n" + MineOrChat());
        } else if (code == "PC" && bare) {
            MoveAnswered(p, line, stray_);
        } else if (TurnOver(code)) {
            turn_ = Next(turn_);
        } else if (code == "OK") { // another seat's turn is over: the next one's move goes with the answer
            turn_ = Next(turn_);
            p.Send("OK\n" + MineOrChat());
        } else if (QByteArrayList{"GS", "DK", "LO", "PC", "WT", "RC"}.contains(code)) {
            // Another seat's move: the stray goes with the answer as well.
            p.Send(code + '\n' + (code == "PC" ? stray_ : QByteArray()) + Chat());
        } else {
            strange.push_back(line);
        }
    }

    int seat_;
    QByteArray stray_;
};

// The host of the program's table: it deals `stock` (a whole DK line), names `first` to
// begin (host numbering), and plays every seat but the program's (`mine`) by discards.
// It ends the game with EG when the program has won, or once the program has ended `turns` turns.
class DealingHost : public Peer {
  public:
    DealingHost(int players, int mine, int first, QByteArray stock, int turns)
        : Peer("Hosta", players), mine_(mine), first_(first), stock_(std::move(stock)), turns_(turns) {}
    int programTurns = 0;
    bool won = false;

  private:
    void Begin(PeerSocket& p) override { p.Send("GS\n"); }
    void MoveFrom(PeerSocket& p, int seat) {
        turn_ = seat;
        if (seat != mine_) p.Send(Move());
    }
    void React(PeerSocket& p, const QByteArray& line, const QByteArray& code, bool bare) override {
        if (over_) return;
        if (code == "GS") {
            p.Send(stock_);
        } else if (code == "DK") {
            p.Send("TR " + Num(players_ == 2 ? 3 - first_ : first_) + '\n');
        } else if (code == "TR") {
            MoveFrom(p, first_);
        } else if (code == "PC" && bare) {
            MoveAnswered(p, line);
        } else if (TurnOver(code)) {
            MoveFrom(p, Next(turn_));
        } else if (code == "PC") {
            lastTo_ = line.mid(line.indexOf('#') + 1).trimmed().toInt();
            p.Send("PC\n" + Chat());
        } else if (code == "WT") {
            p.Send("WT\n" + Chat());
        } else if (code == "OK") {
            ++programTurns;
            won = lastTo_ >= 1 && lastTo_ <= 4; // a play to a center pile ended the turn: no side card left
            over_ = won || programTurns >= turns_;
            turn_ = Next(mine_);
            p.Send("OK\n" + (over_ ? QByteArray("EG\n") : turn_ != mine_ ? Move() : QByteArray()));
        } else {
            strange.push_back(line);
        }
    }

    int mine_, first_;
    QByteArray stock_;
    int turns_, lastTo_ = 0;
    bool over_ = false;
};

} // namespace joined
