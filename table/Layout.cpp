#include "table/Layout.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/GameOnTable.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/KeepClear.h"
#include "table/LayoutPlan.h"
#include "table/Paint.h"
#include "table/Piles.h"
#include "table/Redraw.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

TableForm& F() {
    return frmGrulm();
}

void Pixels() {
    F().SetScaleMode(platform::vbPixels);
}

template <typename A> void UnloadIf(A& arr, int i) {
    if (arr.Exists(i)) arr.Unload(i);
}
template <typename A> void ShowIf(A& arr, int i, bool v) {
    if (arr.Exists(i)) arr(i).SetVisible(v);
}
template <typename A> void SizeIf(A& arr, int i, double w, double h) {
    if (!arr.Exists(i)) return;
    arr(i).SetWidth(w);
    arr(i).SetHeight(h);
}

// Runs a pass with NumCenters at 3 and puts the count back even if the pass fails.
struct CentersAsThree {
    int kept = Com.NumCenters;
    CentersAsThree() { Com.NumCenters = 3; }
    ~CentersAsThree() { Com.NumCenters = kept; }
    CentersAsThree(const CentersAsThree&) = delete;
    CentersAsThree& operator=(const CentersAsThree&) = delete;
};

// Seat 2's hold row in the two-player table, and the scale of the small display.
constexpr double kSeat2HoldRowTop = 128;
constexpr double kSmallDisplayScale = 0.8;

// Run-time edges, outlines and frames lie under the cards, higher edges over lower ones.
void SendToBack(platform::Control& c) {
    c.ZOrder(1);
}

} // namespace

void Layout_ComputeGrid() {
    TableForm& f = F();
    Pixels();
    const int W = Tbl.CardWidth, H = Tbl.CardHeight, S = Tbl.ScreenWidthTwips;
    if (Com.NumPlayers <= 2) {
        const bool wide = S >= 12288;
        const bool four = Com.NumCenters >= 4;
        Tbl.Seat2Top = 6;
        Tbl.Seat2HandTop = 6;
        Tbl.Seat2SideLeft = RoundEven((wide ? 320 : 240) - 1.25 * W);
        Tbl.HumanTop = wide ? 400 : 392;
        Tbl.HumanHandLeft = wide ? 400 : (four ? 266 : 166);
        Tbl.Seat2HandLeft = wide ? 320 : 240;
        Tbl.HumanHoldTop = wide ? 279 : 273;
        if (wide) Tbl.OppHoldTop = H + 6;
        Tbl.HumanHoldLeft = wide ? 480 : (four ? 400 : 300);
        Tbl.Seat2HoldLeft = Tbl.HumanHoldLeft;
        Tbl.CenterTop = four ? 153 : (wide ? 289 : 273) - W;
        Tbl.CenterLeft = wide ? (four ? 225 : RoundEven(400 - 3.5 * W)) : (four ? 166 : 33);
        f.Picture1(2).Move(Tbl.Seat2HandLeft, Tbl.Seat2HandTop);
        f.Picture1(7).SetLeft(Tbl.Seat2HoldLeft);
    } else {
        const bool above = S > 13000;
        Tbl.Seat2Top = 5;
        Tbl.Seat2HandTop = 5;
        if (Com.NumPlayers == 3)
            Tbl.Seat2SideLeft = 250;
        else
            Tbl.Seat2SideLeft = (above || S >= 12288) ? 80 : 63;
        Tbl.HumanTop = above ? 405 : 392;
        Tbl.HumanHandLeft = 433;
        Tbl.HumanHoldTop = above ? 290 : 273;
        Tbl.HumanHoldLeft = 433;
        Tbl.Seat2HandLeft = RoundEven(W / 2.0 + Tbl.Seat2SideLeft + 10);
        Tbl.CenterTop = above ? 230 : 213;
        Tbl.OppHoldTop = above ? 5 + H + 15 : 5 + H;
        Tbl.CenterLeft = 126;
    }
    f.Picture1(1).Move(Tbl.Seat2SideLeft, Tbl.Seat2Top);
}

