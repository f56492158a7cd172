#include "media/Personality.h"
#include "platform/Text1252.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>
#include <string>

const char* const kPersonSoundCaptions[kPersonSounds + 1] = {
    "",      "Wild Card -P", "Turn Over", "Win1",   "Win2",  "Win3",   "Win4",  "Lose1",       "Lose2",
    "Lose3", "Lose4",        "Whining",   "Thanks", "Yeah!", "Winner", "Loser", "Wild Card -O"};

namespace {
QString FieldText(const platform::RecordBuf& buf, int off, int width) {
    QByteArray bytes = buf.Bytes().mid(off, width);
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0) bytes.truncate(nul);
    return platform::TrimFixed(bytes);
}
} // namespace

Personality Personality::Decode(const platform::RecordBuf& buf) {
    if (buf.Size() != kSize)
        throw std::invalid_argument("Personality needs " + std::to_string(kSize) + " bytes, got " +
                                    std::to_string(buf.Size()));
    Personality r;
    for (int k = 0; k <= kPersonComments; ++k)
        r.Comments(k) = FieldText(buf, CommentOffset(k), kCommentWidth);
    for (int i = 0; i <= kPersonSounds; ++i)
        for (int c = 0; c <= 1; ++c)
            r.Sounds(c, i) = FieldText(buf, SoundOffset(c, i), kSoundWidth);
    r.DefaultAvatar = FieldText(buf, kFields[kDefaultAvatar].offset, kFields[kDefaultAvatar].size);
    return r;
}

platform::RecordBuf Personality::Encode() const {
    platform::RecordBuf buf(kSize);
    for (int k = 0; k <= kPersonComments; ++k)
        buf.SetText(CommentOffset(k), kCommentWidth, Comments(k));
    for (int i = 0; i <= kPersonSounds; ++i)
        for (int c = 0; c <= 1; ++c)
            buf.SetText(SoundOffset(c, i), kSoundWidth, Sounds(c, i));
    buf.SetText(kFields[kDefaultAvatar].offset, kFields[kDefaultAvatar].size, DefaultAvatar);
    return buf;
}

PersonFile Personality_ReadFile(const QString& path, Personality* out) {
    if (!QFileInfo(path).isFile()) return PersonFile::Missing;
    platform::RecordFile file;
    if (!file.OpenReadOnly(path, Personality::kSize)) return PersonFile::Damaged;
    const bool whole = file.RecordCount() >= 1;
    *out = Personality::Decode(file.Read(1));
    return whole ? PersonFile::Ok : PersonFile::Damaged;
}

bool Personality_WriteFile(const QString& path, const Personality& rec) {
    platform::RecordFile file;
    return file.Open(path, Personality::kSize) && file.Write(1, rec.Encode());
}
