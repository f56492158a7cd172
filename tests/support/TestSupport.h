#pragma once
// What every test starts from: a fresh temporary home (settings, data and user
// folders), the test services, and clean shared state.
#include "platform/TestServices.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
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

// A file's bytes (none when it cannot be read); a file written anew with these bytes.
QByteArray FileBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

// Lets the event loop run, as the program's does between a player's presses, until `done`
// holds or `ms` milliseconds have passed; returns `done()`.
bool EventsUntil(const std::function<bool()>& done, int ms = 3000);

// A fresh home, the test services (an unexpected message box fails the test) and the
// engine's state and hooks clean: where every test starts.
void StartCleanTest(std::unique_ptr<TestHome>& home, platform::TestServices& svc);

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TestHome> home;
    platform::TestServices svc{};
};
