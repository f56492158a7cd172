// The program with its real sound, played through whatever sound server the machine
// has (the tests give it a null sink): the start-up with its intro music, every game
// sound, damaged sound files, a whole game between computer seats with all sounds on and
// two of the opponent's sounds damaged, and the player closing the window. Prints what
// it found and ends with status 0 when every sound that should play played, every
// damaged one was passed over at once and nothing waited.
//   sound_node        (HOME and the XDG folders name a fresh home)
#include "app/Wiring.h"
#include "common/Shared.h"
#include "engine/Deal.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "media/GameSounds.h"
#include "media/Music.h"
#include "media/Personality.h"
#include "opponent/TurnLoop.h"
#include "platform/TestServices.h"
#include "shell/Folders.h"
#include "shell/ShellHooks.h"
#include "shell/Startup.h"
#include "shell/frmWelcome.h"
#include "table/frmGrulm.h"
#include "tests/support/PipeInPlace.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QtEndian>
#include <cstdio>

namespace {

int failures = 0;

void Check(bool ok, const QString& what) {
    std::fprintf(stderr, "%s %s\n", ok ? "ok" : "FAIL", qPrintable(what));
    if (!ok) ++failures;
}

// Pauses pass at once; a wait lets pending events run, as the test clock does.
class NodeClock : public platform::Clock {
  public:
    double Now() override { return now_; }
    void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) override {
        if (stop && stop()) return;
        if (processEvents) QCoreApplication::processEvents();
        if (deadline > now_) now_ = deadline;
    }

  private:
    double now_ = 1000.0;
};

// Boxes are answered as a player who wants the game to go on, and noted.
class NodeBoxes : public platform::MessageBoxes {
  public:
    int Show(const QString& text, int style, const QString& title) override {
        std::fprintf(stderr, "box %s: %s\n", qPrintable(title), qPrintable(text));
        const int buttons = style & 0x0F;
        if (buttons == platform::vbYesNo || buttons == platform::vbYesNoCancel) return platform::vbNo;
        return buttons == platform::vbOKCancel ? platform::vbCancel : platform::vbOK;
    }
};

// The real sound, counting what started and what was passed over.
class NodeSound : public platform::Sound {
  public:
    NodeSound() : real_(platform::MakeRealSound()) {}
    bool PlayAsync(const QString& path) override { return Count(path, real_->PlayAsync(path)); }
    bool PlaySync(const QString& path) override { return Count(path, real_->PlaySync(path)); }
    void Stop() override { real_->Stop(); }
    bool PlayMusic(const QString& path) override { return real_->PlayMusic(path); }
    void StopMusic() override { real_->StopMusic(); }
    bool MusicPlaying() override { return real_->MusicPlaying(); }
    int started = 0;
    QStringList passed;

  private:
    bool Count(const QString& path, bool ok) {
        if (ok)
            ++started;
        else
            passed << QFileInfo(path).fileName();
        return ok;
    }
    std::unique_ptr<platform::Sound> real_;
};

NodeSound& Sound() {
    return static_cast<NodeSound&>(*platform::Svc().sound);
}

