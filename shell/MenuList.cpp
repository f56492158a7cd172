#include "shell/MenuList.h"
#include "common/Shared.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "platform/Guard.h"
#include "shell/MenuCommands.h"
#include "table/DefaultArt.h"
#include "table/Panel.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWidget>

namespace {

// The picture over the rows is 400 twips high, the rows stand 125 twips below it, and
// the window is 500 twips wider than its rows.
constexpr int kTopStrip = platform::PxOfTwips(400), kListPad = platform::PxOfTwips(125),
              kSidePad = platform::PxOfTwips(500) / 2;
// The shortcut column of each menu in dialog units (a quarter of an average character).
constexpr int kTabStop[] = {0, 90, 100, 115, 90};
constexpr int kColumnGap = 24;
const QColor kHighlight(0x33, 0x66, 0xCC);
const QColor kDimmed(0x90, 0x90, 0x90);

QString Row(const char* caption, const char* key = "") {
    return QString::fromLatin1(caption) + "\t" + QString::fromLatin1(key);
}

QString CaptionOf(const QString& row) {
    return row.section(QLatin1Char('\t'), 0, 0);
}
QString ShortcutOf(const QString& row) {
    return row.section(QLatin1Char('\t'), 1);
}

// The drop-down list of one menu: a frameless window beside the icon panel that takes
// no keyboard focus and grabs nothing, so the table, its game and the other windows go
// on while it is open. A click elsewhere, Esc, or the pointer leaving the panel closes it.
class MenuWindow : public QWidget {
  public:
    MenuWindow() {
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                       Qt::WindowDoesNotAcceptFocus);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setMouseTracking(true);
        setObjectName(QStringLiteral("frmMenu"));
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(9);
        setFont(f);
    }

    bool Open(int menu, QPoint at) {
        CloseNow();
        rows_ = Menu_Rows(menu);
        if (rows_.isEmpty()) return false;
        menu_ = menu;
        hover_ = -1;
        Measure();
        move(OnScreen(at));
        qApp->installEventFilter(this);
        show();
        raise();
        return true;
    }

    // Hides the list; the panel learns that nothing more is coming from it.
    void Close() {
        if (!CloseNow()) return;
        Panel_ListClosed();
    }

    // The row at a height of the window, -1 above the rows or below them.
    int RowAt(int y) const {
        const int r = (y - kTopStrip - kListPad / 2) / rowHeight_;
        return y >= kTopStrip + kListPad / 2 && r < rows_.size() ? r : -1;
    }
    int RowTop(int row) const { return kTopStrip + kListPad / 2 + row * rowHeight_; }
    int Hovered() const { return hover_; }
    int ShortcutColumn() const { return column_; }

