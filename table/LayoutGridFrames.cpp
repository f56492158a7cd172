// The centre frame and the small parts of the table by arithmetic.
//
// What the layout leaves where the design (or other code, at run time) puts them, held in the
// plan only so that putting a plan on the table leaves them as the layout left them:
// - the level label stays at its design place at every size: the panel's own code puts it
//   against the panel's right edge;
// - the menu icon and the tutorial's two arrows stay at the window's top left corner, drawn at
//   four fifths in the small display of two; the tutorial moves the arrows where it points;
// - the key highlight stays at the top left corner, as large as a card with 5 pixels round it;
//   the keyboard moves it onto the card it marks;
// - the spare places (element 0 of the seats' places, side stacks and hold outlines) stay
//   hidden at the top left corner, sized for their cards; the cards' flights and drags move
//   them; so do the side places of seats not at the table.
// The rules label is not the layout's at all: the panel's code makes and places it.
#include "table/LayoutGridFrames.h"

#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/LayoutGridShrink.h"
#include "table/Pictures.h"

#include <algorithm>
#include <map>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

// The two-player table in the small display is the standard one drawn at four fifths, its
// labels and icons too.
constexpr double kSmallScale = 0.8;
// The frame stands this far left of and above the corner the centre piles are laid out from.
constexpr double kFrameLeft = 15, kFrameAbove = 16;
// A square of small piles closed up round that corner stands this far out from it.
constexpr double kClosedUp = 4;
// A wild-card label on something else moves to the nearest free room in these steps.
constexpr double kWildStep = 4;
// The key highlight reaches this far past its card all round.
constexpr double kHighlightMargin = 5;

// How the table lays out its centre for these inputs.
struct CenterShape {
    bool small, up, four;
    bool scaled;   // the whole table drawn at four fifths: two players in the small display
    bool closedUp; // four small piles closed up round their corner after any scaling
    // How far the labels and icons are drawn across and down: four fifths for the table drawn
    // so, the scaling's factors for a table scaled to a narrow window.
    double across = 1, down = 1;
};

CenterShape CenterShapeOf(const LayoutInputs& in) {
    const DisplayMode mode = Layout_ModeFor(in);
    CenterShape s{};
    s.small = Display_IsSmall(mode);
    s.up = Display_IsUp(mode);
    s.four = in.players > 2 || in.centers == 4;
    s.scaled = s.small && in.players == 2;
    s.closedUp = s.small && s.four && (in.players > 2 || s.up);
    const LayoutShrink shrink = LayoutGrid_Shrink(in);
    s.across = s.scaled ? kSmallScale : shrink.across;
    s.down = s.scaled ? kSmallScale : shrink.down;
    return s;
}

const QRectF& FramesAt(const std::vector<GridPlace>& places, const char* name, int index) {
    const auto it = std::find_if(places.begin(), places.end(), [&](const GridPlace& g) {
        return g.name == QLatin1String(name) && g.index == index;
    });
    if (it == places.end()) throw std::out_of_range(name);
    return it->rect;
}

// The corner the centre piles were laid out from: pile 1's, or the one a closed-up square
// spreads round.
QPointF CenterCorner(const CenterShape& s, const QRectF& first) {
    return s.closedUp ? first.topLeft() + QPointF(kClosedUp, kClosedUp) : first.topLeft();
}

// The top of the centre row as the table keeps it, which the labels beside the piles take:
// the small display of two scales the piles, not the row's top the standard table gave them.
double CenterRowTop(const CenterShape& s, const QRectF& first) {
    if (s.closedUp) return first.top() + kClosedUp;
    return s.scaled ? first.top() / kSmallScale : first.top();
}

