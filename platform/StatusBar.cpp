#include "platform/StatusBar.h"
#include "platform/EventWidget.h"
#include "platform/Guard.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace platform {

namespace {
class BarWidget : public QWidget, public Reporting {
  public:
    BarWidget(StatusBar* bar, QWidget* parent) : QWidget(parent), bar_(bar) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    void Detach() override { bar_ = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        if (!bar_) return;
        p.setFont(font());
        for (int i = 1; i <= bar_->PanelCount(); ++i) {
            const QRect r = bar_->PanelRect(i);
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(r.adjusted(0, 1, -2, -2));
            p.setPen(palette().color(QPalette::WindowText));
            p.drawText(r.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                       bar_->Panels(i).Text);
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (!bar_ || e->button() != Qt::LeftButton) return;
        const int i = bar_->PanelAt(static_cast<int>(e->position().x()));
        if (i > 0 && bar_->PanelClick) Guarded("status bar click", [&] { bar_->PanelClick(i); });
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::ToolTip && bar_) {
            auto* h = static_cast<QHelpEvent*>(e);
            const int i = bar_->PanelAt(h->pos().x());
            if (i > 0 && !bar_->Panels(i).ToolTipText.isEmpty())
                QToolTip::showText(h->globalPos(), bar_->Panels(i).ToolTipText, this);
            else
                QToolTip::hideText();
            return true;
        }
        return QWidget::event(e);
    }

  private:
    StatusBar* bar_;
};
} // namespace

StatusBar::StatusBar(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* w = new BarWidget(this, form ? form->Client() : nullptr);
    Attach(w);
}

Panel& StatusBar::Panels(int i) {
    if (i < 1 || i > PanelCount()) throw std::out_of_range("status bar panel " + std::to_string(i));
    return panels_[i - 1];
}
const Panel& StatusBar::Panels(int i) const {
    if (i < 1 || i > PanelCount()) throw std::out_of_range("status bar panel " + std::to_string(i));
    return panels_[i - 1];
}
Panel& StatusBar::Panels(const QString& key) {
    for (auto& p : panels_)
        if (p.Key == key) return p;
    throw std::out_of_range(("no status bar panel with key " + key).toStdString());
}

int StatusBar::AddPanel(const Panel& p) {
    panels_.push_back(p);
    Update();
    return PanelCount();
}

void StatusBar::Update() {
    Refresh();
}

std::vector<int> StatusBar::Widths() const {
    const QFontMetrics fm(font_);
    const int total = static_cast<int>(WidthPx());
    std::vector<int> w(panels_.size());
    int used = 0, springs = 0;
    for (size_t i = 0; i < panels_.size(); ++i) {
        const Panel& p = panels_[i];
        const int content = fm.horizontalAdvance(p.Text) + 10;
        w[i] = p.AutoSize == 2 ? std::max(p.MinWidth, content) : p.MinWidth;
        if (p.AutoSize == 1) ++springs;
        used += w[i];
    }
    if (springs > 0 && total > used) {
        const int extra = (total - used) / springs;
        for (size_t i = 0; i < panels_.size(); ++i)
            if (panels_[i].AutoSize == 1) w[i] += extra;
    }
    return w;
}

QRect StatusBar::PanelRect(int i) const {
    const auto w = Widths();
    int x = 0;
    for (int k = 1; k < i && k <= static_cast<int>(w.size()); ++k)
        x += w[k - 1];
    if (i < 1 || i > static_cast<int>(w.size())) return {};
    return QRect(x, 0, w[i - 1], static_cast<int>(HeightPx()));
}

int StatusBar::PanelAt(int x) const {
    const auto w = Widths();
    int left = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        if (x >= left && x < left + w[i]) return static_cast<int>(i) + 1;
        left += w[i];
    }
    return 0;
}

} // namespace platform
