#pragma once
// The help window: our help pages in a browser, with the contents, a step back
// and a close button.
#include "platform/Controls.h"

#include <QString>

class QTextBrowser;

class HelpForm : public platform::Form {
  public:
    HelpForm();
    ~HelpForm() override;

    platform::CommandButton cmdContents{this, "cmdContents", -1};
    platform::CommandButton cmdBack{this, "cmdBack", -1};
    platform::CommandButton cmdClose{this, "cmdClose", -1};

    // Shows the window at the page of `url` (a page of the help's resources).
    void ShowPage(const QString& url);
    // The page shown, "" before the first.
    QString Page() const;
    // The text of the page shown.
    QString PageText() const;
    QTextBrowser* Browser() const { return browser_; }

  private:
    void LayOut();
    void ShowAbove();
    QTextBrowser* browser_ = nullptr;
};

// The one help window, created on first use.
HelpForm& frmHelp();
// Whether the help window was ever created.
bool HelpWindow_Exists();
// Closes the help window when there is one.
void HelpWindow_Close();