void RealWait(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The damaged files a user's folder may hold: empty, a header cut short, a data length
// far beyond the file.
QList<QPair<QString, QByteArray>> Damaged() {
    const QByteArray good = GameSound_Make(kGameSoundLast);
    QByteArray huge = good;
    qToLittleEndian<quint32>(0xFFFFFFF0u, huge.data() + 40);
    return {{"zero.wav", QByteArray()}, {"cut.wav", good.left(20)}, {"huge.wav", huge}};
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

void PlayMusic() {
    Check(Music_PlayIntro() == QLatin1String(kMusicSuccess), "the intro music starts");
    // The player reports a missing decoder or output a little after it starts.
    RealWait(500);
    Check(MP3_IsPlaying(), "the intro music still plays after half a second");
}

void PlayGameSounds() {
    auto& sound = *platform::Svc().sound;
    for (int id = kGameSoundFirst; id <= kGameSoundLast; ++id)
        Check(sound.PlayAsync(GameSound_File(id)), QStringLiteral("game sound %1 starts").arg(id));
    QElapsedTimer t;
    t.start();
    Check(sound.PlaySync(GameSound_File(123)) && t.elapsed() >= 150, "a sound plays to its end");
}

void PlayDamaged() {
    auto& sound = *platform::Svc().sound;
    for (const auto& [name, bytes] : Damaged()) {
        const QString path = Com.UserPath + "Sounds/" + name;
        WriteFile(path, bytes);
        QElapsedTimer t;
        t.start();
        Check(!sound.PlayAsync(path) && !sound.PlaySync(path), name + " is passed over");
        Check(sound.PlayAsync(GameSound_File(118)), "the next sound after " + name + " starts");
        Check(t.elapsed() < 2000, name + " holds nothing up");
    }
    // A pipe in a sound's place: opening it to read would wait for a writer.
    PipeInPlace pipe(Com.UserPath + "Sounds/pipe.wav");
    Check(pipe.made && !sound.PlayAsync(Com.UserPath + "Sounds/pipe.wav"), "a pipe is passed over");
    Check(!pipe.Waited(), "a pipe holds nothing up");
}

int Winner() {
    if (Eng.PlayerSideCount == 0) return 1;
    for (int seat = 2; seat <= Com.NumPlayers; ++seat)
        if (SeatRecordOf(seat).RecSideCount == 0) return seat;
    return 0;
}

void PlayGame() {
    // The opponent's turn-over sound ends every turn of it, its wild-card sound each King.
    SeatRecord& rec = SeatRecordOf(2);
    const auto damaged = Damaged();
    WriteFile(rec.RecSounds(kSndTurnOver), damaged[2].second);
    WriteFile(rec.RecSounds(kSndWildOpponent), damaged[0].second);
    Com.SoundMode = 0;
    Com.SideSize = 9;
    Opponent_PlaySeat1(2);
    const int before = Sound().started;
    Game_New();
    for (int round = 0; round < 60 && Winner() == 0 && Eng.StaleMode != 1 && !Com.GameAbort; ++round)
        ComputerTurn();
    Check(Winner() != 0 || Eng.StaleMode == 1,
          QStringLiteral("the game ends (winner seat %1)").arg(Winner()));
    Check(Sound().started - before > 50,
          QStringLiteral("%1 sounds played in the game").arg(Sound().started - before));
    Check(Sound().passed.contains(QFileInfo(rec.RecSounds(kSndTurnOver)).fileName()),
          "the opponent's damaged turn-over sound is passed over");
    Opponent_PlaySeat1(-1);
}

void Run() {
    Check(Boot.Started, "the program starts");
    if (!Boot.Started) {
        QCoreApplication::exit(1);
        return;
    }
    PlayMusic();
    PlayGameSounds();
    PlayDamaged();
    PlayGame();
    // The player closes the window: the orderly exit, then the end of the event loop.
    frmGrulm().Window()->close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vornhelm"));
    QApplication::setQuitOnLastWindowClosed(false);
    auto& s = platform::Svc();
    s.clock = std::make_unique<NodeClock>();
    s.boxes = std::make_unique<NodeBoxes>();
    s.sound = std::make_unique<NodeSound>();
    s.screen = std::make_unique<platform::FixedScreen>();
    s.random.Randomize(7);
    Folders_SetAppPath(QStringLiteral(ASSETS_BUILT));

    auto* table = new FrmGrulm();
    Program_Install();
    Startup.LoginShow = [] {
        WelcomeForm& w = frmWelcome();
        w.Show(false);
        w.Combo1.SetText(QStringLiteral("Sam"));
        w.Command1_Click();
    };
    Startup.TutorialShow = [] {};
    Startup.TipShow = [] {};
    table->Show();
    QTimer::singleShot(0, Run);
    const int rc = QApplication::exec();
    const QString data = Com.DataPath;
    delete table;
    platform::ReleaseServices();
    Check(rc == 0, "the event loop ends with status 0");
    Check(QDir(data).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty(),
          "the exit removes the sounds");
    std::fprintf(stderr, "%d failures\n", failures);
    return failures == 0 ? 0 : 1;
}