void Layout_TwoPlayers() {
    TableForm& f = F();
    Pixels();
    Layout_ComputeGrid();
    Layout_Opponent1();
    Pixels();
    const int W = Tbl.CardWidth, H = Tbl.CardHeight;
    for (int p = 1; p <= 3; ++p) {
        PictureBox& pile = f.PicCenter(p);
        pile.SetTop(Tbl.CenterTop);
        pile.SetLeft(p == 1 ? Tbl.CenterLeft : f.PicCenter(p - 1).Left() + TableState::CardStep);
        Label& wild = f.LblWild(p);
        wild.SetLeft(pile.Left() + W / 2.0 - wild.Width() / 2);
        wild.SetTop(Tbl.CenterTop + H + 10);
        wild.ZOrder(0);
    }
    if (Tbl.FourthCenterLoaded) {
        UnloadIf(f.PicCenter, 4);
        UnloadIf(f.LblWild, 4);
        Tbl.FourthCenterLoaded = false;
    }
    f.imgCenter.Move(Tbl.CenterLeft - 15, Tbl.CenterTop - 16);
    Layout_CenterArea();
    Centers_Show();
    Layout_SizePlaces();
    for (int e = 2; e <= 10; ++e) {
        if (Tbl.Seat3Loaded) UnloadIf(f.Picture2, e);
        if (Tbl.Seat4Loaded) UnloadIf(f.Picture3, e);
    }
    for (int e = 26; e <= 50; ++e) {
        SizeIf(f.Stack, e, W, H);
        if (Tbl.Seat3Loaded) UnloadIf(f.Stack, e + 25);
        if (Tbl.Seat4Loaded) UnloadIf(f.Stack, e + 50);
    }
    for (int e = 5; e <= 8; ++e)
        SizeIf(f.StackHold, e, W, H);
    if (Tbl.Seat3Loaded) {
        UnloadIf(f.Label3, 2);
        UnloadIf(f.Label9, SeatNameLabel(3));
        for (int e = 9; e <= 12; ++e)
            UnloadIf(f.StackHold, e);
    }
    if (Tbl.Seat4Loaded) {
        UnloadIf(f.Label3, 3);
        UnloadIf(f.Label9, SeatNameLabel(4));
        for (int e = 13; e <= 16; ++e)
            UnloadIf(f.StackHold, e);
    }
    Layout_Labels();
    Table_NameSeats();
    f.Picture2(1).SetVisible(false);
    f.Picture3(1).SetVisible(false);
    Tbl.Seat3Loaded = false;
    Tbl.Seat4Loaded = false;
    Layout_Stock();
    Stack_Place(25, f.Picture7(1));
    Stack_Place(50, f.Picture1(1));
    HoldImages_Size();
}

void Layout_FourCenters() {
    TableForm& f = F();
    Pixels();
    Layout_ComputeGrid();
    if (!Tbl.FourthCenterLoaded) {
        if (!f.LblWild.Exists(4)) f.LblWild.Load(4);
        if (!f.PicCenter.Exists(4)) {
            PictureBox& p = f.PicCenter.Load(4);
            // A copy of the stock: give it the look and manners of the other piles.
            p.AutoRedraw = true;
            p.SetBorderStyle(1);
            p.SetBackColor(f.PicCenter(1).BackColor());
            p.SetPicture(f.EmptyPlaceLarge);
            p.SetToolTipText(QString());
            p.SetWidth(design::kLargeCard.w);
            p.SetHeight(design::kLargeCard.h);
        }
        Tbl.FourthCenterLoaded = true;
    }
    Layout_CenterImages();
    if (Com.NumPlayers == 2) {
        Layout_SideStacks();
        Layout_Labels();
        if (Tbl.ScreenWidthTwips < 12001) {
            Layout_Opponent1();
            Stack_Place(50, f.Picture1(1));
            Layout_Stock();
        }
    }
    Centers_Show();
}

