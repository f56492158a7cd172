#pragma once
// Peers that write every answer together with their next line in one write(), as a
// real opponent's TCP stack may hand them over: a remote player that only discards, and
// a host that deals and plays its own seat and its other remotes' seats by discards.
// Each runs on its own thread with a blocking socket and keeps what it read and wrote.
#include "tests/net/ScriptedPeer.h"

#include <QByteArray>
#include <atomic>
#include <map>
#include <vector>

namespace joined {

// A number as the messages write it: one blank before it.
inline QByteArray Num(int n) {
    return ' ' + QByteArray::number(n);
}

// A seat's discard: hand card 2 onto hold pile 1 to 4 in turn, so no pile fills.
inline QByteArray Discard(int count) {
    return "PC " + Num(2) + '#' + Num(7 + count % 4) + '\n';
}

class Peer {
  public:
    Peer(QByteArray name, int players) : name_(std::move(name)), players_(players) {}
    std::vector<QByteArray> got, writes, strange;

  protected:
    int Next(int t) const { return t % players_ + 1; }
    // The program has this peer's move, a discard: the turn ends with OK.
    void MoveAnswered(PeerSocket& p, const QByteArray& line) {
        if (!awaitingPC_) strange.push_back(line);
        awaitingPC_ = false;
        awaitingOK_ = true;
        Write(p, "OK\n");
    }
    // The program answered this peer's OK: true once, when that turn is over.
    bool TurnOver(const QByteArray& code) {
        if (code != "OK" || !awaitingOK_) return false;
        awaitingOK_ = false;
        return true;
    }
    void Write(PeerSocket& p, const QByteArray& bytes) {
        writes.push_back(bytes);
        p.Send(bytes);
    }
    QByteArray Chat() { return "SY" + Num(++chat_) + '#' + name_ + ": on we go\n"; }
    // Reads and reacts until the other side closes, or the test lets go and nothing more comes.
    template <typename React> void Run(PeerSocket& p, const std::atomic<bool>& stop, React react) {
        p.ReadTimeout(20);
        while (!p.Closed()) {
            const QByteArray line = p.Line();
            if (line.isEmpty()) {
                if (stop) break;
                continue;
            }
            got.push_back(line);
            const QByteArray code = line.left(2);
            if (code == "SY" || code == "PK" || code == "IP") continue;
            react(p, line, code, line.size() == 3);
        }
    }

    QByteArray name_;
    int players_;
    int chat_ = 0;
    bool awaitingPC_ = false, awaitingOK_ = false;
};

// A remote player at the program's table that only discards.
class DiscardingRemote : public Peer {
  public:
    DiscardingRemote(int seat, int players, QByteArray name) : Peer(std::move(name), players), seat_(seat) {}
    int discards = 0;

    void Play(PeerSocket& p, const std::atomic<bool>& stop) {
        Run(p, stop, [this](PeerSocket& s, const QByteArray& line, const QByteArray& code, bool bare) {
            React(s, line, code, bare);
        });
    }

  private:
    QByteArray Mine() {
        awaitingPC_ = true;
        return Discard(discards);
    }

    void React(PeerSocket& p, const QByteArray& line, const QByteArray& code, bool bare) {
        if (code == "RS" || code == "EG") return;
        if (code == "TR") {
            const int k = line.mid(3).trimmed().toInt();
            // A two-player table is told in the remote's own numbering.
            turn_ = players_ == 2 ? (k == 1 ? 2 : 1) : k;
            Write(p, "TR\n" + (turn_ == seat_ ? Mine() : Chat()));
        } else if (code == "PC" && bare) {
            MoveAnswered(p, line);
        } else if (TurnOver(code)) {
            ++discards;
            turn_ = Next(turn_);
        } else if (code == "OK") {
            // Another seat's turn is over: when the next is this one, its move goes with the answer.
            turn_ = Next(turn_);
            Write(p, "OK\n" + (turn_ == seat_ ? Mine() : Chat()));
        } else if (code == "GS" || code == "DK" || code == "LO" || code == "PC" || code == "WT" ||
                   code == "RC") {
            Write(p, code + '\n' + Chat());
        } else {
            strange.push_back(line);
        }
    }

    int seat_, turn_ = 0;
};

// The host of the program's table: it deals `stock` (a whole DK line), names `first` to
// begin (host numbering), and plays every seat but the program's (`mine`) by discards.
// It ends the game with EG when the program has won, or once the program has ended
// `turns` turns.
class DealingHost : public Peer {
  public:
    DealingHost(int players, int mine, int first, QByteArray stock, int turns)
        : Peer("Hosta", players), mine_(mine), first_(first), stock_(std::move(stock)), turns_(turns) {}
    int programTurns = 0;
    bool won = false;

    void Play(PeerSocket& p, const std::atomic<bool>& stop) {
        Write(p, "GS\n");
        Run(p, stop, [this](PeerSocket& s, const QByteArray& line, const QByteArray& code, bool bare) {
            React(s, line, code, bare);
        });
    }

  private:
    QByteArray Move(int seat) {
        awaitingPC_ = true;
        return Discard(moves_[seat]++);
    }

    void React(PeerSocket& p, const QByteArray& line, const QByteArray& code, bool bare) {
        if (over_) return;
        if (code == "GS") {
            Write(p, stock_);
        } else if (code == "DK") {
            Write(p, "TR " + Num(players_ == 2 ? (first_ == 1 ? 2 : 1) : first_) + '\n');
        } else if (code == "TR") {
            turn_ = first_;
            if (turn_ != mine_) Write(p, Move(turn_));
        } else if (code == "PC" && bare) {
            MoveAnswered(p, line);
        } else if (TurnOver(code)) {
            turn_ = Next(turn_);
            if (turn_ != mine_) Write(p, Move(turn_));
        } else if (code == "PC") {
            lastTo_ = line.mid(line.indexOf('#') + 1).trimmed().toInt();
            Write(p, "PC\n" + Chat());
        } else if (code == "WT") {
            Write(p, "WT\n" + Chat());
        } else if (code == "OK") {
            ++programTurns;
            // An OK after a play to a center pile: the program's side pile is empty.
            won = lastTo_ >= 1 && lastTo_ <= 4;
            over_ = won || programTurns >= turns_;
            turn_ = Next(mine_);
            Write(p, "OK\n" + (over_ ? QByteArray("EG\n") : turn_ != mine_ ? Move(turn_) : QByteArray()));
        } else {
            strange.push_back(line);
        }
    }

    int mine_, first_;
    QByteArray stock_;
    int turns_, turn_ = 0, lastTo_ = 0;
    std::map<int, int> moves_;
    bool over_ = false;
};

} // namespace joined
