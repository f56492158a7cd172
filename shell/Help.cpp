#include "shell/Help.h"
#include "platform/Controls.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "shell/frmHelp.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {
struct Topic {
    const char* keyword;
    const char* page;
};

// The keywords the windows ask for, and a few more for the pages of their own.
constexpr Topic kTopics[] = {
    {"Contents", kHelpContentsPage},
    {"How to Play", "play.html"},
    {"The Table", "table.html"},
    {"Card Counter", "table.html"},
    {"House Rules", "houserules.html"},
    {"Keyboard", "keys.html"},
    {"Menus", "menus.html"},
    {"Players", "players.html"},
    {"Saving Games", "saving.html"},
    {"Scores and Stats", "scores.html"},
    {"Opponents", "opponents.html"},
    {"Customizing Comments", "comments.html"},
    {"Preferences", "preferences.html"},
    {"Speed", "preferences.html"},
    {"Internet Game", "internet.html"},
    {"Internet Game Scores", "internet.html"},
    {"Internet Players Setup", "internet.html"},
    {"Connection Window", "connection.html"},
    {"Chat Window", "chat.html"},
    {"Tutorial", "tutorial.html"},
    {"Daily Tips", "tutorial.html"},
};

struct WindowTopic {
    const char* form;
    const char* keyword;
};

constexpr WindowTopic kWindowTopics[] = {
    {"frmRules", "House Rules"},
    {"frmSave", "Saving Games"},
    {"frmScoreStat", "Scores and Stats"},
    {"frmSpeed", "Speed"},
    {"frmCounter", "Card Counter"},
    {"frmHold", "The Table"},
    {"frmWelcome", "Players"},
    {"frmTutorial", "Tutorial"},
    {"frmTip", "Daily Tips"},
    {"frmChat", "Chat Window"},
    {"frmPlayers", "Connection Window"},
    {"frmCustom", "Customizing Comments"},
    {"frmMulti", "Opponents"},
    {"frmOptions", "Preferences"},
    {"frmSounds", "Internet Players Setup"},
    {"frmRulesNET", "Internet Game"},
    {"frmScoresNet", "Internet Game Scores"},
    {"frmMultiNET", "Internet Players Setup"},
};

class F1Filter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget) return false;
        const platform::Form* form = FormOf(widget->window());
        // The table runs F1 through its own keys; the help window has nothing more to show.
        if (!form || form->Name() == QLatin1String("frmGrulm") || form->Name() == QLatin1String("frmHelp"))
            return false;
        const QString keyword = Help_KeywordForWindow(form->Name());
        platform::Guarded("F1", [&] { ShowHelp(QStringLiteral("Keyword"), keyword); });
        return true;
    }

  private:
    static const platform::Form* FormOf(const QWidget* window) {
        for (const platform::Form* f : platform::Form::All())
            if (f->Window() == window) return f;
        return nullptr;
    }
};
} // namespace

QString Help_PageFor(const QString& keyword) {
    const QString wanted = keyword.trimmed();
    for (const Topic& t : kTopics)
        if (wanted.compare(QLatin1String(t.keyword), Qt::CaseInsensitive) == 0) return QLatin1String(t.page);
    return QString();
}

QStringList Help_Keywords() {
    QStringList out;
    for (const Topic& t : kTopics)
        out << QLatin1String(t.keyword);
    return out;
}

QString Help_KeywordForWindow(const QString& formName) {
    for (const WindowTopic& w : kWindowTopics)
        if (formName == QLatin1String(w.form)) return QLatin1String(w.keyword);
    return QStringLiteral("Contents");
}

void ShowHelp(const QString& kind, const QString& keyword) {
    if (kind == QLatin1String("Close")) {
        HelpWindow_Close();
        return;
    }
    QString page;
    if (kind == QLatin1String("Contents")) {
        page = QLatin1String(kHelpContentsPage);
    } else if (kind == QLatin1String("Keyword")) {
        page = Help_PageFor(keyword);
        if (page.isEmpty()) {
            platform::MsgBox(QStringLiteral("There is no help page for \"%1\".").arg(keyword),
                             platform::vbExclamation, QStringLiteral("Help"));
            return;
        }
    } else {
        return;
    }
    frmHelp().ShowPage(QLatin1String(kHelpRoot) + page);
}

void Help_InstallF1() {
    static F1Filter* filter = nullptr;
    if (filter || !qApp) return;
    filter = new F1Filter(qApp);
    qApp->installEventFilter(filter);
}