void Layout_Table(int players) {
    TableForm& f = F();
    Pixels();
    Layout_FourCenters();
    if (players > 2) {
        Layout_OpponentPiles(f.Picture2);
        Tbl.Seat3Loaded = true;
    }
    if (players == 3 && Tbl.Seat4Loaded) {
        for (int e = 2; e <= 10; ++e)
            UnloadIf(f.Picture3, e);
        f.Picture3(1).SetVisible(false);
        for (int e = 76; e <= 100; ++e)
            UnloadIf(f.Stack, e);
        UnloadIf(f.Label3, 3);
        UnloadIf(f.Label9, SeatNameLabel(4));
        for (int e = 13; e <= 16; ++e)
            UnloadIf(f.StackHold, e);
        Tbl.Seat4Loaded = false;
    }
    if (players == 4 && !Tbl.Seat4Loaded) {
        Layout_OpponentPiles(f.Picture3);
        Tbl.Seat4Loaded = true;
    }
    Table_NameSeats();
    Layout_Seat2Small();
    Layout_SideStacks();
    Layout_Labels();
    HoldImages_Set();
}

void Layout_Opponent1() {
    TableForm& f = F();
    Pixels();
    for (int e = 3; e <= 10; ++e) {
        PictureBox& p = f.Picture1(e);
        if (e <= 6) {
            p.SetLeft(f.Picture1(e - 1).Left() + TableState::CardStep);
            p.SetTop(f.Picture1(2).Top());
            continue;
        }
        if (e >= 8) p.SetLeft(f.Picture1(e - 1).Left() + TableState::CardStep);
        p.SetTop(kSeat2HoldRowTop);
        if (f.StackHold.Exists(e - 2)) f.StackHold(e - 2).Move(p.Left() + 5, p.Top() - 5);
    }
    for (int c = 1; c <= Com.NumCenters; ++c)
        SizeIf(f.PicCenter, c, Tbl.CardWidth, Tbl.CardHeight);
    Layout_SideStacks();
}

void Layout_Seat2Small() {
    TableForm& f = F();
    Pixels();
    const double w = design::kSmallCard.w, h = design::kSmallCard.h;
    for (int e = 0; e <= 10; ++e)
        SizeIf(f.Picture1, e, w, h);
    Layout_Stock();
    for (int e = 26; e <= 25 * Com.NumPlayers; ++e)
        SizeIf(f.Stack, e, w, h);
    for (int e = 5; e <= 4 * Com.NumPlayers; ++e)
        SizeIf(f.StackHold, e, w, h);
    Stack_Place(50, f.Picture1(1));
    Layout_CompactPlaces(f.Picture1, 26);
    for (int i = 1; i <= 4; ++i)
        ShowIf(f.lblHoldCard, i, false);
}

void Layout_OpponentPiles(Places& places) {
    TableForm& f = F();
    Pixels();
    const SeatParts parts = SeatOf(places);
    const int seat = parts.seat;
    if (seat != 3 && seat != 4) throw std::invalid_argument("only seats 3 and 4 are laid out as extra seats");
    const int S = Tbl.ScreenWidthTwips;
    places(1).SetWidth(design::kSmallCard.w);
    places(1).SetHeight(design::kSmallCard.h);
    double left;
    const int first = parts.firstEdge, last = parts.TopEdge();
    int k;
    bool loaded;
    if (seat == 3) {
        left = Com.NumPlayers == 3 ? 580 : (S < 12288 ? 326 : 375);
        k = 2;
        loaded = Tbl.Seat3Loaded;
    } else {
        left = S < 12288 ? 590 : 664;
        k = 3;
        loaded = Tbl.Seat4Loaded;
    }
    const int firstOutline = parts.firstHold;
    if (!loaded) {
        for (int e = firstOutline; e <= firstOutline + 3; ++e)
            if (!f.StackHold.Exists(e)) SendToBack(f.StackHold.Load(e));
    }
    places(1).Move(left, 5);
    places(1).SetVisible(true);
    if (!(seat == 3 && Tbl.Seat3Loaded)) {
        Label& frame = f.Label3.Exists(k) ? f.Label3(k) : f.Label3.Load(k);
        frame.SetToolTipText(QString()); // the copied text speaks of the human's piles
        SendToBack(frame);
        frame.SetVisible(true);
        const int n = SeatNameLabel(seat);
        Label& name = f.Label9.Exists(n) ? f.Label9(n) : f.Label9.Load(n);
        name.SetVisible(true);
        name.SetFont(f.Label9(kLblSeat2Name).Font());
        name.SetForeColor(f.Label9(kLblSeat2Name).ForeColor());
        name.SetWidth(design::kNameLabel.w);
        name.SetHeight(design::kNameLabel.h);
        for (int e = last; e >= first; --e) {
            PictureBox& edge = f.Stack.Exists(e) ? f.Stack(e) : f.Stack.Load(e);
            edge.SetBackColor(Com.DeckColour);
            SendToBack(edge);
        }
        for (int e = 2; e <= 10; ++e)
            if (!places.Exists(e)) places.Load(e);
    }
    Stack_Place(last, places(1));
    Layout_CompactPlaces(places, first);
    HoldFrame_Place(RoundEven(places(7).Top()), RoundEven(places(7).Left()), k);
    Pixels();
    if (f.Label9.Exists(SeatNameLabel(seat)))
        f.Label9(SeatNameLabel(seat)).SetTop(places(1).Top() + places(1).Height() + (S < 13000 ? -7 : 3));
    // The side place is left shown or hidden, as seat 2's: it shows once the pile is dealt.
}

