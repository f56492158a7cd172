#include "media/Synth.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
void Put32(QByteArray& b, std::uint32_t v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
void SynthPut16(QByteArray& b, std::uint16_t v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

// One note: semitones from the voice's pitch, length in seconds, and a glide in
// semitones over the note.
struct Note {
    double semis;
    double secs;
    double glide = 0;
};

// The figures, one per sound slot: the player's wild card is a dismayed fall, wins
// climb, losses sink, the opponent's own wild card is a gleeful trill.
const std::vector<Note>& Figure(int slot) {
    static const std::vector<Note> figures[17] = {
        {{0, 0.08}},
        {{4, 0.14}, {-3, 0.28, -4}},
        {{7, 0.07}},
        {{0, 0.09}, {4, 0.09}, {7, 0.16}},
        {{2, 0.08}, {7, 0.08}, {12, 0.18}},
        {{0, 0.1, 5}, {9, 0.2}},
        {{4, 0.07}, {4, 0.07}, {11, 0.2}},
        {{5, 0.3, -7}},
        {{3, 0.12}, {-2, 0.26, -3}},
        {{7, 0.1}, {3, 0.1}, {-2, 0.24}},
        {{0, 0.4, -9}},
        {{5, 0.22, -2}, {3, 0.22, -2}, {1, 0.34, -4}},
        {{0, 0.1}, {5, 0.2}},
        {{0, 0.12, 9}},
        {{0, 0.1}, {4, 0.1}, {7, 0.1}, {12, 0.3}},
        {{4, 0.25}, {2, 0.25}, {-1, 0.25}, {-5, 0.45, -2}},
        {{7, 0.05}, {11, 0.05}, {7, 0.05}, {11, 0.05}, {14, 0.16}},
    };
    return figures[slot >= 1 && slot <= 16 ? slot : 0];
}

void Render(const Voice& v, const Note& n, double detune, std::vector<std::int16_t>& out) {
    const int count = static_cast<int>(n.secs * kSynthRate);
    const int fade = std::min(count / 4, kSynthRate / 100 + 1);
    double phase = 0;
    for (int k = 0; k < count; ++k) {
        const double t = static_cast<double>(k) / kSynthRate;
        const double semis = n.semis + detune + n.glide * k / std::max(1, count);
        const double wobble = 1 + v.vibrato * std::sin(2 * std::numbers::pi * 5.5 * t);
        phase += 2 * std::numbers::pi * v.baseHz * std::pow(2.0, semis / 12) * wobble / kSynthRate;
        double s = 0;
        for (int h = 1; h <= v.harmonics; ++h)
            s += std::sin(phase * h) / (h * h * 0.6 + 0.4);
        const double env =
            std::min({1.0, static_cast<double>(k) / fade, static_cast<double>(count - k) / fade});
        out.push_back(static_cast<std::int16_t>(std::clamp(s * env * 9000.0, -32000.0, 32000.0)));
    }
}
} // namespace

QByteArray Wav_Make(const std::vector<std::int16_t>& samples, int rate) {
    const auto bytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray b("RIFF");
    Put32(b, 36 + bytes);
    b.append("WAVEfmt ");
    Put32(b, 16);
    SynthPut16(b, 1); // PCM
    SynthPut16(b, 1); // mono
    Put32(b, static_cast<std::uint32_t>(rate));
    Put32(b, static_cast<std::uint32_t>(rate * 2));
    SynthPut16(b, 2);
    SynthPut16(b, 16);
    b.append("data");
    Put32(b, bytes);
    for (std::int16_t s : samples)
        SynthPut16(b, static_cast<std::uint16_t>(s));
    return b;
}

QByteArray Wav_Silence(int milliseconds) {
    return Wav_Make(std::vector<std::int16_t>(static_cast<std::size_t>(kSynthRate) * milliseconds / 1000, 0));
}

std::vector<std::int16_t> Synth_Slot(const Voice& voice, int slot, int variant) {
    std::vector<std::int16_t> out;
    // The second set sings the same figures a little higher.
    const double detune = variant == 1 ? 2 : 0;
    for (const Note& n : Figure(slot))
        Render(voice, n, detune, out);
    return out;
}
