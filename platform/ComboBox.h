#pragma once
// A combo box in either of its two styles: a drop-down list that takes no typing,
// or a drop-down combo whose edit field also takes a typed entry.
#include "platform/Controls.h"

#include <QMetaObject>

class QComboBox;

namespace platform {

enum ComboStyle : int { vbComboDropdown = 0, vbComboDropdownList = 2 };

// Click fires when the shown entry is chosen in the list or selected in code; in the
// list style also when it changes by the keyboard.
class ComboBox : public Control {
  public:
    ComboBox(Form* form, QString name, int index, ComboStyle style = vbComboDropdownList);
    ~ComboBox() override;

    void AddItem(const QString& item);
    // Also empties a combo's edit field.
    void Clear();
    int ListCount() const;
    QString List(int i) const;
    // -1 when no entry is selected, as when a combo's typed text differs from the entry.
    int ListIndex() const;
    // Selects an entry (-1 none) and fires Click; an index past the list changes nothing.
    void SetListIndex(int i);
    QString Text() const;
    // A combo's edit field takes any text. A list shows the entry with this text and
    // fires Click; false, and nothing shown changes, when there is none.
    bool SetText(const QString& s);
    // The edit field's limit; 0 for a list.
    int MaxLength() const;
    void SetMaxLength(int n);
    // Focuses a combo's edit field with its whole text selected, so that typing replaces it.
    void SelectText();
    // Enter pressed in a combo's edit field.
    std::function<void()> Confirmed = [] {};

  private:
    QComboBox* Box() const;
    bool Editable() const;
    QMetaObject::Connection chosen_, entered_;
};

} // namespace platform
