#include "tests/support/EngineTest.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "platform/Guard.h"

void StartCleanTest(std::unique_ptr<TestHome>& home, platform::TestServices& svc) {
    home = std::make_unique<TestHome>();
    svc = platform::InstallTestServices();
    svc.boxes->onUnexpected = [](const platform::MsgCall& c) {
        ADD_FAILURE() << "unexpected message box \"" << c.title.toStdString()
                      << "\": " << c.text.toStdString();
    };
    platform::Guard_Reset();
    Common_Reset();
    Engine_Reset();
    HouseRules_Reset();
    EngineHooks_Reset();
}

void EngineTest::SetUp() {
    StartCleanTest(home, svc);
    table = std::make_unique<NullTable>();
}

void EngineTest::TearDown() {
    table.reset();
    Common_Reset();
    home.reset();
}