// Where the centre layout puts the wild-card labels: over each pile of a row of three; round
// a square of four, the first over it (beside it at a table of three or four), the third under
// it (beside it), the second and fourth right of it.
std::vector<QRectF> WildAtPiles(const LayoutInputs& in, const CenterShape& s,
                                const std::vector<GridPlace>& places, const QRectF& frame) {
    const QSizeF size(design::kWildLabel.w * s.across, design::kWildLabel.h * s.down);
    auto pile = [&](int p) { return FramesAt(places, "PicCenter", p); };
    auto over = [&](int p) {
        return QPointF(pile(p).center().x() - size.width() / 2, frame.top() - size.height());
    };
    if (!s.four) return {QRectF(over(1), size), QRectF(over(2), size), QRectF(over(3), size)};
    const double row = CenterRowTop(s, pile(1));
    const bool several = in.players > 2;
    const QPointF first = several ? QPointF(frame.left() - size.width(), row) : over(1);
    const QPointF third(first.x(), several ? pile(3).top() : frame.bottom());
    return {QRectF(first, size), QRectF(QPointF(frame.right(), row), size), QRectF(third, size),
            QRectF(QPointF(frame.right(), pile(4).top()), size)};
}

// What a wild-card label keeps off: the card places, the centre piles and the stock, the hold
// frames that show, each seat's side pile with its stack, the seats' names (where `places` has
// them already) and the turn arrows.
std::vector<QRectF> WildObstacles(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    std::vector<QRectF> out;
    std::map<int, QRectF> sides;
    for (const GridPlace& g : places) {
        const int seat = g.name.IndexIn({"Picture7"_L1, "Picture1"_L1, "Picture2"_L1, "Picture3"_L1});
        const bool kept = g.name.In({"PicCenter"_L1, "Label1"_L1, "Label3"_L1, "ImgTurn1"_L1, "ImgTurn2"_L1});
        const bool place = seat >= 0 && g.index >= 1 && g.index <= 10;
        // Seat 2's frames round its hold piles hide while it sits compact at a table of more.
        const bool holdFrame = g.name == QLatin1String("lblHoldCard") && !(in.players > 2 && g.index <= 4);
        const bool name = g.name == QLatin1String("Label9") && g.index >= SeatNameLabel(1) &&
                          g.index <= SeatNameLabel(in.players);
        if (place || holdFrame || name || kept) out.push_back(g.rect);
        if (place && g.index == 1) sides[seat] |= g.rect;
        if (g.name == QLatin1String("Stack") && g.index >= 1) sides[(g.index - 1) / 25] |= g.rect;
    }
    for (const auto& [seat, side] : sides)
        out.push_back(side);
    return out;
}

// The wild-card labels where the centre layout puts them, each on something else moved to the
// free room nearest to it.
void WildLabels(const LayoutInputs& in, const CenterShape& s, std::vector<GridPlace>& places,
                const QRectF& frame) {
    const std::vector<QRectF> obstacles = WildObstacles(in, places);
    auto free = [&](const QRectF& box) {
        return std::none_of(obstacles.begin(), obstacles.end(),
                            [&](const QRectF& o) { return Layout_Overlap(box, o); });
    };
    const double width = LayoutGrid_WindowWidth(in);
    const QRectF room(0, 0, width, LayoutGrid_RoomBottom(in, places));
    const double font = design::Find(QStringLiteral("LblWild"), 1)->fontSize * s.across;
    int p = 0;
    for (QRectF at : WildAtPiles(in, s, places, frame)) {
        double best = 1e18;
        const auto corner = free(at)
                                ? std::nullopt
                                : Layout_NearestFree(
                                      at.size(), at.topLeft(), room, kWildStep,
                                      [&](const QPointF& c) { return free(QRectF(c, at.size())); }, best);
        if (corner) at.moveTopLeft(*corner);
        // Hidden until a wild card lies on the pile.
        places.push_back({QStringLiteral("LblWild"), ++p, at, false, font});
    }
}

// A part at its design place, shown as designed, drawn at four fifths where the whole table is
// (and, with `withTable`, as the table is scaled to a narrow window).
GridPlace DesignedPart(const CenterShape& s, const char* name, int index, bool withTable = false) {
    const design::Entry& e = *design::Find(QLatin1String(name), index);
    const double kx = withTable ? s.across : s.scaled ? kSmallScale : 1, ky = withTable ? s.down : kx;
    return {QLatin1String(name), index, QRectF(e.left * kx, e.top * ky, e.width * kx, e.height * ky),
            e.visible};
}

