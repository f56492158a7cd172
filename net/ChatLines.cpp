#include "net/ChatLines.h"
#include "common/TextForm.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool StartsCi(const QString& s, const char* head) {
    return s.startsWith(QLatin1String(head), Qt::CaseInsensitive);
}

const QString kOldSystemMark = QStringLiteral("$-GRULM:");

} // namespace

ChatIn Chat_Split(const QString& body, bool newPeer) {
    ChatIn in;
    const qsizetype hash = body.indexOf(QLatin1Char('#'));
    in.counter = NumVal16(body.left(hash < 0 ? 0 : hash));
    in.text = body.mid(hash + 1).trimmed();
    if (!newPeer) return in;
    const qsizetype colon = in.text.indexOf(QLatin1Char(':'));
    if (colon < 0) return in;
    in.prefix = in.text.left(colon + 2);
    in.text = in.text.mid(colon + 2);
    if (in.prefix.left(kOldSystemMark.size()).compare(kOldSystemMark, Qt::CaseInsensitive) == 0)
        in.prefix = kChatSystemPrefix;
    return in;
}

ChatForm Chat_FormOf(const QString& text) {
    if (StartsCi(text, "$-GRULM:")) return ChatForm::OldSystem;
    if (StartsCi(text, "KLOMB")) return ChatForm::Flow;
    if (StartsCi(text, "WAV ")) return ChatForm::Sound;
    if (StartsCi(text, "<SMACK>") || text.compare(QLatin1String("<SLAP>"), Qt::CaseInsensitive) == 0)
        return ChatForm::Slap;
    if (StartsCi(text, "ICO ")) return ChatForm::Icon;
    return ChatForm::Line;
}

ChatIcon Chat_IconParts(const QString& text) {
    const QString rest = text.mid(4);
    const qsizetype bang = rest.indexOf(QLatin1Char('!'));
    if (bang < 0) return {rest, QString()};
    return {rest.left(bang), rest.mid(bang + 1)};
}

QString Chat_DisplayLine(const ChatIn& in, const QString& icon, bool newPeer, const QString& opponentName) {
    if (!newPeer) return opponentName + QStringLiteral(": ") + in.text;
    if (icon.isEmpty()) return in.prefix + in.text;
    return in.prefix + QStringLiteral("PIC <") + icon + QStringLiteral("> ") + in.text;
}

QString Chat_Append(const QString& transcript, const QString& line) {
    QString all = transcript + QStringLiteral("\r\n") + line;
    if (all.size() > kChatKeepMax) all = all.right(kChatKeepCut);
    return all;
}

ChatShortCut Chat_FindShortCut(const QString& text) {
    struct Rule {
        const char* icon;
        std::initializer_list<const char*> marks;
    };
    static const Rule rules[] = {{"Wink", {";-)"}},           {"Angry", {">:0", ">:O", ">:o"}},
                                 {"Grinning", {":-D"}},       {"Embarrassed", {":-["}},
                                 {"Mischievous", {":-}"}},    {"Sad", {":-("}},
                                 {"Begging", {":-P", ":-p"}}, {"Crying", {":'("}}};
    for (const Rule& r : rules)
        for (const char* mark : r.marks) {
            const qsizetype at = text.indexOf(QLatin1String(mark));
            if (at >= 0) return {QLatin1String(r.icon), static_cast<int>(at)};
        }
    return {};
}

QString Chat_RemoveShortCut(const QString& text, const ChatShortCut& cut) {
    if (cut.at < 0) return text;
    return text.left(cut.at) + text.mid(cut.at + 3);
}

bool Chat_PlainFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) return false;
    for (const QChar c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 32)
            return false;
    return true;
}

QString Chat_FindFile(const QString& folder, const QString& name) {
    if (!Chat_PlainFileName(name)) return QString();
    const QDir dir(folder);
    for (const QString& f : dir.entryList(QDir::Files))
        if (f.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(f);
    return QString();
}

QString Chat_LinkOf(const QString& line) {
    QString rest = line;
    const qsizetype colon = line.indexOf(QStringLiteral(": "));
    const bool atStart = StartsCi(rest, "http://") || StartsCi(rest, "https://");
    if (!atStart && colon >= 0) rest = line.mid(colon + 2);
    if (!StartsCi(rest, "http://") && !StartsCi(rest, "https://")) return QString();
    qsizetype end = 0;
    while (end < rest.size() && !rest.at(end).isSpace())
        ++end;
    return rest.left(end);
}
