#include "shell/frmHelp.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "shell/Help.h"
#include "table/WindowPlaces.h"

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>

namespace {
HelpForm*& HelpInstance() {
    static HelpForm* form = nullptr;
    return form;
}

constexpr int kHelpWidth = 640, kHelpHeight = 520, kHelpMargin = 8, kHelpButtonW = 90, kHelpButtonH = 28;
} // namespace

HelpForm& frmHelp() {
    if (!HelpInstance()) new HelpForm(); // lives until the program ends
    return *HelpInstance();
}

bool HelpWindow_Exists() {
    return HelpInstance() != nullptr;
}

void HelpWindow_Close() {
    if (HelpInstance()) HelpInstance()->Unload();
}

HelpForm::HelpForm() : Form(QStringLiteral("frmHelp")) {
    if (!HelpInstance()) HelpInstance() = this;
    SetScaleMode(platform::vbPixels);
    SetCaption(QStringLiteral("Grulm and Torvek Help"));
    SetClientSizePx(kHelpWidth, kHelpHeight);
    browser_ = new QTextBrowser(Client());
    browser_->setOpenExternalLinks(false);
    browser_->setOpenLinks(true);
    cmdContents.SetCaption(QStringLiteral("&Contents"));
    cmdBack.SetCaption(QStringLiteral("&Back"));
    cmdClose.SetCaption(QStringLiteral("C&lose"));
    cmdContents.On().Click = [this](int) {
        browser_->setSource(QUrl(QLatin1String(kHelpRoot) + kHelpContentsPage));
    };
    cmdBack.On().Click = [this](int) { browser_->backward(); };
    cmdClose.On().Click = [this](int) { Unload(); };
    SetEscapeButton(cmdClose);
    platform::Connect(browser_, &QTextBrowser::backwardAvailable, Client(), "change",
                      [this](bool available) { cmdBack.SetEnabled(available); });
    cmdBack.SetEnabled(false);
    Resize = [this] { LayOut(); };
    LayOut();
}

HelpForm::~HelpForm() {
    if (HelpInstance() == this) HelpInstance() = nullptr;
}

void HelpForm::LayOut() {
    const int w = Client()->width(), h = Client()->height();
    cmdContents.SetGeometryPx(kHelpMargin, kHelpMargin, kHelpButtonW, kHelpButtonH);
    cmdBack.SetGeometryPx(2 * kHelpMargin + kHelpButtonW, kHelpMargin, kHelpButtonW, kHelpButtonH);
    cmdClose.SetGeometryPx(w - kHelpMargin - kHelpButtonW, kHelpMargin, kHelpButtonW, kHelpButtonH);
    const int top = 2 * kHelpMargin + kHelpButtonH;
    browser_->setGeometry(kHelpMargin, top, std::max(0, w - 2 * kHelpMargin),
                          std::max(0, h - top - kHelpMargin));
}

void HelpForm::ShowPage(const QString& url) {
    browser_->setSource(QUrl(url));
    if (!Loaded()) Window_PlaceOverTable(Window(), TableSpot::Centre);
    ShowAbove();
}

// A help window opened from a modal window must take the input itself, or the modal one blocks it.
void HelpForm::ShowAbove() {
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
    if (modal != Window() && Window()->windowModality() != wanted) {
        Window()->hide();
        Window()->setWindowModality(wanted);
    }
    Show();
}

QString HelpForm::Page() const {
    return browser_->source().toString();
}

QString HelpForm::PageText() const {
    return browser_->toPlainText();
}
