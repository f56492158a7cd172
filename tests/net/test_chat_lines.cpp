// Chat lines as text: the parts and forms of a received line, the shown line, the
// emoticon shortcuts, the peer's file names and the web addresses.
#include "net/ChatLines.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

TEST(ChatLines, ReceivedLinesSplitIntoSpeakerAndTextAndTakeTheirForm) {
    struct Case {
        const char* body;
        bool newPeer;
        const char* prefix;
        const char* text;
        ChatForm form;
    };
    const Case cases[] = {
        {" 12#Kara: hello there", true, "Kara: ", "hello there", ChatForm::Line},
        {" 3#$-GRULM: Host has restarted this game.", true, "GRULM: ", "Host has restarted this game.",
         ChatForm::Line},
        {" 3#$-Grulm: This is NOT a secure saved game.", true, "GRULM: ", "This is NOT a secure saved game.",
         ChatForm::Line},
        {" 1#$-GRULM: You're being watched.", false, "", "$-GRULM: You're being watched.",
         ChatForm::OldSystem},
        {" 4#Kara: <smack>take that", true, "Kara: ", "<smack>take that", ChatForm::Slap},
        {" 4#Kara: <slap>", true, "Kara: ", "<slap>", ChatForm::Slap},
        {" 4#Kara: <SLAP> and more", true, "Kara: ", "<SLAP> and more", ChatForm::Line},
        {" 5#Kara: WAV Boing.wav", true, "Kara: ", "WAV Boing.wav", ChatForm::Sound},
        {" 6#Kara: ICO Wink!see you", true, "Kara: ", "ICO Wink!see you", ChatForm::Icon},
        {" 7#Kara: klomb", true, "Kara: ", "klomb", ChatForm::Flow},
        {" 8#Kara: https://example.org", true, "Kara: ", "https://example.org", ChatForm::Line},
        {" 9#  no speaker  ", true, "", "no speaker", ChatForm::Line},
        {" 2#hello: old", false, "", "hello: old", ChatForm::Line},
    };
    for (const Case& c : cases) {
        const ChatIn in = Chat_Split(QString::fromLatin1(c.body), c.newPeer);
        EXPECT_EQ(in.prefix, QLatin1String(c.prefix)) << c.body;
        EXPECT_EQ(in.text, QLatin1String(c.text)) << c.body;
        EXPECT_EQ(Chat_FormOf(in.text), c.form) << c.body;
    }
    EXPECT_EQ(Chat_Split(" 12#x", true).counter, 12);
}

TEST(ChatLines, ShownLinesCarryTheSpeakerThePictureMarkOrTheOpponentsName) {
    const ChatIn in = Chat_Split(" 6#Kara: ICO Wink!see you", true);
    const ChatIcon icon = Chat_IconParts(in.text);
    EXPECT_EQ(icon.icon, "Wink");
    EXPECT_EQ(icon.text, "see you");
    EXPECT_EQ(Chat_DisplayLine({0, in.prefix, icon.text}, icon.icon, true, "Opp"),
              "Kara: PIC <Wink> see you");
    EXPECT_EQ(Chat_DisplayLine(in, QString(), true, "Opp"), "Kara: ICO Wink!see you");
    EXPECT_EQ(Chat_DisplayLine(Chat_Split(" 2#hi there", false), QString(), false, "Opp"), "Opp: hi there");
    EXPECT_EQ(Chat_IconParts("ICO Sad").icon, "Sad");
    EXPECT_EQ(Chat_IconParts("ICO Sad").text, "");
}

TEST(ChatLines, AShortcutIsRemovedWhereItMatched) {
    struct Case {
        const char* typed;
        const char* icon;
        const char* left;
    };
    const Case cases[] = {
        {";-) see you", "Wink", " see you"},
        {"see you ;-)", "Wink", "see you "},
        // The first ">" and the first ":" of the text are not the shortcut's.
        {"a > b >:O grr", "Angry", "a > b  grr"},
        {"Note: great :-D", "Grinning", "Note: great "},
        {"x: :-[ oops", "Embarrassed", "x:  oops"},
        {"time: 5 :-} hehe", "Mischievous", "time: 5  hehe"},
        {"lost :-(", "Sad", "lost "},
        {"please :-p", "Begging", "please "},
        {"sniff :'(", "Crying", "sniff "},
        {"wink ;-) and grin :-D", "Wink", "wink  and grin :-D"},
    };
    for (const Case& c : cases) {
        const ChatShortCut cut = Chat_FindShortCut(QLatin1String(c.typed));
        EXPECT_EQ(cut.icon, QLatin1String(c.icon)) << c.typed;
        EXPECT_EQ(Chat_RemoveShortCut(QLatin1String(c.typed), cut), QLatin1String(c.left)) << c.typed;
    }
    const ChatShortCut none = Chat_FindShortCut("plain: text :-x");
    EXPECT_EQ(none.at, -1);
    EXPECT_EQ(Chat_RemoveShortCut("plain: text :-x", none), "plain: text :-x");
}

TEST(ChatLines, APeersFileNameIsLookedUpOnlyAsAPlainNameInItsFolder) {
    TestHome home;
    const QString dir = home.Path() + "/Sounds";
    QDir().mkpath(dir);
    QDir().mkpath(home.Path() + "/secret");
    for (const QString& f : {dir + "/Boing.wav", home.Path() + "/secret/key.wav"}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(Chat_FindFile(dir, "boing.WAV"), dir + "/Boing.wav");
    EXPECT_EQ(Chat_FindFile(dir, "Whistle.wav"), "");
    for (const char* bad : {"../secret/key.wav", "..", ".", "", "/etc/passwd", "..\\secret\\key.wav",
                            "C:key.wav", "sub/Boing.wav", "Boing.wav\n"}) {
        EXPECT_FALSE(Chat_PlainFileName(QLatin1String(bad))) << bad;
        EXPECT_EQ(Chat_FindFile(dir, QLatin1String(bad)), "") << bad;
    }
    EXPECT_TRUE(Chat_PlainFileName("my sound..wav"));
}

TEST(ChatLines, OnlyAnHttpAddressThatBeginsTheTextIsALink) {
    EXPECT_EQ(Chat_LinkOf("Kara: https://example.org/page?a=1 have a look"), "https://example.org/page?a=1");
    EXPECT_EQ(Chat_LinkOf("Kara: HTTP://EXAMPLE.ORG"), "HTTP://EXAMPLE.ORG");
    EXPECT_EQ(Chat_LinkOf("http://example.org"), "http://example.org");
    EXPECT_EQ(Chat_LinkOf("Kara: file:///home/kara/.ssh/id_rsa"), "");
    EXPECT_EQ(Chat_LinkOf("Kara: javascript:alert(1)"), "");
    EXPECT_EQ(Chat_LinkOf("Kara: HTTPS is nice"), "");
    EXPECT_EQ(Chat_LinkOf("Kara: look at http://example.org"), "");
}

TEST(ChatLines, ALongConversationKeepsItsEnd) {
    const QString before(3990, QLatin1Char('x'));
    const QString after = Chat_Append(before, "Kara: the newest line");
    EXPECT_EQ(after.size(), kChatKeepCut);
    EXPECT_TRUE(after.endsWith("\r\nKara: the newest line"));
    EXPECT_EQ(Chat_Append("a", "b"), "a\r\nb");
}

} // namespace
