#include "opponent/Speed.h"
#include "common/Shared.h"

namespace {
constexpr const char* kNames[kSpeedCount] = {"coma", "turtle", "human", "rabbit", "blink", "light"};
// The stored preferences keep their own table; this window's "light" still pauses a little.
constexpr double kPauses[kSpeedCount] = {0.7, 0.5, 0.3, 0.2, 0.05, 0.02};
constexpr int kSteps[kAnimPositions] = {2, 10, 20, 45, 70, 95, 120, 150, 180, 220, 250};

bool PaceOk(int index) {
    return index >= 0 && index < kSpeedCount;
}
bool AnimOk(int position) {
    return position >= 0 && position < kAnimPositions;
}
} // namespace

QString Speed_Name(int index) {
    return PaceOk(index) ? QString::fromLatin1(kNames[index]) : QString();
}

double Speed_Pause(int index) {
    return PaceOk(index) ? kPauses[index] : 0.0;
}

int Speed_AnimSteps(int position) {
    return AnimOk(position) ? kSteps[position] : 0;
}

int Speed_AnimPosition(int steps, int current) {
    for (int p = 0; p < kAnimPositions; ++p)
        if (kSteps[p] == steps) return p;
    return current;
}

void Speed_SetPace(int index) {
    if (!PaceOk(index)) return;
    Com.SpeedIndex = index;
    Com.ComputerPause = kPauses[index];
}

void Speed_SetAnim(int position) {
    if (AnimOk(position)) Com.AnimSteps = kSteps[position];
}
