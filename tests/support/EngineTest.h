#pragma once
// What an engine test starts from without the table presentation: a fresh home, the
// test services, the engine's state and hooks clean, and a table window that shows
// nothing (NullTable) records what the engine asked of it.
#include "tests/support/NullTable.h"
#include "tests/support/TestSupport.h"

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestHome> home;
    platform::TestServices svc{};
    std::unique_ptr<NullTable> table;
};
