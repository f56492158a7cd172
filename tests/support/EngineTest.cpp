#include "tests/support/EngineTest.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "platform/Guard.h"

void EngineTest::SetUp() {
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
    table = std::make_unique<NullTable>();
}

void EngineTest::TearDown() {
    table.reset();
    Common_Reset();
    home.reset();
}
