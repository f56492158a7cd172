// Sound files are checked before they reach the audio output: a damaged one promised
// bytes it did not hold and the toolkit waited for them for good.
#include "platform/WaveFile.h"

#include <QBuffer>
#include <QTemporaryFile>
#include <QtEndian>
#include <gtest/gtest.h>

using platform::WaveFault;
using platform::WaveSamples;

namespace {

template <typename T> QByteArray LE(int v) {
    QByteArray b(sizeof(T), '\0');
    qToLittleEndian<T>(static_cast<T>(v), b.data());
    return b;
}

QByteArray Chunk(const char* id, const QByteArray& body, int stated = -1) {
    return QByteArray(id, 4) + LE<quint32>(stated < 0 ? int(body.size()) : stated) + body;
}

QByteArray Fmt(int tag, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return Chunk("fmt ", LE<quint16>(tag) + LE<quint16>(channels) + LE<quint32>(rate) +
                             LE<quint32>(rate * block) + LE<quint16>(block) + LE<quint16>(bits));
}

// The extensible form names its sample kind in the sub-format's first two bytes.
QByteArray FmtExtensible(int subTag, int bits) {
    return Chunk("fmt ", Fmt(0xFFFE, 2, 44100, bits).mid(8) + LE<quint16>(22) + LE<quint16>(bits) +
                             LE<quint32>(3) + LE<quint16>(subTag) + QByteArray(14, 'g'));
}

QByteArray Wave(const QByteArray& chunks) {
    return "RIFF" + LE<quint32>(int(chunks.size() + 4)) + "WAVE" + chunks;
}

} // namespace

TEST(WaveFile, DamagedForeignAndHugeFilesAreNamedWithoutReadingThemWholeAndGoodOnesGiveWholeFrames) {
    const QByteArray samples(400, 's'), fmt = Fmt(1, 1, 22050, 16), good = Wave(fmt + Chunk("data", samples));
    QByteArray huge = good;
    qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data() + 40);
    const auto data = [&](const QByteArray& f) { return Wave(f + Chunk("data", samples)); };
    const struct {
        const char* what;
        QByteArray bytes;
        WaveFault want;
        WaveSamples kind = WaveSamples::Int16;
    } cases[] = {
        {"zero bytes", QByteArray(), WaveFault::NotWave},
        {"header cut at 20 bytes", good.left(20), WaveFault::Truncated},
        {"data length 0xFFFFFFF0", huge, WaveFault::Truncated},
        {"data one byte longer than the file", good.left(good.size() - 1), WaveFault::Truncated},
        {"no data chunk", Wave(fmt), WaveFault::Truncated},
        {"a chunk past the end before the data", Wave(fmt + Chunk("LIST", "ab", 5000)), WaveFault::Truncated},
        {"more empty chunks than a sound has",
         data(fmt + Chunk("JUNK", "").repeated(platform::kWaveMaxChunks)), WaveFault::Chunks},
        {"data before the format", Wave(Chunk("data", samples) + fmt), WaveFault::Format},
        {"not RIFF", "RIFX" + good.mid(4), WaveFault::NotWave},
        {"not WAVE", good.left(8) + "AVI " + good.mid(12), WaveFault::NotWave},
        {"compressed", data(Fmt(2, 1, 22050, 4)), WaveFault::Format},
        {"24-bit", data(Fmt(1, 1, 22050, 24)), WaveFault::Format},
        {"64-bit float", data(Fmt(3, 1, 22050, 64)), WaveFault::Format},
        {"no channels", data(Fmt(1, 0, 22050, 16)), WaveFault::Format},
        {"rate 0", data(Fmt(1, 1, 0, 16)), WaveFault::Format},
        {"format chunk too short", data(Chunk("fmt ", QByteArray(14, '\1'))), WaveFault::Format},
        {"extensible, compressed", data(FmtExtensible(2, 16)), WaveFault::Format},
        {"8-bit", data(Fmt(1, 1, 8000, 8)), WaveFault::None, WaveSamples::UInt8},
        {"32-bit", data(Fmt(1, 1, 8000, 32)), WaveFault::None, WaveSamples::Int32},
        {"float", data(Fmt(3, 1, 8000, 32)), WaveFault::None, WaveSamples::Float},
        {"extensible 16-bit", data(FmtExtensible(1, 16)), WaveFault::None, WaveSamples::Int16},
        {"extensible float", data(FmtExtensible(3, 32)), WaveFault::None, WaveSamples::Float},
    };
    for (const auto& c : cases) {
        QByteArray copy = c.bytes;
        QBuffer in(&copy);
        in.open(QIODevice::ReadOnly);
        platform::WaveSound w;
        EXPECT_EQ(platform::WaveFile_Read(in, &w), c.want) << c.what;
        if (c.want == WaveFault::None) {
            EXPECT_EQ(w.kind, c.kind) << c.what;
        }
    }

    // A padded odd chunk before the format, an odd tail that is no whole frame.
    QByteArray odd =
        Wave(Chunk("LIST", "abc") + '\0' + Fmt(1, 2, 44100, 16) + Chunk("data", QByteArray(403, 'x')));
    QBuffer in(&odd);
    in.open(QIODevice::ReadOnly);
    platform::WaveSound w;
    ASSERT_EQ(platform::WaveFile_Read(in, &w), WaveFault::None);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.rate, 44100);
    EXPECT_EQ(w.samples.size(), 400);

    // A file of more samples than a sound may hold is refused before they are read.
    QTemporaryFile big;
    ASSERT_TRUE(big.open());
    big.write(Wave(fmt + Chunk("data", QByteArray(), 80 << 20)));
    ASSERT_TRUE(big.resize(big.size() + (80 << 20)));
    EXPECT_EQ(platform::WaveFile_Read(big, &w), WaveFault::TooLarge);
}
