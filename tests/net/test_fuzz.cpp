// Random and mutated lines through the decoder, the message entry and the
// framing: nothing crashes, a refused line changes nothing, no byte is lost.
#include "common/Shared.h"
#include "engine/Model.h"
#include "net/NetCodec.h"
#include "net/NetFraming.h"
#include "net/NetMessage.h"
#include "net/NetState.h"
#include "tests/support/TestSupport.h"

#include <deque>
#include <random>

namespace {

const QByteArray kSeeds[] = {
    "IP Vornhelm Online^ 9. 6. 0^ 2",
    "IP Vornhelm Online^ 7. 4. 0",
    "IP short",
    "NM Ada^Vornhelm Online 9.6",
    "LO  4  2|Bo|Cy|Di|",
    "LO  3  1|a|b|",
    "LO  5  1",
    "GS",
    "DK  1# 2# 3#",
    "TR  2",
    "GO",
    "PC  5# 2",
    "PC  3# 13",
    "WT",
    "OK",
    "RC  1#-1#",
    "RS",
    "EG",
    "SY  2#hi",
    "PK True",
};

QByteArray Mutate(QByteArray s, std::mt19937& rng) {
    std::uniform_int_distribution<int> op(0, 5), byte(0, 255);
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int k = 0; k < edits; ++k) {
        const int at = s.isEmpty() ? 0 : static_cast<int>(rng() % static_cast<unsigned>(s.size()));
        switch (op(rng)) {
        case 0:
            if (!s.isEmpty()) s[at] = static_cast<char>(byte(rng));
            break;
        case 1:
            s.insert(at, static_cast<char>(byte(rng)));
            break;
        case 2:
            s.remove(at, 1 + static_cast<int>(rng() % 3));
            break;
        case 3:
            s.insert(at, "#^|-9 ");
            break;
        case 4:
            s.truncate(at);
            break;
        default:
            s.insert(at, QByteArray::number(static_cast<int>(rng()) % 100000));
            break;
        }
    }
    s.replace('\n', ' ');
    return s;
}

QByteArray RandomLine(std::mt19937& rng) {
    QByteArray s(static_cast<int>(rng() % 40), '\0');
    for (auto& c : s)
        c = static_cast<char>(rng() % 256);
    if (s.size() >= 2 && rng() % 2) s.replace(0, 2, kSeeds[rng() % std::size(kSeeds)].left(2));
    s.replace('\n', ' ');
    return s;
}

struct FuzzState {
    int state, num, seat, game, players, centers, side;
    QString text, peer, seat2;
    bool operator==(const FuzzState&) const = default;
};
FuzzState Take() {
    return {Com.NetState,   Com.NetNum,   Com.NetSeat, Com.NetGame,     Com.NumPlayers,
            Com.NumCenters, Com.SideSize, Com.NetText, Com.PeerVersion, Eng.Seat2Rec.RecName};
}

class NetFuzz : public GameTest {};

// Lines travel in random chunks through the framing before they are decoded.
TEST_F(NetFuzz, AMillionLinesThroughFramingDecoderAndEntry) {
    svc.boxes->onUnexpected = nullptr; // old programs' notices are answered with OK
    std::mt19937 rng(20261209);
    std::deque<QByteArray> sent;
    QByteArray stream, buffer, line;
    int refused = 0, taken = 0;
    for (int i = 0; i < 1000000; ++i) {
        sent.push_back(i % 3 == 0 ? RandomLine(rng) : Mutate(kSeeds[rng() % std::size(kSeeds)], rng));
        stream += sent.back() + '\n';
        if (rng() % 8 != 0) continue;
        for (int at = 0; at < stream.size();) {
            const int len = 1 + static_cast<int>(rng() % 64);
            ASSERT_TRUE(Frame_Append(buffer, stream.mid(at, len), kMaxPendingLine));
            at += len;
            while (Frame_TakeLine(buffer, line)) {
                ASSERT_EQ(line, sent.front());
                sent.pop_front();
                ++taken;
                Com.NetHost = static_cast<int>(rng() % 2);
                Com.NetGame = 1;
                Com.PeerVersion = rng() % 4 ? QStringLiteral("96") : QStringLiteral("74");
                if (taken % 8 != 0) {
                    (void)Net_Decode(line, Net_Context());
                    continue;
                }
                const FuzzState before = Take();
                if (Net_ParseMessage(line, static_cast<int>(rng() % 5)) == kNetRefused) {
                    ++refused;
                    ASSERT_TRUE(Take() == before) << line.toStdString();
                }
                if (svc.boxes->shown.size() > 1000) svc.boxes->shown.clear();
                Com.NumPlayers = 2 + static_cast<int>(rng() % 3);
                Com.NumCenters = Com.NumPlayers > 2 ? 4 : 3;
            }
        }
        stream.clear();
    }
    EXPECT_GT(taken, 990000);
    EXPECT_GT(refused, 1000);
    Net_Reset();
}

TEST(NetFraming, SplitJoinedAndOversizedChunksLoseNoByte) {
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        QByteArray stream;
        for (int n = static_cast<int>(rng() % 6); n >= 0; --n)
            stream += kSeeds[rng() % std::size(kSeeds)] + '\n';
        stream += "PC  5"; // a line still in flight
        QByteArray buffer, out, line;
        for (int at = 0; at < stream.size();) {
            const int len = 1 + static_cast<int>(rng() % 12);
            ASSERT_TRUE(Frame_Append(buffer, stream.mid(at, len), kMaxPendingLine));
            at += len;
            while (Frame_TakeLine(buffer, line)) {
                ASSERT_FALSE(line.contains('\n'));
                out += line + '\n';
            }
        }
        EXPECT_EQ(out + buffer, stream);
        EXPECT_EQ(buffer, QByteArray("PC  5"));
    }
    QByteArray buffer("GS\nDK  1#");
    const QByteArray flood(kMaxPendingLine, '7');
    EXPECT_FALSE(Frame_Append(buffer, flood, kMaxPendingLine));
    EXPECT_EQ(buffer, QByteArray("GS\nDK  1#")); // left as it was
    EXPECT_TRUE(Frame_Append(buffer, "\n" + flood.left(kMaxPendingLine - 1) + "\n", kMaxPendingLine));
}

} // namespace
