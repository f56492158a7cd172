#pragma once
// Widgets of the control kit that hand their mouse events to their control.
#include "platform/Controls.h"
#include "platform/Guard.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <type_traits>

namespace platform {

// Lets a control cut the tie when it goes while its widget may still deliver an event.
class Reporting {
  public:
    virtual ~Reporting() = default;
    virtual void Detach() = 0;
};

// A widget that reports its mouse events to its control.
template <typename Base> class EventWidget : public Base, public Reporting {
  public:
    explicit EventWidget(Control* owner, QWidget* parent) : Base(parent), owner_(owner) {}
    void Detach() override { owner_ = nullptr; }
    Control* Owner() const { return owner_; }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        Base::mousePressEvent(e);
        if (owner_) Guarded("mouse down", [&] { owner_->FireMouse(0, e); });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        Base::mouseMoveEvent(e);
        if (owner_) Guarded("mouse move", [&] { owner_->FireMouse(1, e); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Control* o = owner_;
        Base::mouseReleaseEvent(e);
        if (!o) return;
        const bool inside = Base::rect().contains(e->position().toPoint());
        Guarded("mouse up", [&] { o->FireMouse(2, e); });
        // A press and release on the same control is a click (buttons click through their signal).
        if constexpr (!std::is_base_of_v<QAbstractButton, Base>) {
            if (inside && e->button() == Qt::LeftButton && owner_)
                Guarded("click", [&] { owner_->FireClick(); });
        }
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override {
        Base::mouseDoubleClickEvent(e);
        if (owner_) Guarded("double click", [&] { owner_->FireDblClick(); });
    }

    Control* owner_;
};

} // namespace platform
