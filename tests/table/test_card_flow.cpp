#include "common/Shared.h"
#include "engine/Deal.h"
#include "table/CardFlow.h"
#include "tests/engine/test_deal_support.h"

#include <QMouseEvent>
#include <QTimer>

namespace {

TEST(CardFlowPlan, CountsOffsetsAndPace) {
    // 800 x 600 with full-size backs: 9 columns leave 39 pixels over, so three times as deep.
    FlowPlan p = Flow_Plan(0, 800, 600, 71, 96);
    EXPECT_EQ(p.P, 21);
    EXPECT_EQ(p.Q, 13);
    p = Flow_Plan(1, 780, 600, 71, 96); // 11 x 71 = 781: a snug fit
    EXPECT_EQ(p.P, 21);
    p = Flow_Plan(1, 700, 600, 71, 96); // 710 - 700 = 10
    EXPECT_EQ(p.Q, 11);
    p = Flow_Plan(2, 640, 480, 59, 80); // 11 x 59 = 649 - 640 = 9 ... snug
    EXPECT_EQ(p.P, 21);
    p = Flow_Plan(1, 600, 480, 59, 80); // 11 x 59 = 649 - 600 = 49 ... snug
    EXPECT_EQ(p.Q, 12);

    int dx = 70, dy = -95;
    Flow_Step(dx, dy, 71, 96);
    EXPECT_EQ(dx, 1) << "past a card's width it starts again";
    EXPECT_EQ(dy, -96);
    Flow_Step(dx, dy, 71, 96);
    EXPECT_EQ(dx, 3);
    EXPECT_EQ(dy, -1);
    EXPECT_EQ(Flow_FramePause(900), 0.001);
    EXPECT_EQ(Flow_FramePause(1799), 0.01);
    EXPECT_EQ(Flow_FramePause(1800), 0.02);
}

class CardFlowTest : public DealTest {};

TEST_F(CardFlowTest, ADealPressStopsTheFlowAndThenDeals) {
    int stops = 0;
    Hooks.ComputerTurn = [] {};
    // The player presses DEAL while the flow runs (waits process events under the test clock).
    QTimer::singleShot(0, [&] {
        ++stops;
        cmdDeal_Click();
    });
    AnimateCardsFlow(0);
    EXPECT_EQ(stops, 1);
    EXPECT_FALSE(Com.FlowRunning);
    EXPECT_FALSE(Com.DealAfterFlow);
    EXPECT_GT(Eng.PlayerSideCount, 0) << "the deal followed";
}

// Whatever stops the flow, the keys are armed when it ends: a mouse that only moved over the
// table stopped it, and the first key of the game after it (F10, say) ran no command.
TEST_F(CardFlowTest, KeysAreArmedWhenTheFlowEnds) {
    bool armed = true;
    Hooks.KeyArm = [&](bool a) { armed = a; };
    QTimer::singleShot(0, [] {
        QWidget* table = frmGrulm().Window();
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), table->mapToGlobal(QPointF(50, 50)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(table, &move);
    });
    AnimateCardsFlow(0);
    EXPECT_FALSE(Com.FlowRunning);
    EXPECT_TRUE(armed);
}

TEST_F(CardFlowTest, AClosingProgramStopsTheFlowWithoutADeal) {
    QTimer::singleShot(0, [] {
        Com.GameAbort = true;
        Com.FlowStop = true;
    });
    AnimateCardsFlow(1);
    EXPECT_FALSE(Com.FlowRunning);
    EXPECT_EQ(Eng.PlayerSideCount, 0);
    // Asked to deal before the close: still no deal.
    Com.GameAbort = false;
    QTimer::singleShot(0, [] {
        cmdDeal_Click();
        Com.GameAbort = true;
    });
    AnimateCardsFlow(2);
    EXPECT_EQ(Eng.PlayerSideCount, 0);
    EXPECT_FALSE(Com.DealAfterFlow);
}

} // namespace
