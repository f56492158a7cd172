#include "table/LayoutFit.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/KeepClear.h"
#include "table/LayoutPlan.h"
#include "table/TableState.h"

#include <QFontMetricsF>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr double kFitGap = 2;
// The search for free room moves in these steps.
constexpr double kFitStep = 4;

QRectF FitRect(const platform::Control& c) {
    return {c.LeftPx(), c.TopPx(), c.WidthPx(), c.HeightPx()};
}

void FitMoveBy(platform::Control& c, double dx, double dy) {
    c.SetGeometryPx(c.LeftPx() + dx, c.TopPx() + dy, c.WidthPx(), c.HeightPx());
}

// Every card place, side pile, frame and text label but `except`; a wild-card label shows
// only now and then, over what lies beside its pile.
std::vector<QRectF> FitObstacles(const platform::Control* except) {
    TableForm& f = frmGrulm();
    std::vector<QRectF> out = KeepClear_CardPlaces();
    for (int seat = 1; seat <= Com.NumPlayers; ++seat)
        out.push_back(KeepClear_SidePile(seat));
    if (&f.cmdDeal != except) out.push_back(FitRect(f.cmdDeal));
    for (int i = 0; i <= SeatNameLabel(Com.NumPlayers); ++i)
        if (f.Label9.Exists(i) && &f.Label9(i) != except && i != kLblMessage && f.Label9(i).Visible())
            out.push_back(FitRect(f.Label9(i)));
    return out;
}

bool FitFree(const QRectF& box, const std::vector<QRectF>& obstacles) {
    return std::none_of(obstacles.begin(), obstacles.end(),
                        [&](const QRectF& o) { return Layout_Overlap(box, o); });
}

// The room above the status bar.
QRectF FitRoom() {
    TableForm& f = frmGrulm();
    const double bottom = f.StatusBar1.Visible() ? f.StatusBar1.TopPx() : f.Client()->height();
    return {0, 0, double(f.Client()->width()), bottom};
}

// The shortest move that puts every one of `parts` in the room on free ground, if there is one;
// the search steps over the room with the box round them all.
std::optional<QPointF> FitNearestFreeMove(const std::vector<QRectF>& parts,
                                          const std::vector<QRectF>& obstacles) {
    QRectF at;
    for (const QRectF& p : parts)
        at |= p;
    double nearest = 1e18;
    const auto corner = Layout_NearestFree(
        at.size(), at.topLeft(), FitRoom(), kFitStep,
        [&](const QPointF& c) {
            const QPointF by = c - at.topLeft();
            return std::all_of(parts.begin(), parts.end(),
                               [&](const QRectF& p) { return FitFree(p.translated(by), obstacles); });
        },
        nearest);
    if (!corner) return std::nullopt;
    return *corner - at.topLeft();
}

// The free box of `size` nearest to `at` in the room, if there is one.
std::optional<QRectF> FitNearestFree(const QRectF& at, const std::vector<QRectF>& obstacles) {
    const auto move = FitNearestFreeMove({at}, obstacles);
    if (!move) return std::nullopt;
    return at.translated(*move);
}

// A compact seat's hand starts right of its side card and fans closer where it would reach
// `right`, the next seat's side stack or the window's edge.
void FitCompact_HandOffSide(Places& places, double right) {
    const double start = places(1).LeftPx() + places(1).WidthPx() + kFitGap;
    const double dx = start - places(2).LeftPx();
    if (dx > 0)
        for (int e = 2; e <= 6; ++e)
            FitMoveBy(places(e), dx, 0);
    const double w = places(2).WidthPx();
    if (places(6).LeftPx() + w <= right) return;
    const double step = std::max(kFitStep, (right - places(2).LeftPx() - w) / 4);
    for (int e = 3; e <= 6; ++e)
        places(e).SetGeometryPx(places(2).LeftPx() + (e - 2) * step, places(e).TopPx(), w,
                                places(e).HeightPx());
}

