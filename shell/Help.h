#pragma once
// Context help: our own HTML pages, found by topic keyword and shown in the help
// window. ShowHelp is the one entry the rest of the program uses.
#include <QString>
#include <QStringList>

// The resource folder of the pages.
inline constexpr char kHelpRoot[] = "qrc:/help/";
// The page of the contents.
inline constexpr char kHelpContentsPage[] = "index.html";

// The page for a topic keyword (letter case ignored), "" when no topic has it.
QString Help_PageFor(const QString& keyword);
// Every keyword the help knows.
QStringList Help_Keywords();
// The topic keyword of a window, by its name; a window without a topic of its own
// gets the contents.
QString Help_KeywordForWindow(const QString& formName);

// "Contents" shows the contents, "Keyword" the topic of `keyword`, "Close" closes
// the help window; any other kind does nothing.
void ShowHelp(const QString& kind, const QString& keyword);

// F1 in any window but the table (which has its own key) opens that window's topic.
void Help_InstallF1();
