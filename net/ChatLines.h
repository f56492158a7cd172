#pragma once
// Chat lines as text: the parts of a received line, its form, the line the
// conversation shows for it, the emoticon shortcuts, the peer's file names and
// the web addresses a line may be opened at. Pure: no state is touched.
#include <QString>

// A received chat line: the sender's counter, the speaker prefix ("Name: ") and the text.
struct ChatIn {
    int counter = 0;
    QString prefix;
    QString text;
};
// Splits the body of an SY message (what follows "SY "). From a peer of "74" or below
// the text is not split into a speaker and a text.
ChatIn Chat_Split(const QString& body, bool newPeer);

// What a received text asks for, tested in this order.
enum class ChatForm { OldSystem, Flow, Sound, Slap, Icon, Line };
ChatForm Chat_FormOf(const QString& text);

// An emote line "ICO <icon>!<text>": the icon's name and the text after the "!".
struct ChatIcon {
    QString icon;
    QString text;
};
ChatIcon Chat_IconParts(const QString& text);

// The line the conversation shows for a received chat line (icon: "" unless an emote line).
QString Chat_DisplayLine(const ChatIn& in, const QString& icon, bool newPeer, const QString& opponentName);

// The system speaker every program's own notices carry.
inline const QString kChatSystemPrefix = QStringLiteral("GRULM: ");
inline constexpr int kChatKeepMax = 4000;
inline constexpr int kChatKeepCut = 3700;
// The lines of the conversation the chat window shows at most.
inline constexpr int kChatShownLines = 500;
// The conversation with one more line; past its limit only the end remains.
QString Chat_Append(const QString& transcript, const QString& line);

// An emoticon shortcut typed in a line: the icon it picks and where it stands (-1: none).
struct ChatShortCut {
    QString icon;
    int at = -1;
};
ChatShortCut Chat_FindShortCut(const QString& text);
// The text without the three characters of the shortcut.
QString Chat_RemoveShortCut(const QString& text, const ChatShortCut& cut);

// True for a plain file name: no folder part, no parent reference, nothing a path could hide in.
bool Chat_PlainFileName(const QString& name);
// The file of that name in `folder`, letter case ignored; "" when the name is not plain
// or no such file is there.
QString Chat_FindFile(const QString& folder, const QString& name);

// The web address a conversation line begins with, after its speaker; "" when none.
// Only http and https addresses count.
QString Chat_LinkOf(const QString& line);
