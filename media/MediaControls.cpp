#include "media/MediaControls.h"
#include "platform/Connect.h"

#include <QListWidget>
#include <QScrollBar>
#include <QTabBar>

namespace {
QWidget* ParentOf(platform::Form* form) {
    return form ? form->Client() : nullptr;
}
} // namespace

// ---------------------------------------------------------------- CheckList

CheckList::CheckList(platform::Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* box = new QListWidget(ParentOf(form));
    changed_ = platform::Connect(box, &QListWidget::currentRowChanged, box, "click", [this] { FireClick(); });
    Attach(box);
}

CheckList::~CheckList() {
    QObject::disconnect(changed_);
}

QListWidget* CheckList::Box() const {
    return static_cast<QListWidget*>(widget_.data());
}

void CheckList::AddItem(const QString& item) {
    if (!Box()) return;
    auto* it = new QListWidgetItem(item, Box());
    it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
    it->setCheckState(Qt::Unchecked);
}

void CheckList::Clear() {
    if (Box()) Box()->clear();
}

int CheckList::ListCount() const {
    return Box() ? Box()->count() : 0;
}

QString CheckList::List(int i) const {
    return Box() && Box()->item(i) ? Box()->item(i)->text() : QString();
}

int CheckList::ListIndex() const {
    return Box() ? Box()->currentRow() : -1;
}

void CheckList::SetListIndex(int i) {
    if (Box()) Box()->setCurrentRow(i);
}

bool CheckList::Selected(int i) const {
    return Box() && Box()->item(i) && Box()->item(i)->checkState() == Qt::Checked;
}

void CheckList::SetSelected(int i, bool ticked) {
    if (Box() && Box()->item(i)) Box()->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

// ---------------------------------------------------------------- HScroll

HScroll::HScroll(platform::Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* bar = new QScrollBar(Qt::Horizontal, ParentOf(form));
    bar->setPageStep(1);
    moved_ = platform::Connect(bar, &QScrollBar::valueChanged, bar, "change", [this] { Change(); });
    Attach(bar);
}

HScroll::~HScroll() {
    QObject::disconnect(moved_);
}

QScrollBar* HScroll::Bar() const {
    return static_cast<QScrollBar*>(widget_.data());
}

int HScroll::Value() const {
    return Bar() ? Bar()->value() : 0;
}

void HScroll::SetValue(int v) {
    if (Bar()) Bar()->setValue(v);
}

int HScroll::Max() const {
    return Bar() ? Bar()->maximum() : 0;
}

void HScroll::SetRange(int min, int max) {
    if (Bar()) Bar()->setRange(min, max);
}

// ---------------------------------------------------------------- PageTabs

PageTabs::PageTabs(platform::Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* bar = new QTabBar(ParentOf(form));
    changed_ = platform::Connect(bar, &QTabBar::currentChanged, bar, "click", [this] { FireClick(); });
    Attach(bar);
}

PageTabs::~PageTabs() {
    QObject::disconnect(changed_);
}

QTabBar* PageTabs::Bar() const {
    return static_cast<QTabBar*>(widget_.data());
}

void PageTabs::AddTab(const QString& caption, const QString& tip) {
    if (!Bar()) return;
    const QSignalBlocker quiet(Bar());
    const int i = Bar()->addTab(caption);
    Bar()->setTabToolTip(i, tip);
}

int PageTabs::Current() const {
    return Bar() ? Bar()->currentIndex() : -1;
}

void PageTabs::SetCurrent(int i) {
    if (!Bar()) return;
    if (Bar()->currentIndex() == i)
        FireClick();
    else
        Bar()->setCurrentIndex(i);
}

int PageTabs::Count() const {
    return Bar() ? Bar()->count() : 0;
}