    // A press on a row: a separator or a row without its window keeps the list open.
    void Press(int row) {
        if (!Choosable(row)) return;
        if (OpensPopup(row)) {
            Popup(row);
            return;
        }
        Choose(row);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.drawImage(QRect(0, 0, width(), kTopStrip),
                    DefaultArt_Panel(PanelHooks.MenuStyle(), width(), kTopStrip));
        const QFontMetrics fm(font());
        for (int i = 0; i < rows_.size(); ++i) {
            const QRect r(0, RowTop(i), width(), rowHeight_);
            if (rows_[i].isEmpty()) {
                p.setPen(kDimmed);
                p.drawLine(r.left() + kSidePad / 2, r.center().y(), r.right() - kSidePad / 2, r.center().y());
                continue;
            }
            const bool lit = i == hover_;
            if (lit) p.fillRect(r, kHighlight);
            p.setPen(!Menu_RowAvailable(menu_, i) ? kDimmed : lit ? QColor(Qt::white) : QColor(Qt::black));
            const QRect text = r.adjusted(kSidePad, 0, -kSidePad, 0);
            p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, CaptionOf(rows_[i]));
            p.drawText(text.adjusted(column_, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       ShortcutOf(rows_[i]));
        }
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        platform::Guarded("frmMenu.List1_MouseMove",
                          [&] { Hover(RowAt(static_cast<int>(e->position().y()))); });
    }
    void leaveEvent(QEvent*) override { Hover(-1); }
    void mousePressEvent(QMouseEvent* e) override {
        platform::Guarded("frmMenu.List1_MouseDown", [&] {
            if (e->button() == Qt::LeftButton) Press(RowAt(static_cast<int>(e->position().y())));
        });
    }
    // A press anywhere else in the program, or Esc wherever it is typed, closes the list;
    // the event still goes where it was meant to.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (!isVisible() || popupOpen_) return false;
        if (e->type() == QEvent::MouseButtonPress) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w && w->window() != this) Close();
        } else if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            Close();
        }
        return false;
    }

  private:
    bool CloseNow() {
        qApp->removeEventFilter(this);
        if (!isVisible()) return false;
        hide();
        return true;
    }
    bool Choosable(int row) const {
        return row >= 0 && row < rows_.size() && !rows_[row].isEmpty() && Menu_RowAvailable(menu_, row);
    }
    void Hover(int row) {
        const int lit = Choosable(row) ? row : -1;
        if (lit == hover_) return;
        hover_ = lit;
        update();
    }
    void Measure() {
        const QFontMetrics fm(font());
        rowHeight_ = fm.height() + 4;
        int captions = 0, shortcuts = 0, plain = 0;
        for (const QString& r : rows_) {
            const int w = fm.horizontalAdvance(CaptionOf(r));
            if (ShortcutOf(r).isEmpty()) {
                plain = std::max(plain, w);
            } else {
                captions = std::max(captions, w);
                shortcuts = std::max(shortcuts, fm.horizontalAdvance(ShortcutOf(r)));
            }
        }
        column_ = std::max(kTabStop[menu_] * fm.averageCharWidth() / 4, captions + kColumnGap);
        const int list = std::max(plain, column_ + shortcuts);
        setFixedSize(list + 2 * kSidePad, kTopStrip + kListPad + rowHeight_ * static_cast<int>(rows_.size()));
    }
    // The whole list on the screen the panel is on.
    QPoint OnScreen(QPoint at) const {
        const QScreen* screen = QGuiApplication::screenAt(at);
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (!screen) return at;
        const QRect area = screen->availableGeometry();
        return {std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())),
                std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height()))};
    }
    bool OpensPopup(int row) const {
        return (menu_ == kMenuOptions && (row == kOptSound || row == kOptDisplaySize)) ||
               (menu_ == kMenuHelp && row == kHelpWeb);
    }
    // The popup beside a row; a choice there chooses the row, leaving it keeps the list open.
    void Popup(int row) {
        popup_ = new QMenu(this);
        popup_->setAttribute(Qt::WA_DeleteOnClose);
        int first = 0, bold = -1;
        QStringList entries;
        if (row == kOptSound) {
            entries = {"Full Sound", "Some Sound", "No Sound"};
            bold = Com.SoundMode;
        } else if (row == kOptDisplaySize) {
            entries = {Com.LayoutMode & 1 ? "Move Cards Down" : "Move Cards Up",
                       Com.LayoutMode & 2 ? "Make Display Larger" : "Make Display Smaller",
                       "Reset Default Window Size"};
        } else {
            entries = {"Vornhelm Website Home", "Vornhelm Online Gaming Site", "IP Address Check"};
            first = 1;
        }
        for (int i = 0; i < entries.size(); ++i) {
            QAction* a = popup_->addAction(entries[i]);
            a->setData(first + i);
            if (first + i == bold) popup_->setDefaultAction(a);
            // The small display forced on a small screen holds both display entries.
            if (row == kOptDisplaySize && i < 2) a->setEnabled(Tbl.DisplayEntryEnabled[i]);
        }
        popupOpen_ = true;
        platform::Connect(popup_, &QMenu::aboutToHide, this, "frmPic.Popup_Hide",
                          [this] { popupOpen_ = false; });
        // The command runs once the popup is gone.
        platform::Connect(popup_, &QMenu::triggered, this, "frmPic.Popup_Click", [this, row](QAction* a) {
            const int entry = a->data().toInt();
            platform::Later(0, this, "frmPic.Popup_Click", [this, row, entry] { PopupChosen(row, entry); });
        });
        popup_->popup(mapToGlobal(QPoint(width() - kSidePad, RowTop(row))));
    }
    void PopupChosen(int row, int entry) {
        if (!isVisible()) return;
        if (row == kOptSound) {
            // The level already in force announces nothing.
            if (entry == Com.SoundMode) return;
            Com.SoundMode = entry;
        } else if (row == kOptDisplaySize) {
            Menu.DisplaySizeItem = entry;
        } else {
            Menu.WebLinkItem = entry;
        }
        Choose(row);
    }
    void Choose(int row) {
        Tbl.MenuNumber = menu_;
        Tbl.MenuItem = row;
        Tbl.MenuChosen = true;
        Close();
    }

    QStringList rows_;
    int menu_ = 0, hover_ = -1, rowHeight_ = 16, column_ = 0;
    bool popupOpen_ = false;
    QPointer<QMenu> popup_;
};

