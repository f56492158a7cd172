#include "media/Music.h"
#include "common/Shared.h"
#include "media/Synth.h"
#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Semitones above A 220, in beats; a rest is kRest.
constexpr int kRest = -100;
struct Beat {
    int semis;
    double beats;
};
constexpr double kBeatSecs = 0.26;

// A jaunty tavern air in D: the tune over a walking bass, two bars on the fifth
// and home again.
constexpr Beat kTune[] = {{5, 1}, {9, 1},  {12, 1}, {9, 1},  {10, 1},    {9, 0.5}, {7, 0.5},
                          {5, 2}, {7, 1},  {9, 1},  {10, 1}, {12, 1},    {14, 2},  {12, 2},
                          {9, 1}, {10, 1}, {12, 1}, {17, 1}, {16, 0.5},  {14, 0.5}, {12, 1},
                          {9, 2}, {10, 1}, {9, 1},  {7, 1},  {4, 1},     {5, 3},   {kRest, 1}};
constexpr Beat kBass[] = {{-7, 2}, {-3, 2}, {-7, 2}, {-2, 2}, {-5, 2}, {-3, 2}, {-2, 2}, {0, 2},
                          {-3, 2}, {-2, 2}, {0, 2},  {-3, 2}, {-2, 2}, {-5, 2}, {-7, 4}};

void Part(const Beat* notes, std::size_t count, double level, int harmonics, std::vector<double>& mix) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = static_cast<std::size_t>(notes[i].beats * kBeatSecs * kSynthRate);
        if (mix.size() < at + n) mix.resize(at + n, 0.0);
        if (notes[i].semis != kRest) {
            const double hz = 220 * std::pow(2.0, notes[i].semis / 12.0);
            for (std::size_t k = 0; k < n; ++k) {
                const double t = static_cast<double>(k) / kSynthRate;
                // A plucked note: quick attack, falling away.
                const double env = std::min(1.0, k / 60.0) * std::exp(-3.0 * t);
                double s = 0;
                for (int h = 1; h <= harmonics; ++h)
                    s += std::sin(2 * std::numbers::pi * hz * h * t) / (h * h);
                mix[at + k] += s * env * level;
            }
        }
        at += n;
    }
}
} // namespace

QByteArray Music_IntroTune() {
    std::vector<double> mix;
    Part(kTune, std::size(kTune), 7000, 4, mix);
    Part(kBass, std::size(kBass), 5000, 2, mix);
    std::vector<std::int16_t> out;
    out.reserve(mix.size());
    for (double s : mix)
        out.push_back(static_cast<std::int16_t>(std::clamp(s, -32000.0, 32000.0)));
    return Wav_Make(out);
}

QString Music_IntroFile() {
    const QString path = Com.DataPath + QStringLiteral("Intro.wav");
    if (!QFileInfo::exists(path)) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(Music_IntroTune());
    }
    return path;
}

QString MP3_Play(const QString& file) {
    MP3_Stop();
    if (file.isEmpty() || !QFileInfo(file).isFile()) return QString::fromLatin1(kMusicNoFile);
    if (!platform::Svc().sound->PlayMusic(file)) return QString::fromLatin1(kMusicNoOutput);
    return QString::fromLatin1(kMusicSuccess);
}

void MP3_Stop() {
    platform::Svc().sound->StopMusic();
}

bool MP3_IsPlaying() {
    return platform::Svc().sound->MusicPlaying();
}

QString Music_PlayIntro() {
    return MP3_Play(Music_IntroFile());
}
