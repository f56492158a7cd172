#include "shell/MenuList.h"
#include "common/Shared.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "platform/OnTop.h"
#include "shell/MenuCommands.h"
#include "table/Panel.h"
#include "table/TableState.h"

#include <QListWidget>
#include <QMenu>
#include <QPointer>

namespace {

constexpr int kNetConnecting = 99;

QString Row(const char* caption, const char* key = "") {
    return QString::fromLatin1(caption) + "\t" + QString::fromLatin1(key);
}

// The list window of the open menu; gone when closed.
QPointer<QListWidget> g_list;

// The popup of a row with one, at the pointer, entries numbered from `first`; `bold` is the
// default entry (-1 none). -1 when nothing was chosen.
int PopupChoice(const QStringList& entries, int first = 0, int bold = -1) {
    QMenu popup;
    for (int i = 0; i < entries.size(); ++i) {
        QAction* a = popup.addAction(entries[i]);
        a->setData(first + i);
        if (first + i == bold) popup.setDefaultAction(a);
    }
    QAction* a = popup.exec(QCursor::pos());
    return a ? a->data().toInt() : -1;
}

// A row chosen: its popup first where it has one. False when the popup was left.
bool TakeRow(int menu, int row) {
    if (menu == kMenuOptions && row == kOptSound) {
        const int level = PopupChoice({"Full Sound", "Some Sound", "No Sound"}, 0, Com.SoundMode);
        // The level already in force announces nothing.
        if (level < 0 || level == Com.SoundMode) return false;
        Com.SoundMode = level;
    } else if (menu == kMenuOptions && row == kOptDisplaySize) {
        const int item = PopupChoice({Com.LayoutMode & 1 ? "Move Cards Down" : "Move Cards Up",
                                      Com.LayoutMode & 2 ? "Make Display Larger" : "Make Display Smaller",
                                      "Reset Default Window Size"});
        if (item < 0) return false;
        Menu.DisplaySizeItem = item;
    } else if (menu == kMenuHelp && row == kHelpWeb) {
        const int link = PopupChoice({"Vornhelm Website Home", "Vornhelm Online Gaming Site", "IP Address Check"}, 1);
        if (link < 1) return false;
        Menu.WebLinkItem = link;
    }
    return true;
}

void Close() {
    if (g_list) g_list->deleteLater();
    g_list = nullptr;
    Tbl.MenuListShown = false;
}

bool Open(int menu, int leftTw, int topTw) {
    Close();
    const QStringList rows = Menu_Rows(menu);
    if (rows.isEmpty()) return false;
    auto* list = new QListWidget;
    list->setWindowFlags(Qt::Popup);
    list->setAttribute(Qt::WA_DeleteOnClose);
    for (int i = 0; i < rows.size(); ++i) {
        auto* item = new QListWidgetItem(rows[i].isEmpty() ? QStringLiteral("――――――――") : rows[i], list);
        if (rows[i].isEmpty() || !Menu_RowAvailable(menu, i)) item->setFlags(Qt::NoItemFlags);
    }
    list->setFixedSize(list->sizeHintForColumn(0) + 24, list->sizeHintForRow(0) * rows.size() + 6);
    list->move(leftTw / static_cast<int>(platform::kTwipsPerPixel), topTw / static_cast<int>(platform::kTwipsPerPixel));
    platform::Connect(list, &QListWidget::itemClicked, list, "frmMenu.List1_Click",
                      [menu, list](QListWidgetItem* item) {
                          const int row = list->row(item);
                          list->hide();
                          if (!TakeRow(menu, row)) {
                              Close();
                              return;
                          }
                          Tbl.MenuNumber = menu;
                          Tbl.MenuItem = row;
                          Tbl.MenuChosen = true;
                          Close();
                      });
    platform::Connect(list, &QObject::destroyed, "close", [] { Tbl.MenuListShown = false; });
    g_list = list;
    platform::WindowOnTop top;
    top.SetOnTop(true);
    top.TopForm(list);
    list->show();
    return true;
}

} // namespace

QStringList Menu_Rows(int menu) {
    const bool host = Com.NetHost == 1;
    switch (menu) {
    case 1:
        return {Row("New Game", "F2"), Row("Change/New Player"), "", Row("Save", "Ctrl+S"), Row("Restore", "Ctrl+R"),
                "", Row("Previous Turn", "F4"), Row("Restart Current Game"), "", Row("Scores and Stats", "F3"), "",
                Row("Exit", "F12")};
    case 2:
        return {Row("Speed", "F5"), Row("Sound..."), Row("Preferences"), "", Row("Rules", "F6"),
                Row("Opponents Setup", "F10"), "", Row("Customize Comments"), "",
                Row("Change Background  [up/down arrows]"), Row("Stretch Background  [right arrow key]"),
                Row("Add Background"), "", Row("Display Size...")};
    case 3: {
        QStringList r = {Com.NetGame == 0 ? Row("Start Internet Game", "F11")
                                          : Row(host ? "Host - END Internet Game" : "Remote - END Internet Game"),
                         Row("Internet Game Scores"), ""};
        // The game's own rows only once a game is joined.
        if (Com.NetGame == 0 || Com.NetGame == kNetConnecting) return r;
        r << Row("Internet Players Setup", "F10") << Row("Save This Game");
        if (host)
            r << Row("Send Saved Internet Game") << "" << Row("Host Setup and Rules") << ""
              << Row("Restart Current Game") << Row("New Game", "F2");
        return r;
    }
    case 4:
        return {Row("Help - User's Manual", "F1"), Row("Tutorial"), Row("Daily Tips"),
                Row(Com.PeekOn ? "Stop Peeking" : "Peek", "F7"), Row("Card Counter", "F8"),
                Row(frmGrulm().StatusBar1.Visible() ? "Hide Status Bar" : "Show Status Bar", "F9"), "",
                Row("Visit the Vornhelm Website..."), Row("About")};
    default: return {};
    }
}

void MenuList_Install() {
    PanelHooks.Menu_Open = [](int menu, int leftTw, int topTw) { return Open(menu, leftTw, topTw); };
    PanelHooks.Menu_Close = [] { Close(); };
}
