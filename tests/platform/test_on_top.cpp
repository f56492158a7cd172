// Keeping a tool window above the others changes only its stacking.
#include "platform/OnTop.h"
#include "tests/support/TestSupport.h"

#include <QWidget>

namespace {

TEST(WindowOnTop, StartsReleasedAndChangesOnlyTheStackingOfAShownWindow) {
    QWidget w(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    w.setGeometry(40, 50, 120, 90);
    w.show();
    platform::WindowOnTop top;
    EXPECT_FALSE(top.OnTop());
    // Applied before any wish, it releases the window.
    top.TopForm(&w);
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(w.isVisible());
    top.SetOnTop(true);
    top.TopForm(&w);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), QRect(40, 50, 120, 90));
    // A hidden window stays hidden.
    w.hide();
    top.SetOnTop(false);
    top.TopForm(&w);
    EXPECT_FALSE(w.isVisible());
    top.TopForm(nullptr);
}

} // namespace
