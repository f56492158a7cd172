#pragma once
// A laid-out table window for the network tests, with the table model reset.
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "net/NetHooks.h"
#include "net/NetState.h"
#include "opponent/OppState.h"
#include "opponent/TurnLoop.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/TableHooks.h"
#include "table/frmGrulm.h"
#include "tests/net/NetTable.h"
#include "tests/support/TableSize.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <memory>

class NetTableTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        EngineHooks_Reset();
        TableHooks_Reset();
        Opponent_Reset();
        Net_Reset();
        NetHooks = NetHooksT{};
        NetHooks.NetCleanUp = [this] {
            ++cleanUps;
            Com.NetGame = 0;
        };
        Com.DataPath = home->Path() + "/Data/";
        QDir().mkpath(Com.DataPath);
        form = std::make_unique<FrmGrulm>();
        Pictures_Init();
        StatusBar_Init();
        Com.AnimSteps = 1;
        Com.ComputerPause = 0.01;
        Com.SoundMode = 2;
        Opponent_Install();
    }
    void TearDown() override {
        Net_Reset();
        NetHooks = NetHooksT{};
        form.reset();
        EngineHooks_Reset();
        GameTest::TearDown();
    }
    void Table(int players, int centers = 0) {
        LayTableFor(*form, players);
        if (centers != 0) Com.NumCenters = centers;
        Engine_SizeTables();
        for (int s = 2; s <= 4; ++s)
            SeatRecordOf(s) = SeatRecord{};
    }

    std::unique_ptr<FrmGrulm> form;
    int cleanUps = 0;
};
