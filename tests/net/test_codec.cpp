// Every message layout built and read back, the version gates, and refused lines.
#include "net/NetCodec.h"

#include <gtest/gtest.h>

namespace {

NetDecodeContext Remote(const char* peer = "96", int players = 2, int centers = 3) {
    NetDecodeContext c;
    c.host = false;
    c.peerVersion = QLatin1String(peer);
    c.numPlayers = players;
    c.numCenters = centers;
    return c;
}
NetDecodeContext Host(const char* peer = "96", int players = 4, int centers = 4) {
    NetDecodeContext c = Remote(peer, players, centers);
    c.host = true;
    return c;
}

TEST(NetCodec, BuildersWriteTheExactBytes) {
    EXPECT_EQ(Msg_IP(2), QByteArray("IP Vornhelm Online^ 9. 6. 0^ 2"));
    EXPECT_EQ(Msg_IP(-1), QByteArray("IP Vornhelm Online^ 9. 6. 0"));
    EXPECT_EQ(Msg_NM("Ada", true), QByteArray("NM Ada^Vornhelm Online 9.6"));
    EXPECT_EQ(Msg_NM("Ada", false), QByteArray("NM Ada"));
    EXPECT_EQ(Msg_Bare(kNetGS), QByteArray("GS"));
    EXPECT_EQ(Msg_Bare(kNetLost), QByteArray("GO"));
    EXPECT_EQ(Msg_DK(Net_FieldList({5, 17, 19, 0, -1, 0})), QByteArray("DK  5# 17# 19# 0#-1# 0#"));
    EXPECT_EQ(Msg_TR(2), QByteArray("TR  2"));
    EXPECT_EQ(Msg_PC(5, 2), QByteArray("PC  5# 2"));
    EXPECT_EQ(Msg_PC(3, 13), QByteArray("PC  3# 13"));
    EXPECT_EQ(Msg_RC({1, -1}), QByteArray("RC  1#-1#"));
    EXPECT_EQ(Msg_LO(4, 2, {"Bo", "Cy", "Di"}), QByteArray("LO  4  2|Bo|Cy|Di|"));
    EXPECT_EQ(Msg_LO(kLayoutTwoFour, 1, {}), QByteArray("LO  5  1"));
    EXPECT_EQ(Msg_SY(3, "hello"), QByteArray("SY  3#hello"));
    EXPECT_EQ(Msg_PK(true), QByteArray("PK True"));
}

TEST(NetCodec, IdentificationCarriesVersionAndSeat) {
    // Our own host's IP read by a remote: version 96, seat from the element.
    NetDecoded d = Net_Decode(Msg_IP(2), Remote());
    ASSERT_TRUE(d.ok) << d.refusal.toStdString();
    EXPECT_EQ(d.msg.version, "96");
    EXPECT_EQ(d.msg.seat, 2);
    EXPECT_EQ(d.msg.text, "Vornhelm Online");
    // The oldest programs send fewer than 19 characters.
    d = Net_Decode("IP Old program 12", Host());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.msg.version, "40");
    // The longer identification field moves the version code to characters 25 and 28.
    d = Net_Decode("IP Vornhelm Online 9.6^ 8. 1. 0", Host());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.msg.version, "81");
    EXPECT_EQ(d.msg.text, "Vornhelm Online 9.6");
    // A host of 74 or below sends no seat; a newer one must.
    EXPECT_TRUE(Net_Decode("IP Vornhelm Online^ 7. 4. 0", Remote()).ok);
    EXPECT_FALSE(Net_Decode("IP Vornhelm Online^ 9. 6. 0", Remote()).ok);
    EXPECT_FALSE(Net_Decode("IP Vornhelm Online^ 9. 6. 0^ 7", Remote()).ok);
    EXPECT_FALSE(Net_Decode("IP Vornhelm Online^ x. 6. 0^ 1", Remote()).ok);
}

TEST(NetCodec, NameWidthFollowsThePeersVersion) {
    EXPECT_EQ(Net_Decode(Msg_NM("Ada Lovelace", true), Remote("96")).msg.text, "Ada Lovelace");
    EXPECT_EQ(Net_Decode("NM Ada^Vornhelm Online", Remote("84")).msg.text, "Ada");
    EXPECT_EQ(Net_Decode("NM  Bob  ", Host()).msg.text, "Bob");
    EXPECT_FALSE(Net_Decode("NM ^x", Remote("96")).ok);
}

