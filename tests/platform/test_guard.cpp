#include "platform/Connect.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <stdexcept>
#include <vector>

using namespace platform;

namespace {

class GuardForm : public Form {
  public:
    GuardForm() : Form("frmGuard") {}
    ControlArray<PictureBox> Places{this, "Places"};
};

using GuardTest = GameTest;

TEST_F(GuardTest, FaultsInHandlersAreShownOnceAndTheProgramGoesOn) {
    GuardForm f;
    PictureBox& p = f.Places.Create(0);
    f.SetScaleMode(vbPixels);
    p.Move(0, 0, 71, 96);
    p.SetVisible(true);
    int clicks = 0, keys = 0;
    f.Places.On().Click = [&](int) {
        ++clicks;
        throw std::out_of_range("index 11 outside 0..10");
    };
    f.KeyDown = [&](int, int) {
        ++keys;
        throw std::runtime_error("a key fault");
    };
    f.Show();
    svc.boxes->Expect(vbOK);
    QTest::mouseClick(p.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(p.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(f.Window(), Qt::Key_F2);

    // Every handler ran to its throw; only the first fault asked the player.
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(keys, 1);
    EXPECT_EQ(FaultCount(), 3);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("index 11 outside 0..10"));
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("click"));

    // The window still answers.
    f.Places.On().Click = [&](int) { ++clicks; };
    QTest::mouseClick(p.Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 3);
}

// A timer's handler and one run later from the loop: a throw in either is caught there.
TEST_F(GuardTest, AFaultInATimerOrALaterCallIsCaughtAtTheLoop) {
    Timer t("Timer1");
    int ran = 0;
    t.OnTimer = [&] {
        t.SetEnabled(false);
        ++ran;
        throw std::logic_error("timer fault");
    };
    t.SetInterval(1);
    t.SetEnabled(true);
    Later(0, "later", [&] {
        ++ran;
        throw std::logic_error("later fault");
    });
    svc.boxes->Expect(vbOK);
    for (int i = 0; i < 200 && ran < 2; ++i)
        QTest::qWait(5);
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(FaultCount(), 2);
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
}

// A handler takes the signal's arguments it wants: all of activated's, none of clicked's.
TEST_F(GuardTest, ASignalsHandlerThatThrowsIsCaughtAndTheNextSignalStillArrives) {
    QComboBox box;
    QPushButton button;
    std::vector<int> chosen;
    Connect(&box, &QComboBox::activated, "change", [&](int row) {
        chosen.push_back(row);
        if (row == 1) throw std::out_of_range("row 1 has no record");
    });
    Connect(&button, &QPushButton::clicked, &box, "click", [&] {
        chosen.push_back(-1);
        throw std::runtime_error("a button fault");
    });
    svc.boxes->Expect(vbOK);
    emit box.activated(1);
    button.click();
    emit box.activated(2);
    EXPECT_EQ(chosen, (std::vector<int>{1, -1, 2}));
    EXPECT_EQ(FaultCount(), 2);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("change"));
}

} // namespace
