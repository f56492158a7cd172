#include "media/SoundChooser.h"
#include "common/Shared.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/PersonPack.h"
#include "media/Persons.h"
#include "platform/Services.h"

#include <QDir>
#include <QFile>

namespace {

QString SoundsFolder() {
    return Com.UserPath + "Sounds/";
}

// "Wild Card -P" becomes "WildCardP": a caption as part of a file name.
QString FilePart(const char* caption) {
    QString out;
    for (QChar c : QString::fromLatin1(caption))
        if (c.isLetterOrNumber()) out += c;
    return out;
}

} // namespace

bool ChatSounds_Install(const QString& name) {
    if (!Media_PlainFileName(name) || !PersonPack_Has(name)) return false;
    bool found = false;
    const Personality rec = Person_Record(name, &found);
    if (!found) return false;
    PersonPack_Install(name, rec);
    QDir().mkpath(SoundsFolder());
    for (int i = 1; i <= kPersonSounds; ++i) {
        const QString file = Media_FindNoCase(SoundsFolder(), rec.Sounds(0, i));
        if (file.isEmpty()) continue;
        const QString to = SoundsFolder() + FilePart(kPersonSoundCaptions[i]) + "-" + name + ".pmw";
        if (!QFile::exists(to)) Media_CopyFile(SoundsFolder() + file, to, nullptr);
    }
    return true;
}

void ChatSounds_Remove(const QString& name) {
    if (!Media_PlainFileName(name)) return;
    const QDir dir(SoundsFolder());
    for (const QString& f : dir.entryList({"*" + name + ".pmw"}, QDir::Files))
        QFile::remove(dir.filePath(f));
}

void InstallPersonalitySounds(QStringList picked) {
    picked = picked.mid(0, kChatSoundPersons);
    for (int i = 1; i <= kChatSoundPersons; ++i) {
        QString& have = Med.ChatSoundPersons(i);
        if (have.isEmpty()) continue;
        const qsizetype at = picked.indexOf(have);
        if (at >= 0) {
            picked[at].clear(); // already installed
            continue;
        }
        ChatSounds_Remove(have);
        have.clear();
    }
    for (const QString& name : picked) {
        if (name.isEmpty()) continue;
        for (int i = 1; i <= kChatSoundPersons; ++i) {
            if (!Med.ChatSoundPersons(i).isEmpty()) continue;
            Med.ChatSoundPersons(i) = name;
            break;
        }
        if (!ChatSounds_Install(name))
            platform::MsgBox(QStringLiteral("This personality has not been installed. No sounds available."),
                             platform::vbInformation, QStringLiteral("Missing Person"));
    }
}
