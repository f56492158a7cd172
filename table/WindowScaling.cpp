#include "table/WindowScaling.h"

#include "common/Shared.h"
#include "engine/TableCodes.h"
#include "platform/OnTop.h"
#include "table/TableState.h"

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

bool ToolWindow_Lay(platform::Form& window, const std::function<void()>& design) {
    platform::WindowOnTop top;
    top.SetOnTop(true);
    top.TopForm(window.Window());
    design();
    if (!Tbl.LargeFonts) return false;
    // Scaling a tool window must leave the table's pile spacing alone.
    const int spacing = Tbl.CenterSpacing;
    ScaleFormControls(window, 5, 3);
    Tbl.CenterSpacing = spacing;
    return true;
}

void ScaleFormControls(platform::Form& window, int mode, int step) {
    const int state = window.WindowState();
    if (state == 1 || state == 2) return;
    double x = 1, y = 1;
    if (mode == 5 && step == 2) {
        x = y = 1.25;
        Tbl.CenterSpacing = 102;
    } else if (mode == 5 && step == 3) {
        x = y = 0.8;
        Tbl.CenterSpacing = 66;
    } else if (mode == 4) {
        if (Tbl.ScreenWidthTwips <= 17280) {
            x = Tbl.ScreenWidthTwips / 12000.0;
            y = Tbl.ScreenHeightTwips / 9000.0;
        } else {
            x = y = Tbl.ScreenHeightTwips < 12960 ? 15360 / 12000.0 : 17280 / 12000.0;
        }
    } else {
        return;
    }
    // The table window is laid out by its plan, never scaled.
    if (window.Name() != QLatin1String("frmGrulm")) ScaleWindowBy(window, x, y);
}

void ScaleWindowBy(platform::Form& window, double x, double y) {
    const int oldScale = window.ScaleMode();
    window.SetScaleMode(platform::vbTwips);
    window.MoveTw(window.LeftTw(), window.TopTw(), static_cast<int>(std::lround(window.WidthTw() * x)),
                  static_cast<int>(std::lround(window.HeightTw() * y)));
    std::vector<const QWidget*> controls;
    for (platform::Control* c : window.Controls()) {
        const bool isImage = dynamic_cast<platform::Image*>(c) != nullptr;
        controls.push_back(c->Widget());
        if (window.Name() == QLatin1String("frmCounter") && isImage) continue;
        c->SetGeometryPx(c->LeftPx() * x, c->TopPx() * y, c->WidthPx() * x, c->HeightPx() * y);
        if (!isImage) c->SetFontSize(c->Font().pointSizeF() * x);
    }
    // A child the window holds besides its controls (a menu bar) goes with them.
    for (QWidget* w : window.Window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (std::find(controls.begin(), controls.end(), w) != controls.end() || w->isWindow()) continue;
        const QRect r = w->geometry();
        w->setGeometry(QRect(QPoint(qRound(r.x() * x), qRound(r.y() * y)),
                             QSize(qRound(r.width() * x), qRound(r.height() * y))));
        QFont font = w->font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * x);
        w->setFont(font);
    }
    window.SetDesignScale(window.DesignScale() * x);
    window.SetScaleMode(oldScale);
}