void Layout_CompactPlaces(Places& places, int firstEdge) {
    TableForm& f = F();
    Pixels();
    const int W = Tbl.CardWidth;
    const int a = RoundEven(W / 4.0);
    const int b = RoundEven(places(1).Left() + W / 2.0 + 10);
    for (int e = 2; e <= 6; ++e) {
        places(e).SetLeft((e - 1) * a + b);
        places(e).SetTop(places(e - 1).Top() + 3);
    }
    for (int e = 7; e <= 10; ++e) {
        places(e).SetTop(Tbl.OppHoldTop);
        places(e).SetLeft(e == 7 ? f.Stack(firstEdge).Left() + 8 : places(e - 1).Left() + W - 6);
    }
    const SeatParts seat = SeatOf(places);
    if (seat.seat < 2) return;
    for (int e = 7; e <= 10; ++e) {
        const int outline = e - 7 + seat.firstHold;
        if (f.StackHold.Exists(outline)) f.StackHold(outline).Move(places(e).Left() + 4, places(e).Top() - 4);
    }
}

void Layout_SizePlaces() {
    TableForm& f = F();
    Pixels();
    const int W = Tbl.CardWidth, H = Tbl.CardHeight;
    if (Com.NumPlayers > 2) f.Picture1(2).SetTop(5);
    for (int e = 0; e <= 10; ++e) {
        SizeIf(f.Picture7, e, W, H);
        SizeIf(f.Picture1, e, W, H);
    }
    Card_Show(f.Picture7, 0, 0, kShowEmptyPlace);
    Pixels();
    f.Picture7(0).SetVisible(false);
    for (int e = 1; e <= 8; ++e)
        SizeIf(f.StackHold, e, W, H);
}

void HoldFrame_Place(int top, int left, int seat) {
    TableForm& f = F();
    Pixels();
    const bool large = seat == 0 || (seat == 1 && Com.NumPlayers == 2);
    double w = large ? 324 : 268;
    const double h = large ? 112 : 90, m = large ? 16 : 10;
    // A computer seat's frame spans its hold row and 5 px on each side; a fixed width ran seat 4's
    // frame past an 800-px window.
    Places* row = seat == 1 ? &f.Picture1 : seat == 2 ? &f.Picture2 : seat == 3 ? &f.Picture3 : nullptr;
    if (!large && row && row->Exists(10)) w = (*row)(10).Left() + (*row)(10).Width() + 5 - (left - 5);
    if (seat == 0) {
        HoldCardFrames_Place();
        Pixels();
    }
    if (!f.Label3.Exists(seat)) return;
    f.Label3(seat).Move(left - 5, top - m / 2, w, h);
}

int Layout_UpRaise() {
    return Tbl.ScreenWidthTwips > 13000 ? 50 : 20;
}

