#pragma once
// A status bar of panels addressed from 1, each with text, tooltip, key and an
// auto-size mode (1 = spring: takes the room the others leave).
#include "platform/Controls.h"

#include <vector>

namespace platform {

struct Panel {
    QString Text, ToolTipText, Key;
    int AutoSize = 0;  // 0 none, 1 spring, 2 contents
    int MinWidth = 40; // pixels
};

class StatusBar : public Control {
  public:
    StatusBar(Form* form, QString name, int index);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    Panel& Panels(int i);
    const Panel& Panels(int i) const;
    // The panel with that key; throws when there is none.
    Panel& Panels(const QString& key);
    int AddPanel(const Panel& p);
    void Update();
    // Panel index at a point of the bar, 0 when none.
    int PanelAt(int x) const;
    // Pixel extent of panel i as laid out now.
    QRect PanelRect(int i) const;
    std::function<void(int index)> PanelClick;

  private:
    std::vector<int> Widths() const;
    std::vector<Panel> panels_;
};

} // namespace platform
