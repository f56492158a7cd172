#pragma once
// Tests that need the real game window: a data folder, the window, and the table's
// up-calls cleared after the test; LaidTableTest also lays it out for a game size with
// three named opponents.
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Status.h"
#include "table/TableHooks.h"
#include "table/frmCounter.h"
#include "table/frmGrulm.h"
#include "table/frmHold.h"
#include "tests/support/TableSize.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <memory>

class WindowTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Com.DataPath = home->Path() + "/Data/";
        QDir().mkpath(Com.DataPath);
        form = std::make_unique<FrmGrulm>();
    }
    void TearDown() override {
        if (platform::Form::IsLoaded("frmCounter")) frmCounter().Unload();
        if (FrmHold* h = FrmHold::IfCreated()) h->Hide();
        form.reset();
        EngineHooks_Reset();
        TableHooks_Reset();
        GameTest::TearDown();
    }
    // Every hand place and centre pile at this pixel size.
    void SizePlaces(QSize s) {
        form->SetScaleMode(platform::vbPixels);
        for (int i = 0; i <= 10; ++i) {
            form->Picture7(i).Move(0, 0, s.width(), s.height());
            form->Picture1(i).Move(0, 0, s.width(), s.height());
        }
        for (int i = 0; i <= 3; ++i)
            form->PicCenter(i).Move(0, 0, s.width(), s.height());
    }
    std::unique_ptr<FrmGrulm> form;
};

class LaidTableTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Pictures_Init();
        StatusBar_Init();
        Com.ComputerPause = 0.1;
        Eng.Seat2Rec.RecName = "Grulm";
        Eng.Seat3Rec.RecName = "Torvek";
        Eng.Seat4Rec.RecName = "Brina";
    }
    // The table laid out for a game size on the 800-pixel screen.
    void Table(int players) {
        svc.screen->widthTwips = 12000;
        LayTableFor(*form, players);
    }
};
