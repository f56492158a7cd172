// Windows over the table: the fitted width after the player dragged the table wider, tool
// windows wholly on the screen beside the cards, and the hold viewer's first and kept place.
#include "opponent/frmSpeed.h"
#include "table/Display.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/WindowPlaces.h"
#include "table/frmCounter.h"
#include "table/frmHold.h"
#include "tests/table/test_layout_support.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

namespace {

class WindowPlacesTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Display_Install();
        Pictures_Init();
        StatusBar_Init();
        form->Resize = [] { Grulm_FormResize(); };
    }
    void TearDown() override {
        if (platform::Form::IsLoaded("frmSpeed")) frmSpeed().Unload();
        LayoutTest::TearDown();
    }
    // A two-player table fitted to the offscreen screen (800 x 600), every card place showing.
    void ShownTable() {
        Table(2, 3, 12000, 0);
        Tbl.ScreenHeightTwips = 9000;
        Form_FitScreen();
        for (int i = 1; i <= 10; ++i) {
            form->Picture7(i).SetVisible(true);
            form->Picture1(i).SetVisible(true);
        }
        form->Show();
        QApplication::processEvents();
    }
    // The card places a window's frame lies over.
    QStringList Covered(QWidget* w) {
        QStringList names;
        const QRect frame = w->frameGeometry();
        const QPoint origin = form->Window()->geometry().topLeft();
        for (auto* places : {&form->Picture7, &form->Picture1, &form->PicCenter})
            for (int i = 0; i <= 10; ++i) {
                if (!places->Exists(i) || !(*places)(i).Visible()) continue;
                const PictureBox& p = (*places)(i);
                const QRect r(origin + QPoint(int(p.LeftPx()), int(p.TopPx())),
                              QSize(int(p.WidthPx()), int(p.HeightPx())));
                if (r.intersects(frame)) names << QStringLiteral("%1(%2)").arg(p.Name()).arg(i);
            }
        return names;
    }
    QRect ScreenArea() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

// "Reset Default Window Size": 1250 pixels dragged on a 1280-pixel screen go back to 1111.
TEST_F(WindowPlacesTest, TheResetUndoesAWidthThePlayerDragged) {
    Table(2, 3, 19200, 0);
    Tbl.ScreenHeightTwips = 15360;
    Form_FitScreen();
    form->Show();
    form->Window()->resize(1250, form->Window()->height());
    QApplication::processEvents();
    ASSERT_EQ(Tbl.FormWidth, 1250 * 15);
    Form_FitScreen();
    QApplication::processEvents();
    EXPECT_EQ(form->WidthTw(), 16665);
    EXPECT_EQ(Tbl.FormWidth, 16665);
}

TEST_F(WindowPlacesTest, ToolWindowsOpenWhollyOnTheScreenAndOffTheCards) {
    ShownTable();
    Counter_ShowDeck();
    platform::Form* counter = &frmCounter();
    platform::Form* pace = &frmSpeed();
    for (platform::Form* w : {counter, pace}) {
        ToolWindow_Open(*w, TableSpot::Free, false);
        ASSERT_TRUE(w->IsVisible()) << w->Name().toStdString();
        EXPECT_TRUE(ScreenArea().contains(w->Window()->frameGeometry())) << w->Name().toStdString();
        EXPECT_EQ(Covered(w->Window()), QStringList()) << w->Name().toStdString();
        EXPECT_EQ(w->Window()->windowHandle()->transientParent(), form->Window()->windowHandle());
        w->Hide();
    }
    // Opened together, the second keeps off the first.
    ToolWindow_Open(*pace, TableSpot::Free, false);
    ToolWindow_Open(*counter, TableSpot::Free, false);
    EXPECT_FALSE(counter->Window()->frameGeometry().intersects(pace->Window()->frameGeometry()));
    // A dialog the game waits for is centred over the table above its status bar.
    platform::Form* hold = &frmHold();
    hold->Load();
    Window_PlaceOverTable(*hold, TableSpot::Centre);
    const QRect table = form->Window()->geometry().adjusted(0, 0, 0, -int(form->StatusBar1.HeightPx()));
    EXPECT_LE((hold->Window()->frameGeometry().center() - table.center()).manhattanLength(), 2);
}

// A viewer never placed opens beside the cards, not in the corner over the opponent's; a
// place the player dragged it to is kept.
TEST_F(WindowPlacesTest, TheHoldViewerOpensOffTheCardsThenWhereThePlayerLeftIt) {
    ShownTable();
    Tbl.ViewedSlot = 7;
    Tbl.HoldViewOther = false;
    Tbl.HoldViewLeft = Tbl.HoldViewTop = 0;
    HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
    FrmHold& view = frmHold();
    view.Show();
    const QRect first = view.Window()->frameGeometry();
    EXPECT_NE(first.topLeft(), QPoint(0, 0));
    EXPECT_TRUE(ScreenArea().contains(first));
    EXPECT_EQ(Covered(view.Window()), QStringList());
    EXPECT_EQ(Tbl.HoldViewLeft, first.left() * 15);

    Tbl.HoldViewLeft = 150 * 15;
    Tbl.HoldViewTop = 100 * 15;
    HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
    EXPECT_EQ(view.Window()->frameGeometry().topLeft(), QPoint(150, 100));
}

} // namespace
