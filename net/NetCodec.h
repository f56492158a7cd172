#pragma once
#include "common/PeerVersion.h"
// The text messages of an Internet game: the builders of every layout and the
// one decoder that turns a received line into a typed message, or the reason it
// is refused. Neither touches any state.
#include "common/NetCodes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// This program's version text and the two-character code the peers compare.
inline constexpr const char* kMyVersion = " 9. 6. 0";
inline constexpr const char* kMyVersionCode = "96";
// The identification field of IP and of the host's NM, in the widths the layouts fix.
inline constexpr const char* kIdentShort = "Vornhelm Online";
inline constexpr const char* kIdentLong = "Vornhelm Online 9.6";
inline constexpr int kIdentShortWidth = 15;
inline constexpr int kIdentLongWidth = 19;
// Card slots and destinations a move may name.
inline constexpr int kSlotSide = 1, kSlotHandFirst = 2, kSlotHandLast = 6, kSlotHoldFirst = 7,
                     kSlotHoldLast = 10, kHandMoveBase = 10;
// The players code of two players at four center piles.
inline constexpr int kLayoutTwoFour = 5;

// What the decoder needs to know of the receiving program.
struct NetDecodeContext {
    bool host = false;
    QString peerVersion; // the code of the program already connected
    int numPlayers = 2;
    int numCenters = 3;
};

// A received message; which fields are set depends on `code`.
struct NetMessage {
    int code = kNetNone;
    QString text; // IP identification, NM name, DK/RC fields, PC destination text, SY line
    int num = 0;  // PC source, WT digit, TR seat, LO players code, SY counter
    int to = 0;   // PC destination
    bool bare = false;
    QString version;   // IP: the sender's version code
    int seat = 0;      // IP from the host, LO: the receiver's seat minus 1
    QStringList names; // LO: names of host seats 2, 3, 4
    bool peeking = false;
};

struct NetDecoded {
    bool ok = false;
    NetMessage msg;
    QString refusal; // why a line was refused (empty when ok)
};

// Decodes one line without its terminator.
NetDecoded Net_Decode(const QByteArray& line, const NetDecodeContext& ctx);

// Builders. Each returns the message without its terminator.
QByteArray Msg_Bare(int code);
QByteArray Msg_IP(int element); // element < 0: a remote's own IP, without element
QByteArray Msg_NM(const QString& name, bool withIdent);
QByteArray Msg_DK(const QString& deckText);
QByteArray Msg_TR(int seat);
QByteArray Msg_PC(int from, int to);
QByteArray Msg_RC(const std::vector<int>& fields);
QByteArray Msg_LO(int playersCode, int seat, const QStringList& names);
QByteArray Msg_SY(int counter, const QString& text);
QByteArray Msg_PK(bool peeking);
// The fields of a list message: every value in number form followed by "#".
QString Net_FieldList(const std::vector<int>& values);
