#pragma once
// The few controls the media windows need beyond the platform's kit: a list whose
// entries carry a tick, a horizontal scroll bar and a tab strip. Each fires its event
// whether the player or the code makes the change.
#include "platform/Controls.h"

#include <QMetaObject>

class QListWidget;
class QScrollBar;
class QTabBar;

// A list with a tick box per entry. Click fires when an entry is selected.
class CheckList : public platform::Control {
  public:
    CheckList(platform::Form* form, QString name, int index);
    ~CheckList() override;
    void AddItem(const QString& item);
    void Clear();
    int ListCount() const;
    QString List(int i) const;
    int ListIndex() const;
    void SetListIndex(int i);
    bool Selected(int i) const; // ticked
    void SetSelected(int i, bool ticked);

  private:
    QListWidget* Box() const;
    QMetaObject::Connection changed_;
};

// A horizontal scroll bar; Change fires when the value moves.
class HScroll : public platform::Control {
  public:
    HScroll(platform::Form* form, QString name, int index);
    ~HScroll() override;
    int Value() const;
    void SetValue(int v);
    int Max() const;
    void SetRange(int min, int max);
    std::function<void()> Change = [] {};

  private:
    QScrollBar* Bar() const;
    QMetaObject::Connection moved_;
};

// A row of tabs; Click fires with the new tab (0-based) when it changes.
class PageTabs : public platform::Control {
  public:
    PageTabs(platform::Form* form, QString name, int index);
    ~PageTabs() override;
    void AddTab(const QString& caption, const QString& tip);
    int Current() const;
    void SetCurrent(int i);
    int Count() const;

  private:
    QTabBar* Bar() const;
    QMetaObject::Connection changed_;
};
