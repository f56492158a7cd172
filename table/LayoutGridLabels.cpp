#include "table/LayoutGridLabels.h"
#include "table/LayoutGridFrames.h"
#include "table/LayoutGridNarrow.h"
#include "table/LayoutGridShrink.h"

#include "common/TextForm.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/FreeGrid.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

// A namespace of its own: the table's files are compiled together, each with its own helpers.
namespace grid_labels {

namespace {

// What a label keeps from what it is moved clear of or ends before.
constexpr double kGap = 2;
// How many times a name is taken further down past what it lies on, and how far right it is
// moved past what reaches into it from the left.
constexpr int kNameTries = 3;
constexpr double kNameNudge = 8;
// The small display of two draws the standard table at four fifths.
constexpr double kSmallTwo = 0.8;
// Seat 2's name under its side pile at a table of two, as designed; the comment line 15 pixels
// under it beside three centre piles, or from 20 pixels above four piles' designed top.
constexpr double kSeat2NameDrop = 96, kCommentUnderName = 15, kFourPilesTop = 153, kCommentAbovePiles = 20;
constexpr double kSeat2NameTop = 6 + kSeat2NameDrop;
// Seat 2's hold row at a table of two, as designed; moved up, it first rises 10 pixels.
constexpr double kSeat2HoldRow = 128, kUpRise = 10;
// The comment line of three or four players: this far under the opponents' hold rows, as wide as
// the human's hold frame and a little more.
constexpr double kCommentUnderHolds = 86, kCommentPastFrame = 50, kHoldFrameWidth = 324;
constexpr double kCommentHeight = 80;
// Beside three piles of two the comment line starts this far in; beside four it starts nearer the
// edge, as wide as the room left of their frame less 10 pixels.
constexpr double kCommentLeftThree = 20, kCommentLeftFour = 6, kCommentBeforeFrame = 10;
// The human's name this far under its side pile; a change of display puts it 100 twips under.
constexpr double kHumanNameGap = 6, kMovedNameGapTw = 100;
// An opponent's name at a table of three or four: this far under its side pile's bottom, over it
// on a narrow screen.
constexpr double kCompactNameDrop = 3, kCompactNameDropNarrow = -7;
// The rows of a square of centre piles stand this far apart.
constexpr double kPileGap = 6;
// A window fitted to the screen keeps this much (twips) under the human's side pile, and a little
// more on a wide screen.
constexpr double kFitMarginTw = 900, kFitExtraNarrowTw = 184, kFitExtraWideTw = 255;
// The centre frame's margin above the piles.
constexpr double kFrameAbove = 16;
// A compact seat's hold frame reaches this far round its row.
constexpr double kHoldFrameMargin = 5;
// The search for free room moves in these steps.
constexpr double kFitStep = 4;

const GridPlace* GridFind(const std::vector<GridPlace>& places, const char* name, int index) {
    const QLatin1String wanted(name);
    for (const GridPlace& g : places)
        if (g.index == index && g.name == wanted) return &g;
    return nullptr;
}

QRectF GridRect(const std::vector<GridPlace>& places, const char* name, int index) {
    const GridPlace* g = GridFind(places, name, index);
    return g ? g->rect : QRectF();
}

const char* SeatPlaces(int seat) {
    static const char* const names[] = {"Picture7", "Picture1", "Picture2", "Picture3"};
    return names[seat - 1];
}

bool SmallTwo(const LayoutInputs& in) {
    return in.players == 2 && Display_IsSmall(Layout_ModeFor(in));
}

// The scale the table of two is drawn at: four fifths in the small display.
double TwoScale(const LayoutInputs& in) {
    return SmallTwo(in) ? kSmallTwo : 1;
}

// The opponents' names' point size as designed.
double NameFontSize() {
    return design::Find(QStringLiteral("Label9"), kLblSeat2Name)->fontSize;
}

QFont LabelFont(double size, bool bold) {
    QFont font = design::TableFont();
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

bool Free(const QRectF& box, const std::vector<QRectF>& obstacles) {
    return std::none_of(obstacles.begin(), obstacles.end(),
                        [&](const QRectF& o) { return Layout_Overlap(o, box); });
}

// What the labels keep off: every seat's places, the centre piles and the stock, the hold frames
// and the frames round each hold pile that show.
std::vector<QRectF> CardPlaces(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    // Found in one pass over the places, the first of each name and index as a search finds it,
    // then given in the order the labels are fitted against them.
    std::array<std::array<const GridPlace*, 11>, 5> seats{};
    std::array<const GridPlace*, 5> centers{}, frames{};
    std::array<const GridPlace*, 9> holds{};
    const GridPlace* stock = nullptr;
    auto first = [](const GridPlace*& slot, const GridPlace& g) {
        if (!slot) slot = &g;
    };
    for (const GridPlace& g : places) {
        const int i = g.index;
        if (i >= 1 && i <= 10)
            for (int seat = 1; seat <= in.players; ++seat)
                if (g.name == QLatin1String(SeatPlaces(seat))) first(seats[size_t(seat)][size_t(i)], g);
        if (i >= 0 && i <= 4 && g.name == QLatin1String("PicCenter")) first(centers[size_t(i)], g);
        if (i >= 0 && i < in.players && g.name == QLatin1String("Label3")) first(frames[size_t(i)], g);
        if (i >= 1 && i <= 8 && g.name == QLatin1String("lblHoldCard")) first(holds[size_t(i)], g);
        if (i == -1 && g.name == QLatin1String("Label1")) first(stock, g);
    }
    std::vector<QRectF> out;
    auto add = [&](const GridPlace* g) {
        if (g) out.push_back(g->rect);
    };
    for (int seat = 1; seat <= in.players; ++seat)
        for (int e = 1; e <= 10; ++e)
            add(seats[size_t(seat)][size_t(e)]);
    for (const GridPlace* c : centers)
        add(c);
    for (int seat = 0; seat < in.players; ++seat)
        add(frames[size_t(seat)]);
    // Seat 2's frames of the table of two wait, hidden, at a larger table.
    for (int h = in.players == 2 ? 1 : 5; h <= 8; ++h)
        add(holds[size_t(h)]);
    add(stock);
    return out;
}

// A seat's side pile with its side stack's edges.
QRectF SidePile(const std::vector<GridPlace>& places, int seat) {
    QRectF pile = GridRect(places, SeatPlaces(seat), 1);
    // The stack's cards in one pass; each index is there once.
    const QLatin1String stack("Stack");
    for (const GridPlace& g : places)
        if (g.index > 25 * (seat - 1) && g.index <= 25 * seat && g.name == stack) pile |= g.rect;
    return pile;
}

// The room above the status bar: a window fitted to the screen is as high as the human's side
// pile, the status bar and a margin need, within the screen.
QRectF Room(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const double bar = in.statusBarShown ? in.statusBarHeight : 0;
    if (!in.fit) return {0, 0, double(in.window.width()), in.window.height() - bar};
    constexpr double tw = platform::kTwipsPerPixel;
    const double sideBottom = GridRect(places, "Picture7", 1).bottom();
    const double extra = in.screenWidthTw < 13000 ? kFitExtraNarrowTw : kFitExtraWideTw;
    const double wanted = std::lround(in.statusBarHeight * tw + sideBottom * tw + kFitMarginTw + extra);
    const double most = in.screenHeightTw - (in.frame.top() + in.frame.bottom()) * tw;
    const double height = int(std::min(wanted, most) / tw);
    return {0, 0, Display_FittedWidthTw(in.screenWidthTw) / tw, height - bar};
}

// ---- The names ----

struct GridName {
    int seat;
    QRectF at;
    QString text;
    QFont font;
    TableState::NameMove move;
};

// The part of a name's box its text takes, left-aligned; the whole box for no text.
QRectF NameText(const GridName& n, const QRectF& box) {
    const QString text = n.text.trimmed();
    if (text.isEmpty()) return box;
    const double w = std::min(box.width(), std::ceil(QFontMetricsF(n.font).horizontalAdvance(text)) + kGap);
    return {box.left(), box.top(), w, box.height()};
}

// A name's text moved right past what reaches into it from the left, as long as it stays under
// its own pile.
QRectF NameShiftedClear(const QRectF& box, const std::vector<QRectF>& others, const QRectF& pile) {
    double left = box.left();
    for (const QRectF& o : others)
        if (o.intersects(box) && o.right() < box.right()) left = std::max(left, o.right() + kGap);
    return left + box.width() <= pile.right() ? box.translated(left - box.left(), 0) : box;
}

// The places a seat's name keeps off under its side pile: all but its own hold row and frame.
std::vector<QRectF> NameObstacles(const std::vector<QRectF>& cards, const std::vector<GridPlace>& places,
                                  int seat) {
    std::vector<QRectF> own;
    for (int e = 7; e <= 10; ++e)
        own.push_back(GridRect(places, SeatPlaces(seat), e));
    own.push_back(GridRect(places, "Label3", seat - 1));
    std::vector<QRectF> out;
    for (const QRectF& c : cards)
        if (std::find(own.begin(), own.end(), c) == own.end()) out.push_back(c);
    return out;
}

// A name's text from `box` taken down past each of `cards` it lies on (a little right past what
// just reaches into it), a few times over, to where it lies on none and still above `bottom`;
// none else.
std::optional<QRectF> NameFurtherDown(const GridName& n, const QRectF& box, const std::vector<QRectF>& cards,
                                      double bottom) {
    QRectF text = NameText(n, box);
    for (int tries = 0; tries < kNameTries; ++tries) {
        // What reaches a little into it from the left it moves right past; else it goes down.
        double down = text.top(), right = text.left();
        for (const QRectF& c : cards)
            if (Layout_Overlap(text, c) && c.left() < text.left() && c.right() - text.left() <= kNameNudge)
                right = std::max(right, c.right() + kGap);
        text.moveLeft(right);
        for (const QRectF& c : cards)
            if (Layout_Overlap(text, c)) down = std::max(down, c.bottom() + kGap);
        if (down == text.top()) return text.bottom() <= bottom ? std::optional(text) : std::nullopt;
        text.moveTop(down);
    }
    return std::nullopt;
}

// A name as its text reads where it is free; else under its side pile and stack where that is
// free; else (with `lower` above zero, where the table is scaled to a narrow window, for a name
// of its own) further down past its hand, above `lower`; else, on the pile, above its hold
// frame's top line (at `frameTop`) when that would cross it.
void NameKeepClear(GridName& n, const std::vector<QRectF>& cards, const std::vector<QRectF>& others,
                   const QRectF& pile, double frameTop, double lower = 0) {
    const bool onPile = n.at.intersects(pile);
    if (const QRectF text = NameText(n, n.at); !onPile && Free(text, cards)) {
        n.at = text;
        return;
    }
    const QRectF below = n.at.translated(0, pile.bottom() + kGap - n.at.top());
    const QRectF narrow = NameShiftedClear(NameText(n, below), others, pile);
    if (Free(below, others) || Free(narrow, others)) {
        const QRectF to = Free(below, others) ? below : narrow;
        n.move = {true, n.at.top(), to.top()};
        n.at = to;
        return;
    }
    const bool own = !n.text.trimmed().isEmpty();
    if (const auto lowered = own && lower > 0 ? NameFurtherDown(n, below, others, lower) : std::nullopt) {
        n.move = {true, n.at.top(), lowered->top()};
        n.at = *lowered;
        return;
    }
    const double line = std::ceil(QFontMetricsF(n.font).height()), above = frameTop - line - 1;
    if (onPile && frameTop > n.at.top() && frameTop < n.at.top() + line && above >= 0) {
        n.move = {true, n.at.top(), above};
        n.at.moveTop(above);
    }
}

// The lowest a name's bottom may go at a table scaled to a narrow window: a hold frame's height
// above the human's hold frame, so that the hold row that goes down under it still ends above.
double NameLowest(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const QRectF own = GridRect(places, "Label3", 0), first = GridRect(places, "Label3", 1);
    return in.players > 2 ? own.top() - first.height() - kGap : 0;
}

// Each seat's name as laid out: the human's under its side pile (100 twips under once the display
// changed); an opponent's from its side stack's last edge, under the pile as designed at a table
// of two, a little under or over the pile's bottom at a larger one.
std::vector<GridName> NamesLaidOut(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const double k = TwoScale(in);
    // A table scaled to a narrow window scales its names' boxes and fonts with it.
    const LayoutShrink shrink = LayoutGrid_Shrink(in);
    const QSizeF box(design::kNameLabel.w * k * shrink.across, design::kNameLabel.h * k * shrink.down);
    const QFont font = LabelFont(LayoutGrid_ScaledFont(NameFontSize() * k, shrink), true);
    std::vector<GridName> out;
    const QRectF side = GridRect(places, "Picture7", 1);
    const double gap = Layout_ModeFor(in) == DisplayMode::Standard
                           ? kHumanNameGap
                           : kMovedNameGapTw / platform::kTwipsPerPixel;
    // On a screen too low for the gap the human's name closes up under its pile, above the status bar.
    const double humanTop = std::max(
        side.bottom(), std::min(side.bottom() + gap, LayoutGrid_RoomBottom(in, places) - box.height()));
    out.push_back({1, QRectF(QPointF(side.left(), humanTop), box), QString(), font, {}});
    for (int s = 2; s <= in.players; ++s) {
        const QRectF pile = GridRect(places, SeatPlaces(s), 1);
        const double left = GridRect(places, "Stack", 25 * (s - 1) + 1).left();
        const double top =
            in.players == 2
                ? pile.top() + kSeat2NameDrop * k
                : pile.bottom() + (in.screenWidthTw < 13000 ? kCompactNameDropNarrow : kCompactNameDrop);
        GridName name{s, QRectF(QPointF(left, top), box), in.seatNames[s - 2], font, {}};
        // The small display of two, or a table scaled to a narrow window, draws the name as the
        // standard one fitted it to its text.
        if (k != 1 || shrink != LayoutShrink{}) {
            const GridName standard{s,
                                    QRectF(0, 0, design::kNameLabel.w, design::kNameLabel.h),
                                    name.text,
                                    LabelFont(NameFontSize(), true),
                                    {}};
            name.at.setWidth(NameText(standard, standard.at).width() * k * shrink.across);
        }
        out.push_back(name);
    }
    return out;
}

// The opponents' names kept clear of the cards: once where the display first raises seat 2's hold
// frame at a small table of two, and again with every place where it ends.
std::vector<GridName> Names(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    std::vector<GridName> names = NamesLaidOut(in, places);
    const std::vector<QRectF> cards = CardPlaces(in, places);
    const bool raised = SmallTwo(in) && Display_IsUp(Layout_ModeFor(in));
    for (GridName& n : names) {
        if (n.seat == 1) continue;
        const QRectF pile = SidePile(places, n.seat);
        const std::vector<QRectF> others = NameObstacles(cards, places, n.seat);
        const double frameTop = GridRect(places, "Label3", n.seat - 1).top();
        double firstFrame = raised ? RoundEven(kSeat2HoldRow * kSmallTwo - kUpRise) - kUpRise : frameTop;
        // Scaled to a narrow window, the names first keep clear while the hold rows stand right
        // under the side piles, before the hands are fitted above them.
        if (LayoutGrid_ScaledToWindow(in))
            firstFrame =
                RoundEven(std::ceil(GridRect(places, SeatPlaces(n.seat), 1).bottom())) - kHoldFrameMargin;
        const double lower = LayoutGrid_ScaledToWindow(in) ? NameLowest(in, places) : 0;
        NameKeepClear(n, cards, others, pile, firstFrame, lower);
        NameKeepClear(n, cards, others, pile, frameTop, lower);
    }
    return names;
}

// ---- The comment line and the emote icon ----

struct Comment {
    QRectF line;
    QPointF icon;
};

// The comment line and the icon beside it at a table of three or four: under the opponents' hold
// rows from the human's hold frame; moved up, right of the centre frame, two cards wide, down to
// the human's side pile.
Comment CommentOfSeveral(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const DisplayMode mode = Layout_ModeFor(in);
    const double top = GridRect(places, "Picture1", 7).top() + kCommentUnderHolds;
    const double left = GridRect(places, "Label3", 0).left();
    const QPointF icon(left - design::kEmoteIcon.w, top);
    if (LayoutGrid_ScaledToWindow(in)) {
        // Scaled to a narrow window, the line is as wide as the closed-up hold frame and a little
        // more, within the room the scaling keeps.
        const double width = std::min(GridRect(places, "Label3", 0).width() + kCommentPastFrame,
                                      LayoutGrid_ShrinkRoom(in).width() - left);
        return {QRectF(left, top, width, kCommentHeight), icon};
    }
    if (!Display_IsUp(mode))
        return {QRectF(left, top, kHoldFrameWidth + kCommentPastFrame, kCommentHeight), icon};
    const double card = Display_IsSmall(mode) ? design::kSmallCard.w : design::kLargeCard.w;
    const double right = LayoutGrid_CenterFrame(in, places).right();
    return {QRectF(right, top, 2 * card, GridRect(places, "Picture7", 1).top() - top), icon};
}

// The centre frame's left edge in the standard display of two: the small display draws it at
// four fifths, but for the square it closes up when moved up, which keeps the standard frame.
double StandardFrameLeft(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const bool closedUp = in.centers == 4 && SmallTwo(in) && Display_IsUp(Layout_ModeFor(in));
    const double left = LayoutGrid_CenterFrame(in, places).left();
    return closedUp ? left : left / TwoScale(in);
}

// The comment line of two as the standard display lays it out, drawn at the table's scale: under
// seat 2's name to the centre frame's right edge beside three piles, left of four piles as high
// as their frame. The icon stays at its own size and place: above the line, or level with the
// piles on a wide screen.
Comment CommentOfTwo(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    // A low screen draws the rows closer: the line goes up and gets lower with them.
    const double k = TwoScale(in), vertical = k * LayoutGrid_SmallTwoDown(in);
    const double iconLeft = design::kMenuIcon.w;
    if (in.centers == 3) {
        const double top = kSeat2NameTop + kCommentUnderName;
        const bool wide = in.screenWidthTw >= 12288;
        const double iconTop = wide ? GridRect(places, "PicCenter", 1).top() / k : top - design::kEmoteIcon.h;
        const double right = LayoutGrid_CenterFrame(in, places).right();
        return {QRectF(kCommentLeftThree * k, top * vertical, right - kCommentLeftThree * k,
                       kCommentHeight * vertical),
                QPointF(iconLeft, iconTop)};
    }
    const double top = kFourPilesTop - kCommentAbovePiles;
    const double width = StandardFrameLeft(in, places) - kCommentBeforeFrame;
    return {QRectF(kCommentLeftFour * k, top * vertical, width * k, design::kCenterFrameV.h * vertical),
            QPointF(iconLeft, top - design::kEmoteIcon.h)};
}

// The line ends above the card places that start under it.
QRectF CommentAbovePlaces(QRectF line, const std::vector<QRectF>& cards) {
    for (const QRectF& c : cards)
        if (c.left() < line.right() && c.right() > line.left() && c.top() > line.top() &&
            c.top() < line.bottom())
            line.setBottom(c.top() - kGap);
    return line;
}

// The deal button of two as the standard display lays it out, drawn at the table's scale: under
// the third of three piles two buttons above the human's row, or right of four piles' frame with
// its middle level with the lower right pile's top; above the human's side pile where it would
// cover it.
QRectF DealOfTwo(const LayoutInputs& in, const std::vector<GridPlace>& places, const QRectF& humanName) {
    const double k = TwoScale(in);
    const DisplayMode mode = Layout_ModeFor(in);
    const QRectF side = GridRect(places, "Picture7", 1);
    const double raise = in.screenWidthTw > 13000 ? 50 : 20;
    const double humanTop = Display_IsUp(mode) ? side.top() + raise : side.top() / k;
    const QSizeF size(design::kDealButton.w * k, design::kDealButton.h * k);
    QRectF deal;
    if (in.centers == 3) {
        deal = QRectF(
            QPointF(GridRect(places, "PicCenter", 3).left(), (humanTop - 2 * design::kDealButton.h) * k),
            size);
    } else {
        const double right = StandardFrameLeft(in, places) + design::kCenterFrameV.w;
        const double lowerRow = kFourPilesTop + design::kLargeCard.h + kPileGap;
        deal = QRectF(QPointF((right + kPileGap) * k, (lowerRow - design::kDealButton.h / 2) * k), size);
    }
    if (deal.intersects(side) || deal.intersects(humanName))
        deal.moveTop(side.top() - deal.height() - 4 * kGap);
    return deal;
}

// The deal button where the layout first puts it, which the comment line keeps off.
QRectF DealAsLaidOut(const LayoutInputs& in, const std::vector<GridPlace>& places, const QRectF& humanName) {
    if (in.players == 2) return DealOfTwo(in, places, humanName);
    if (LayoutGrid_ScaledToWindow(in)) return LayoutGrid_NarrowDeal(in);
    // Right of the standard square's frame, ending 13 pixels above the lower right pile.
    const QRectF frame = LayoutGrid_CenterFrame(in, places);
    const double lowerRow = frame.top() + kFrameAbove + design::kLargeCard.h + kPileGap;
    return {frame.left() + design::kCenterFrameV.w + kPileGap, lowerRow - design::kDealButton.h - 13,
            design::kDealButton.w, design::kDealButton.h};
}

// Where a label the table fits round the cards goes: it keeps `lines` lines of text, or ends before
// the place to its right as long as `widest` fits; where neither leaves it free it goes to the free
// room nearest. It keeps off the cards, the side piles, the names (in `places`), the deal button,
// the stock's turn arrows and the avatar.
QRectF FitLabel(const LayoutInputs& in, const std::vector<GridPlace>& places, QRectF box, const QFont& font,
                int lines, const QString& widest) {
    std::vector<QRectF> obstacles = CardPlaces(in, places);
    for (int seat = 1; seat <= in.players; ++seat) {
        obstacles.push_back(SidePile(places, seat));
        obstacles.push_back(GridRect(places, "Label9", SeatNameLabel(seat)));
    }
    obstacles.push_back(DealAsLaidOut(in, places, GridRect(places, "Label9", kLblHumanName)));
    // The stock's turn arrows stand by its frame.
    for (const char* arrow : {"ImgTurn1", "ImgTurn2"})
        if (const GridPlace* a = GridFind(places, arrow, -1)) obstacles.push_back(a->rect);
    if (in.avatarShown)
        if (const GridPlace* a = GridFind(places, "ImgAvatar", -1)) obstacles.push_back(a->rect);
    const QFontMetricsF metrics(font);
    const double least = lines * std::max(design::kLabelLine, metrics.height());
    const double narrowest = std::min(box.width(), metrics.horizontalAdvance(widest) + 2 * kGap);
    box.setHeight(std::max(box.height(), least));
    for (const QRectF& o : obstacles) {
        if (!Layout_Overlap(box, o)) continue;
        if (o.top() - kGap - box.top() >= least)
            box.setHeight(o.top() - kGap - box.top());
        else if (o.left() - kGap - box.left() >= narrowest)
            box.setWidth(o.left() - kGap - box.left());
    }
    const QRectF room = Room(in, places);
    if (Free(box, obstacles) && room.contains(box)) return box;
    double best = 1e18;
    FreeGrid grid(room, box.size(), kFitStep);
    grid.Take(QRectF(QPointF(), box.size()), obstacles);
    const auto corner = grid.Nearest(box.topLeft(), best);
    return corner ? QRectF(*corner, box.size()) : box;
}

} // namespace

// The opponents' names where a table scaled to a narrow window has them before its seats are
// fitted: kept clear while the hold rows stand right under the side piles.
std::array<QRectF, 5> NamesBeforeFit(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    std::vector<GridName> names = NamesLaidOut(in, places);
    const std::vector<QRectF> cards = CardPlaces(in, places);
    std::array<QRectF, 5> out{};
    for (GridName& n : names) {
        if (n.seat == 1) continue;
        const double frameTop =
            RoundEven(std::ceil(GridRect(places, SeatPlaces(n.seat), 1).bottom())) - kHoldFrameMargin;
        NameKeepClear(n, cards, NameObstacles(cards, places, n.seat), SidePile(places, n.seat), frameTop,
                      NameLowest(in, places));
        out.at(n.seat) = n.at;
    }
    return out;
}

// Scaled to a narrow window, the comment line has no more room than from under the opponents'
// hold frames (one pushed down by a long name under its side pile) down to the human's, however
// few lines that leaves.
QRectF CommentBetweenFrames(const LayoutInputs& in, const std::vector<GridPlace>& places, QRectF line) {
    for (int seat = 2; seat <= in.players; ++seat)
        if (const QRectF frame = GridRect(places, "Label3", seat - 1); Layout_Overlap(line, frame))
            line.setTop(frame.bottom() + kGap);
    if (const QRectF frame = GridRect(places, "Label3", 0); Layout_Overlap(line, frame))
        line.setBottom(frame.top() - kGap);
    return line;
}

std::array<TableState::NameMove, 5> Labels(const LayoutInputs& in, std::vector<GridPlace>& places) {
    const Comment comment = in.players > 2 ? CommentOfSeveral(in, places) : CommentOfTwo(in, places);
    QRectF laid = CommentAbovePlaces(comment.line, CardPlaces(in, places));
    // Scaled to a narrow window, the line keeps the height it was cut to before the hold rows
    // went down.
    if (LayoutGrid_ScaledToWindow(in)) laid.setHeight(LayoutGrid_ShrinkState(in).comment.height());
    std::array<TableState::NameMove, 5> moves{};
    for (const GridName& n : Names(in, places)) {
        places.push_back({QStringLiteral("Label9"), SeatNameLabel(n.seat), n.at, true, n.font.pointSizeF()});
        moves.at(n.seat) = n.move;
    }
    // A comment or the player's record runs to three lines.
    QRectF line = FitLabel(in, places, laid, LabelFont(in.commentFontSize, false), 3,
                           QStringLiteral("Games Lost: 0000"));
    if (LayoutGrid_ScaledToWindow(in)) line = CommentBetweenFrames(in, places, line);
    places.push_back({QStringLiteral("Label9"), kLblComment, line, std::nullopt, in.commentFontSize});
    places.push_back({QStringLiteral("imgIcon"), -1,
                      QRectF(comment.icon, QSizeF(design::kEmoteIcon.w, design::kEmoteIcon.h))});
    return moves;
}

std::array<TableState::NameMove, 5> NameMoves(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    std::array<TableState::NameMove, 5> moves{};
    for (const GridName& n : Names(in, places))
        moves.at(n.seat) = n.move;
    return moves;
}

QRectF CommentLaid(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const Comment comment = in.players > 2 ? CommentOfSeveral(in, places) : CommentOfTwo(in, places);
    return CommentAbovePlaces(comment.line, CardPlaces(in, places));
}

} // namespace grid_labels

std::array<TableState::NameMove, 5> LayoutGrid_Labels(const LayoutInputs& in,
                                                      std::vector<GridPlace>& places) {
    return grid_labels::Labels(in, places);
}

std::array<QRectF, 5> LayoutGrid_NamesBeforeFit(const LayoutInputs& in,
                                                const std::vector<GridPlace>& places) {
    return grid_labels::NamesBeforeFit(in, places);
}

QRectF LayoutGrid_FitLabel(const LayoutInputs& in, const std::vector<GridPlace>& places, const QRectF& box,
                           const QFont& font, int lines, const QString& widest) {
    return grid_labels::FitLabel(in, places, box, font, lines, widest);
}

std::array<TableState::NameMove, 5> LayoutGrid_NameMovesOf(const LayoutInputs& in,
                                                           std::vector<GridPlace> places) {
    places.erase(std::remove_if(places.begin(), places.end(),
                                [](const GridPlace& g) {
                                    return (g.name == QLatin1String("Label9") && g.index >= kLblComment) ||
                                           g.name == QLatin1String("imgIcon");
                                }),
                 places.end());
    // Only the names move; the rest of the labels need not be fitted again.
    return places.empty() ? std::array<TableState::NameMove, 5>{} : grid_labels::NameMoves(in, places);
}

QRectF LayoutGrid_CommentLaid(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    return grid_labels::CommentLaid(in, places);
}
