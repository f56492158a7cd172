#include "shell/frmAbout.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/TableForm.h"
#include "platform/Services.h"
#include "shell/Utilities.h"
#include "shell/Version.h"
#include "table/CardArt.h"
#include "table/TableState.h"
#include "table/WindowPlaces.h"

#include <QPainter>
#include <QPainterPath>

namespace {
AboutForm*& Instance() {
    static AboutForm* form = nullptr;
    return form;
}

constexpr int kWidth = 440, kHeight = 330, kIcon = 64, kMargin = 12;
constexpr int kTextLeft = 2 * kMargin + kIcon, kTextW = kWidth - kTextLeft - kMargin;
// The text records of the About window.
constexpr int kRecRulesFirst = 19, kRecRulesLast = 21, kRecTurnEnd = 22, kRecCreditsFirst = 23,
              kRecCreditsLast = 28;

void Place(platform::Label& l, int top, int height, double size = 9, bool bold = false) {
    l.Move(kTextLeft, top, kTextW, height);
    l.SetBackStyle(0);
    l.SetWordWrap(true);
    l.SetFontSize(size);
    l.SetFontBold(bold);
}

} // namespace

// A green shield with a wild King on it.
QImage About_Icon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield;
    shield.moveTo(size * 0.1, size * 0.08);
    shield.lineTo(size * 0.9, size * 0.08);
    shield.lineTo(size * 0.9, size * 0.55);
    shield.quadTo(size * 0.9, size * 0.85, size * 0.5, size * 0.98);
    shield.quadTo(size * 0.1, size * 0.85, size * 0.1, size * 0.55);
    shield.closeSubpath();
    p.setPen(QPen(QColor(200, 160, 40), size / 24.0));
    p.setBrush(QColor(30, 100, 50));
    p.drawPath(shield);
    const QSize card(size * 36 / 64, size * 48 / 64);
    p.drawImage(QPointF((size - card.width()) / 2.0, size * 0.16), cardart::SheetFace(52, card));
    return img;
}

AboutForm& frmAbout() {
    if (!Instance()) new AboutForm(); // lives until the program ends
    return *Instance();
}

AboutForm::AboutForm() : Form(QStringLiteral("frmAbout")) {
    if (!Instance()) Instance() = this;
    Window()->setWindowFlags(Qt::Dialog);
    SetScaleMode(platform::vbPixels);
    SetCaption(QStringLiteral("About Grulm and Torvek"));
    SetClientSizePx(kWidth, kHeight);
    picIcon.Move(kMargin, kMargin, kIcon, kIcon);
    picIcon.SetPicture(About_Icon(kIcon));
    picIcon.SetToolTipText(QStringLiteral("Who made this?"));
    Place(lblTitle, kMargin, 40, 11, true);
    Place(lblVersion, 56, 20);
    Place(lblDescription, 80, 36);
    Place(LblSite, 118, 20);
    Place(lblDis, 146, 56);
    Place(Label2, 206, 56);
    credit.Move(kMargin, 146, kWidth - 2 * kMargin, 116);
    credit.SetWordWrap(true);
    credit.SetBackColor(0x00E6F5FF);
    credit.SetVisible(false);
    cmdOK.Move(kWidth - kMargin - 90, kHeight - kMargin - 28, 90, 28);
    cmdOK.SetCaption(QStringLiteral("OK"));
    picIcon.On().Click = [this](int) { picIcon_Click(); };
    cmdOK.On().Click = [this](int) { cmdOK_Click(); };
    SetEscapeButton(cmdOK);
}

AboutForm::~AboutForm() {
    if (Instance() == this) Instance() = nullptr;
}

void AboutForm::Form_Load() {
    Window_PlaceOverTable(Window(), TableSpot::Centre);
    lblTitle.SetCaption(QStringLiteral("Vornhelm: Grulm and Torvek\r\nTable Edition"));
    lblVersion.SetCaption(Version_Text());
    lblDescription.SetCaption(
        QString::fromUtf8("Vornhelm\u2122\r\nMade at the card table workshop of Vornhelm."));
    LblSite.SetCaption(QStringLiteral("www.vornhelm.example"));
    Label2.SetCaption(ReadTextRecords(kRecTurnEnd, kRecTurnEnd).trimmed() +
                      QStringLiteral("\r\n\r\nWarning: Highly addictive."));
    lblDis.SetCaption(ReadTextRecords(kRecRulesFirst, kRecRulesLast).trimmed());
    credit.SetVisible(false);
}

void AboutForm::picIcon_Click() {
    if (credit.Visible()) {
        credit.SetVisible(false);
        return;
    }
    credit.SetCaption(ReadTextRecords(kRecCreditsFirst, kRecCreditsLast).trimmed());
    credit.SetVisible(true);
    credit.ZOrder(0);
    Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.DataPath + kSoundCredits);
}

void AboutForm::cmdOK_Click() {
    Unload();
}
