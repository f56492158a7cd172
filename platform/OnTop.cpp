#include "platform/OnTop.h"

#include <QWidget>

namespace platform {

void WindowOnTop::TopForm(QWidget* window) const {
    if (!window) return;
    const bool already = window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (already == onTop_) return;
    // Changing a window's flags hides it and may move it; put both back.
    const bool shown = window->isVisible();
    const QRect place = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop_);
    if (shown) {
        window->setGeometry(place);
        window->show();
    }
}

} // namespace platform