// The parts the layout only sizes: the design's place, the small display of two at four
// fifths but the level label, which keeps to the panel; the highlight as large as a card.
void SmallParts(const CenterShape& s, std::vector<GridPlace>& places) {
    for (const char* name : {"imgMenu", "imgTip", "imgTipUp"})
        places.push_back(DesignedPart(s, name, -1, true));
    const design::Entry& level = *design::Find(QStringLiteral("lblLevel"));
    places.push_back(
        {QStringLiteral("lblLevel"), -1, QRectF(level.left, level.top, level.width, level.height)});
    const QRectF card = FramesAt(places, "PicCenter", 1);
    places.push_back(
        {QStringLiteral("lblHighlight"), -1,
         QRectF(0, 0, card.width() + 2 * kHighlightMargin, card.height() + 2 * kHighlightMargin)});
    // The side pile's picture lies on the human's top stack edge; where the standard display
    // lays the side stacks anew for four piles, a pixel left of it.
    QRectF hold = FramesAt(places, "Stack", 25);
    if (!s.small && !s.up && s.four) hold.translate(-1, 0);
    places.push_back({QStringLiteral("ImgHold"), -1, hold});
}

} // namespace

std::vector<GridPlace> LayoutGrid_SpareParts(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    if (places.empty()) return {};
    const CenterShape s = CenterShapeOf(in);
    // Seat 2's spare keeps the compact seat's small card at a table of more, until moving the
    // cards up sizes both spares for the display anew.
    const bool smallSpare = s.small || (in.players > 2 && !s.up);
    const QSizeF human = FramesAt(places, "Picture7", 1).size(),
                 seat2 = smallSpare ? QSizeF(design::kSmallCard.w, design::kSmallCard.h)
                                    : QSizeF(design::kLargeCard.w, design::kLargeCard.h);
    std::vector<GridPlace> out = {{QStringLiteral("Picture7"), 0, QRectF(QPointF(), human), false},
                                  {QStringLiteral("Picture1"), 0, QRectF(QPointF(), seat2), false}};
    // The spare side stack edge and hold outline are scaled with the table; the spare places keep
    // their card size.
    for (const char* name : {"Picture2", "Picture3", "Stack", "StackHold"})
        out.push_back(DesignedPart(s, name, 0, name[0] == 'S'));
    // The side places of the seats not at the table, hidden.
    if (in.players < 3) out.push_back(DesignedPart(s, "Picture2", 1));
    if (in.players < 4) out.push_back(DesignedPart(s, "Picture3", 1));
    return out;
}

QRectF LayoutGrid_CenterFrame(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    const CenterShape s = CenterShapeOf(in);
    const QPointF corner = CenterCorner(s, FramesAt(places, "PicCenter", 1));
    // The small display stretches the picture to four fifths; the frame's margin round the
    // corner shrinks with the table drawn at four fifths, not round a square closed up after.
    const double size = s.small ? kSmallScale : 1, margin = s.scaled && !s.closedUp ? kSmallScale : 1;
    const design::Size natural = s.four ? design::kCenterFrameV : design::kCenterFrameH;
    return {corner.x() - kFrameLeft * margin, corner.y() - kFrameAbove * margin, natural.w * size,
            natural.h * size};
}

std::vector<QRectF> LayoutGrid_WildAtPiles(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    if (places.empty()) return {};
    return WildAtPiles(in, CenterShapeOf(in), places, LayoutGrid_CenterFrame(in, places));
}

QImage LayoutGrid_CenterPicture(const LayoutInputs& in) {
    return Pictures_CenterFrame(CenterShapeOf(in).four, in.placeholderStyle != 0, in.pixelRatio);
}

bool LayoutGrid_CenterStretch(const LayoutInputs& in) {
    return CenterShapeOf(in).small;
}

QImage LayoutGrid_StockPicture(const LayoutInputs& in) {
    // The large card only in the standard display of a screen wider than 800 pixels.
    const bool large = !CenterShapeOf(in).small && in.screenWidthTw > platform::TwipsOfPx(800);
    return Pictures_Back(in.backStyle, large, in.deckColour, in.pixelRatio);
}

void LayoutGrid_Frames(const LayoutInputs& in, std::vector<GridPlace>& places) {
    if (places.empty()) return;
    const CenterShape s = CenterShapeOf(in);
    const QRectF frame = LayoutGrid_CenterFrame(in, places);
    places.push_back({QStringLiteral("imgCenter"), -1, frame, true});
    WildLabels(in, s, places, frame);
    SmallParts(s, places);
}
