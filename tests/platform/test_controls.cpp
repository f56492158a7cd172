#include "platform/Controls.h"
#include "tests/support/TestSupport.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <ctime>

using namespace platform;

namespace {
class TestForm : public Form {
  public:
    TestForm() : Form("frmTest") {}
    ControlArray<PictureBox> Places{this, "Places"};
    ControlArray<Label> Texts{this, "Texts"};
    int loads = 0, unloads = 0;
    bool refuse = false;

  protected:
    void Form_Load() override { ++loads; }
    bool Form_QueryUnload() override { return refuse; }
    void Form_Unload() override { ++unloads; }
};
} // namespace

using ControlsTest = GameTest;

TEST_F(ControlsTest, PositionsReadBackInTheFormsUnit) {
    TestForm f;
    PictureBox& p = f.Places.Create(0);
    f.SetScaleMode(vbPixels);
    p.Move(10.5, 20, 71, 96);
    EXPECT_DOUBLE_EQ(p.Left(), 10.5);
    f.SetScaleMode(vbTwips);
    EXPECT_DOUBLE_EQ(p.Left(), 157.5);
    EXPECT_DOUBLE_EQ(p.Width(), 1065);
    p.SetTop(300);
    f.SetScaleMode(vbPixels);
    EXPECT_DOUBLE_EQ(p.Top(), 20);
    EXPECT_EQ(p.Widget()->geometry(), QRect(11, 20, 71, 96));
}

TEST_F(ControlsTest, LoadCopiesTheLowestElementInvisibleAndUnloadRemoves) {
    TestForm f;
    f.SetScaleMode(vbPixels);
    Label& t = f.Texts.Create(1);
    t.Move(5, 6, 70, 20);
    t.SetCaption("Name");
    t.SetToolTipText("tip");
    t.SetBackStyle(0);
    Label& copy = f.Texts.Load(4);
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(copy.Caption(), "Name");
    EXPECT_EQ(copy.ToolTipText(), "tip");
    EXPECT_EQ(copy.BackStyle(), 0);
    EXPECT_DOUBLE_EQ(copy.Width(), 70);
    EXPECT_EQ(copy.Index(), 4);
    EXPECT_EQ(f.Texts.UBound(), 4);
    EXPECT_THROW(f.Texts.Load(4), std::logic_error);
    f.Texts.Unload(4);
    EXPECT_FALSE(f.Texts.Exists(4));
    EXPECT_THROW(f.Texts(4), std::out_of_range);
    EXPECT_THROW(f.Texts.Unload(4), std::out_of_range);
}

TEST_F(ControlsTest, LabelShowsCrLfAsLineBreakAndKeepsCaptionVerbatim) {
    TestForm f;
    Label& t = f.Texts.Create(0);
    t.SetCaption("Line one\r\nLine && two&");
    EXPECT_EQ(t.Caption(), "Line one\r\nLine && two&");
    EXPECT_EQ(t.DisplayText(), "Line one\nLine & two");
    t.SetUseMnemonic(false);
    EXPECT_EQ(t.DisplayText(), "Line one\nLine && two&");
    EXPECT_FALSE(f.Texts.Load(1).UseMnemonic()) << "copies keep it";
}

TEST_F(ControlsTest, MouseEventsCarryIndexButtonShiftAndPixels) {
    TestForm f;
    f.SetScaleMode(vbPixels);
    f.SetClientSizePx(300, 200);
    f.Places.Create(0);
    PictureBox& p = f.Places.Load(3);
    p.Move(50, 40, 71, 96);
    p.SetVisible(true);
    f.Show();
    struct Got {
        int index, button, shift;
        double x, y;
    };
    std::vector<Got> downs;
    std::vector<int> clicks;
    f.Places.On().MouseDown = [&](int i, int b, int s, double x, double y) {
        downs.push_back({i, b, s, x, y});
    };
    f.Places.On().Click = [&](int i) { clicks.push_back(i); };
    QTest::mousePress(p.Widget(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 9));
    QTest::mouseRelease(p.Widget(), Qt::RightButton, Qt::ControlModifier, QPoint(7, 9));
    QTest::mouseClick(p.Widget(), Qt::LeftButton, Qt::ShiftModifier, QPoint(3, 4));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].index, 3);
    EXPECT_EQ(downs[0].button, 2);
    EXPECT_EQ(downs[0].shift, 2);
    EXPECT_DOUBLE_EQ(downs[0].x, 7);
    EXPECT_DOUBLE_EQ(downs[0].y, 9);
    EXPECT_EQ(downs[1].button, 1);
    EXPECT_EQ(downs[1].shift, 1);
    EXPECT_EQ(clicks, std::vector<int>{3});
}

TEST_F(ControlsTest, UnloadAsksFirstAndOnlyHides) {
    TestForm f;
    f.Show();
    EXPECT_EQ(f.loads, 1);
    EXPECT_TRUE(Form::IsLoaded("frmTest"));
    f.refuse = true;
    EXPECT_FALSE(f.Unload());
    EXPECT_TRUE(f.IsVisible());
    f.refuse = false;
    EXPECT_TRUE(f.Unload());
    EXPECT_EQ(f.unloads, 1);
    EXPECT_FALSE(f.IsVisible());
    EXPECT_FALSE(Form::IsLoaded("frmTest"));
    f.Show();
    EXPECT_EQ(f.loads, 2);
}