// A compact seat's hold row, its outlines and its frame go down below the fanned hand and the
// side pile.
void FitCompact_HoldBelowHand(const SeatParts& seat) {
    TableForm& f = frmGrulm();
    Places& places = *seat.places;
    double bottom = places(1).TopPx() + places(1).HeightPx();
    for (int e = 2; e <= 6; ++e)
        bottom = std::max(bottom, places(e).TopPx() + places(e).HeightPx());
    const int frame = seat.seat - 1;
    const QRectF row = f.Label3.Exists(frame) ? FitRect(f.Label3(frame)) : FitRect(places(7));
    const double top = row.top();
    // The seat's name under its side pile stays above the frame's top line.
    const int name = SeatNameLabel(seat.seat);
    if (f.Label9.Exists(name)) {
        const QRectF n = FitRect(f.Label9(name));
        if (n.top() >= places(1).TopPx() + places(1).HeightPx() && n.right() > row.left() &&
            n.left() < row.right())
            bottom = std::max(bottom, n.bottom());
    }
    const double dy = bottom + kFitGap - top;
    if (dy <= 0) return;
    for (int e = 7; e <= 10; ++e)
        FitMoveBy(places(e), 0, dy);
    for (int h = seat.firstHold; h < seat.firstHold + 4; ++h)
        if (f.StackHold.Exists(h)) FitMoveBy(f.StackHold(h), 0, dy);
    if (f.Label3.Exists(frame)) FitMoveBy(f.Label3(frame), 0, dy);
    // Seat 2 of the two-player table has a frame round each hold pile too.
    if (seat.seat == 2)
        for (int h = 1; h <= 4; ++h)
            if (f.lblHoldCard.Exists(h)) FitMoveBy(f.lblHoldCard(h), 0, dy);
}

} // namespace

void Fit_CompactSeats() {
    if (Com.NumPlayers < 3) {
        // Seat 2's hold row, raised with the human's, stays below its hand.
        FitCompact_HoldBelowHand(Seat(2));
        return;
    }
    TableForm& f = frmGrulm();
    const double rowTop = f.Picture1(7).TopPx();
    for (int s = 2; s <= Com.NumPlayers; ++s) {
        const SeatParts seat = Seat(s);
        const double right = s < Com.NumPlayers ? KeepClear_SidePile(s + 1).left() : FitRoom().right();
        FitCompact_HandOffSide(*seat.places, right - kFitGap);
        FitCompact_HoldBelowHand(seat);
    }
    Tbl.OppHoldTop = RoundEven(f.Picture1(7).TopPx());
    // The comment line and its icon stand a fixed way under the hold rows.
    const double dy = f.Picture1(7).TopPx() - rowTop;
    FitMoveBy(f.Label9(kLblComment), 0, dy);
    FitMoveBy(f.imgIcon, 0, dy);
}

void Fit_HumanFrames() {
    TableForm& f = frmGrulm();
    for (int h = 1; h <= 4; ++h) {
        if (!f.lblHoldCard.Exists(h + 4)) continue;
        const PictureBox& p = f.Picture7(6 + h);
        f.lblHoldCard(h + 4).SetGeometryPx(p.LeftPx() - 1, p.TopPx() - 2, p.WidthPx() + 2, p.HeightPx() + 3);
    }
}

