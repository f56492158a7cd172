#pragma once
// The answers and messages of an Internet game, counted as each line is handled. A peer
// may send an answer and its next message in one write, and both are handled before a
// wait looks again: so a wait asks whether its own exchange was answered, or whether
// the message it awaits was received, never what the last line was.
#include <array>

// The NetState values, 0 to 16.
inline constexpr int kNetKinds = 17;
// Socket elements 0 to 4, one bit each in a set of answerers.
inline constexpr int kNetPeers = 5;

// A message sent to the peers and the bare answers it awaits, one from each answerer.
class Exchange {
  public:
    // Every awaited peer has answered.
    bool Answered() const;
    // A later exchange took its place, or the peers ended the game: nothing completes it any more.
    bool Closed() const;

  private:
    friend Exchange Net_Open(int kind, unsigned answerers);
    explicit Exchange(int id) : id_(id) {}
    int id_;
};

// Who answers a message from here: the host on a remote's program; on the host every
// seated player but `except` (the mover, whose own message is being passed on).
unsigned Net_Answerers(int except = -1);
// Opens the exchange of a message about to be sent; the one before it is closed.
// NetAckCount starts at 1, the sender.
Exchange Net_Open(int kind, unsigned answerers);
// The latest exchange is of this kind and has every answer.
bool Net_KindAnswered(int kind);
// The peers whose answer the open exchange still awaits (for test doubles of the peers).
unsigned Net_Awaited();

// The kind of the answer the open exchange still awaits from `element` (kNetNone for none).
int Net_AwaitedKind(int element);

// A line of `kind` from `element` (`bare`: without fields) would be counted as an answer
// the open exchange still awaits.
bool Net_Awaits(int kind, int element, bool bare);

// A line of `kind` from `element` being handled (`bare`: without fields). An answer the
// open exchange awaits is counted for it; any other line is a message, kept for the wait
// that takes it. True for an answer.
bool Net_Handle(int kind, int element, bool bare);

// Takes one received message of `kind` (from `element`, or from anyone with -1); false
// while none has come.
bool Net_Take(int kind, int element = -1);

// A message of `kind` that was refused as damaged, and the wait for that kind taking the
// news (once); kept as received messages are.
void Net_Refused(int kind);
bool Net_TakeRefused(int kind);
// A remote's line of the host's that no mover owes, kept aside: no wait takes it for news
// but the one that asks for it (the host's OK to reshuffle a stalemate may follow its OK to
// the last discard). A turn that passes forgets it.
void Net_Repeated(int kind);
bool Net_TakeRepeated(int kind);

// What had been received when a wait or a flow began.
class NetMark {
  public:
    // A message of this kind was received since.
    bool Heard(int kind) const;
    // The peers have ended or replaced the running game since: a player left, the host
    // ended the game, started a new one, changed the table or sent a snapshot.
    bool Ended() const;

  private:
    friend NetMark Net_Mark();
    std::array<int, kNetKinds> heard_{};
};
NetMark Net_Mark();

// A game flow of this program begins (a deal, a resume): from now on, a leave, the host's
// end of the game, a new game, layout or snapshot from the peers replaces it.
void Net_GameBegins();
// The peers have ended or replaced the game since the flow began: nothing of it goes on.
bool Net_GameReplaced();

// A player whose leave waits (a game is being won): the exchanges opened meanwhile await
// nothing from it, and a message to all passes it by. Released, it is a player again.
void Net_HoldLeave(int element);
bool Net_LeaveHeld(int element);
// The elements held, which are held no more.
unsigned Net_ReleaseLeaves();

// Forgets every exchange and every kept message (a new connection, a test).
void Exchange_Reset();

// A message of `kind` from `element` received and not yet taken.
bool Net_Kept(int kind, int element);

// The moves of an Internet game as its lines show them: the seat whose moves may come now
// (in this program's numbering; 0 between games) and the kinds that may come from it next,
// one bit per kind. The turn passes with the mover's OK, this program's own with the OK it
// sends, so a mover who answers and moves in one write is heard in turn.
int Lines_Mover();
unsigned Lines_Due();
// The first turn of a game dealt, resumed or restored.
void Lines_TurnBegins(int seat);
// This program's own turn passes to the next seat: its OK is about to go out.
void Lines_TurnPasses();
// A message taken from the seat on turn, or a start or end of a game: what may come next.
// `from` and `to` are a move's source and destination.
void Lines_Taken(int kind, int from = 0, int to = 0);
// A remote: the start message it awaits from the host next (DK, TR, RS or none).
// The line that asks for it is the next one sent: lines received before it cannot answer it.
void Lines_Expect(int kind);
int Lines_Expected();
// Counts the questions asked (exchanges opened, start messages expected): the lines that
// ask them are the next ones sent, and lines received before them answer none of them.
int Lines_AskSerial();
// A remote: the start its DEAL press answers (GS or RC), taken once; none when nothing awaits it.
int Lines_TakeDealAnswer();
// A new game begins: nothing kept for the one before is taken, no move is due.
void Lines_GameBegins();