TEST_F(ControlsTest, KeysArriveAsVirtualKeyCodes) {
    TestForm f;
    std::vector<std::pair<int, int>> keys;
    // Modifier keys arrive too, as on the original; only the others matter here.
    f.KeyDown = [&](int k, int s) {
        if (k < 0x10 || k > 0x12) keys.push_back({k, s});
    };
    f.Show();
    QTest::keyClick(f.Window(), Qt::Key_F2);
    QTest::keyClick(f.Window(), Qt::Key_Backspace, Qt::ShiftModifier);
    QTest::keyClick(f.Window(), Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(keys.size(), 3u);
    EXPECT_EQ(keys[0], std::make_pair(0x71, 0));
    EXPECT_EQ(keys[1], std::make_pair(0x08, 1));
    EXPECT_EQ(keys[2], std::make_pair(int('A'), 6));
}

TEST_F(ControlsTest, KeypadKeysHaveTheirOwnCodesWhateverNumLockSays) {
    TestForm f;
    std::vector<int> keys;
    f.KeyDown = [&](int k, int) { keys.push_back(k); };
    f.Show();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int vk;
    } cases[] = {
        {Qt::Key_1, Qt::KeypadModifier, 97},       {Qt::Key_0, Qt::KeypadModifier, 96},
        {Qt::Key_9, Qt::KeypadModifier, 105},      {Qt::Key_End, Qt::KeypadModifier, 97},
        {Qt::Key_Insert, Qt::KeypadModifier, 96},  {Qt::Key_Clear, Qt::KeypadModifier, 101},
        {Qt::Key_PageUp, Qt::KeypadModifier, 105}, {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Plus, Qt::KeypadModifier, 0x6B},  {Qt::Key_1, Qt::NoModifier, 49},
        {Qt::Key_End, Qt::NoModifier, 35},         {Qt::Key_Up, Qt::NoModifier, 38},
        {Qt::Key_Equal, Qt::NoModifier, 187},
    };
    for (const auto& c : cases) {
        keys.clear();
        QTest::keyClick(f.Window(), c.key, c.mods);
        ASSERT_EQ(keys.size(), 1u) << c.vk;
        EXPECT_EQ(keys[0], c.vk) << "Qt key " << c.key;
    }
}

TEST_F(ControlsTest, PictureBoxPaintsBackgroundPictureAndBorder) {
    TestForm f;
    f.SetScaleMode(vbPixels);
    PictureBox& p = f.Places.Create(0);
    p.Move(0, 0, 20, 20);
    p.SetBackColor(0x000000FF); // red in BGR
    QImage pic(10, 10, QImage::Format_ARGB32_Premultiplied);
    pic.fill(Qt::blue);
    p.SetPicture(pic);
    p.SetBorderStyle(1);
    f.Show();
    const QImage shot = p.Widget()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(15, 15), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(0, 15), QColor(Qt::black));
}

TEST_F(ControlsTest, ACardWithRoundCornersLetsTheTableShowAtItsCorners) {
    TestForm f;
    f.SetScaleMode(vbPixels);
    f.SetBackColor(0x00008000); // green table
    f.SetClientSizePx(40, 40);
    PictureBox& p = f.Places.Create(0);
    p.Move(10, 10, 20, 20);
    p.SetBackColor(0x000000FF);
    p.SetBorderStyle(1);
    QImage card(20, 20, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::transparent);
    QPainter painter(&card);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRect(0, 0, 20, 20));
    painter.end();
    p.SetPicture(card);
    f.Show();
    const QImage shot = f.Window()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(0, 128, 0)); // corner: the table
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(Qt::white));
    // A picture that does not cover the place keeps the place's colour and border.
    p.SetPicture(QImage());
    const QImage plain = f.Window()->grab().toImage();
    EXPECT_EQ(plain.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(20, 20), QColor(Qt::red));
}

TEST_F(ControlsTest, TimerFiresItsHandlerOnlyWhenEnabled) {
    Timer t("Timer1");
    int fired = 0;
    t.OnTimer = [&] { ++fired; };
    t.SetInterval(1);
    QTest::qWait(20);
    EXPECT_EQ(fired, 0);
    t.SetEnabled(true);
    // A loaded machine may hold the first interval back: wait for it, up to two seconds.
    for (int i = 0; i < 200 && fired == 0; ++i)
        QTest::qWait(10);
    EXPECT_GT(fired, 0);
    t.SetEnabled(false);
    const int seen = fired;
    QTest::qWait(20);
    EXPECT_EQ(fired, seen);
}

TEST_F(ControlsTest, AModalWindowSleepsWhileItWaits) {
    TestForm f;
    QTimer::singleShot(300, f.Window(), [&f] { f.Hide(); });
    timespec a{}, b{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
    f.Show(true);
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
    const double cpu = (b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
    EXPECT_FALSE(f.IsVisible());
    EXPECT_LT(cpu, 0.1); // a spinning wait uses the whole 0.3 s
}
