#include "platform/OptionButton.h"
#include "platform/Connect.h"
#include "platform/EventWidget.h"

#include <QRadioButton>

namespace platform {

namespace {
using RadioWidget = EventWidget<QRadioButton>;
} // namespace

OptionButton::OptionButton(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* button = new RadioWidget(this, form ? form->Client() : nullptr);
    // The group is kept here, so buttons of different names can share a window.
    button->setAutoExclusive(false);
    toggled_ = Connect(button, &QRadioButton::toggled, button, "click", [this](bool on) {
        if (syncing_) return;
        if (!on) {
            // A click on the selected button leaves it selected.
            Sync();
            return;
        }
        value_ = true;
        ClearOthers();
        FireClick();
    });
    Attach(button);
}

OptionButton::~OptionButton() {
    QObject::disconnect(toggled_);
}

QRadioButton* OptionButton::Button() const {
    return static_cast<QRadioButton*>(widget_.data());
}

void OptionButton::Sync() {
    if (!Button()) return;
    syncing_ = true;
    Button()->setChecked(value_);
    syncing_ = false;
}

void OptionButton::ClearOthers() {
    if (!form_) return;
    for (Control* c : form_->Controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (other && other != this && other->Name() == name_ && other->value_) {
            other->value_ = false;
            other->Sync();
        }
    }
}

void OptionButton::SetValue(bool v) {
    if (v == value_) return;
    value_ = v;
    Sync();
    if (!v) return;
    ClearOthers();
    FireClick();
}

void OptionButton::SetCaption(const QString& s) {
    caption_ = s;
    ApplyLook();
}

void OptionButton::ApplyLook() {
    if (!Button()) return;
    Button()->setText(caption_);
    Button()->setFont(font_);
}

void OptionButton::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    ApplyLook();
}

} // namespace platform
