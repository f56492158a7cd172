#include "shell/frmHelp.h"
#include "engine/TableForm.h"
#include "shell/Help.h"
#include "table/WindowPlaces.h"

#include <QApplication>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>

namespace {
HelpForm*& Instance() {
    static HelpForm* form = nullptr;
    return form;
}

constexpr int kWidth = 640, kHeight = 520, kMargin = 8, kButtonW = 90, kButtonH = 28;

} // namespace

HelpForm& frmHelp() {
    if (!Instance()) new HelpForm(); // lives until the program ends
    return *Instance();
}

bool HelpWindow_Exists() {
    return Instance() != nullptr;
}

void HelpWindow_Close() {
    if (Instance()) Instance()->Unload();
}

HelpForm::HelpForm() : Form(QStringLiteral("frmHelp")) {
    if (!Instance()) Instance() = this;
    SetScaleMode(platform::vbPixels);
    SetCaption(QStringLiteral("Grulm and Torvek Help"));
    SetClientSizePx(kWidth, kHeight);
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
    QObject::connect(browser_, &QTextBrowser::backwardAvailable, Client(),
                     [this](bool available) { cmdBack.SetEnabled(available); });
    cmdBack.SetEnabled(false);
    Resize = [this] { LayOut(); };
    LayOut();
}

HelpForm::~HelpForm() {
    if (Instance() == this) Instance() = nullptr;
}

void HelpForm::LayOut() {
    const int w = Client()->width(), h = Client()->height();
    cmdContents.SetGeometryPx(kMargin, kMargin, kButtonW, kButtonH);
    cmdBack.SetGeometryPx(2 * kMargin + kButtonW, kMargin, kButtonW, kButtonH);
    cmdClose.SetGeometryPx(w - kMargin - kButtonW, kMargin, kButtonW, kButtonH);
    const int top = 2 * kMargin + kButtonH;
    browser_->setGeometry(kMargin, top, std::max(0, w - 2 * kMargin), std::max(0, h - top - kMargin));
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