namespace {
// The block of center piles, with its frame and wild-card labels, goes down below the seats'
// hold rows where those reach it, as far as the room allows.
void FitCenters_BelowSeats() {
    TableForm& f = frmGrulm();
    QRectF block;
    for (int p = 1; p <= Com.NumCenters; ++p)
        if (f.PicCenter.Exists(p)) block |= FitRect(f.PicCenter(p));
    double dy = 0;
    for (int s = 2; s <= Com.NumPlayers; ++s) {
        const SeatParts seat = Seat(s);
        QRectF row = f.Label3.Exists(s - 1) ? FitRect(f.Label3(s - 1)) : QRectF();
        for (int e = 7; e <= 10; ++e)
            row |= FitRect((*seat.places)(e));
        if (Layout_Overlap(row, block)) dy = std::max(dy, row.bottom() + kFitGap - block.top());
    }
    if (dy <= 0 || block.bottom() + dy > FitRoom().bottom()) return;
    for (int p = 1; p <= Com.NumCenters; ++p) {
        if (f.PicCenter.Exists(p)) FitMoveBy(f.PicCenter(p), 0, dy);
        if (f.LblWild.Exists(p)) FitMoveBy(f.LblWild(p), 0, dy);
    }
    FitMoveBy(f.imgCenter, 0, dy);
    Tbl.CenterTop = RoundEven(Tbl.CenterTop + dy);
}

// The stock with its frame and turn markers where they are free, else in the free room nearest.
void FitStock() {
    TableForm& f = frmGrulm();
    platform::Control* parts[] = {&f.Label1, &f.PicCenter(0), &f.ImgTurn1, &f.ImgTurn2};
    // The turn arrows above and below the frame go with it.
    const std::vector<QRectF> group = {FitRect(f.Label1), FitRect(f.ImgTurn1), FitRect(f.ImgTurn2)};
    const QRectF all = group[0] | group[1] | group[2];
    std::vector<QRectF> obstacles = FitObstacles(nullptr);
    obstacles.erase(
        std::remove_if(obstacles.begin(), obstacles.end(), [&](const QRectF& o) { return all.contains(o); }),
        obstacles.end());
    for (int p = 1; p <= Com.NumCenters; ++p)
        if (f.LblWild.Exists(p)) obstacles.push_back(FitRect(f.LblWild(p)));
    const auto clear = [&](const QRectF& r) { return FitFree(r, obstacles); };
    if (FitRoom().contains(all) && std::all_of(group.begin(), group.end(), clear)) return;
    // Where the arrows find no room with it, the stock in its frame alone.
    auto move = FitNearestFreeMove(group, obstacles);
    if (!move) move = FitNearestFreeMove({group[0]}, obstacles);
    if (!move) return;
    for (platform::Control* c : parts)
        FitMoveBy(*c, move->x(), move->y());
}

// A label ends before the card place under it, keeping `lines` lines of text, else before the
// one to its right, keeping room for `widest`; where neither leaves it free it goes to the free
// room nearest to it.
void FitLabel(Label& label, int lines, const QString& widest) {
    // The notice and the comment line may share room with each other, not with the cards, the
    // names or the avatar.
    TableForm& f = frmGrulm();
    std::vector<QRectF> obstacles = KeepClear_CardPlaces();
    for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
        obstacles.push_back(KeepClear_SidePile(seat));
        if (f.Label9.Exists(SeatNameLabel(seat))) obstacles.push_back(FitRect(f.Label9(SeatNameLabel(seat))));
    }
    obstacles.push_back(FitRect(f.cmdDeal));
    if (f.ImgAvatar.Visible()) obstacles.push_back(FitRect(f.ImgAvatar));
    QRectF box = FitRect(label);
    const QFontMetricsF metrics(label.Font());
    const double least = lines * std::max(design::kLabelLine, metrics.height());
    const double narrowest = std::min(box.width(), metrics.horizontalAdvance(widest) + 2 * kFitGap);
    box.setHeight(std::max(box.height(), least));
    for (const QRectF& o : obstacles) {
        if (!Layout_Overlap(box, o)) continue;
        if (o.top() - kFitGap - box.top() >= least)
            box.setHeight(o.top() - kFitGap - box.top());
        else if (o.left() - kFitGap - box.left() >= narrowest)
            box.setWidth(o.left() - kFitGap - box.left());
    }
    if (!FitFree(box, obstacles) || !FitRoom().contains(box))
        if (const auto free = FitNearestFree(box, obstacles)) box = *free;
    label.SetGeometryPx(box.left(), box.top(), box.width(), box.height());
}

// The deal button where it is free, else in the free room nearest to it.
void FitDeal() {
    CommandButton& deal = frmGrulm().cmdDeal;
    const std::vector<QRectF> obstacles = FitObstacles(&deal);
    const QRectF at = FitRect(deal);
    if (FitFree(at, obstacles) && FitRoom().contains(at)) return;
    if (const auto free = FitNearestFree(at, obstacles))
        deal.SetGeometryPx(free->left(), free->top(), free->width(), free->height());
}
} // namespace

void Fit_Labels() {
    TableForm& f = frmGrulm();
    // A wild-card label stays by its pile, off the seats' places and names.
    for (int p = 1; p <= Com.NumCenters; ++p) {
        if (!f.LblWild.Exists(p)) continue;
        Label& wild = f.LblWild(p);
        std::vector<QRectF> obstacles = KeepClear_CardPlaces();
        for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
            obstacles.push_back(KeepClear_SidePile(seat));
            if (f.Label9.Exists(SeatNameLabel(seat)))
                obstacles.push_back(FitRect(f.Label9(SeatNameLabel(seat))));
        }
        obstacles.push_back(FitRect(f.ImgTurn1));
        obstacles.push_back(FitRect(f.ImgTurn2));
        if (FitFree(FitRect(wild), obstacles)) continue;
        if (const auto free = FitNearestFree(FitRect(wild), obstacles))
            wild.SetGeometryPx(free->left(), free->top(), free->width(), free->height());
    }
    FitLabel(f.Label9(kLblNotice), 2, QStringLiteral("WAITING for"));
    // A comment or the player's record runs to three lines.
    FitLabel(f.Label9(kLblComment), 3, QStringLiteral("Games Lost: 0000"));
    FitDeal();
}

void Layout_Fit() {
    TableForm& f = frmGrulm();
    const int scale = f.ScaleMode();
    f.SetScaleMode(platform::vbPixels);
    Fit_CompactSeats();
    FitCenters_BelowSeats();
    FitStock();
    Fit_HumanFrames();
    Names_KeepClear();
    Avatar_KeepClear();
    Fit_Labels();
    Notice_Fit(true);
    f.SetScaleMode(scale);
}
