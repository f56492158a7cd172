#include "table/CardFlow.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "table/Display.h"
#include "table/TableState.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

namespace {

// Strip heights and the stock place's sizes.
constexpr int kLargeH = 96, kSmallH = 80;
constexpr int kLargeW = 71, kSmallW = 59;
// When the backs fill the width this closely the frame is drawn three times as deep.
constexpr int kSnugWidth = 69;

// One rectangle of the table window that shows part of the composed frame. The
// frames are painted over the table, which keeps its own picture underneath.
class FlowView : public QWidget {
  public:
    FlowView(QWidget* parent, const QRect& area, const QImage* frame) : QWidget(parent), frame_(frame) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(area);
        raise();
        show();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawImage(QPoint(0, 0), *frame_, QRect(QPoint(0, 0), size()));
    }

  private:
    const QImage* frame_;
};

// Any mouse press, pointer movement or key on the table window ends the flow.
class FlowStopper : public QObject {
  public:
    explicit FlowStopper(QWidget* table) : table_(table) { qApp->installEventFilter(this); }
    ~FlowStopper() override { qApp->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        const QEvent::Type t = e->type();
        if (t != QEvent::MouseButtonPress && t != QEvent::MouseMove && t != QEvent::KeyPress) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && table_ && w->window() == table_) Com.FlowStop = true;
        return false;
    }

  private:
    QPointer<QWidget> table_;
};

bool SmallCards() {
    return Com.LayoutMode >= 2 || (Com.NumPlayers >= 3 && Tbl.ScreenWidthTwips < 12001);
}

// Where the frames show: the whole table, two strips, or the stock's place.
std::vector<QRect> FlowAreas(int mode, int animW) {
    TableForm& f = frmGrulm();
    if (mode == 0) return {QRect(0, 0, animW, f.Window()->height())};
    const bool large = Com.LayoutMode < 2 && (Com.NumPlayers < 3 || Tbl.ScreenWidthTwips >= 12001);
    if (mode == 1) {
        const int h = large ? kLargeH : kSmallH;
        return {QRect(2, static_cast<int>(f.PicCenter(1).TopPx()), animW, h),
                QRect(2, static_cast<int>(f.Picture7(1).TopPx()), animW, h)};
    }
    const bool big = Com.NumPlayers == 2 || Tbl.ScreenWidthTwips > 12000;
    PictureBox& stock = f.PicCenter(0);
    return {QRect(static_cast<int>(stock.LeftPx()), static_cast<int>(stock.TopPx()), big ? kLargeW : kSmallW,
                  big ? kLargeH : kSmallH)};
}

void Background_Restore() {
    TableForm& f = frmGrulm();
    const bool plain = Tbl.BackgroundIndex == 0 || Tbl.BackgroundIndex == Tbl.BackgroundCount + 1;
    if (!plain && DispHooks.Background_Load)
        DispHooks.Background_Load();
    else
        f.Window()->update();
}

} // namespace

FlowPlan Flow_Plan(int mode, int animW, int animH, int w, int h) {
    FlowPlan plan;
    if (w <= 0 || h <= 0) return plan;
    plan.P = animH / h + 1;
    plan.Q = animW / w + 1;
    if (plan.Q * w - animW < kSnugWidth) {
        plan.P *= 3;
        plan.Q += 1;
    } else {
        plan.P += mode == 1 ? 3 : 5;
    }
    return plan;
}

void Flow_Step(int& dx, int& dy, int w, int h) {
    dx += 2;
    dy -= 1;
    if (dx > w) dx = 1;
    if (dx < -w) dx = -1;
    if (dy > h) dy = 1;
    if (dy < -h) dy = -1;
}

void Flow_Compose(QImage& frame, const QImage& back, int mode, const FlowPlan& plan, int dx, int dy) {
    const int w = back.width(), h = back.height();
    QPainter p(&frame);
    for (int a = 0; a <= plan.P; ++a)
        for (int b = 0; b <= plan.Q; ++b)
            p.drawImage(QPoint((a - 1) * w + dx, mode == 0 ? (b - 1) * h + dy : 0), back);
}

double Flow_FramePause(int cpuSpeed) {
    if (cpuSpeed < 1000) return 0.001;
    if (cpuSpeed < 1800) return 0.01;
    return 0.02;
}

void AnimateCardsFlow(int mode) {
    // A call while the flow runs starts nothing: the running one ends and restores once.
    if (Com.FlowRunning) return;
    TableForm& f = frmGrulm();
    const QImage back = Tbl.Pic.FilePic[SmallCards() ? 5 : 0];
    // Running before the flow's first frame lets events through, so a DEAL press waits for it.
    Com.FlowStop = false;
    Com.FlowRunning = true;
    // The key that stops the flow runs no command.
    Hooks.KeyArm(false);
    const int animW = f.Window()->width(), animH = f.Window()->height();
    f.Timer1.SetEnabled(false);

    const int w = back.isNull() ? kLargeW : static_cast<int>(back.width() / back.devicePixelRatio());
    const int h = back.isNull() ? kLargeH : static_cast<int>(back.height() / back.devicePixelRatio());
    QImage card =
        back.isNull() ? QImage() : back.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const FlowPlan plan = Flow_Plan(mode, animW, animH, w, h);
    QImage frame(std::max(1, animW), std::max(1, animH), QImage::Format_RGB32);
    frame.fill(platform::FromBGR(Com.MatColour));
    std::vector<std::unique_ptr<FlowView>> views;
    for (const QRect& area : FlowAreas(mode, animW))
        views.push_back(std::make_unique<FlowView>(f.Window(), area, &frame));

    FlowStopper stopper(f.Window());
    int dx = 0, dy = 0;
    while (!Com.FlowStop) {
        if (!card.isNull()) Flow_Compose(frame, card, mode, plan, dx, dy);
        for (auto& v : views)
            v->update();
        Flow_Step(dx, dy, w, h);
        if (Com.FlowStop) break;
        Pause(Flow_FramePause(Com.CpuSpeed));
        // A closing program stops every wait; the flow ends with it.
        if (Com.GameAbort) Com.FlowStop = true;
    }
    views.clear();
    Background_Restore();
    Com.FlowRunning = false;
    Com.FlowStop = false;
    // A key that stopped the flow was swallowed on its way; one that did not (the mouse only
    // moved) must not swallow the first key of the next game.
    Hooks.KeyArm(true);
    if (Com.DealAfterFlow) {
        Com.DealAfterFlow = false;
        // The DEAL press waited for the flow; a closing program deals nothing.
        if (!Com.GameAbort) cmdDeal_Click();
    }
}
