#pragma once
// Test doubles of the services: a clock that advances at once, message boxes
// answered by a script, sound that only records, a screen of a chosen size.
#include "platform/Services.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace platform {

class TestClock : public Clock {
  public:
    double Now() override { return now_; }
    void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) override;
    // Lets the pending events run once and returns: time does not pass.
    void WaitForEvent(const std::function<bool()>& stop, bool processEvents) override;
    void Advance(double s) { now_ += s; }
    double waited = 0; // total seconds waited
    int waits = 0;     // number of waits that advanced
    int eventPasses = 0;

  private:
    double now_ = 1000.0;
};

struct MsgCall {
    QString text;
    int style = 0;
    QString title;
};

class ScriptedBoxes : public MessageBoxes {
  public:
    int Show(const QString& text, int style, const QString& title) override;
    // Queues the answer to the next box.
    void Expect(int answer) { script.push_back(answer); }
    std::deque<int> script;
    std::vector<MsgCall> shown;
    // Called for a box no answer was queued for; tests make it fail.
    std::function<void(const MsgCall&)> onUnexpected;
};

class RecordingSound : public Sound {
  public:
    bool PlayAsync(const QString& path) override {
        played.push_back(path);
        return true;
    }
    bool PlaySync(const QString& path) override {
        played.push_back(path);
        return true;
    }
    void Stop() override { ++stops; }
    bool PlayMusic(const QString& path) override {
        music.push_back(path);
        musicOn = hasOutput;
        return hasOutput;
    }
    void StopMusic() override {
        ++musicStops;
        musicOn = false;
    }
    bool MusicPlaying() override { return musicOn; }
    QStringList played, music;
    int stops = 0, musicStops = 0;
    // False plays as a machine without an audio device: music does not start.
    bool hasOutput = true, musicOn = false;
};

class FixedScreen : public Screen {
  public:
    int WidthTwips() override { return widthTwips; }
    int HeightTwips() override { return heightTwips; }
    int CaptionHeightPixels() override { return captionPixels; }
    int ColourDepth() override { return 32; }
    int LogicalDpiX() override { return dpi; }
    std::vector<QRect> AreasTwips() override {
        return areas.empty() ? Screen::AreasTwips() : areas;
    }
    int widthTwips = 12000, heightTwips = 9000, captionPixels = 23, dpi = 96;
    std::vector<QRect> areas; // more monitors; empty: the one screen above
};

struct TestServices {
    TestClock* clock;
    ScriptedBoxes* boxes;
    RecordingSound* sound;
    FixedScreen* screen;
};
// Installs fresh doubles and returns them for the test to script and inspect.
TestServices InstallTestServices();

} // namespace platform
