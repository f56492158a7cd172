#include "platform/Inputs.h"
#include "platform/Connect.h"
#include "platform/EventWidget.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <type_traits>

namespace platform {

namespace {
using EditWidget = EventWidget<QLineEdit>;
using CheckWidget = EventWidget<QCheckBox>;
} // namespace

// ---------------------------------------------------------------- TextBox

TextBox::TextBox(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    back_ = 0x00FFFFFF;
    Attach(new EditWidget(this, form ? form->Client() : nullptr));
}

TextBox::~TextBox() = default;

QLineEdit* TextBox::Edit() const {
    return static_cast<QLineEdit*>(widget_.data());
}

QString TextBox::Text() const {
    return Edit() ? Edit()->text() : QString();
}

void TextBox::SetText(const QString& s) {
    if (Edit()) Edit()->setText(s);
}

int TextBox::MaxLength() const {
    return Edit() ? Edit()->maxLength() : 0;
}

void TextBox::SetMaxLength(int n) {
    if (Edit()) Edit()->setMaxLength(n > 0 ? n : 32767);
}

bool TextBox::Locked() const {
    return Edit() && Edit()->isReadOnly();
}

void TextBox::SetLocked(bool locked) {
    if (Edit()) Edit()->setReadOnly(locked);
}

void TextBox::ApplyLook() {
    if (!Edit()) return;
    QPalette pal = Edit()->palette();
    pal.setColor(QPalette::Base, FromBGR(back_));
    pal.setColor(QPalette::Text, FromBGR(fore_));
    Edit()->setPalette(pal);
    Edit()->setFont(font_);
}

void TextBox::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    if (auto* t = dynamic_cast<const TextBox*>(&src)) {
        SetMaxLength(t->MaxLength());
        SetLocked(t->Locked());
    }
}

// ---------------------------------------------------------------- CheckBox

CheckBox::CheckBox(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* box = new CheckWidget(this, form ? form->Client() : nullptr);
    toggled_ = Connect(box, &QCheckBox::toggled, box, "click", [this](bool on) {
        if (syncing_) return;
        value_ = on ? 1 : 0;
        FireClick();
    });
    Attach(box);
}

CheckBox::~CheckBox() {
    QObject::disconnect(toggled_);
}

QCheckBox* CheckBox::Box() const {
    return static_cast<QCheckBox*>(widget_.data());
}

void CheckBox::SetValue(int v) {
    const int value = v != 0 ? 1 : 0;
    if (value == value_) return;
    value_ = value;
    if (Box()) {
        syncing_ = true;
        Box()->setChecked(value_ == 1);
        syncing_ = false;
    }
    FireClick();
}

void CheckBox::SetCaption(const QString& s) {
    caption_ = s;
    ApplyLook();
}

void CheckBox::ApplyLook() {
    if (!Box()) return;
    Box()->setText(caption_);
    Box()->setFont(font_);
}

void CheckBox::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    ApplyLook();
}

} // namespace platform
