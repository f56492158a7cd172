#include "net/NetCodec.h"
#include "common/NetCodes.h"
#include "common/TextForm.h"
#include "platform/Text1252.h"

namespace {

// Characters at 1-based positions, as the layouts count them.
QString Mid(const QString& s, int pos, int len = -1) {
    if (pos - 1 >= s.size()) return QString();
    return s.mid(pos - 1, len);
}
QChar At(const QString& s, int pos) {
    return pos >= 1 && pos <= s.size() ? s.at(pos - 1) : QChar(' ');
}
bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
// The number fields of list messages hold number forms and "#" only.
bool IsFieldList(const QString& s) {
    for (QChar c : s)
        if (!IsDigit(c) && c != QLatin1Char(' ') && c != QLatin1Char('-') && c != QLatin1Char('#'))
            return false;
    return true;
}

NetDecoded Refuse(int code, const QString& why) {
    NetDecoded d;
    d.msg.code = code;
    d.refusal = why;
    return d;
}
NetDecoded Accept(NetMessage m) {
    NetDecoded d;
    d.ok = true;
    d.msg = std::move(m);
    return d;
}

NetDecoded DecodeIP(const QString& s, const NetDecodeContext& ctx) {
    NetMessage m;
    m.code = kNetIP;
    m.text = Mid(s, 4, kIdentShortWidth).trimmed();
    if (s.size() < 19) {
        m.version = QLatin1String(kVersionRanksOnly);
        return Accept(m);
    }
    if (IsDigit(At(s, 21))) {
        m.version = Mid(s, 21, 1).trimmed() + Mid(s, 24, 1).trimmed();
    } else {
        m.version = Mid(s, 25, 1).trimmed() + Mid(s, 28, 1).trimmed();
        m.text = Mid(s, 4, kIdentLongWidth).trimmed();
    }
    if (m.version.size() != 2 || !IsDigit(m.version[0]) || !IsDigit(m.version[1]))
        return Refuse(kNetIP, QStringLiteral("unreadable version code"));
    if (!ctx.host && Version_Above(m.version, kOldPeerVersion)) {
        const int caret = static_cast<int>(s.indexOf(QLatin1Char('^'), 23));
        const QChar digit = caret < 0 ? QChar(' ') : At(s, caret + 3);
        if (!IsDigit(digit)) return Refuse(kNetIP, QStringLiteral("no seat in the identification"));
        m.seat = digit.unicode() - '0';
        if (m.seat < 1 || m.seat > 3) return Refuse(kNetIP, QStringLiteral("seat out of range"));
    }
    return Accept(m);
}

NetDecoded DecodeNM(const QString& s, const NetDecodeContext& ctx) {
    NetMessage m;
    m.code = kNetNM;
    if (ctx.host || !s.contains(QLatin1Char('^'))) {
        m.text = Mid(s, 4).trimmed();
        return Accept(m);
    }
    const int width = Version_Above(ctx.peerVersion, kVersionShortIdent) ? 23 : 19;
    const int n = static_cast<int>(s.size()) - width;
    if (n < 0) return Refuse(kNetNM, QStringLiteral("identification field too short"));
    m.text = Mid(s, 4, n).trimmed();
    return Accept(m);
}

NetDecoded DecodeLO(const QString& s, const NetDecodeContext& ctx) {
    NetMessage m;
    m.code = kNetLO;
    if (ctx.host && Mid(s, 3).trimmed().isEmpty()) {
        // A remote's answer to a layout.
        m.bare = true;
        return Accept(m);
    }
    m.num = NumVal16(Mid(s, 4, 2));
    m.seat = NumVal16(Mid(s, 7, 2));
    const bool two = m.num == 2 || m.num == kLayoutTwoFour;
    if (!two && m.num != 3 && m.num != 4) return Refuse(kNetLO, QStringLiteral("players code out of range"));
    const int lastSeat = two ? 3 : m.num - 1;
    if (m.seat < 1 || m.seat > lastSeat) return Refuse(kNetLO, QStringLiteral("seat out of range"));
    if (two) return Accept(m);
    if (At(s, 9) != QLatin1Char('|')) return Refuse(kNetLO, QStringLiteral("no name list"));
    m.names = Mid(s, 10).split(QLatin1Char('|'));
    if (m.names.size() < m.num - 1) return Refuse(kNetLO, QStringLiteral("names missing"));
    return Accept(m);
}

// A move names a slot it may come from and a place it may go to.
bool MoveValid(int from, int to, int centers) {
    const bool hand = from >= kSlotHandFirst && from <= kSlotHandLast;
    if (from < kSlotSide || from > kSlotHoldLast) return false;
    if (to >= 1 && to <= centers) return true;
    if (to >= kSlotHoldFirst && to <= kSlotHoldLast) return hand;
    if (to >= kHandMoveBase + kSlotHandFirst && to <= kHandMoveBase + kSlotHandLast) return hand;
    return false;
}

NetDecoded DecodePC(const QString& s, const NetDecodeContext& ctx) {
    NetMessage m;
    m.code = kNetPC;
    if (Mid(s, 3).trimmed().isEmpty()) {
        m.bare = true;
        return Accept(m);
    }
    const int hash = static_cast<int>(s.indexOf(QLatin1Char('#')));
    if (hash < 0) return Refuse(kNetPC, QStringLiteral("no destination"));
    m.num = NumVal16(Mid(s, 4, 3));
    m.text = s.mid(hash + 1).trimmed();
    m.to = NumVal16(m.text);
    if (!MoveValid(m.num, m.to, ctx.numCenters)) return Refuse(kNetPC, QStringLiteral("move out of range"));
    return Accept(m);
}

NetDecoded DecodeText(int code, const QString& s) {
    NetMessage m;
    m.code = code;
    m.text = Mid(s, 4).trimmed();
    m.bare = m.text.isEmpty();
    if (!IsFieldList(m.text)) return Refuse(code, QStringLiteral("fields are not numbers"));
    return Accept(m);
}

NetDecoded DecodeTR(const QString& s, const NetDecodeContext& ctx) {
    NetMessage m;
    m.code = kNetTR;
    m.bare = Mid(s, 3).trimmed().isEmpty();
    m.num = NumVal16(Mid(s, 4, 2));
    if (!m.bare && (m.num < 1 || m.num > ctx.numPlayers))
        return Refuse(kNetTR, QStringLiteral("seat out of range"));
    return Accept(m);
}

NetDecoded DecodeChat(int code, const QString& s) {
    NetMessage m;
    m.code = code;
    if (code == kNetPK) {
        const QString v = Mid(s, 4);
        if (v != QLatin1String("True") && v != QLatin1String("False"))
            return Refuse(code, QStringLiteral("peek value is not True or False"));
        m.peeking = v == QLatin1String("True");
        return Accept(m);
    }
    const int hash = static_cast<int>(s.indexOf(QLatin1Char('#')));
    if (hash < 0) return Refuse(code, QStringLiteral("no chat counter"));
    m.num = NumVal16(Mid(s, 4, hash - 3));
    m.text = s.mid(hash + 1);
    return Accept(m);
}

NetDecoded Bare(int code, const QString& s) {
    NetMessage m;
    m.code = code;
    m.bare = true;
    if (code == kNetWT) m.num = NumVal16(Mid(s, 4, 1));
    return Accept(m);
}

} // namespace