// The list window lives as long as the program: a command it runs may still be on its way out.
MenuWindow& List() {
    static MenuWindow* w = new MenuWindow;
    return *w;
}

} // namespace

QStringList Menu_Rows(int menu) {
    const bool host = Com.NetHost == 1;
    switch (menu) {
    case 1:
        return {Row("New Game", "F2"),
                Row("Change/New Player"),
                "",
                Row("Save", "Ctrl+S"),
                Row("Restore", "Ctrl+R"),
                "",
                Row("Previous Turn", "F4"),
                Row("Restart Current Game"),
                "",
                Row("Scores and Stats", "F3"),
                "",
                Row("Exit", "F12")};
    case 2:
        return {Row("Speed", "F5"),
                Row("Sound..."),
                Row("Preferences"),
                "",
                Row("Rules", "F6"),
                Row("Opponents Setup", "F10"),
                "",
                Row("Customize Comments"),
                "",
                Row("Change Background  [up/down arrows]"),
                Row("Stretch Background  [right arrow key]"),
                Row("Add Background"),
                "",
                Row("Display Size...")};
    case 3: {
        QStringList r = {Com.NetGame == 0
                             ? Row("Start Internet Game", "F11")
                             : Row(host ? "Host - END Internet Game" : "Remote - END Internet Game"),
                         Row("Internet Game Scores"), ""};
        // The game's own rows only once a game is joined.
        if (Com.NetGame == 0 || Com.NetGame == kNetGameConnecting) return r;
        r << Row("Internet Players Setup", "F10") << Row("Save This Game");
        if (host)
            r << Row("Send Saved Internet Game") << "" << Row("Host Setup and Rules") << ""
              << Row("Restart Current Game") << Row("New Game", "F2");
        return r;
    }
    case 4:
        return {Row("Help - User's Manual", "F1"),
                Row("Tutorial"),
                Row("Daily Tips"),
                Row(Com.PeekOn ? "Stop Peeking" : "Peek", "F7"),
                Row("Card Counter", "F8"),
                Row(frmGrulm().StatusBar1.Visible() ? "Hide Status Bar" : "Show Status Bar", "F9"),
                "",
                Row("Visit the Vornhelm Website..."),
                Row("About")};
    default:
        return {};
    }
}

QWidget* MenuList_Window() {
    return &List();
}

int MenuList_RowTop(int row) {
    return List().RowTop(row);
}

int MenuList_Hovered() {
    return List().Hovered();
}

int MenuList_ShortcutColumn() {
    return List().ShortcutColumn();
}

void MenuList_Install() {
    PanelHooks.Menu_Open = [](int menu, int leftTw, int topTw) {
        return List().Open(menu, QPoint(platform::PxOfTwips(leftTw), platform::PxOfTwips(topTw)));
    };
    PanelHooks.Menu_Close = [] { List().Close(); };
    // A new size of the table puts the panel's list away with the panel.
    DispHooks.CloseMenus = [] { Panel_Close(); };
}