struct MoveCase {
    const char* line;
    int centers;
    bool ok;
    int from, to;
};

TEST(NetCodec, MovesAreCheckedAgainstTheSlotsTheyName) {
    const MoveCase cases[] = {
        {"PC  5# 2", 3, true, 5, 2},   {"PC  3# 13", 3, true, 3, 13},    {"PC  2# 16", 3, true, 2, 16},
        {"PC  1# 4", 4, true, 1, 4},   {"PC  1# 4", 3, false, 0, 0},     {"PC  9# 3", 3, true, 9, 3},
        {"PC  2# 8", 3, true, 2, 8},   {"PC  1# 8", 3, false, 0, 0},     {"PC  7# 12", 3, false, 0, 0},
        {"PC  11# 1", 3, false, 0, 0}, {"PC  0# 1", 3, false, 0, 0},     {"PC  2# 17", 3, false, 0, 0},
        {"PC  2 3", 3, false, 0, 0},   {"PC -32768#-1", 4, false, 0, 0},
    };
    for (const auto& c : cases) {
        const NetDecoded d = Net_Decode(c.line, Remote("96", 2, c.centers));
        EXPECT_EQ(d.ok, c.ok) << c.line;
        if (d.ok) {
            EXPECT_EQ(d.msg.num, c.from) << c.line;
            EXPECT_EQ(d.msg.to, c.to) << c.line;
        }
    }
    EXPECT_TRUE(Net_Decode("PC", Remote()).msg.bare);
}

TEST(NetCodec, LayoutsAndFirstSeats) {
    NetDecoded d = Net_Decode(Msg_LO(4, 2, {"Bo", "Cy", "Di"}), Remote());
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.msg.num, 4);
    EXPECT_EQ(d.msg.seat, 2);
    EXPECT_EQ(d.msg.names.mid(0, 3), QStringList({"Bo", "Cy", "Di"}));
    EXPECT_TRUE(Net_Decode("LO  5  1", Remote()).ok);
    EXPECT_FALSE(Net_Decode("LO  4  4|a|b|c|", Remote()).ok);
    EXPECT_FALSE(Net_Decode("LO  3  1|a", Remote()).ok);
    EXPECT_FALSE(Net_Decode("LO  6  1", Remote()).ok);
    EXPECT_FALSE(Net_Decode("LO  3  1 a|b|", Remote()).ok);
    EXPECT_EQ(Net_Decode("TR  3", Host("96", 3, 4)).msg.num, 3);
    EXPECT_FALSE(Net_Decode("TR  3", Remote()).ok);
    EXPECT_TRUE(Net_Decode("TR", Remote()).msg.bare);
}

TEST(NetCodec, EveryCodeIsKnownAndGarbageIsRefused) {
    const std::pair<const char*, int> known[] = {
        {"GS", kNetGS},       {"GO", kNetLost},    {"WT", kNetWT},        {"OK", kNetOK},
        {"RS", kNetRS},       {"EG", kNetEG},      {"DK  1# 2#", kNetDK}, {"RC  4#", kNetRC},
        {"SY  1#hi", kNetSY}, {"PK False", kNetPK}};
    for (const auto& [line, code] : known) {
        const NetDecoded d = Net_Decode(line, Remote());
        EXPECT_TRUE(d.ok) << line;
        EXPECT_EQ(d.msg.code, code) << line;
    }
    for (const char* bad : {"", "X", "ip", "ZZ 1", "DK 1#x#", "RC 1;2#", "SY no counter", "PK maybe"})
        EXPECT_FALSE(Net_Decode(bad, Remote()).ok) << bad;
    EXPECT_FALSE(Net_Decode("EG", Host("96", 3, 4)).ok); // only the host ends a game for all
    EXPECT_FALSE(Net_Decode("PK False", Remote()).msg.peeking);
    EXPECT_TRUE(Net_Decode("PK True", Remote()).msg.peeking);
}

TEST(NetCodec, VersionsCompareAsText) {
    EXPECT_TRUE(Version_Above("96", "74"));
    EXPECT_FALSE(Version_Above("74", "74"));
    EXPECT_TRUE(Version_Above("8", "74")); // text, as the peers have always compared
}

} // namespace