NetDecoded Net_Decode(const QByteArray& line, const NetDecodeContext& ctx) {
    const QString s = platform::FromCp1252(line);
    const QString code = s.left(2);
    if (code == QLatin1String("IP")) return DecodeIP(s, ctx);
    if (code == QLatin1String("NM")) return DecodeNM(s, ctx);
    if (code == QLatin1String("LO")) return DecodeLO(s, ctx);
    if (code == QLatin1String("GS")) return Bare(kNetGS, s);
    if (code == QLatin1String("DK")) return DecodeText(kNetDK, s);
    if (code == QLatin1String("TR")) return DecodeTR(s, ctx);
    if (code == QLatin1String("GO")) return Bare(kNetLost, s);
    if (code == QLatin1String("PC")) return DecodePC(s, ctx);
    if (code == QLatin1String("WT")) return Bare(kNetWT, s);
    if (code == QLatin1String("OK")) return Bare(kNetOK, s);
    if (code == QLatin1String("RC")) return DecodeText(kNetRC, s);
    if (code == QLatin1String("RS")) return Bare(kNetRS, s);
    if (code == QLatin1String("EG")) {
        // Only the host ends a game for everyone.
        if (ctx.host) return Refuse(kNetEG, QStringLiteral("a remote cannot end the game"));
        return Bare(kNetEG, s);
    }
    if (code == QLatin1String("SY")) return DecodeChat(kNetSY, s);
    if (code == QLatin1String("PK")) return DecodeChat(kNetPK, s);
    return Refuse(kNetNone, QStringLiteral("unknown message code"));
}

