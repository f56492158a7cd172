#pragma once
// The facilities the game asks of the machine, each behind an interface with a
// real implementation and a test double, chosen once at start-up.
#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

class QWidget;

namespace platform {

// Monotonic seconds; waits keep the window alive.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual double Now() = 0;
    // Waits until Now() reaches `deadline` or `stop()` is true. With `processEvents`
    // the event loop runs meanwhile (handlers may re-enter); without it nothing runs.
    virtual void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) = 0;
    // Sleeps until the event loop has handled something, or `stop()` is true: a wait with no
    // deadline of its own uses no processor while nothing happens. Without `processEvents`
    // it sleeps a moment. A clock that cannot sleep so waits a short slice.
    virtual void WaitForEvent(const std::function<bool()>& stop, bool processEvents);
};

// Message box buttons, icons and answers in the numbering the game uses.
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};
enum MsgAnswer : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual int Show(const QString& text, int style, const QString& title) = 0;
};

class Sound {
  public:
    virtual ~Sound() = default;
    // Starts a sound file without waiting; a new sound cuts the previous one. False when it cannot start.
    virtual bool PlayAsync(const QString& path) = 0;
    // Plays a sound file to its end.
    virtual bool PlaySync(const QString& path) = 0;
    virtual void Stop() = 0;
    virtual bool PlayMusic(const QString& path) = 0;
    virtual void StopMusic() = 0;
    // True while music plays.
    virtual bool MusicPlaying() { return false; }
};

class Screen {
  public:
    virtual ~Screen() = default;
    virtual int WidthTwips() = 0;
    virtual int HeightTwips() = 0;
    virtual int CaptionHeightPixels() = 0;
    virtual int ColourDepth() = 0;
    virtual int LogicalDpiX() = 0;
    // Every monitor's area on the desktop, in twips; monitors left of or above the main one have
    // negative positions.
    virtual std::vector<QRect> AreasTwips() { return {QRect(0, 0, WidthTwips(), HeightTwips())}; }
};

// One seedable generator behind Rnd and Randomize.
class Random {
  public:
    void Randomize(std::uint64_t seed) { gen_.seed(seed); }
    // Uniform in [0, 1).
    double Rnd() { return std::uniform_real_distribution<double>(0.0, 1.0)(gen_); }
    // Uniform integer in lo..hi inclusive.
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }

  private:
    std::mt19937_64 gen_{12345};
};

struct Services {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<MessageBoxes> boxes;
    std::unique_ptr<Sound> sound;
    std::unique_ptr<Screen> screen;
    Random random;
};

Services& Svc();
// The real services of the program.
void InstallRealServices();
// The sound of the program alone, for a test that plays through a real sound server.
std::unique_ptr<Sound> MakeRealSound();
// The program's clock alone, for a test whose waits run on real time.
std::unique_ptr<Clock> MakeRealClock();
// Ends every service. The audio output and the music player must go while the application
// object still lives: after it, the toolkit's sound system is gone and they crash.
void ReleaseServices();

// A message box or file dialog belongs to the window the player is using (the one active, else
// the one the last dialog belonged to while it shows): it opens over that window, and above
// every window of the game kept on top, so that it is never hidden under one.
void Dialog_Attach(QWidget* dialog);

inline int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString()) {
    return Svc().boxes->Show(text, style, title);
}
inline double Rnd() {
    return Svc().random.Rnd();
}

} // namespace platform
