#include "media/GameSounds.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "media/Music.h"
#include "media/Synth.h"
#include "platform/RegularFile.h"
#include "platform/Services.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace {
// Sound 105's voice, the opponent's jeer, is the personalities' slot-9 sulk in a low voice.
constexpr int kTauntSlot = 9;

// A short burst of shaped noise: the snap and slide of cards.
std::vector<std::int16_t> Rustle(int ms, double decay, int seed, double level = 12000) {
    std::mt19937 gen(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const int n = kSynthRate * ms / 1000;
    std::vector<std::int16_t> out;
    out.reserve(static_cast<std::size_t>(n));
    double low = 0;
    for (int k = 0; k < n; ++k) {
        // A little smoothing keeps the hiss papery rather than harsh.
        low = 0.6 * low + 0.4 * u(gen);
        const double env = std::exp(-decay * k / kSynthRate) * std::min(1.0, k / 40.0);
        out.push_back(static_cast<std::int16_t>(std::clamp(low * env * level, -32000.0, 32000.0)));
    }
    return out;
}

// Plain sine notes (Hz, seconds) one after another, each with soft ends.
std::vector<std::int16_t> Tones(std::initializer_list<std::pair<double, double>> notes, double level = 8000) {
    std::vector<std::int16_t> out;
    for (auto [hz, secs] : notes) {
        const int n = static_cast<int>(secs * kSynthRate);
        const int fade = std::max(1, std::min(n / 3, kSynthRate / 80));
        for (int k = 0; k < n; ++k) {
            const double t = static_cast<double>(k) / kSynthRate;
            const double env = std::min({1.0, static_cast<double>(k) / fade, static_cast<double>(n - k) / fade});
            const double s = std::sin(2 * std::numbers::pi * hz * t) + 0.3 * std::sin(4 * std::numbers::pi * hz * t);
            out.push_back(static_cast<std::int16_t>(s * env * level));
        }
    }
    return out;
}

void Append(std::vector<std::int16_t>& a, const std::vector<std::int16_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
}

std::vector<std::int16_t> Samples(int id) {
    switch (id) {
    case 105: return Synth_Slot(Voice{110, 5, 0.03}, kTauntSlot, 0);
    case 106: return Tones({{1800, 0.03}}, 3000);
    case 107: return Tones({{1200, 0.02}}, 6000);
    case 108: return Tones({{330, 0.18}, {247, 0.3}});
    case 109: return Tones({{660, 0.06}, {990, 0.08}});
    case 110: return Tones({{880, 0.08}, {1320, 0.12}});
    case 111: return Rustle(120, 30, 111);
    case 112: return Rustle(380, 9, 112);
    case 113: return Rustle(90, 45, 113);
    case 114: return Rustle(130, 25, 114, 9000);
    case 115: return Rustle(15, 200, 115);
    case 116: return Rustle(100, 35, 116, 15000);
    case 117: return Rustle(100, 20, 117, 10000);
    case 118: return Rustle(130, 28, 118, 16000);
    case 119: return Tones({{523, 0.12}, {659, 0.12}, {784, 0.24}});
    case 120: return Rustle(25, 150, 120);
    case 121: {
        auto s = Rustle(300, 6, 121);
        Append(s, Rustle(300, 6, 1210));
        return s;
    }
    case 122: {
        // A riffle: many small snaps running together.
        std::vector<std::int16_t> s;
        for (int i = 0; i < 24; ++i)
            Append(s, Rustle(30 + i % 3 * 10, 60, 1220 + i, 9000 + i * 200));
        Append(s, Rustle(600, 5, 1229));
        return s;
    }
    case 123: return Rustle(200, 18, 123);
    default: return {};
    }
}
} // namespace

QString GameSound_File(int id) {
    return Com.DataPath + QStringLiteral("~%1.tmp").arg(id);
}

QByteArray GameSound_Make(int id) {
    if (id < kGameSoundFirst || id > kGameSoundLast) return {};
    return Wav_Make(Samples(id));
}

void SetUpSounds() {
    for (int id = kGameSoundFirst; id <= kGameSoundLast; ++id)
        platform::RegularFile_Write(GameSound_File(id), GameSound_Make(id));
}

void CleanUpSounds() {
    if (Com.SoundMode == kSoundsAll && !Eng.SeatSounds(2).isEmpty())
        platform::Svc().sound->PlayAsync(Eng.SeatSounds(2));
    if (!Com.DataPath.isEmpty()) {
        QDir data(Com.DataPath);
        for (const QString& name : data.entryList({QStringLiteral("*.tmp")}, QDir::Files))
            data.remove(name);
    }
    if (!Com.UserPath.isEmpty()) {
        QDir packs(Com.UserPath + QStringLiteral("Sounds/"));
        for (const QString& name : packs.entryList({QStringLiteral("*.pmw")}, QDir::Files))
            packs.remove(name);
    }
    if (MP3_IsPlaying()) MP3_Stop();
}
