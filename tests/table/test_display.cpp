// The display sizes: moved cards, the small display, the card-size switch, fitting the
// window and scaling windows; and the places of the windows opened over the table.
#include "common/TextForm.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "opponent/frmSpeed.h"
#include "table/Avatar.h"
#include "table/Display.h"
#include "table/KeepClear.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/WindowPlaces.h"
#include "table/frmCounter.h"
#include "table/frmHold.h"
#include "tests/table/test_layout_support.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QScreen>
#include <QWindow>
#include <cmath>

namespace {

// A seat's picture on the avatar, and the table laid out for its shape as the game does it.
void ShowAvatar(int w, int h) {
    frmGrulm().ImgAvatar.SetPicture(QImage(w, h, QImage::Format_RGB32));
    Layout_Relay(Layout_ModeAsked());
}

class DisplayTest : public LayoutTest {
  protected:
    void SetUp() override {
        LayoutTest::SetUp();
        Display_Install();
        Pictures_Init();
        StatusBar_Init();
    }
    // A fresh two-player table fitted to a screen of that width.
    void Fitted(int players, int centers, int twips) {
        Table(players, centers, twips, 0);
        Tbl.ScreenHeightTwips = twips * 3 / 4;
        Table_FitScreen(Layout_ModeAsked());
    }
    // The point size of every text on the table, a line each.
    QString Fonts() {
        QString out;
        for (platform::Control* c : form->Controls())
            if (dynamic_cast<Label*>(c) || dynamic_cast<CommandButton*>(c))
                out += QString("%1(%2) font %3\n").arg(c->Name()).arg(c->Index()).arg(c->Font().pointSizeF());
        return out;
    }
    std::map<QString, QRectF> Rects() {
        std::map<QString, QRectF> m;
        for (platform::Control* c : form->Controls())
            m[QStringLiteral("%1(%2)").arg(c->Name()).arg(c->Index())] = Rect(*c);
        return m;
    }
};

TEST_F(DisplayTest, MovedCardsGolden) {
    Fitted(2, 3, 15360);
    Display_Change(0);
    EXPECT_EQ(Com.LayoutMode, 1);
    EXPECT_EQ(Display_EntryCaption(0, DisplayMode_Of(Com.LayoutMode)), "Move Cards Down");
    CompareGolden(Layout_Dump(), "display_moved_two_15360");
}

TEST_F(DisplayTest, MovingTheCardsUpTwiceRaisesThemOnce) {
    Fitted(2, 3, 15360);
    const double human = form->Picture7(7).Top();
    Display_Change(0);
    const double up = form->Picture1(7).Top(), humanUp = form->Picture7(7).Top();
    EXPECT_EQ(up, 118);
    EXPECT_LT(humanUp, human);
    Com.LayoutMode = 0; // a restart enters the stored mode from mode 0's entry
    Display_Change(0);
    EXPECT_EQ(form->Picture1(7).Top(), up);
    EXPECT_EQ(form->Picture7(7).Top(), humanUp);
}

TEST_F(DisplayTest, SmallDisplayGolden) {
    Fitted(2, 4, 15360);
    Display_Change(1);
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(Tbl.CardWidth, 59);
    EXPECT_EQ(Display_EntryCaption(1, DisplayMode_Of(Com.LayoutMode)), "Make Display Larger");
    EXPECT_FALSE(Tbl.DisplayEntryEnabled[0]);
    // Faces and place-holders of the small size fill the center places whole.
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(Rect(form->PicCenter(c)).size(), QSizeF(59, 80)) << c;
        EXPECT_EQ(form->PicCenter(c).Picture(), form->EmptyPlaceSmall) << c;
    }
    CompareGolden(Layout_Dump(), "display_small_two_4piles_15360");
}

TEST_F(DisplayTest, FourPlayersSmallSwitchesTheCardsNotTheWindow) {
    Fitted(4, 4, 12800);
    const int width = form->WidthTw();
    Display_Change(1);
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(Tbl.CardWidth, 59);
    EXPECT_EQ(form->Picture7(3).WidthPx(), 59);
    EXPECT_EQ(form->PicCenter(4).HeightPx(), 80);
    EXPECT_EQ(form->Label3(0).WidthPx(), 274);
    EXPECT_EQ(Tbl.CenterSpacing, 82); // the window is not scaled
    EXPECT_EQ(form->WidthTw(), width);
    CompareGolden(Layout_Dump(), "display_small_four_12800");
    // Four players need the small display on this screen: it cannot be made larger.
    EXPECT_FALSE(Tbl.DisplayEntryEnabled[1]);
    Display_Change(1);
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(form->Picture7(3).WidthPx(), 59);
}

