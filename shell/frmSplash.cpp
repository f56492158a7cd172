#include "shell/frmSplash.h"
#include "common/Shared.h"
#include "shell/Version.h"
#include "table/CardArt.h"
#include "table/DefaultArt.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <iterator>

namespace {
SplashForm*& SplashInstance() {
    static SplashForm* form = nullptr;
    return form;
}

constexpr int kSplashWidth = 480, kSplashHeight = 300;
constexpr quint32 kGold = 0x0040D0F0;
constexpr quint32 kWhite = 0x00FFFFFF;
// The cards of the fan, one per suit: the wild King in the middle.
constexpr int kFanCards[] = {1, 14 + 1, 39 + 13, 26 + 11, 12};

// The user's board when it is there, else the board drawn in code.
QImage Board(int width, int height) {
    const QImage file(Com.UserPath + "Backgrounds/" + kGameBoardFile);
    if (file.isNull()) return DefaultArt_Board(width, height);
    return file.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void StyleLabel(platform::Label& l, double size, bool bold, quint32 colour) {
    l.SetBackStyle(0);
    l.SetAlignment(2);
    l.SetWordWrap(true);
    l.SetFontSize(size);
    l.SetFontBold(bold);
    l.SetForeColor(colour);
}
} // namespace

QImage Splash_CardFan(int width, int height) {
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const int n = static_cast<int>(std::size(kFanCards));
    // The cards turn about a point below the picture, so their tops spread and their feet stay inside.
    const QSize card(height * 78 / 100 * 71 / 96, height * 78 / 100);
    const QPointF pivot(width / 2.0, height * 1.15);
    for (int i = 0; i < n; ++i) {
        p.save();
        p.translate(pivot);
        p.rotate((i - (n - 1) / 2.0) * 13.0);
        p.translate(-card.width() / 2.0, -card.height() - height * 0.2);
        p.drawImage(0, 0, cardart::SheetFace(kFanCards[i], card));
        p.restore();
    }
    return img;
}

SplashForm& frmSplash() {
    if (!SplashInstance()) new SplashForm(); // lives until the program ends
    return *SplashInstance();
}

SplashForm::SplashForm() : Form(QStringLiteral("frmSplash")) {
    if (!SplashInstance()) SplashInstance() = this;
    Window()->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    SetScaleMode(platform::vbPixels);
    SetClientSizePx(kSplashWidth, kSplashHeight);
    Image1.Move(kSplashWidth / 2 - 130, 88, 260, 130);
    StyleLabel(lblTitle, 22, true, kGold);
    lblTitle.Move(10, 14, kSplashWidth - 20, 40);
    lblTitle.SetCaption(QStringLiteral("Grulm and Torvek"));
    StyleLabel(lblPlatform, 10, false, kWhite);
    lblPlatform.Move(10, 56, kSplashWidth - 20, 20);
    lblPlatform.SetCaption(QStringLiteral("A card race for two to four players"));
    StyleLabel(lblVersion, 10, true, kWhite);
    lblVersion.Move(10, 224, kSplashWidth - 20, 20);
    StyleLabel(lblNotice, 9, false, kWhite);
    lblNotice.Move(10, 246, kSplashWidth - 20, 20);
    StyleLabel(lblWarning, 9, true, kGold);
    lblWarning.Move(10, 270, kSplashWidth - 20, 20);
    lblWarning.SetCaption(QStringLiteral("Warning: Highly addictive."));
    Frame1.SetBackStyle(0);
    Frame1.Move(0, 0, kSplashWidth, kSplashHeight);
    Frame1.On().Click = [this](int) { Frame1_Click(); };
    KeyPress = [this](int ascii) { Form_KeyPress(ascii); };
}

SplashForm::~SplashForm() {
    if (SplashInstance() == this) SplashInstance() = nullptr;
}

void SplashForm::Form_Load() {
    lblVersion.SetCaption(Version_Text());
    lblNotice.SetCaption(QStringLiteral("The trolls of Vornhelm are shuffling the cards..."));
    Frame1.ZOrder(0);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        Window()->move(screen->availableGeometry().center() - QPoint(kSplashWidth / 2, kSplashHeight / 2));
}

void SplashForm::DrawPictures() {
    SetBackground(Board(kSplashWidth, kSplashHeight));
    Image1.SetPicture(Splash_CardFan(260, 130));
}

void SplashForm::Form_KeyPress(int) {
    Unload();
}

void SplashForm::Frame1_Click() {
    Unload();
}
