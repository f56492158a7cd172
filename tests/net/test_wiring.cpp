// The program's whole start-up wiring: every row a player can see in a menu leads
// somewhere, alone at the table and as host or remote of an Internet game.
#include "app/Wiring.h"
#include "common/Shared.h"
#include "shell/MenuCommands.h"
#include "shell/MenuList.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

namespace {

class WiringTest : public GameTest {};

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
                if (!rows[row].isEmpty())
                    EXPECT_TRUE(Menu_RowAvailable(menu, row))
                        << s.netGame << "/" << s.netHost << " " << rows[row].toStdString();
        }
    }
}

} // namespace
