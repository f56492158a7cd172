#include "platform/WaveFile.h"

#include <QtEndian>
#include <algorithm>
#include <optional>

namespace platform {

namespace {

constexpr int kWaveRiffHeader = 12;
constexpr int kWaveChunkHeader = 8;
constexpr int kWaveFmtPlain = 16;
constexpr int kWaveFmtExtensible = 40;
constexpr int kWaveSubFormatAt = 24;
constexpr int kWaveTagPcm = 1;
constexpr int kWaveTagFloat = 3;
constexpr int kWaveTagExtensible = 0xFFFE;
constexpr int kWaveMaxChannels = 8;
constexpr int kWaveMinRate = 1000;
constexpr int kWaveMaxRate = 192000;

quint16 WaveU16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 WaveU32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

// The sample kind of a format chunk, when the output takes it.
std::optional<WaveSamples> WaveKind(const QByteArray& fmt) {
    int tag = WaveU16(fmt, 0);
    if (tag == kWaveTagExtensible) {
        if (fmt.size() < kWaveFmtExtensible) return std::nullopt;
        tag = WaveU16(fmt, kWaveSubFormatAt);
    }
    const int bits = WaveU16(fmt, 14);
    if (tag == kWaveTagFloat) return bits == 32 ? std::optional(WaveSamples::Float) : std::nullopt;
    if (tag != kWaveTagPcm) return std::nullopt;
    switch (bits) {
    case 8:
        return WaveSamples::UInt8;
    case 16:
        return WaveSamples::Int16;
    case 32:
        return WaveSamples::Int32;
    default:
        return std::nullopt; // 24-bit and odd sizes have no output format
    }
}

bool WaveTakeFormat(const QByteArray& fmt, WaveSound* wave) {
    if (fmt.size() < kWaveFmtPlain) return false;
    const std::optional<WaveSamples> kind = WaveKind(fmt);
    const int channels = WaveU16(fmt, 2);
    const quint32 rate = WaveU32(fmt, 4);
    if (!kind || channels < 1 || channels > kWaveMaxChannels || rate < kWaveMinRate || rate > kWaveMaxRate)
        return false;
    wave->kind = *kind;
    wave->channels = channels;
    wave->rate = static_cast<int>(rate);
    return true;
}

int WaveFrameBytes(const WaveSound& w) {
    const int sample = w.kind == WaveSamples::UInt8 ? 1 : w.kind == WaveSamples::Int16 ? 2 : 4;
    return sample * w.channels;
}

} // namespace

WaveFault WaveFile_Read(QIODevice& in, WaveSound* out) {
    const qint64 size = in.size();
    if (!in.seek(0)) return WaveFault::NotWave;
    const QByteArray riff = in.read(kWaveRiffHeader);
    if (riff.size() < kWaveRiffHeader || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return WaveFault::NotWave;
    WaveSound wave;
    bool haveFormat = false;
    qint64 pos = kWaveRiffHeader;
    for (int chunks = 0; pos + kWaveChunkHeader <= size; ++chunks) {
        if (chunks == kWaveMaxChunks) return WaveFault::Chunks;
        if (!in.seek(pos)) return WaveFault::Truncated;
        const QByteArray head = in.read(kWaveChunkHeader);
        if (head.size() < kWaveChunkHeader) return WaveFault::Truncated;
        const qint64 body = pos + kWaveChunkHeader;
        const qint64 length = WaveU32(head, 4);
        // A damaged file promises bytes it does not hold; a reader waiting for them never ends.
        if (length > size - body) return WaveFault::Truncated;
        const QByteArray id = head.left(4);
        if (id == "fmt ") {
            if (!WaveTakeFormat(in.read(std::min<qint64>(length, kWaveFmtExtensible)), &wave))
                return WaveFault::Format;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return WaveFault::Format;
            const qint64 whole = length - length % WaveFrameBytes(wave);
            if (whole > kWaveMaxSamples) return WaveFault::TooLarge;
            wave.samples = in.read(whole);
            if (wave.samples.size() != whole) return WaveFault::Truncated;
            *out = std::move(wave);
            return WaveFault::None;
        }
        // Chunks of odd length are followed by one pad byte.
        pos = body + length + (length & 1);
    }
    return WaveFault::Truncated;
}

} // namespace platform
