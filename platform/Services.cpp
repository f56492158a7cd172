#include "platform/Services.h"
#include "platform/Controls.h"
#include "platform/RegularFile.h"
#include "platform/TestServices.h"
#include "platform/WaveFile.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <cmath>
#include <thread>

namespace platform {

Services& Svc() {
    static Services s;
    return s;
}

namespace {

// A wait that cannot sleep until an event (a button held over a card, a clock without
// events) looks again after this.
constexpr int kWaitSliceMs = 10;

class RealClock : public Clock {
  public:
    RealClock() { t_.start(); }
    double Now() override { return static_cast<double>(t_.nsecsElapsed()) / 1e9; }
    void WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) override {
        if (stop && stop()) return;
        if (!processEvents || !QCoreApplication::instance()) {
            const double left = deadline - Now();
            if (left > 0)
                std::this_thread::sleep_for(std::chrono::nanoseconds(static_cast<long long>(left * 1e9)));
            return;
        }
        // The thread sleeps until an event comes or the deadline's timer wakes it.
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        for (;;) {
            const double left = deadline - Now();
            if (left <= 0) return;
            wake.start(std::max(1, static_cast<int>(std::ceil(left * 1000.0))));
            QEventLoop loop;
            loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
            if (stop && stop()) return;
        }
    }
    void WaitForEvent(const std::function<bool()>& stop, bool processEvents) override {
        if (stop && stop()) return;
        if (!processEvents || !QCoreApplication::instance()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kWaitSliceMs));
            return;
        }
        QEventLoop loop;
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }

  private:
    QElapsedTimer t_;
};

QMessageBox::Icon BoxIconOf(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

struct BoxButton {
    const char* label;
    QMessageBox::ButtonRole role;
    int answer;
};

// The buttons of a box style in their order; the last one is the cancelling one.
std::vector<BoxButton> BoxButtonsOf(int style) {
    switch (style & 0x0F) {
    case vbOKCancel:
        return {{"OK", QMessageBox::AcceptRole, vbOK}, {"Cancel", QMessageBox::RejectRole, vbCancel}};
    case vbAbortRetryIgnore:
        return {{"&Abort", QMessageBox::RejectRole, vbAbort},
                {"&Retry", QMessageBox::AcceptRole, vbRetry},
                {"&Ignore", QMessageBox::AcceptRole, vbIgnore}};
    case vbYesNoCancel:
        return {{"&Yes", QMessageBox::YesRole, vbYes},
                {"&No", QMessageBox::NoRole, vbNo},
                {"Cancel", QMessageBox::RejectRole, vbCancel}};
    case vbYesNo:
        return {{"&Yes", QMessageBox::YesRole, vbYes}, {"&No", QMessageBox::NoRole, vbNo}};
    case vbRetryCancel:
        return {{"&Retry", QMessageBox::AcceptRole, vbRetry}, {"Cancel", QMessageBox::RejectRole, vbCancel}};
    default:
        return {{"OK", QMessageBox::AcceptRole, vbOK}};
    }
}

class RealBoxes : public MessageBoxes {
  public:
    int Show(const QString& text, int style, const QString& title) override {
        QMessageBox box;
        Dialog_Attach(&box);
        box.setWindowTitle(title.isEmpty() ? QStringLiteral("Grulm and Torvek") : title);
        // Texts may carry names from the network: never taken as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(text);
        box.setIcon(BoxIconOf(style));
        std::vector<std::pair<QPushButton*, int>> buttons;
        for (const BoxButton& b : BoxButtonsOf(style))
            buttons.emplace_back(box.addButton(QString::fromLatin1(b.label), b.role), b.answer);
        const int def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
        if (def < static_cast<int>(buttons.size())) box.setDefaultButton(buttons[def].first);
        box.exec();
        for (const auto& [b, answer] : buttons)
            if (box.clickedButton() == b) return answer;
        // Closed by the window's close box: the last (cancelling) button answers.
        return buttons.back().second;
    }
};

bool AnyWindowOnTop() {
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) return true;
    return false;
}

} // namespace

