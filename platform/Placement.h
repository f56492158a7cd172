#pragma once
// Where a window goes on the desktop. Positions are of the whole window, title bar and
// borders included, as the window manager draws them; screen pixels.
#include <QMargins>
#include <QRect>

class QWidget;

namespace platform {

// The part of the desktop that windows may use (the screen less its panels) on the
// screen that shows `at`, or the main screen.
QRect FreeAreaAt(const QPoint& at);

// The frame the window manager draws round `window`: known once it has been shown,
// `guess` before that; none round a window without one.
QMargins FrameMarginsOf(const QWidget* window, const QMargins& guess = {});

// The frame of a window of client size `client` with frame `margins` put with its
// top-left at `wanted`, moved into `area` as far as it fits there (its top-left corner
// stays in the area whatever its size, so its title bar can always be reached).
QRect FrameKeptIn(const QRect& area, const QPoint& wanted, const QSize& client, const QMargins& margins);

} // namespace platform
