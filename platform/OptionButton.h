#pragma once
// An option button: one of a group of choices. The group is every option button of
// the same name on the same window; selecting one clears the others.
#include "platform/Controls.h"

#include <QMetaObject>

class QRadioButton;

namespace platform {

class OptionButton : public Control {
  public:
    OptionButton(Form* form, QString name, int index);
    ~OptionButton() override;

    bool Value() const { return value_; }
    // Selecting, by a click or in code, fires Click and clears the group's other buttons.
    void SetValue(bool v);
    void SetCaption(const QString& s) override;
    void CopyFrom(const Control& src) override;

  protected:
    void ApplyLook() override;

  private:
    QRadioButton* Button() const;
    void Sync();
    void ClearOthers();
    bool value_ = false;
    bool syncing_ = false;
    QMetaObject::Connection toggled_;
};

} // namespace platform