void Layout_MoveCards(bool up) {
    TableForm& f = F();
    Pixels();
    if (!up) {
        if (Com.NumPlayers == 2) {
            {
                CentersAsThree three;
                Layout_TwoPlayers();
            }
            if (Com.NumCenters == 4) Layout_FourCenters();
        } else {
            Layout_FourCenters();
            Layout_Table(Com.NumPlayers);
        }
        Table_Redraw();
        Layout_KeepClear();
        f.SetScaleMode(platform::vbTwips);
        return;
    }
    const int raise = Layout_UpRaise();
    const bool two = Com.NumPlayers == 2;
    Tbl.UpHoldTop = Tbl.HumanHoldTop - raise;
    Tbl.UpSideTop = Tbl.HumanTop - raise;
    // Seat 2's hold row rises with the human's; it stands in the same columns, so it
    // is taken from its own row (the human's row would put it on the human's piles), as the grid
    // lays it, so moving up twice raises it once.
    const double seat2Row = kSeat2HoldRowTop * (Com.LayoutMode >= 2 ? kSmallDisplayScale : 1.0);
    Tbl.UpSeat2HoldTop = RoundEven(seat2Row - 10);
    f.Picture7(1).SetTop(Tbl.UpSideTop);
    for (int e = 7; e <= 10; ++e) {
        f.Picture7(e).SetTop(Tbl.UpHoldTop);
        if (f.StackHold.Exists(e - 6)) f.StackHold(e - 6).SetTop(Tbl.UpHoldTop - 5);
        if (two) {
            f.Picture1(e).SetTop(Tbl.UpSeat2HoldTop);
            if (f.StackHold.Exists(e - 2)) f.StackHold(e - 2).SetTop(Tbl.UpSeat2HoldTop - 5);
        }
    }
    for (int e = 2; e <= 6; ++e)
        f.Picture7(e).SetTop(Tbl.UpSideTop);
    f.Label3(0).SetTop(f.Picture7(7).Top() - 10);
    if (two) f.Label3(1).SetTop(f.Picture1(7).Top() - 10);
    Stack_Place(25, f.Picture7(1));
    Pixels();
    f.ImgHold.Move(f.Stack(25).Left(), f.Stack(25).Top());
    if (!two) {
        Label& l2 = f.Label9(kLblComment);
        l2.SetLeft(f.imgCenter.Left() + f.imgCenter.Width());
        l2.SetWidth(2.0 * Tbl.CardWidth);
        l2.SetHeight(f.Picture7(1).Top() - l2.Top());
    } else if (Com.NumCenters == 4) {
        f.Label9(kLblMessage).SetTop(f.Picture7(1).Top() + 10);
        Tbl.CenterTop = RoundEven(f.Picture1(7).Top() + 10);
        if (Tbl.FourthCenterLoaded) Layout_CenterImages();
    }
    Layout_KeepClear();
    f.SetScaleMode(platform::vbTwips);
}

void Layout_GameSizeSteps() {
    if (Com.NumPlayers != 2) {
        Layout_FourCenters();
        Layout_Table(Com.NumPlayers);
    } else {
        {
            CentersAsThree three;
            Layout_TwoPlayers();
        }
        if (Com.NumCenters == 4) Layout_FourCenters();
    }
    Layout_KeepClear();
}

QString Layout_Dump() {
    TableForm& f = F();
    struct Line {
        QString name;
        int index;
        QString text;
    };
    std::vector<Line> lines;
    auto num = [](double v) {
        QString s = QString::number(std::round(v * 100) / 100, 'f', 2);
        while (s.endsWith('0'))
            s.chop(1);
        if (s.endsWith('.')) s.chop(1);
        if (s == "-0") s = "0";
        return s;
    };
    Design_ForEachControl(f, [&](platform::Control& c) {
        const QString id = c.Index() >= 0 ? QStringLiteral("%1(%2)").arg(c.Name()).arg(c.Index()) : c.Name();
        lines.push_back({c.Name(), c.Index(),
                         QStringLiteral("%1 %2 %3 %4 %5 %6")
                             .arg(id, num(c.LeftPx()), num(c.TopPx()), num(c.WidthPx()), num(c.HeightPx()))
                             .arg(c.Visible() ? 1 : 0)});
    });
    std::sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
        return a.name != b.name ? a.name < b.name : a.index < b.index;
    });
    QString out;
    for (const Line& l : lines)
        out += l.text + '\n';
    return out;
}