TEST_F(DisplayTest, SmallerThenLargerScalesByPointEightAndBack) {
    Fitted(2, 3, 15360);
    const auto before = Rects();
    Display_Change(1);
    EXPECT_EQ(Tbl.CenterSpacing, 66);
    EXPECT_EQ(Tbl.CenterSnapWidth, 33);
    // Controls that are never scaled keep their size.
    EXPECT_DOUBLE_EQ(form->ImgTurn1.WidthPx(), before.at("ImgTurn1(-1)").width());
    Display_Change(1);
    EXPECT_EQ(Com.LayoutMode, 0);
    // The standard display, as it is whatever came before it.
    EXPECT_EQ(Tbl.CenterSpacing, 82);
    EXPECT_EQ(Tbl.CenterSnapWidth, 41);
    EXPECT_EQ(Tbl.CardWidth, 71);
    // 0.8 x 1.25 is 1: the table is back where it was.
    const auto after = Rects();
    for (const auto& [name, r] : before) {
        // The message label is fitted to the room each display leaves it, not scaled back.
        if (!after.count(name) || name.startsWith("StatusBar1") || name == "Label9(1)") continue;
        const QRectF& a = after.at(name);
        EXPECT_NEAR(a.width(), r.width(), 0.01) << name.toStdString();
        EXPECT_NEAR(a.height(), r.height(), 0.01) << name.toStdString();
    }
    CompareGolden(Layout_Dump(), "display_smaller_larger_two_15360");
}

TEST_F(DisplayTest, MovingCardsInTheSmallDisplayKeepsThemSmall) {
    Fitted(2, 3, 15360);
    Display_Change(1);
    ASSERT_EQ(Com.LayoutMode, 2);
    Display_Change(0);
    EXPECT_EQ(Com.LayoutMode, 3);
    EXPECT_EQ(Tbl.CardWidth, 59);
    Display_Change(0);
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(Tbl.CardWidth, 59);
}

TEST_F(DisplayTest, SmallerWhileMovedFirstMovesTheCardsBack) {
    Fitted(2, 3, 15360);
    const double sideTop = form->Picture7(1).TopPx();
    Display_Change(0);
    ASSERT_EQ(Com.LayoutMode, 1);
    EXPECT_LT(form->Picture7(1).TopPx(), sideTop);
    Display_Change(1);
    EXPECT_EQ(Com.LayoutMode, 2);
    EXPECT_EQ(Display_EntryCaption(0, DisplayMode_Of(Com.LayoutMode)), "Move Cards Up");
}

// Whatever entries led to a display, the window and the table are those a start in it shows.
TEST_F(DisplayTest, EverySequenceOfDisplayEntriesEndsInTheTableOfAFreshStart) {
    for (const int twips : {15360, 12000})
        for (const char* entries : {"0", "1", "00", "01", "10", "11", "101", "011", "001", "110"}) {
            SCOPED_TRACE(testing::Message() << twips << " twips, entries " << entries);
            Fitted(2, 3, twips);
            for (const char* kind = entries; *kind; ++kind)
                Display_Change(*kind - '0');
            const int mode = Com.LayoutMode;
            const QString after = Layout_Dump() + Fonts();
            const QSize client = form->Client()->size();
            Fitted(2, 3, twips);
            Layout_Relay(DisplayMode_Of(mode), true, true);
            EXPECT_EQ(client, form->Client()->size());
            ExpectSameLines(after, Layout_Dump() + Fonts());
        }
}

// The level label keeps to the panel's right edge as each look of the panel puts it, whatever
// lays the table out again afterwards: either display entry, or a window resized by hand.
TEST_F(DisplayTest, TheLevelLabelStaysWhereThePanelsLookPutsIt) {
    for (const int look : {0, 1})
        for (const int kind : {0, 1, 2}) {
            Fitted(2, 3, 15360);
            Com.PlaceholderStyle = look;
            Skin_SelectImages();
            const QRectF level = Rect(form->lblLevel);
            ASSERT_EQ(level.right(), form->picPanel.LeftPx() + form->picPanel.WidthPx() - (look ? 8 : 5));
            if (kind < 2) Display_Change(kind);
            if (kind == 2) form->SetClientSizePx(900, 640), Grulm_FormResize();
            EXPECT_EQ(Rect(form->lblLevel), level) << look << " " << kind;
        }
}

TEST_F(DisplayTest, OtherWindowsScaleAllControlsAndTheirFonts) {
    platform::Form w("frmOther");
    Label l(&w, "Label1", -1);
    w.SetScaleMode(platform::vbPixels);
    l.Move(10, 20, 100, 30);
    l.SetFontSize(10);
    w.MoveTw(0, 0, 3000, 1500);
    ScaleFormControls(w, 5, 3);
    EXPECT_NEAR(l.LeftPx(), 8, 1e-9);
    EXPECT_NEAR(l.WidthPx(), 80, 1e-9);
    EXPECT_NEAR(l.Font().pointSizeF(), 8, 1e-6);
    EXPECT_EQ(w.WidthTw(), 2400);
    EXPECT_EQ(w.HeightTw(), 1200);
}

