// The program's whole start-up wiring: every row a player can see in a menu leads
// somewhere, alone at the table and as host or remote of an Internet game.
#include "app/Wiring.h"
#include "common/Shared.h"
#include "shell/Folders.h"
#include "shell/KeyCommand.h"
#include "shell/MenuCommands.h"
#include "shell/MenuList.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// The player's folders in the test's own home, as the start-up makes them: the windows
// opened here read and write the profile there.
class WiringTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        QString error;
        ASSERT_TRUE(Folders_Init(&error)) << error.toStdString();
    }
};

TEST_F(WiringTest, EveryShownMenuRowIsAvailable) {
    FrmGrulm table;
    Program_Install();
    struct Seat {
        int netGame, netHost;
    };
    for (const Seat s : {Seat{0, 0}, Seat{1, 1}, Seat{1, 0}}) {
        Com.NetGame = s.netGame;
        Com.NetHost = s.netHost;
        for (int menu = kMenuGame; menu <= kMenuHelp; ++menu) {
            const QStringList rows = Menu_Rows(menu);
            for (int row = 0; row < rows.size(); ++row)
                if (!rows[row].isEmpty()) {
                    EXPECT_TRUE(Menu_RowAvailable(menu, row))
                        << s.netGame << "/" << s.netHost << " " << rows[row].toStdString();
                }
        }
    }
}

// The window manager's close box: a close event to the window, as the desktop sends it.
void CloseBox(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(name) && w->isVisible() && w->windowHandle()) {
            QCloseEvent e;
            QCoreApplication::sendEvent(w->windowHandle(), &e);
        }
}

const platform::Form* ShownForm(const char* name) {
    const platform::Form* f = platform::Form::Find(QLatin1String(name));
    return f && f->IsVisible() ? f : nullptr;
}

// Opened by its key or its menu row, closed by the close box, every tool window opens again
// the other way (the modal ones are closed from inside their wait, as the player does).
TEST_F(WiringTest, EveryToolWindowClosedByItsCloseBoxOpensAgainEitherWay) {
    FrmGrulm table;
    Program_Install();
    auto key = [](int k) {
        return [k] {
            Keys.KeyArmed = true;
            KeyCommand(k, 0);
        };
    };
    const struct {
        const char* window;
        std::function<void()> byKey, byRow;
    } ways[] = {
        {"frmSpeed", key(116), [] { MenuOptions(kOptSpeed, 0); }},        // F5
        {"frmCounter", key(119), [] { MenuHelp(kHelpCounter, 0); }},      // F8
        {"frmOptions", key(35), [] { MenuOptions(kOptPreferences, 0); }}, // End
        {"frmMulti", key(121), [] { MenuOptions(kOptOpponents, 0); }},    // F10
        {"frmCustom", nullptr, [] { MenuOptions(kOptComments, 0); }},
        {"frmTip", nullptr, [] { MenuHelp(kHelpTips, 0); }},
    };
    for (const auto& w : ways) {
        for (const auto& how : {w.byRow, w.byKey ? w.byKey : w.byRow, w.byRow}) {
            bool shown = false, onTop = false;
            QTimer::singleShot(0, [&] {
                const platform::Form* f = ShownForm(w.window);
                shown = f;
                onTop = f && f->Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                CloseBox(w.window);
            });
            how();
            QApplication::processEvents();
            EXPECT_TRUE(shown) << w.window;
            // The tip stays above the table when the player clicks the table.
            if (QLatin1String(w.window) == QLatin1String("frmTip")) {
                EXPECT_TRUE(onTop);
            }
            EXPECT_FALSE(ShownForm(w.window)) << w.window;
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << w.window;
    }
}

} // namespace
