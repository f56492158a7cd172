#include "tests/support/TestSupport.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "shell/Profile.h"
#include "shell/SavedGames.h"
#include "shell/ShellHooks.h"
#include "shell/ShellState.h"
#include "shell/Startup.h"
#include "table/Display.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/TableHooks.h"
#include "table/Panel.h"
#include "table/TableState.h"

#include <QDir>

void GameTest::SetUp() {
    StartCleanTest(home, svc);
    Table_ResetState();
    Shell_Reset();
    SavedGames_Reset();
    // Hooks a start-up in an earlier test installed must not reach this one.
    TableHooks_Reset();
    ShellHooks_Reset();
    PanelHooks = PanelHooksT{};
    Profile_Reset();
    Startup_Reset();
}

void GameTest::TearDown() {
    Common_Reset();
    home.reset();
}
