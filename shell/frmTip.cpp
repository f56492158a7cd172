#include "shell/frmTip.h"
#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/TableForm.h"
#include "platform/OnTop.h"
#include "shell/Startup.h"
#include "shell/Tips.h"
#include "shell/Utilities.h"
#include "table/CardArt.h"
#include "table/WindowPlaces.h"

#include <QPainter>

namespace {
TipForm*& TipInstance() {
    static TipForm* form = nullptr;
    return form;
}

constexpr int kTipWidth = 520, kTipHeight = 250, kTipMargin = 12, kPictureW = 71, kTipButtonW = 96,
              kTipButtonH = 28;
constexpr quint32 kPaper = 0x00E6F5FF; // warm paper behind the tip

// A wild King over a fanned Ace, as the window's picture.
QImage TipPicture() {
    QImage img(kPictureW, 110, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QSize card(54, 74);
    p.save();
    p.translate(10, 14);
    p.rotate(-10);
    p.drawImage(0, 0, cardart::SheetFace(1, card));
    p.restore();
    p.translate(16, 30);
    p.rotate(6);
    p.drawImage(0, 0, cardart::SheetFace(39 + kRankKing, card));
    return img;
}

} // namespace

TipForm& frmTip() {
    if (!TipInstance()) new TipForm(); // lives until the program ends
    return *TipInstance();
}

TipForm::TipForm() : Form(QStringLiteral("frmTip")) {
    if (!TipInstance()) TipInstance() = this;
    SetScaleMode(platform::vbPixels);
    SetCaption(QStringLiteral("Tip of the Day"));
    SetClientSizePx(kTipWidth, kTipHeight);
    SetBackColor(0x00406020);
    Image1.SetPicture(TipPicture());
    lblHeading.SetBackStyle(0);
    lblHeading.SetForeColor(0x00FFFFFF);
    lblHeading.SetFontSize(12);
    lblHeading.SetFontBold(true);
    lblHeading.SetCaption(QStringLiteral("Did you know..."));
    shpPaper.SetFilled(true, kPaper);
    shpPaper.SetBorderColor(kPaper);
    lblTipText.SetBackStyle(0);
    lblTipText.SetWordWrap(true);
    lblTipText.SetFontSize(10);
    chkLoadTipsAtStartup.SetCaption(QStringLiteral("&Show tips at startup"));
    chkLoadTipsAtStartup.Widget()->setStyleSheet(QStringLiteral("color: white;"));
    cmdNextTip.SetCaption(QStringLiteral("&Next Tip"));
    cmdHelp.SetCaption(QStringLiteral("&Help"));
    cmdOK.SetCaption(QStringLiteral("OK"));
    chkLoadTipsAtStartup.On().Click = [this](int) { chkLoadTipsAtStartup_Click(); };
    cmdNextTip.On().Click = [this](int) { cmdNextTip_Click(); };
    cmdHelp.On().Click = [this](int) { cmdHelp_Click(); };
    cmdOK.On().Click = [this](int) { cmdOK_Click(); };
    SetEscapeButton(cmdOK);
    Resize = [this] { LayOut(); };
    LayOut();
}

TipForm::~TipForm() {
    if (TipInstance() == this) TipInstance() = nullptr;
}

void TipForm::LayOut() {
    const int w = Client()->width(), h = Client()->height();
    if (loadHeight_ == 0) loadHeight_ = h;
    const int textLeft = 2 * kTipMargin + kPictureW, textW = std::max(0, w - textLeft - kTipMargin);
    const int buttonsTop = h - kTipMargin - kTipButtonH;
    Image1.SetGeometryPx(kTipMargin, kTipMargin, kPictureW, 110);
    lblHeading.SetGeometryPx(textLeft, kTipMargin, textW, 24);
    const int paperTop = kTipMargin + 30, paperH = std::max(0, buttonsTop - kTipMargin - paperTop);
    shpPaper.SetGeometryPx(textLeft, paperTop, textW, paperH);
    // A little room between the paper's edge and the words.
    lblTipText.SetGeometryPx(textLeft + 8, paperTop + 6, std::max(0, textW - 16), std::max(0, paperH - 12));
    chkLoadTipsAtStartup.SetGeometryPx(kTipMargin, buttonsTop, 180, kTipButtonH);
    cmdOK.SetGeometryPx(w - kTipMargin - kTipButtonW, buttonsTop, kTipButtonW, kTipButtonH);
    cmdNextTip.SetGeometryPx(w - 2 * (kTipMargin + kTipButtonW), buttonsTop, kTipButtonW, kTipButtonH);
    cmdHelp.SetGeometryPx(w - 3 * (kTipMargin + kTipButtonW), buttonsTop, kTipButtonW, kTipButtonH);
}

void TipForm::Form_Load() {
    // Kept above the table: a click on the table must not bury the tip under it.
    platform::WindowOnTop top;
    top.SetOnTop(true);
    top.TopForm(Window());
    Window_PlaceOverTable(Window(), TableSpot::Centre);
    current_ = TipNumber();
    chkLoadTipsAtStartup.SetValue(Boot.ShowTips == 1 ? 1 : 0);
    tips_.clear();
    // The window is used again: a tip of its last opening must not stay.
    lblTipText.SetCaption(QString());
    if (!LoadTips(Com.AppPath + "/" + kTipsFile)) lblTipText.SetCaption(Tips_MissingText());
}

bool TipForm::LoadTips(const QString& path) {
    if (!Tips_Load(path, &tips_)) return false;
    current_ = Tip_Start(current_, TipCount());
    Tip_Step(false);
    return true;
}

void TipForm::Tip_Step(bool back) {
    current_ = ::Tip_Step(current_, TipCount(), back);
    DisplayCurrentTip();
}

void TipForm::DisplayCurrentTip() {
    if (current_ < 1 || current_ > TipCount()) return;
    lblTipText.SetCaption(Tip_Text(tips_.at(current_ - 1)));
}

void TipForm::chkLoadTipsAtStartup_Click() {
    const bool on = chkLoadTipsAtStartup.Value() == 1;
    SetShowTipsAtStartup(on);
    // Opened again in this run, the box shows the choice just made.
    Boot.ShowTips = on ? 1 : 0;
}

void TipForm::cmdNextTip_Click() {
    Tip_Step(false);
}

void TipForm::cmdHelp_Click() {
    Hooks.ShowHelp(QStringLiteral("Contents"), QStringLiteral("Contents"));
}

void TipForm::cmdOK_Click() {
    Unload();
}

bool TipForm::Form_QueryUnload() {
    SetTipNumber(current_);
    return false;
}
