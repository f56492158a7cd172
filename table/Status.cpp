// The status bar, the side-pile counts, the filling of the hold-pile viewer, the
// system-information box and the lookup of a player by side card.
#include "table/Status.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/Paint.h"
#include "table/WindowPlaces.h"
#include "table/frmHold.h"

#include <algorithm>

namespace {

constexpr int kPanels = 9;
constexpr int kTwips = 15; // twips to a pixel

// The bar with its nine panels, made on first use so no caller finds it bare.
platform::StatusBar& Bar() {
    platform::StatusBar& bar = frmGrulm().StatusBar1;
    if (bar.PanelCount() < kPanels) StatusBar_Init();
    return bar;
}

QString WildPair(int fromSide, int fromHand) {
    return NumStr(fromSide) + "/" + NumStr(fromHand);
}

// Shows up to ten hidden cards, the one nearest the top first.
template <typename CardAt> void ListCards(FrmHold& view, int n, CardAt cardAt) {
    int place = 1;
    for (int pos = n; pos >= std::max(1, n - 9); --pos, ++place) {
        const int card = cardAt(pos);
        Card_Show(view.Picture8, place, card, kShowSilent);
        Tbl.HoldViewCards(place) = card;
    }
}

// Where the player left the viewer, while that lies on the screen. A viewer never placed (kept
// at 0, 0, the corner over the opponent's cards) opens beside the cards instead, and stays there.
void PlaceViewer(FrmHold& view) {
    const QRect kept(Tbl.HoldViewLeft / kTwips, Tbl.HoldViewTop / kTwips, view.Window()->width(),
                     view.Window()->height());
    const bool placed = Tbl.HoldViewLeft != 0 || Tbl.HoldViewTop != 0;
    if (placed && platform::FreeAreaAt(kept.center()).contains(kept)) {
        view.MoveFrameTw(Tbl.HoldViewLeft, Tbl.HoldViewTop, view.WidthTw(), view.HeightTw());
        return;
    }
    Window_PlaceOverTable(view, TableSpot::Free);
    Tbl.HoldViewLeft = view.FrameLeftTw();
    Tbl.HoldViewTop = view.FrameTopTw();
}

// What the three kinds of caller have in common; hiddenInPile gives the hidden
// count of hold pile p, holdCard the card at a depth of it, sideCard a side card.
// Counts are kept within the tables (deepest), as a damaged record may hold anything.
template <typename Hidden, typename HoldCard, typename SideCard>
void FillViewer(int count, const QString& name, int deepest, Hidden hiddenInPile, HoldCard holdCard,
                SideCard sideCard) {
    FrmHold& view = frmHold();
    view.Load();
    if (view.WindowState() == 1) {
        view.Show();
        view.SetWindowState(0);
    }
    PlaceViewer(view);
    view.ClearPlaces();

    const int slot = Tbl.ViewedSlot;
    if (slot >= 7 && slot <= 10) {
        const int p = slot - 6;
        Tbl.HoldView(2) = slot;
        Tbl.HoldViewPile = p;
        if (!Tbl.HoldViewOther) Tbl.HoldView(1) = 1;
        const int n = std::clamp(hiddenInPile(p), 0, deepest);
        const QString who = Tbl.HoldViewOther ? " " + name + "'s" : QStringLiteral(" Your");
        view.lblHold.SetCaption(who + " Hold Cards Hidden:" + NumStr(n) + " ");
        ListCards(view, n, [&](int pos) { return holdCard(p, pos); });
    } else if (slot == 0) {
        const int n = std::clamp(Eng.DeckCount, 0, Eng.Deck.UBound(2));
        view.lblHold.SetCaption(" Stock Cards Hidden:" + NumStr(n) + " ");
        ListCards(view, n, [](int pos) { return Eng.Deck(0, pos); });
    } else if (slot == 1) {
        const int n = std::clamp(count - 1, 0, deepest);
        view.lblHold.SetCaption(" Side Cards Hidden:" + NumStr(n) + " ");
        ListCards(view, n, sideCard);
    }
    if (slot == 0 || slot == 1) {
        Tbl.HoldView(1) = 0;
        Tbl.HoldView(2) = 0;
    }
}

int NoCard(int) {
    return 0;
}

} // namespace

