#include "engine/Flow.h"
#include "platform/Services.h"
#include "shell/Help.h"
#include "shell/HelpInstall.h"
#include "shell/MenuCommands.h"
#include "shell/ShellHooks.h"
#include "shell/frmHelp.h"
#include "shell/frmTip.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>

namespace {
// The keywords the windows pass to the help.
const char* const kAskedKeywords[] = {"Contents", "Customizing Comments", "Opponents", "Connection Window",
                                      "Chat Window"};
// Every window of the game, and one that has no topic of its own.
const char* const kWindows[] = {"frmRules",    "frmSave",      "frmScoreStat", "frmSpeed",   "frmCounter",
                                "frmHold",     "frmWelcome",   "frmTutorial",  "frmTip",     "frmChat",
                                "frmPlayers",  "frmCustom",    "frmMulti",     "frmOptions", "frmSounds",
                                "frmRulesNET", "frmScoresNet", "frmMultiNET",  "frmAbout",   "frmNoSuch"};

QString ReadPage(const QString& page) {
    QFile f(":/help/" + page);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class HelpTest : public GameTest {
  protected:
    void TearDown() override {
        HelpWindow_Close();
        MenuWin = MenuWindowsT{};
        GameTest::TearDown();
    }
};
} // namespace

TEST_F(HelpTest, EveryKeywordAskedForAndEveryWindowFindsAPageWithAHeading) {
    QStringList keywords = Help_Keywords();
    for (const char* k : kAskedKeywords)
        keywords << QLatin1String(k);
    for (const char* w : kWindows)
        keywords << Help_KeywordForWindow(QLatin1String(w));
    for (const QString& k : keywords) {
        const QString page = Help_PageFor(k);
        ASSERT_FALSE(page.isEmpty()) << k.toStdString();
        EXPECT_TRUE(ReadPage(page).contains("<h1>")) << page.toStdString();
    }
    EXPECT_EQ(Help_KeywordForWindow("frmChat"), "Chat Window");
    EXPECT_EQ(Help_KeywordForWindow("frmNoSuch"), "Contents");
    EXPECT_EQ(Help_PageFor("  chat WINDOW "), "chat.html");
    EXPECT_EQ(Help_PageFor("Nonsense"), "");
    EXPECT_EQ(Help_PageFor(""), "");
}

TEST_F(HelpTest, EveryLinkLeadsToAPageAndTheContentsReachEveryPage) {
    const QStringList pages = QDir(":/help").entryList({"*.html"});
    ASSERT_GE(pages.size(), 10);
    static const QRegularExpression href(R"(href="([^"#]+))");
    for (const QString& page : pages) {
        const QString text = ReadPage(page);
        for (auto it = href.globalMatch(text); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_TRUE(pages.contains(target)) << page.toStdString() << " -> " << target.toStdString();
        }
    }
    const QString contents = ReadPage(kHelpContentsPage);
    for (const QString& page : pages) {
        if (page == kHelpContentsPage) continue;
        EXPECT_TRUE(contents.contains("href=\"" + page + "\"")) << page.toStdString();
    }
}

TEST_F(HelpTest, CloseBeforeAnyHelpLeavesNoWindowAndKeywordsShowTheirPage) {
    ShowHelp("Close", "");
    EXPECT_FALSE(HelpWindow_Exists());
    ShowHelp("Something", "Chat Window");
    EXPECT_FALSE(HelpWindow_Exists());

    ShowHelp("Keyword", "Connection Window");
    ASSERT_TRUE(frmHelp().IsVisible());
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/connection.html"));
    EXPECT_TRUE(frmHelp().PageText().contains("connection window"));

    // A keyword without a page is told, and the page shown stays.
    svc.boxes->Expect(platform::vbOK);
    ShowHelp("Keyword", "Nonsense");
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("Nonsense"));
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/connection.html"));

    ShowHelp("Contents", "Contents");
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/index.html"));
    // A link followed and the way back.
    frmHelp().Browser()->setSource(QUrl("qrc:/help/play.html"));
    EXPECT_TRUE(frmHelp().cmdBack.Enabled());
    frmHelp().cmdBack.FireClick();
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/index.html"));

    ShowHelp("Close", "Close");
    EXPECT_FALSE(frmHelp().IsVisible());
    ShowHelp("Contents", "Contents");
    QTest::keyClick(frmHelp().Browser(), Qt::Key_Escape); // typed in the page, as Close
    EXPECT_FALSE(frmHelp().IsVisible());
}

TEST_F(HelpTest, InstallFillsTheHooksMenusAndF1OfTheOtherWindows) {
    MenuCommands_Install();
    EXPECT_FALSE(Menu_RowAvailable(kMenuHelp, kHelpAbout));
    Help_Install();
    for (int row : {kHelpContents, kHelpTips, kHelpAbout, kHelpPeek})
        EXPECT_TRUE(Menu_RowAvailable(kMenuHelp, row)) << row;
    EXPECT_TRUE(MenuWin.Present(kMenuGame, kGameLogin)); // the rows present before stay
    EXPECT_FALSE(MenuWin.Present(kMenuHelp, kHelpTutorial));

    Hooks.ShowHelp("Keyword", "Opponents");
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/opponents.html"));
    MenuHelp(kHelpContents, 0);
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/index.html"));
    Startup.ShowHelpClose();
    EXPECT_FALSE(frmHelp().IsVisible());

    frmTip().Show();
    QTest::keyClick(frmTip().Window(), Qt::Key_F1);
    ASSERT_TRUE(frmHelp().IsVisible());
    EXPECT_TRUE(frmHelp().Page().endsWith("/help/tutorial.html"));
    // F1 with a modifier is not help.
    HelpWindow_Close();
    QTest::keyClick(frmTip().Window(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_FALSE(frmHelp().IsVisible());
    frmTip().Unload();
}
