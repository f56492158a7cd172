// Where windows go: frames kept on the free area, dialogs over the window they belong to
// and above windows kept on top, and a modal wait that never leaves a window blocking input.
#include "platform/Controls.h"
#include "platform/Placement.h"
#include "platform/Services.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

namespace {

TEST(WindowPlaces, AFrameIsKeptWhollyInTheAreaAsFarAsItFits) {
    const QRect area(0, 0, 640, 480);
    const QMargins frame(1, 21, 1, 1);
    struct Case {
        QPoint wanted;
        QSize client;
        QPoint at;
    };
    const Case cases[] = {
        {{10, 10}, {300, 150}, {10, 10}},     // already inside
        {{500, 400}, {300, 150}, {338, 308}}, // past the right and bottom edges: 640 - 302, 480 - 172
        {{-50, -30}, {300, 150}, {0, 0}},     // above and left of the screen
        {{0, 0}, {640, 480}, {0, 0}},         // larger than the area: its title bar stays reachable
    };
    for (const Case& c : cases) {
        const QRect r = platform::FrameKeptIn(area, c.wanted, c.client, frame);
        EXPECT_EQ(r.topLeft(), c.at) << c.wanted.x() << "," << c.wanted.y();
        EXPECT_EQ(r.size(), c.client.grownBy(frame));
    }
}

class DialogOwner : public GameTest {};

// The second box of a pair ("Exit the tutorial?", then how to start it again) opens while the
// first one's activation has not come back to the window yet: it still belongs to that window.
TEST_F(DialogOwner, ABoxOpensOverItsWindowAndAboveWindowsKeptOnTop) {
    QWidget tool(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint);
    tool.show();
    QApplication::setActiveWindow(&tool);
    QMessageBox first;
    platform::Dialog_Attach(&first);
    EXPECT_EQ(first.parentWidget(), &tool);
    EXPECT_TRUE(first.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QApplication::setActiveWindow(nullptr);
    QMessageBox second;
    platform::Dialog_Attach(&second);
    EXPECT_EQ(second.parentWidget(), &tool);
    EXPECT_TRUE(second.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // With no window kept on top, a box is not put above the desktop's other windows.
    tool.hide();
    QMessageBox third;
    platform::Dialog_Attach(&third);
    EXPECT_EQ(third.parentWidget(), nullptr);
    EXPECT_FALSE(third.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

class ModalWait : public GameTest {};

class WaitForm : public platform::Form {
  public:
    WaitForm() : Form("frmWait") {}
};

// Closed by the window manager's close box (a close event to its window) while an older wait
// for it is still pending under a newer one, reopened and closed again: the window never
// blocks the others, and every wait ends.
TEST_F(ModalWait, AWindowReopenedWhileAnOlderWaitPendsNeverBlocksTheOthers) {
    WaitForm f;
    auto closeBox = [&f] {
        QCloseEvent e;
        QCoreApplication::sendEvent(f.Window()->windowHandle(), &e);
    };
    int blockedSeen = 0, reopened = 0;
    QTimer::singleShot(0, f.Window(), [&] {
        closeBox();
        // Still inside the first wait: opened again, as F5 or the menu row does.
        QTimer::singleShot(0, f.Window(), [&] {
            reopened += f.IsVisible() ? 1 : 0;
            if (QApplication::activeModalWidget()) ++blockedSeen;
            closeBox();
        });
        f.Show(true);
    });
    f.Show(true);
    EXPECT_EQ(reopened, 1);
    EXPECT_EQ(blockedSeen, 0);
    EXPECT_FALSE(f.IsVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
