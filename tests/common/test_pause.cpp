#include "common/Shared.h"
#include "tests/support/TestSupport.h"

#include <QTimer>

using PauseTest = GameTest;

TEST_F(PauseTest, WaitsTheGivenTimeOnTheClock) {
    Pause(1.5);
    EXPECT_DOUBLE_EQ(svc.clock->waited, 1.5);
    EXPECT_EQ(svc.clock->eventPasses, 1);
}

TEST_F(PauseTest, ZeroOrNegativeReturnsAtOnceWithoutEvents) {
    Pause(0);
    Pause(-1);
    EXPECT_EQ(svc.clock->waited, 0);
    EXPECT_EQ(svc.clock->eventPasses, 0);
}

TEST_F(PauseTest, GameAbortEndsTheWait) {
    Com.GameAbort = true;
    Pause(3);
    EXPECT_EQ(svc.clock->waited, 0);
}

TEST_F(PauseTest, AbortSetByAnEventHandlerInsideTheWaitEndsIt) {
    QTimer::singleShot(0, [] { Com.GameAbort = true; });
    Pause(10);
    EXPECT_TRUE(Com.GameAbort);
    EXPECT_EQ(svc.clock->waited, 0);
}

TEST_F(PauseTest, HeldMouseKeepsEventsWaiting) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    Com.MouseHeld = true;
    Pause(0.5);
    EXPECT_FALSE(ran);
    EXPECT_DOUBLE_EQ(svc.clock->waited, 0.5);
    Com.MouseHeld = false;
    Pause(0.5);
    EXPECT_TRUE(ran);
}
