#pragma once
// Our program with its table window and its network installed on loopback, for whole
// conversations with scripted peers on their own threads; the player's name is "Ada".
#include "common/Shared.h"
#include "net/NetHooks.h"
#include "net/NetInstall.h"
#include "net/NetState.h"
#include "table/frmGrulm.h"
#include "tests/net/PeerTest.h"
#include "tests/support/TestSupport.h"

#include <QTimer>
#include <memory>
#include <thread>

class ConversationTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Net_Reset();
        NetHooks = NetHooksT{};
        form = std::make_unique<FrmGrulm>();
        guard = Net_InstallOnLoopback();
        Com.PlayerName = "Ada";
    }
    void TearDown() override {
        Net_EndPeer(peer, guard);
        Net_Reset();
        NetHooks = NetHooksT{};
        form.reset();
        GameTest::TearDown();
    }

    std::unique_ptr<FrmGrulm> form;
    QTimer* guard = nullptr;
    std::thread peer;
};
