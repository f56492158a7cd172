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

QByteArray U16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(static_cast<quint16>(v), b.data());
    return b;
}

QByteArray U32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}

QByteArray Chunk(const char* id, const QByteArray& body, quint32 stated = 0xFFFFFFFF) {
    return QByteArray(id, 4) + U32(stated == 0xFFFFFFFF ? static_cast<quint32>(body.size()) : stated) + body;
}

QByteArray Fmt(int tag, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return Chunk("fmt ", U16(tag) + U16(channels) + U32(rate) + U32(rate * block) + U16(block) + U16(bits));
}

// The extensible form names its sample kind in the sub-format's first two bytes.
QByteArray FmtExtensible(int subTag, int bits) {
    const QByteArray plain = Fmt(0xFFFE, 2, 44100, bits).mid(8);
    return Chunk("fmt ", plain + U16(22) + U16(bits) + U32(3) + U16(subTag) + QByteArray(14, 'g'));
}

QByteArray Wave(const QByteArray& chunks) {
    return "RIFF" + U32(static_cast<quint32>(chunks.size() + 4)) + "WAVE" + chunks;
}

WaveFault Read(const QByteArray& bytes, platform::WaveSound* out = nullptr) {
    QByteArray copy = bytes;
    QBuffer in(&copy);
    in.open(QIODevice::ReadOnly);
    platform::WaveSound w;
    return platform::WaveFile_Read(in, out ? out : &w);
}

} // namespace

TEST(WaveFile, DamagedAndForeignFilesAreNamedWithoutReadingThemWhole) {
    const QByteArray samples(400, 's');
    const QByteArray fmt = Fmt(1, 1, 22050, 16);
    const QByteArray good = Wave(fmt + Chunk("data", samples));
    QByteArray huge = good;
    qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data() + 40);
    const struct {
        const char* what;
        QByteArray bytes;
        WaveFault want;
    } cases[] = {
        {"zero bytes", QByteArray(), WaveFault::NotWave},
        {"header cut at 20 bytes", good.left(20), WaveFault::Truncated},
        {"data length 0xFFFFFFF0", huge, WaveFault::Truncated},
        {"data one byte longer than the file", good.left(good.size() - 1), WaveFault::Truncated},
        {"no data chunk", Wave(fmt), WaveFault::Truncated},
        {"a chunk past the end before the data", Wave(fmt + Chunk("LIST", "ab", 5000)), WaveFault::Truncated},
        {"data before the format", Wave(Chunk("data", samples) + fmt), WaveFault::Format},
        {"not RIFF", "RIFX" + good.mid(4), WaveFault::NotWave},
        {"not WAVE", good.left(8) + "AVI " + good.mid(12), WaveFault::NotWave},
        {"compressed", Wave(Fmt(2, 1, 22050, 4) + Chunk("data", samples)), WaveFault::Format},
        {"24-bit", Wave(Fmt(1, 1, 22050, 24) + Chunk("data", samples)), WaveFault::Format},
        {"64-bit float", Wave(Fmt(3, 1, 22050, 64) + Chunk("data", samples)), WaveFault::Format},
        {"no channels", Wave(Fmt(1, 0, 22050, 16) + Chunk("data", samples)), WaveFault::Format},
        {"rate 0", Wave(Fmt(1, 1, 0, 16) + Chunk("data", samples)), WaveFault::Format},
        {"format chunk too short", Wave(Chunk("fmt ", QByteArray(14, '\1')) + Chunk("data", samples)),
         WaveFault::Format},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.bytes), c.want) << c.what;

    // A file of more samples than a sound may hold is refused before they are read.
    QTemporaryFile big;
    ASSERT_TRUE(big.open());
    big.write(Wave(fmt + Chunk("data", QByteArray(), 80u << 20)));
    ASSERT_TRUE(big.resize(big.size() + (80 << 20)));
    platform::WaveSound w;
    EXPECT_EQ(platform::WaveFile_Read(big, &w), WaveFault::TooLarge);
}

TEST(WaveFile, PlainAndExtensibleFormsGiveWholeFramesOfTheirKind) {
    platform::WaveSound w;
    // A padded odd chunk before the format, an odd tail that is no whole frame.
    ASSERT_EQ(
        Read(Wave(Chunk("LIST", "abc") + '\0' + Fmt(1, 2, 44100, 16) + Chunk("data", QByteArray(403, 'x'))),
             &w),
        WaveFault::None);
    EXPECT_EQ(w.channels, 2);
    EXPECT_EQ(w.rate, 44100);
    EXPECT_EQ(w.kind, WaveSamples::Int16);
    EXPECT_EQ(w.samples.size(), 400);

    const struct {
        QByteArray fmt;
        WaveSamples want;
    } kinds[] = {{Fmt(1, 1, 8000, 8), WaveSamples::UInt8},
                 {Fmt(1, 1, 8000, 32), WaveSamples::Int32},
                 {Fmt(3, 1, 8000, 32), WaveSamples::Float},
                 {FmtExtensible(1, 16), WaveSamples::Int16},
                 {FmtExtensible(3, 32), WaveSamples::Float}};
    for (const auto& k : kinds) {
        ASSERT_EQ(Read(Wave(k.fmt + Chunk("data", QByteArray(64, 'x'))), &w), WaveFault::None);
        EXPECT_EQ(w.kind, k.want);
    }
    EXPECT_EQ(Read(Wave(FmtExtensible(2, 16) + Chunk("data", QByteArray(64, 'x')))), WaveFault::Format);
}
