#pragma once
// A sound file checked before it reaches the audio output: a RIFF/WAVE file of samples
// the output takes, whose chunks all lie inside the file. Only the chunk headers and
// the samples are read, by their stated lengths, never the file whole.
#include <QByteArray>
#include <QIODevice>

namespace platform {

enum class WaveFault {
    None,
    NotWave,   // no RIFF/WAVE header
    Format,    // samples of a kind the output does not take, or no format before the data
    Truncated, // a chunk says it holds more than the file has, or there is no data
    TooLarge,  // more samples than a game sound may hold in memory
    Chunks,    // more chunks before the samples than a sound file has
};

enum class WaveSamples { UInt8, Int16, Int32, Float };

struct WaveSound {
    int channels = 0;
    int rate = 0;
    WaveSamples kind = WaveSamples::Int16;
    QByteArray samples; // whole frames only
};

// The most sample bytes a sound may hold: about six minutes of CD sound.
inline constexpr qint64 kWaveMaxSamples = 64LL << 20;
// The most chunks read before the samples: a sound file has a handful (format, a list or two
// of names); a file of millions of empty ones would hold the table while each is read.
inline constexpr int kWaveMaxChunks = 64;

// Reads the sound from an open, seekable device; `out` is filled only without a fault.
WaveFault WaveFile_Read(QIODevice& in, WaveSound* out);

} // namespace platform
