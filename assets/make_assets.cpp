// Builds the install folder's data from its readable sources:
//   make_assets <source folder> <install folder>
// personalities/<name>.txt -> Data/PMS/<name>.pms, text/Tobrinel.txt -> Data/Tobrinel.ran,
// the silent Data/empty.wav, the tutorial's steps and its prepared positions
// (text/tutorial.txt -> tutorial.txt, text/tutorial_positions.txt -> Data/tutorial.sav).
// A text too long for its field stops the build.
#include "TutorialPositions.h"
#include "common/Records.h"
#include "media/PersonText.h"
#include "media/Personality.h"
#include "media/Synth.h"
#include "platform/RecordFile.h"
#include "platform/Text1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
int Fail(const QString& text) {
    std::fprintf(stderr, "make_assets: %s\n", qPrintable(text));
    return 1;
}

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool Fits(const QString& s, int width) {
    return platform::ToCp1252(s).size() <= width;
}

QString CheckWidths(const Personality& p) {
    for (int k = 0; k <= kPersonComments; ++k)
        if (!Fits(p.Comments(k), Personality::kCommentWidth))
            return QStringLiteral("comment %1 too long").arg(k);
    for (int c = 0; c <= 1; ++c)
        for (int i = 0; i <= kPersonSounds; ++i)
            if (!Fits(p.Sounds(c, i), Personality::kSoundWidth))
                return QStringLiteral("sound %1 too long").arg(i);
    if (!Fits(p.DefaultAvatar, 20)) return QStringLiteral("avatar name too long");
    return QString();
}

int Personalities(const QString& src, const QString& out) {
    const QDir dir(src + "/personalities");
    QDir().mkpath(out + "/Data/PMS");
    for (const QString& name : dir.entryList({"*.txt"}, QDir::Files, QDir::Name)) {
        Personality p;
        QString error;
        if (!Personality_FromText(ReadText(dir.filePath(name)), &p, &error)) return Fail(name + ": " + error);
        error = CheckWidths(p);
        if (!error.isEmpty()) return Fail(name + ": " + error);
        const QString target = out + "/Data/PMS/" + QFileInfo(name).completeBaseName() + ".pms";
        QFile::remove(target);
        if (!Personality_WriteFile(target, p)) return Fail("cannot write " + target);
    }
    return 0;
}

// Lines "<record> = <text>"; records not named stay blank.
int TextRecords(const QString& src, const QString& out) {
    const QString target = out + "/Data/Tobrinel.ran";
    QFile::remove(target);
    platform::RecordFile file;
    if (!file.Open(target, TextRecord::kSize)) return Fail("cannot write " + target);
    for (const QString& raw : ReadText(src + "/text/Tobrinel.txt").split('\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const qsizetype eq = line.indexOf('=');
        bool ok = false;
        const int recno = eq > 0 ? line.left(eq).trimmed().toInt(&ok) : 0;
        const QString text = line.mid(eq + 1).trimmed();
        if (!ok || recno < 1 || recno > 100) return Fail("Tobrinel.txt: " + line);
        if (!Fits(text, TextRecord::kSize))
            return Fail(QStringLiteral("Tobrinel.txt: record %1 too long").arg(recno));
        file.Write(recno, TextRecord{text}.Encode());
    }
    return 0;
}

int Silence(const QString& out) {
    QFile f(out + "/Data/empty.wav");
    const QByteArray wav = Wav_Silence(100);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(wav) == wav.size()
               ? 0
               : Fail("cannot write empty.wav");
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) return Fail("usage: make_assets <source folder> <install folder>");
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    if (const int rc = Personalities(src, out)) return rc;
    if (const int rc = TextRecords(src, out)) return rc;
    if (const int rc = TutorialPositions(src, out)) return rc;
    QFile::remove(out + "/tutorial.txt");
    if (!QFile::copy(src + "/text/tutorial.txt", out + "/tutorial.txt")) return Fail("cannot write tutorial.txt");
    return Silence(out);
}
