#pragma once
// The winner's animation of a computer personality: seven pictures shown up and
// back down (or twice up) beside the table's center. The main personality's
// pictures are painted in the program; another personality's are painted into the
// data folder by a step of ours, for a personality that has an animation.
#include "engine/GameOnTable.h"

#include <QImage>
#include <QString>
#include <functional>
#include <vector>

constexpr int kFlashPictures = 7;

// What the animation needs of the personalities.
struct FlashHooksT {
    // The name at a place of the personality list ("" when there is none).
    std::function<QString(int index)> Person_Name = [](int index) {
        return index == 0 ? QStringLiteral("Grulm") : QString();
    };
    // The personality comes with a winner's animation.
    std::function<bool(const QString& name)> HasAnimation = [](const QString&) { return false; };
};
extern FlashHooksT FlashHooks;

// The image numbers of the frames: 1..7..1, or with style 1 twice 1..7.
std::vector<int> Flash_Frames(int style);
// Seconds a frame stays: longer on the first picture going up and on the last.
double Flash_FrameSeconds(int image, bool goingUp);
// A name that can be part of a file name: no path separator, drive colon or "..".
bool Flash_NameSafe(const QString& name);
// Picture n (1 to 7) of a personality's animation.
QImage Flash_Picture(const QString& name, int n);
// Writes the seven pictures DataPath + name + n + ".tmp"; false when nothing was written.
bool Flash_WritePictures(const QString& name);
// The animation of the personality at that place of the list, pausing through the ticket of
// the flow it plays in; answers as its last pause. A game put on the table meanwhile ends it
// and keeps the place the animation covered.
PauseAnswer Flash(int index, const GameOnTable& mine);
