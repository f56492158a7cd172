#pragma once
// What every test starts from: a fresh temporary home (settings, data and user
// folders), the test services, and clean shared state.
#include "platform/TestServices.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class TestHome {
  public:
    TestHome();
    ~TestHome();
    QString Path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    QByteArray oldHome_, oldConfig_, oldData_;
};

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestHome> home;
    platform::TestServices svc{};
};