void StatusBar_Init() {
    TableForm& f = frmGrulm();
    platform::StatusBar& bar = f.StatusBar1;
    while (bar.PanelCount() < kPanels)
        bar.AddPanel(platform::Panel{});
    struct Design {
        const char *text, *tip, *key;
        int autoSize;
    };
    static const Design panels[kPanels] = {
        {"Player:", "", "", 1},
        {"", "Last Hand ", "", 2},
        {"", "Best Run", "", 2},
        {"Wild: ", "Side/Hand", "", 2},
        {"Opponent:", "", "OppName", 2},
        {"", "Last Hand", "", 2},
        {"", "Best Run", "", 2},
        {"Wild:", "Side/Hand", "", 2},
        {"Undo Move", "Undo Move", "Undo", 2},
    };
    for (int i = 1; i <= kPanels; ++i) {
        platform::Panel& p = bar.Panels(i);
        const Design& d = panels[i - 1];
        p.Text = QString::fromLatin1(d.text);
        p.ToolTipText = QString::fromLatin1(d.tip);
        p.Key = QString::fromLatin1(d.key);
        p.AutoSize = d.autoSize;
    }
    bar.PanelClick = [](int panel) { StatusBar1_PanelClick(panel); };
    bar.Update();
}

namespace {

// The seat whose record panels 5 to 8 show; 0 after a clear, when panel 5 names the opponent.
int g_seatShown = 0;

// Panel 5 and the tooltip of panel 8 name the seat of `rec`.
void ShowSeatName(const SeatRecord& rec) {
    platform::StatusBar& bar = Bar();
    bar.Panels(5).Text = rec.RecName;
    // A level from a damaged record names no level rather than reading past the list.
    if (Com.NetGame == 0)
        bar.Panels(5).ToolTipText = rec.RecLevel >= 0 && rec.RecLevel <= 2
                                        ? QString::fromLatin1(kLevelNames[rec.RecLevel])
                                        : QString();
    bar.Panels(8).ToolTipText = rec.RecName + ": Side/Hand";
}

} // namespace

void StatusBar_Player(SeatRecord& rec) {
    platform::StatusBar& bar = Bar();
    QString text;
    int total = 0;
    for (int i = 0; i <= 5; ++i) {
        const int v = rec.RecStats(1, i);
        total += v;
        text += NumStr(v) + "-";
    }
    bar.Panels(7).Text = text + " [" + NumStr(total) + " ]";
    bar.Panels(6).Text = QString();
    g_seatShown = 0;
    for (int seat = 2; seat <= 4; ++seat)
        if (&SeatRecordOf(seat) == &rec) g_seatShown = seat;
    ShowSeatName(rec);
    bar.Panels(8).Text = (Tbl.ScreenWidthTwips >= 9601 ? QStringLiteral("Wild: ") : QString()) +
                         WildPair(rec.RecWildsFromSide, rec.RecWildsFromHand);
    bar.Update();
}

void StatusBar_Names() {
    StatusBar_Human();
    platform::StatusBar& bar = Bar();
    if (g_seatShown >= 2 && g_seatShown <= Com.NumPlayers)
        ShowSeatName(SeatRecordOf(g_seatShown));
    else
        bar.Panels(5).Text = Tbl.PersonName + ":";
    bar.Update();
}

void StatusBar_Clear() {
    platform::StatusBar& bar = Bar();
    g_seatShown = 0;
    for (int i = 2; i <= 8; ++i)
        bar.Panels(i).Text = QString();
    bar.Panels(1).AutoSize = 1;
    bar.Panels(1).Text = Com.PlayerName + ":";
    bar.Panels(5).Text = Tbl.PersonName + ":";
    bar.Panels(4).ToolTipText = Com.PlayerName + ": Side/Hand";
    bar.Panels(8).ToolTipText = QStringLiteral(" Opponent: Side/Hand");
    bar.Update();
}

void StatusBar_Human() {
    platform::StatusBar& bar = Bar();
    bar.Panels(1).Text = Com.PlayerName + ":";
    bar.Panels(4).ToolTipText = Com.PlayerName + ": Side/Hand";
    bar.Update();
}

void StatusBar1_PanelClick(int panel) {
    platform::StatusBar& bar = Bar();
    if (panel < 1 || panel > bar.PanelCount()) return;
    const QString key = bar.Panels(panel).Key;
    if (key == "OppName") {
        if (Com.NumPlayers < 3) return;
        if (++Tbl.OppShown > Com.NumPlayers - 1) Tbl.OppShown = 1;
        StatusBar_Player(SeatRecordOf(Tbl.OppShown + 1));
    } else if (key == "Undo") {
        if (Com.Pturn == 1 && Com.MoveCounter != 0) {
            Com.UndoRequested = true;
            RestartTurnHook();
        }
    }
}

