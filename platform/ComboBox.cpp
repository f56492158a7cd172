#include "platform/ComboBox.h"
#include "platform/Connect.h"

#include <QComboBox>
#include <QLineEdit>

namespace platform {

ComboBox::ComboBox(Form* form, QString name, int index, ComboStyle style)
    : Control(form, std::move(name), index) {
    auto* box = new QComboBox(form ? form->Client() : nullptr);
    auto click = [this] { FireClick(); };
    if (style == vbComboDropdown) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // Choosing the entry already shown puts its text back over a typed one: that is a click too.
        chosen_ = Connect(box, &QComboBox::activated, box, "click", click);
        entered_ = Connect(box->lineEdit(), &QLineEdit::returnPressed, box, "enter", [this] { Confirmed(); });
    } else {
        chosen_ = Connect(box, &QComboBox::currentIndexChanged, box, "click", click);
    }
    Attach(box);
}

ComboBox::~ComboBox() {
    // The widget is deleted later; its signals must not reach this control meanwhile.
    QObject::disconnect(chosen_);
    QObject::disconnect(entered_);
}

QComboBox* ComboBox::Box() const {
    return static_cast<QComboBox*>(widget_.data());
}

bool ComboBox::Editable() const {
    return Box() && Box()->isEditable();
}

void ComboBox::AddItem(const QString& item) {
    if (!Box()) return;
    const QSignalBlocker quiet(Box());
    Box()->addItem(item);
}

void ComboBox::Clear() {
    if (!Box()) return;
    const QSignalBlocker quiet(Box());
    Box()->clear();
    Box()->setEditText(QString());
}

int ComboBox::ListCount() const {
    return Box() ? Box()->count() : 0;
}

QString ComboBox::List(int i) const {
    return Box() ? Box()->itemText(i) : QString();
}

int ComboBox::ListIndex() const {
    if (!Box()) return -1;
    const int i = Box()->currentIndex();
    return i >= 0 && Box()->itemText(i) == Box()->currentText() ? i : -1;
}

void ComboBox::SetListIndex(int i) {
    if (!Box() || i < -1 || i >= Box()->count()) return;
    {
        const QSignalBlocker quiet(Box());
        Box()->setCurrentIndex(i);
        if (i >= 0 && Editable()) Box()->setEditText(Box()->itemText(i));
    }
    FireClick();
}

QString ComboBox::Text() const {
    return Box() ? Box()->currentText() : QString();
}

bool ComboBox::SetText(const QString& s) {
    if (!Box()) return false;
    if (Editable()) {
        Box()->setEditText(s);
        return true;
    }
    const int i = Box()->findText(s, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0) return false;
    SetListIndex(i);
    return true;
}

void ComboBox::SelectText() {
    if (!Editable()) return;
    Box()->setFocus(Qt::OtherFocusReason);
    Box()->lineEdit()->selectAll();
}

int ComboBox::MaxLength() const {
    return Editable() ? Box()->lineEdit()->maxLength() : 0;
}

void ComboBox::SetMaxLength(int n) {
    if (Editable()) Box()->lineEdit()->setMaxLength(n);
}

} // namespace platform
