// The pace window: its own pace and animation tables, applied as the bars move.
#include "common/Shared.h"
#include "opponent/Speed.h"
#include "opponent/frmSpeed.h"
#include "tests/support/TestSupport.h"

namespace {
class SpeedTest : public GameTest {};
} // namespace

TEST_F(SpeedTest, MovingTheBarsSetsPaceAndStepsAtOnce) {
    Com.SpeedIndex = 1;
    Com.AnimSteps = 0;
    SpeedForm form;
    form.Load();
    EXPECT_EQ(form.Label1.Caption(), "turtle");
    EXPECT_EQ(Com.AnimSteps, 45);
    EXPECT_EQ(form.lblAni.Caption(), "3");

    form.HScroll1.SetValue(5);
    EXPECT_EQ(Com.SpeedIndex, 5);
    // This window's "light" still pauses, unlike the stored preferences' table.
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.02);
    EXPECT_EQ(form.Label1.Caption(), "light");
    form.HScroll1.SetValue(0);
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.7);

    form.VScroll1.SetValue(10);
    EXPECT_EQ(Com.AnimSteps, 250);
    EXPECT_EQ(form.lblAni.Caption(), "10");
    form.Command1_Click();
    EXPECT_FALSE(form.Loaded());
}

TEST_F(SpeedTest, StepsTheBarDoesNotKnowLeaveItWhereItWas) {
    EXPECT_EQ(Speed_AnimPosition(150, 2), 7);
    EXPECT_EQ(Speed_AnimPosition(137, 2), 2);
    Com.AnimSteps = 137;
    SpeedForm form;
    form.Load();
    EXPECT_EQ(Com.AnimSteps, 137);
    EXPECT_EQ(form.lblAni.Caption(), "0");
    // Out of range asks change nothing.
    Speed_SetPace(6);
    Speed_SetAnim(-1);
    EXPECT_EQ(Com.AnimSteps, 137);
    EXPECT_EQ(Com.SpeedIndex, 2);
}