TEST_F(DisplayTest, FitScreenSizesTheWindowFromTheHumansRow) {
    Fitted(2, 3, 15360);
    form->SetScaleMode(platform::vbTwips);
    const double bottom = form->Picture7(1).Top() + form->Picture7(1).Height();
    const int expected = static_cast<int>(std::lround(form->StatusBar1.Height() + bottom + 900)) + 255;
    EXPECT_EQ(Tbl.FormHeight, expected);
    EXPECT_EQ(Tbl.FormWidth, 15360);
    Tbl.ScreenWidthTwips = 19200;
    Table_FitScreen(Layout_ModeAsked());
    EXPECT_EQ(Tbl.FormWidth, 16665);
}

TEST_F(DisplayTest, SnapWidthFollowsTheSpacing) {
    EXPECT_EQ(CenterSnapWidthOf(82), 41);
    EXPECT_EQ(CenterSnapWidthOf(66), 33);
    EXPECT_EQ(CenterSnapWidthOf(102), 51);
}

TEST_F(DisplayTest, MinimizingClosesTheViewerAndTheCounter) {
    Fitted(2, 3, 15360);
    form->Show();
    frmCounter().Show();
    ASSERT_TRUE(platform::Form::IsLoaded("frmCounter"));
    form->SetWindowState(1);
    if (form->WindowState() != 1) GTEST_SKIP() << "this platform cannot minimize";
    Grulm_FormResize();
    EXPECT_FALSE(platform::Form::IsLoaded("frmCounter"));
}

// ---------------------------------------------------------------- windows over the table

// Windows over the table: the fitted width after the player dragged the table wider, tool
// windows wholly on the screen beside the cards, and the hold viewer's first and kept place.
class WindowPlacesTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        form->Resize = [] { Grulm_FormResize(); };
    }
    void TearDown() override {
        if (platform::Form::IsLoaded("frmSpeed")) frmSpeed().Unload();
        DisplayTest::TearDown();
    }
    // A two-player table fitted to the offscreen screen (800 x 600), every card place showing.
    void ShownTable() {
        Table(2, 3, 12000, 0);
        Tbl.ScreenHeightTwips = 9000;
        Table_FitScreen(Layout_ModeAsked());
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
    Table_FitScreen(Layout_ModeAsked());
    form->Show();
    form->Window()->resize(1250, form->Window()->height());
    QApplication::processEvents();
    ASSERT_EQ(Tbl.FormWidth, 1250 * 15);
    Table_FitScreen(Layout_ModeAsked());
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

namespace {

// On every screen and display the avatar stays a picture and the winner's notice shows whole in
// its label's own font (what lies where is the layout plan's test).
TEST_F(DisplayTest, TheAvatarStaysAPictureAndTheNoticeShowsWhole) {
    const QString notices[] = {
        QStringLiteral("That was your LAST CARD! OK, so you won!!!  Oskrel needs more memory...\n"
                       "(Oskrel had 20 cards left.)"),
        QStringLiteral("That was your LAST CARD! OK, so you won!!!  Oskrel needs more memory...\n"
                       "(Your opponents had 57 cards left.)"),
        QStringLiteral("That was the last card, Oskrel WON with a margin of  57 ! Were you SLEEPING?\n"
                       "You had 20 cards left!")};
    struct Case {
        int players, centers;
    };
    for (const Case c : {Case{2, 3}, Case{2, 4}, Case{3, 4}, Case{4, 4}})
        for (int twips : {9600, 12000, 15360})
            for (int change : {0, 1, 2, 3}) { // bit 0 the cards moved up, bit 1 the small display
                if (twips < 10000 && !(change & 2)) continue; // such a screen always has the small display
                SCOPED_TRACE(testing::Message()
                             << c.players << "/" << c.centers << " at " << twips << " change " << change);
                TearDown();
                SetUp();
                Com.NumPlayers = 2;
                Com.NumCenters = 3;
                Fitted(c.players, c.centers, twips);
                ShowAvatar(130, 130);
                if (change & 2) Display_Change(1);
                if (change & 1) Display_Change(0);
                form->SetScaleMode(platform::vbPixels);
                FrmGrulm& f = *form;
                EXPECT_GE(f.ImgAvatar.WidthPx(), 40);
                // Shown again as a seat speaks, the avatar leaves the comment line whole.
                ShowAvatar(130, 130);
                EXPECT_FALSE(Layout_Overlap(Rect(f.ImgAvatar), Rect(f.Label9(kLblComment))));
                Label& l = f.Label9(1);
                for (const QString& text : notices) {
                    const QRectF room(0, 0, l.WidthPx() - 2, 1e6);
                    EXPECT_LE(QFontMetricsF(l.Font()).boundingRect(room, Qt::TextWordWrap, text).height(),
                              l.HeightPx())
                        << text.toStdString();
                }
            }
}

} // namespace
