#include "media/CommentSets.h"
#include "common/Records.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "media/MediaState.h"
#include "platform/RegularFile.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "shell/Utilities.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace {

bool WriteWhole(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() && out.commit()) return true;
    if (error) *error = out.errorString();
    out.cancelWriting();
    return false;
}

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

} // namespace

CommentFile Comments_ReadFile(const QString& path, QStringList* texts) {
    const QFileInfo info(path);
    platform::RecordFile file;
    if (!info.isFile() || !file.OpenReadOnly(path, TextRecord::kSize)) return CommentFile::Missing;
    // The size alone tells whether the file is made of whole records: a huge file is not read.
    if (info.size() == 0 || info.size() % TextRecord::kSize != 0) return CommentFile::Damaged;
    QStringList out;
    // A short set reads its missing records as empty ones.
    for (int i = 1; i <= kSetComments; ++i)
        out << TextRecord::Decode(file.Read(i)).Text.trimmed();
    *texts = out;
    return CommentFile::Ok;
}

void Comments_ReportDamaged(const QString& path) {
    const QString file = QFileInfo(path).fileName();
    if (Med.DamagedReported.contains(path)) return;
    Med.DamagedReported << path;
    platform::MsgBox(QStringLiteral("The comment file \"%1\" is damaged and cannot be read.").arg(file),
                     platform::vbExclamation, QStringLiteral("Comment File"));
}

bool Comments_WriteFile(const QString& path, const QStringList& texts, QString* error) {
    QByteArray bytes;
    for (int i = 0; i < kSetComments; ++i) {
        TextRecord rec;
        rec.Text = texts.value(i).trimmed();
        bytes.append(rec.Encode().Bytes());
    }
    return WriteWhole(path, bytes, error);
}

bool Media_CopyFile(const QString& from, const QString& to, QString* error) {
    if (SameFile(from, to)) return true;
    QFile in;
    QSaveFile out(to);
    const auto fail = [&](const QString& why) {
        if (error) *error = why;
        out.cancelWriting();
        return false;
    };
    // A pipe chosen as a sound would hold the copy until something wrote to it.
    if (!platform::RegularFile_OpenRead(in, from))
        return fail(QStringLiteral("\"%1\" is not a file that can be read.").arg(from));
    if (!out.open(QIODevice::WriteOnly)) return fail(out.errorString());
    // In pieces: the user's file may be of any size.
    constexpr qint64 kCopyPiece = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray piece = in.read(kCopyPiece);
        if (piece.isEmpty()) return fail(in.errorString());
        if (out.write(piece) != piece.size()) return fail(out.errorString());
    }
    return out.commit() || fail(out.errorString());
}

QString CommentSet_Name(const QString& typed) {
    QString name = typed.trimmed();
    if (name.endsWith(QLatin1String(kCommentEnding), Qt::CaseInsensitive)) name.chop(4);
    return name.trimmed();
}

bool CommentSet_BadName(const QString& name) {
    const bool control =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
    // The comment lists' own two choices: a set so named would only switch the comments off.
    for (const char* reserved : {kNoComments, kDefaultPersonality}) {
        if (name.trimmed().compare(QLatin1String(reserved), Qt::CaseInsensitive) != 0) continue;
        platform::MsgBox(QStringLiteral("\"%1\" is one of the comment lists' own choices and cannot name "
                                        "a comment set.\nPlease enter another name.")
                             .arg(QLatin1String(reserved)),
                         platform::vbExclamation, QStringLiteral("Reserved Name"));
        return true;
    }
    if (control) {
        BadFileName_Tell();
        return true;
    }
    return BadFileName(name);
}

int Comments_FirstTooLong(const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i)
        if (texts.at(i).trimmed().size() > kCommentChars) return i + 1;
    return 0;
}

void Comments_UseNow(const QStringList& texts) {
    for (int i = 1; i <= kSetComments; ++i) {
        const QString t = texts.value(i - 1).trimmed();
        Eng.SeatComments(i) = t;
        Eng.Seat2Rec.RecComments(i) = t;
        if (Com.NetGame != 0) MedHooks.Chat_SetComment(i, t);
    }
    Prof.Prefs.Identity(1).CommentSet = Eng.Seat2Rec.RecCommentSet;
    if (Prof.PlayerRecord < 2) return;
    PlayerPrefs rec;
    if (!Prefs_ReadRecord(Prof.PlayerRecord, &rec)) return;
    rec.Identity(1).CommentSet = Eng.Seat2Rec.RecCommentSet;
    Prefs_WriteRecord(Prof.PlayerRecord, rec);
}