namespace {
const char* CodeText(int code) {
    switch (code) {
    case kNetIP:
        return "IP";
    case kNetNM:
        return "NM";
    case kNetGS:
        return "GS";
    case kNetDK:
        return "DK";
    case kNetTR:
        return "TR";
    case kNetLost:
        return "GO";
    case kNetPC:
        return "PC";
    case kNetWT:
        return "WT";
    case kNetOK:
        return "OK";
    case kNetSY:
        return "SY";
    case kNetPK:
        return "PK";
    case kNetRC:
        return "RC";
    case kNetRS:
        return "RS";
    case kNetLO:
        return "LO";
    case kNetEG:
        return "EG";
    default:
        throw std::invalid_argument("no message code for this state");
    }
}
QByteArray Line(int code, const QString& rest) {
    return QByteArray(CodeText(code)) + ' ' + platform::ToCp1252(rest);
}
} // namespace

QByteArray Msg_Bare(int code) {
    return QByteArray(CodeText(code));
}
QByteArray Msg_IP(int element) {
    QString rest = QLatin1String(kIdentShort) + QLatin1Char('^') + QLatin1String(kMyVersion);
    if (element >= 0) rest += QLatin1Char('^') + NumStr(element);
    return Line(kNetIP, rest);
}
QByteArray Msg_NM(const QString& name, bool withIdent) {
    return Line(kNetNM, withIdent ? name + QLatin1Char('^') + QLatin1String(kIdentLong) : name);
}
QByteArray Msg_DK(const QString& deckText) {
    return Line(kNetDK, deckText);
}
QByteArray Msg_TR(int seat) {
    return Line(kNetTR, NumStr(seat));
}
QByteArray Msg_PC(int from, int to) {
    return Line(kNetPC, NumStr(from) + QLatin1Char('#') + NumStr(to));
}
QString Net_FieldList(const std::vector<int>& values) {
    QString s;
    for (int v : values)
        s += NumStr(v) + QLatin1Char('#');
    return s;
}
QByteArray Msg_RC(const std::vector<int>& fields) {
    return Line(kNetRC, Net_FieldList(fields));
}
QByteArray Msg_LO(int playersCode, int seat, const QStringList& names) {
    QString rest = NumStr(playersCode) + QLatin1Char(' ') + NumStr(seat);
    if (!names.isEmpty()) rest += QLatin1Char('|') + names.join(QLatin1Char('|')) + QLatin1Char('|');
    return Line(kNetLO, rest);
}
QByteArray Msg_SY(int counter, const QString& text) {
    return Line(kNetSY, NumStr(counter) + QLatin1Char('#') + text);
}
QByteArray Msg_PK(bool peeking) {
    return Line(kNetPK, peeking ? QStringLiteral("True") : QStringLiteral("False"));
}