void Dialog_Attach(QWidget* dialog) {
    // A dialog that closed gives the activation back later than the next one may open.
    static QPointer<QWidget> owner;
    QWidget* active = QApplication::activeWindow();
    if (active && !qobject_cast<QDialog*>(active)) owner = active;
    QWidget* parent = active ? active : owner && owner->isVisible() ? owner.data() : nullptr;
    const bool onTop = AnyWindowOnTop();
    dialog->setParent(parent, dialog->windowFlags() | Qt::Dialog);
    dialog->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
}

namespace {

// One sound on its way to the output: the checked samples and the sink that pulls them.
class SoundVoice {
  public:
    SoundVoice(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& samples)
        : sink_(device, format) {
        buffer_.setData(samples);
        buffer_.open(QIODevice::ReadOnly);
        sink_.start(&buffer_);
    }
    ~SoundVoice() { sink_.stop(); }
    SoundVoice(const SoundVoice&) = delete;
    SoundVoice& operator=(const SoundVoice&) = delete;
    // The output is taking samples, or has taken them all and plays out what it holds.
    bool Sounding() const {
        return sink_.state() == QAudio::ActiveState || sink_.state() == QAudio::IdleState;
    }

  private:
    QBuffer buffer_;
    QAudioSink sink_;
};

QAudioFormat SoundFormat(const WaveSound& wave) {
    QAudioFormat f;
    f.setSampleRate(wave.rate);
    f.setChannelCount(wave.channels);
    switch (wave.kind) {
    case WaveSamples::UInt8:
        f.setSampleFormat(QAudioFormat::UInt8);
        break;
    case WaveSamples::Int16:
        f.setSampleFormat(QAudioFormat::Int16);
        break;
    case WaveSamples::Int32:
        f.setSampleFormat(QAudioFormat::Int32);
        break;
    case WaveSamples::Float:
        f.setSampleFormat(QAudioFormat::Float);
        break;
    }
    return f;
}

// Each sound is read and checked here and handed to the output as samples: the toolkit's
// own sound effect loads a file in the background and, on a damaged one, never finishes
// loading, and every later sound waits on it.
class RealSound : public Sound {
  public:
    ~RealSound() override {
        voice_.reset();
        player_.reset();
        out_.reset();
    }
    bool PlayAsync(const QString& path) override {
        voice_.reset(); // a new sound cuts the previous one
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return false;
        QFile file;
        WaveSound wave;
        // A damaged or foreign file, or a pipe in a file's place, is passed over without a word.
        if (!RegularFile_OpenRead(file, path) || WaveFile_Read(file, &wave) != WaveFault::None) return false;
        const QAudioFormat format = SoundFormat(wave);
        if (!device.isFormatSupported(format)) return false;
        voice_ = std::make_unique<SoundVoice>(device, format, wave.samples);
        seconds_ = static_cast<double>(wave.samples.size()) / format.bytesForDuration(1000000);
        return voice_->Sounding();
    }
    bool PlaySync(const QString& path) override {
        if (!PlayAsync(path)) return false;
        const SoundVoice* voice = voice_.get();
        // The output takes the samples long before they are heard: the sound's own length is the wait.
        const auto length = static_cast<qint64>(seconds_ * 1000);
        QElapsedTimer t;
        t.start();
        // Handlers run meanwhile and may start another sound, which ends this one.
        while (voice_.get() == voice && voice->Sounding() && t.elapsed() < length) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return true;
    }
    void Stop() override { voice_.reset(); }
    bool PlayMusic(const QString& path) override {
        if (QMediaDevices::defaultAudioOutput().isNull()) return false;
        if (!player_) {
            player_ = std::make_unique<QMediaPlayer>();
            out_ = std::make_unique<QAudioOutput>();
            player_->setAudioOutput(out_.get());
        }
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
        return true;
    }
    void StopMusic() override {
        if (player_) player_->stop();
    }
    bool MusicPlaying() override {
        return player_ && player_->playbackState() == QMediaPlayer::PlayingState &&
               player_->error() == QMediaPlayer::NoError;
    }

