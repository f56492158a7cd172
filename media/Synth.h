#pragma once
// Sounds made in code: a WAVE file writer and the short voiced figures of the
// personalities' sound slots.
#include <QByteArray>
#include <cstdint>
#include <vector>

constexpr int kSynthRate = 22050;

// A mono 16-bit PCM WAVE file of the samples.
QByteArray Wav_Make(const std::vector<std::int16_t>& samples, int rate = kSynthRate);
// A quiet file of the given length.
QByteArray Wav_Silence(int milliseconds);

// A personality's voice: the pitch of its middle note, how bright and how shaky it is.
struct Voice {
    double baseHz = 220;
    int harmonics = 4;
    double vibrato = 0.01;
};
// The figure of sound slot 1..16 in that voice; another slot gives a short blip.
std::vector<std::int16_t> Synth_Slot(const Voice& voice, int slot, int variant);