void WildUpdate() {
    platform::StatusBar& bar = Bar();
    const QString human = WildPair(Eng.WildsFromSide, Eng.WildsFromHand);
    if (Tbl.ScreenWidthTwips > 9600) {
        bar.Panels(4).Text = "Wild: " + human;
        QString opp;
        if (Com.NumPlayers == 2) {
            opp = WildPair(Eng.SeatWildsFromSide, Eng.SeatWildsFromHand);
        } else {
            const QString shown = bar.Panels(5).Text;
            // The seat the panel names; the last seat when no other matches.
            const SeatRecord* rec = Seat(4).record;
            for (int seat = 3; seat >= 2; --seat)
                if (Seat(seat).record->RecName == shown) rec = Seat(seat).record;
            opp = WildPair(rec->RecWildsFromSide, rec->RecWildsFromHand);
        }
        bar.Panels(8).Text = "Wild: " + opp;
    } else {
        bar.Panels(4).Text = human;
        bar.Panels(8).Text = WildPair(Eng.SeatWildsFromSide, Eng.SeatWildsFromHand);
    }
    bar.Update();
}

void SideInfo_Show(SeatRecord& rec, int seat) {
    // The seat on turn keeps its live piles in the working set.
    const bool live = Com.Pturn == seat;
    const QString name = live ? Eng.SeatName : rec.RecName;
    const int slot = Tbl.ViewedSlot;
    if (slot >= 7 && slot <= 10) {
        Tbl.HoldViewOther = true;
        Tbl.HoldView(1) = seat;
        if (live)
            HoldInfo(Eng.SeatHold, Eng.SeatHoldInfo, 0, name);
        else
            HoldInfo(rec.RecHold, rec.RecHoldInfo, 0, name);
        frmHold().Show();
    } else if (slot == 1) {
        const int sideCount = live ? Eng.SeatSideCount : rec.RecSideCount;
        if (sideCount != 0 && Eng.PlayerSideCount != 0 && !Com.DebugMode) {
            frmGrulm().Label9(kLblMessage).SetCaption(name + " SIDE : " + NumStr(sideCount));
            return;
        }
        Tbl.HoldViewOther = true;
        HoldInfo(live ? Eng.SeatSide : rec.RecSide, sideCount, QString());
        frmHold().Show();
    }
}

void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 2>& info, int count, const QString& name) {
    FillViewer(
        count, name, cards.UBound(3), [&](int p) { return info(p, 1) - 1; },
        [&](int p, int pos) { return cards(0, p, pos); }, NoCard);
}

void HoldInfo(const BArray<int, 3>& cards, const BArray<int, 1>& counts, int count, const QString& name) {
    FillViewer(
        count, name, cards.UBound(3), [&](int p) { return counts(p); },
        [&](int p, int pos) { return cards(0, p, pos); }, NoCard);
}

void HoldInfo(const BArray<int, 2>& cards, int count, const QString& name) {
    FillViewer(
        count, name, cards.UBound(2), [](int) { return 0; }, [](int, int) { return 0; },
        [&](int pos) { return cards(0, pos); });
}

void DisplayStats() {
    platform::Screen& screen = *platform::Svc().screen;
    const int wTw = screen.WidthTwips(), hTw = screen.HeightTwips();
    const int depth = screen.ColourDepth();
    Tbl.TitleBarHeight = screen.CaptionHeightPixels();
    QString colours;
    switch (depth) {
    case 4:
        colours = "(16 Color)";
        break;
    case 8:
        colours = "(256 Color)";
        break;
    case 16:
        colours = "(High Color)";
        break;
    case 24:
    case 32:
        colours = "(True Color)";
        break;
    default:
        break;
    }
    int winW = 0, winH = 0;
    if (HasTableForm()) {
        winW = platform::PxOfTwips(frmGrulm().WidthTw());
        winH = platform::PxOfTwips(frmGrulm().HeightTw());
    }
    const QString nl = "\r\n";
    const QString text =
        "Resolution: " + nl + NumStr(platform::PxOfTwips(wTw)) + " X " + NumStr(platform::PxOfTwips(hTw)) +
        " pixels" + nl + NumStr(depth) + " bits per pixel  " + colours + nl + nl + QString::number(wTw) +
        " X " + QString::number(hTw) + nl + (Tbl.LargeFonts ? "Large Fonts" : "Normal (small fonts)") + nl +
        nl + "This window:" + nl + NumStr(winW) + " x " + NumStr(winH) + nl +
        "Titlebar height: " + NumStr(Tbl.TitleBarHeight) + nl +
        "CPU Speed: " + QString::number(Com.CpuSpeed) + " MHz";
    platform::MsgBox(text, platform::vbInformation);
}

QString PlayerNameOf(int rank) {
    if (Eng.PlayerCards(1, 1) == rank) return Com.PlayerName;
    if (Com.NumPlayers > 2) {
        for (int seat = 2; seat <= Com.NumPlayers; ++seat) {
            const SeatRecord& rec = SeatRecordOf(seat);
            if (rec.RecCards(1, 1) == rank && rec.RecName != Eng.SeatName) return rec.RecName;
        }
    }
    return QString();
}
