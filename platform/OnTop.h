#pragma once
// Keeps a tool window above the other windows of the desktop, or lets it go back
// among them. The owner sets the wish and applies it to its window.
class QWidget;

namespace platform {

class WindowOnTop {
  public:
    bool OnTop() const { return onTop_; }
    void SetOnTop(bool on) { onTop_ = on; }
    // Applies the wish to `window`; its place, size and visibility stay as they are.
    void TopForm(QWidget* window) const;

  private:
    bool onTop_ = false;
};

} // namespace platform
