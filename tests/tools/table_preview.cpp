// Shows the table with a game in progress, for looking at it as a player would:
//   table_preview PLAYERS CENTERS [LAYOUTMODE] [OUT.png]
// The window opens on the current screen; with OUT.png it is grabbed there and closed.
#include "common/Card.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/frmRules.h"
#include "platform/Services.h"
#include "table/Avatar.h"
#include "table/Display.h"
#include "table/Layout.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "table/Redraw.h"
#include "table/Status.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "table/frmHold.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

std::vector<int> g_deck;

int Draw() {
    const int c = g_deck.back();
    g_deck.pop_back();
    return c;
}

void Put(BArray<int, 2>& cards, int slot, int card) {
    cards(0, slot) = card;
    cards(1, slot) = card ? RankOf(card) : 0;
}

void FillSeat(SeatRecord& r, int seat, std::mt19937& gen) {
    r.RecName = QStringList{"", "", "Grulm", "Torvek", "Maud"}[seat];
    r.RecSideCount = 20 - 3 * seat;
    r.RecSideStack = 25 * seat - Com.SideSize + (20 - r.RecSideCount) - 1 + 1;
    for (int i = 1; i <= r.RecSideCount; ++i) {
        const int c = Draw();
        r.RecSide(0, i) = c;
        r.RecSide(1, i) = RankOf(c);
    }
    Put(r.RecCards, 1, r.RecSide(0, r.RecSideCount));
    for (int s = 2; s <= 6; ++s)
        Put(r.RecCards, s, s == 4 ? 0 : Draw());
    for (int p = 1; p <= 4; ++p) {
        const int depth = std::uniform_int_distribution<int>(0, 4)(gen);
        r.RecHoldInfo(p, 1) = depth;
        for (int d = 1; d <= depth; ++d) {
            const int c = Draw();
            r.RecHold(0, p, d) = c;
            r.RecHold(1, p, d) = RankOf(c);
        }
        Put(r.RecCards, 6 + p, depth ? r.RecHold(0, p, depth) : 0);
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::InstallRealServices();
    QTemporaryDir tmp;
    Com.DataPath = tmp.path() + "/";
    Com.UserPath = tmp.path() + "/";
    Com.NumPlayers = argc > 1 ? std::clamp(atoi(argv[1]), 2, 4) : 2;
    Com.NumCenters = Com.NumPlayers > 2 ? 4 : (argc > 2 ? std::clamp(atoi(argv[2]), 3, 4) : 3);
    const int mode = argc > 3 ? std::clamp(atoi(argv[3]), 0, 3) : 0;
    const QString out = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    Com.DeckColour = 0x00C0E0FF;

    auto* f = new FrmGrulm();
    Tbl.ScreenWidthTwips = platform::Svc().screen->WidthTwips();
    Tbl.ScreenHeightTwips = platform::Svc().screen->HeightTwips();
    Display_Install();
    f->Resize = [] { Grulm_FormResize(); };
    StatusBar_Init();
    Pictures_Init();
    Stacks_LoadImages();
    Highlights_LoadImages();
    Layout_SetGameSize(2, 3);
    GetCardFaces(6);
    Cards_MakeFiles();
    HoldImages_Set();
    Cards_ShowAll();
    Table_FitScreen(Layout_ModeAsked());
    if (mode & 2) Display_Change(1);
    if (mode & 1) Display_Change(0);

    // A game some turns old.
    std::mt19937 gen(7);
    g_deck.resize(Com.TotalCards);
    std::iota(g_deck.begin(), g_deck.end(), 1);
    std::shuffle(g_deck.begin(), g_deck.end(), gen);
    Com.PlayerName = "Ann";
    Eng.PlayerSideCount = 15;
    Eng.PlayerSideStack = 25 - Com.SideSize + (20 - Eng.PlayerSideCount);
    for (int i = 1; i <= Eng.PlayerSideCount; ++i) {
        const int c = Draw();
        Eng.PlayerSide(0, i) = c;
        Eng.PlayerSide(1, i) = RankOf(c);
    }
    Put(Eng.PlayerCards, 1, Eng.PlayerSide(0, Eng.PlayerSideCount));
    for (int s = 2; s <= 6; ++s)
        Put(Eng.PlayerCards, s, Draw());
    for (int p = 1; p <= 4; ++p) {
        const int under = p == 3 ? 0 : p;
        Eng.PlayerHoldCount(p) = under;
        for (int d = 1; d <= under; ++d) {
            const int c = Draw();
            Eng.PlayerHold(0, p, d) = c;
            Eng.PlayerHold(1, p, d) = RankOf(c);
        }
        Put(Eng.PlayerCards, 6 + p, p == 4 ? 0 : Draw());
    }
    for (int seat = 2; seat <= Com.NumPlayers; ++seat)
        FillSeat(*Seat(seat).record, seat, gen);
    const int heights[4] = {5, 0, 11, 2};
    for (int c = 1; c <= Com.NumCenters; ++c) {
        for (int n = 1; n <= heights[c - 1]; ++n) {
            int card = Draw();
            if (n == 3 && c == 1) card = 13; // a wild King in the middle of a pile
            Eng.Center(0, c, n) = card;
            Eng.Center(1, c, n) = RankOf(card);
        }
        Eng.CenterCount(c) = heights[c - 1];
    }
    Eng.Center(0, 3, 11) = 26; // a King on top
    Eng.Center(1, 3, 11) = 13;
    Eng.DeckCount = static_cast<int>(g_deck.size());
    Com.Pturn = 1;
    Table_NameSeats();
    f->Label9(3).SetCaption("Ann");
    f->Label9(2).SetCaption("\r\n\r\nYOU go first");
    f->Label9(4).SetCaption("Grulm");
    // Set PREVIEW_TEXTS to fill the notice, message and name labels with their longest texts.
    if (qEnvironmentVariableIsSet("PREVIEW_TEXTS")) {
        f->Label9(0).SetCaption("Opponent\r\nALERTED");
        f->Label9(1).SetCaption("That was your LAST CARD! OK, so you won!!!  You beat Grulm by one card! I DEMAND "
                                "a rematch!\r\n(Grulm had 1 cards left.)");
        f->Label9(3).SetCaption("Annabelle_Winterbour");
        for (int i = 4; i <= 2 + Com.NumPlayers; ++i)
            if (f->Label9.Exists(i)) f->Label9(i).SetCaption("Wwwwwwwwwwwwwwwwwwww");
    }
    f->ImgTurn1.SetVisible(true);
    Table_Redraw();
    Stacks_ShowCounts(true);
    StatusBar_Clear();
    WildUpdate();
    f->Show();
    // Set PREVIEW_HOLD to open the hold-pile viewer on the first hold pile, PREVIEW_RULES for the rules
    // window.
    if (qEnvironmentVariableIsSet("PREVIEW_HOLD")) {
        Tbl.ViewedSlot = 7;
        Tbl.HoldViewOther = false;
        HoldInfo(Eng.PlayerHold, Eng.PlayerHoldCount, 0, QString());
        frmHold().Show();
    }
    if (qEnvironmentVariableIsSet("PREVIEW_RULES")) frmRules().Show();
    if (!out.isEmpty()) {
        QTimer::singleShot(1200, [f, out] {
            f->Window()->grab().save(out);
            QCoreApplication::quit();
        });
    }
    const int rc = QApplication::exec();
    delete f;
    return rc;
}
