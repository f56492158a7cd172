#pragma once
// Input controls: a one-line text box and a check box.
#include "platform/Controls.h"

#include <QMetaObject>
#include <QString>

class QCheckBox;
class QLineEdit;

namespace platform {

// A one-line text box. Click and the mouse handlers fire as on the other controls;
// the back colour fills the box.
class TextBox : public Control {
  public:
    TextBox(Form* form, QString name, int index);
    ~TextBox() override;

    QString Text() const;
    void SetText(const QString& s);
    int MaxLength() const;
    void SetMaxLength(int n);
    // A locked box shows its text but takes no typing.
    bool Locked() const;
    void SetLocked(bool locked);
    void CopyFrom(const Control& src) override;

  protected:
    void ApplyLook() override;

  private:
    QLineEdit* Edit() const;
};

// A check box: Value 1 checked, 0 not. Changing the value, by a click or in code,
// fires Click; MouseUp follows a click of the mouse.
class CheckBox : public Control {
  public:
    CheckBox(Form* form, QString name, int index);
    ~CheckBox() override;

    int Value() const { return value_; }
    void SetValue(int v);
    void SetCaption(const QString& s) override;
    void CopyFrom(const Control& src) override;

  protected:
    void ApplyLook() override;

  private:
    QCheckBox* Box() const;
    int value_ = 0;
    bool syncing_ = false;
    QMetaObject::Connection toggled_;
};

} // namespace platform
