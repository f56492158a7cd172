#include "platform/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace platform {

QRect FreeAreaAt(const QPoint& at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

QMargins FrameMarginsOf(const QWidget* window, const QMargins& guess) {
    if (!window) return guess;
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint)) return {};
    const QRect frame = window->frameGeometry(), client = window->geometry();
    const QMargins own(client.left() - frame.left(), client.top() - frame.top(),
                       frame.right() - client.right(), frame.bottom() - client.bottom());
    return own.isNull() ? guess : own;
}

QRect FrameKeptIn(const QRect& area, const QPoint& wanted, const QSize& client, const QMargins& margins) {
    const QSize frame = client.grownBy(margins);
    const int x = std::max(area.left(), std::min(wanted.x(), area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(wanted.y(), area.bottom() + 1 - frame.height()));
    return {QPoint(x, y), frame};
}

} // namespace platform