  private:
    std::unique_ptr<SoundVoice> voice_;
    double seconds_ = 0;
    std::unique_ptr<QMediaPlayer> player_;
    std::unique_ptr<QAudioOutput> out_;
};

class RealScreen : public Screen {
  public:
    int WidthTwips() override { return S() ? TwipsOfPx(S()->geometry().width()) : 12000; }
    int HeightTwips() override { return S() ? TwipsOfPx(S()->geometry().height()) : 9000; }
    int CaptionHeightPixels() override {
        return QApplication::style() ? QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight) : 23;
    }
    int ColourDepth() override { return S() ? S()->depth() : 32; }
    int LogicalDpiX() override { return S() ? static_cast<int>(S()->logicalDotsPerInchX()) : 96; }
    std::vector<QRect> AreasTwips() override {
        std::vector<QRect> areas;
        for (const QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->geometry();
            areas.emplace_back(TwipsOfPx(g.x()), TwipsOfPx(g.y()), TwipsOfPx(g.width()),
                               TwipsOfPx(g.height()));
        }
        return areas.empty() ? Screen::AreasTwips() : areas;
    }

  private:
    static QScreen* S() { return QGuiApplication::primaryScreen(); }
};

} // namespace

std::unique_ptr<Clock> MakeRealClock() {
    return std::make_unique<RealClock>();
}

std::unique_ptr<Sound> MakeRealSound() {
    return std::make_unique<RealSound>();
}

void ReleaseServices() {
    auto& s = Svc();
    s.sound.reset();
    s.clock.reset();
    s.boxes.reset();
    s.screen.reset();
}

void InstallRealServices() {
    // Whatever way a program ends, the sound goes while the application object lives.
    static const bool released = [] {
        qAddPostRoutine(ReleaseServices);
        return true;
    }();
    (void)released;
    auto& s = Svc();
    s.clock = std::make_unique<RealClock>();
    s.boxes = std::make_unique<RealBoxes>();
    s.sound = MakeRealSound();
    s.screen = std::make_unique<RealScreen>();
    s.random.Randomize(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void TestClock::WaitUntil(double deadline, const std::function<bool()>& stop, bool processEvents) {
    if (stop && stop()) return;
    if (processEvents && QCoreApplication::instance()) {
        QCoreApplication::processEvents();
        ++eventPasses;
        if (stop && stop()) return;
    }
    if (deadline > now_) {
        waited += deadline - now_;
        ++waits;
        now_ = deadline;
    }
}

void Clock::WaitForEvent(const std::function<bool()>& stop, bool processEvents) {
    WaitUntil(Now() + kWaitSliceMs / 1000.0, stop, processEvents);
}

void TestClock::WaitForEvent(const std::function<bool()>& stop, bool processEvents) {
    if (stop && stop()) return;
    if (processEvents && QCoreApplication::instance()) {
        QCoreApplication::processEvents();
        ++eventPasses;
    }
}

int ScriptedBoxes::Show(const QString& text, int style, const QString& title) {
    shown.push_back({text, style, title});
    if (script.empty()) {
        if (onUnexpected) onUnexpected(shown.back());
        // The cancelling answer is the safe one when a test forgot to script a box.
        switch (style & 0x0F) {
        case vbOKCancel:
        case vbYesNoCancel:
        case vbRetryCancel:
            return vbCancel;
        case vbYesNo:
            return vbNo;
        case vbAbortRetryIgnore:
            return vbAbort;
        default:
            return vbOK;
        }
    }
    const int a = script.front();
    script.pop_front();
    return a;
}

TestServices InstallTestServices() {
    auto& s = Svc();
    auto c = std::make_unique<TestClock>();
    auto b = std::make_unique<ScriptedBoxes>();
    auto so = std::make_unique<RecordingSound>();
    auto sc = std::make_unique<FixedScreen>();
    TestServices t{c.get(), b.get(), so.get(), sc.get()};
    s.clock = std::move(c);
    s.boxes = std::move(b);
    s.sound = std::move(so);
    s.screen = std::move(sc);
    s.random.Randomize(1);
    return t;
}

} // namespace platform
