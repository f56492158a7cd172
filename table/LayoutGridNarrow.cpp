#include "table/LayoutGridNarrow.h"

#include "engine/RuleMessages.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/KeepClear.h"
#include "table/LayoutGridLabels.h"
#include "table/LayoutGridShrink.h"

#include <QFont>
#include <algorithm>
#include <iterator>
#include <map>

using namespace Qt::Literals::StringLiterals;

// A namespace of its own: the table's files are compiled together, each with its own helpers.
namespace grid_narrow {
namespace {

// The centre square's left edge and frame in the table made for the screen (its top:
// LayoutGrid_CenterTop); the labels are laid out by the frame at its small size.
constexpr double kCenterLeft = 126, kFrameLeft = 15, kFrameAbove = 16;
constexpr double kFrameW = 145.6, kFrameH = 181.6;
// The stock stands this far from the window's left edge, beside the lower row of piles an arrow's
// height down. The lower row of a closed-up square stands a card below the corner.
constexpr double kStockLeft = 25;
constexpr double kPileDown = design::kSmallCard.h;
// The deal button stands this far right of the frame and ends this far above the lower right
// pile; the peek label under it.
constexpr double kDealRightOfFrame = 6, kDealAbovePile = 13;
// The notice: two lines as wide as this; the message as wide as this many frames, ending before
// the human's side stack, down to two lines under the side pile; right of the stock's frame.
constexpr double kNoticeWidth = 150, kMessageFrames = 1.4, kGap = 2;
// A screen wider than the narrow ones keeps the stock under the avatar's box: the message starts
// at the window's left, under the frame, as wide as this many frames.
constexpr double kWideMessageLeft = 3, kWideMessageFrames = 1.75;
constexpr double kLabelFont = 8.25, kStatusFont = 10, kPeekWidth = 120;
const QRectF kStatusAt(150, 240, 500, 40);
// The avatar's box for a picture of its own: smaller at a table of four.
constexpr double kAvatarBox = 130, kFourAvatarBox = 110;

const QRectF& At(const std::vector<GridPlace>& places, const char* name, int index) {
    for (const GridPlace& g : places)
        if (g.index == index && g.name == QLatin1String(name)) return g.rect;
    static const QRectF none;
    return none;
}

// The centre frame where the scaled table lays its labels out: at the scaled corner, before the
// piles go down below the hold rows.
QRectF LaidFrame(const LayoutInputs& in, const LayoutShrink& s) {
    const double left = RoundEven(kCenterLeft * s.across), top = RoundEven(LayoutGrid_CenterTop(in) * s.down);
    return {left - kFrameLeft, top - kFrameAbove, kFrameW, kFrameH};
}

QFont MessageFont(const LayoutInputs& in, const LayoutShrink& s) {
    QFont font = design::TableFont();
    font.setBold(true);
    font.setPointSizeF(LayoutGrid_ScaledFont(in.messageFontSize, s));
    return font;
}

// The message right of the stock's frame as first laid out, ending before the human's side stack,
// as high as from under the stock's frame to two lines under the side pile; standing on the
// centre frame's bottom edge, kept above the status bar of the room the scaling keeps; then
// fitted round what it keeps off.
NoticeFitted Message(const LayoutInputs& in, const std::vector<GridPlace>& places, const LayoutShrink& s) {
    const QRectF frame = LaidFrame(in, s);
    const QRectF stock =
        QRectF(QPointF(kStockLeft, frame.top() + kFrameAbove + kPileDown + design::kTurnMarker.h),
               QSizeF(design::kSmallCard.w, design::kSmallCard.h))
            .adjusted(-5, -5, 5, 5);
    const double arrowRight = stock.center().x() + design::kTurnMarker.w / 2;
    const bool wide = in.screenWidthTw > kShrinkScreenTw;
    const double left = wide ? kWideMessageLeft : std::max(arrowRight, stock.right() + kGap);
    const double top = wide ? frame.bottom() + kGap : stock.bottom();
    const double stackLeft = std::min(At(places, "Stack", 25).left(), At(places, "Stack", 1).left());
    const double width =
        std::min((wide ? kWideMessageFrames : kMessageFrames) * frame.width(), stackLeft - 2 * kGap - left);
    const QRectF side = At(places, "Picture7", 1);
    const double height = std::max(2 * design::kLabelLine, side.bottom() + 2 * design::kLabelLine - top);
    const QFont font = MessageFont(in, s);
    const QString rule = in.ruleMessage.isEmpty() ? Rules_MessageText(kRuleSequence, true) : in.ruleMessage;
    // Kept above the status bar in the font the message shows in then: the one it was fitted in
    // before the table was scaled, scaled with it.
    QFont shown = font;
    shown.setPointSizeF(LayoutGrid_ScaledFont(LayoutGrid_NoticeDesignFit(in).fontSize, s));
    const double need = std::max(height, Notice_HeightFor(shown, width, rule));
    // The centre frame, shrunk to the small display, then puts the message on its bottom edge.
    const QRectF laid(left, std::min(frame.bottom(), LayoutGrid_ShrinkRoom(in).height() - need), width,
                      height);
    const double bottom = LayoutGrid_RoomBottom(in, places);
    const double right = LayoutGrid_WindowWidth(in);
    // Short of room the message may lie on a name or the avatar, never on the stock's turn arrows
    // or the wild-card labels: the player reads them together.
    NoticeKeepOff keepOff = LayoutGrid_NoticeKeepOff(in, places);
    for (const char* arrow : {"ImgTurn1", "ImgTurn2"})
        keepOff.essentials.push_back(At(places, arrow, -1));
    for (const GridPlace& g : places)
        if (g.name == QLatin1String("LblWild")) keepOff.essentials.push_back(g.rect);
    return Notice_FitAmong(laid, font, keepOff, bottom, right, rule);
}

// The avatar with a picture of its own, fitted once the labels found their room: it gives way to
// the card places, the stock group and where the comment line and the message end up.
void AvatarWithPicture(const LayoutInputs& in, std::vector<GridPlace>& places) {
    std::vector<GridPlace> parts;
    std::copy_if(places.begin(), places.end(), std::back_inserter(parts), [](const GridPlace& g) {
        return g.name.In({"Picture7"_L1, "Picture1"_L1, "Picture2"_L1, "Picture3"_L1, "PicCenter"_L1,
                          "Label1"_L1, "Label3"_L1, "ImgTurn1"_L1, "ImgTurn2"_L1, "Stack"_L1, "StackHold"_L1,
                          "lblHoldCard"_L1});
    });
    const double width = LayoutGrid_WindowWidth(in);
    // Four seats leave it a smaller box, level with the centre frame's top.
    const bool four = in.players == 4;
    LayoutGrid_Avatar(parts, in, width, LayoutGrid_RoomBottom(in, places),
                      {At(places, "Label9", kLblComment), At(places, "Label9", kLblMessage)},
                      four ? kFourAvatarBox : kAvatarBox, four ? At(places, "imgCenter", -1).top() : 0);
    LayoutGrid_At(places, "ImgAvatar", -1).rect = parts.back().rect;
}

} // namespace
} // namespace grid_narrow

NoticeKeepOff LayoutGrid_NoticeKeepOff(const LayoutInputs& in, const std::vector<GridPlace>& places) {
    NoticeKeepOff out;
    std::map<int, QRectF> sides;
    for (const GridPlace& g : places) {
        const int seat = g.name.IndexIn({"Picture7"_L1, "Picture1"_L1, "Picture2"_L1, "Picture3"_L1});
        const bool card = g.name.In({"PicCenter"_L1, "Label1"_L1, "Label3"_L1, "cmdDeal"_L1});
        const bool mark = g.name.In({"ImgTurn1"_L1, "ImgTurn2"_L1, "LblWild"_L1});
        const bool place = seat >= 0 && g.index >= 1 && g.index <= 10;
        const bool frame = g.name == QLatin1String("lblHoldCard") && g.index > 4;
        const bool label = g.name == QLatin1String("Label9") && g.index != kLblMessage;
        const bool read = label && (g.index == kLblComment || g.index == SeatNameLabel(1));
        const bool avatar = g.name == QLatin1String("ImgAvatar") && in.avatarShown;
        if (place || frame || read || card) out.essentials.push_back(g.rect);
        if (place || frame || label || avatar || card || mark) out.all.push_back(g.rect);
        if (place && g.index == 1) sides[seat] |= g.rect;
        if (g.name == QLatin1String("Stack") && g.index >= 1 && g.index <= 25 * in.players)
            sides[(g.index - 1) / 25] |= g.rect;
    }
    for (const auto& [seat, side] : sides) {
        out.all.push_back(side);
        out.essentials.push_back(side);
    }
    return out;
}

QRectF LayoutGrid_NarrowDeal(const LayoutInputs& in) {
    using namespace grid_narrow;
    const LayoutShrink s = LayoutGrid_Shrink(in);
    const QRectF frame = LaidFrame(in, s);
    const double lowerPile = frame.top() + kFrameAbove + kPileDown;
    const QSizeF size(design::kDealButton.w * s.across, design::kDealButton.h * s.down);
    return {QPointF(frame.right() + kDealRightOfFrame, lowerPile - size.height() - kDealAbovePile), size};
}

void LayoutGrid_NarrowLabels(const LayoutInputs& in, std::vector<GridPlace>& places) {
    using namespace grid_narrow;
    const LayoutShrink s = LayoutGrid_Shrink(in);
    const double font = LayoutGrid_ScaledFont(kLabelFont, s);
    const QRectF frame = LaidFrame(in, s);
    // The label is fitted in its plain face, as the table has it when laid out.
    QFont noticeFont = design::TableFont();
    noticeFont.setPointSizeF(font);
    const QRectF notice =
        LayoutGrid_FitLabel(in, places,
                            QRectF(frame.left() + kFrameLeft + frame.width(), frame.top(),
                                   kNoticeWidth * s.across, 2 * design::kLabelLine * s.down),
                            noticeFont, 2, QStringLiteral("WAITING for"));
    places.push_back({QStringLiteral("Label9"), kLblNotice, notice, true, font});
    const QRectF deal = LayoutGrid_NarrowDeal(in);
    places.push_back({QStringLiteral("cmdDeal"), -1, deal, false, font});
    places.push_back({QStringLiteral("LabelPeek"), -1,
                      QRectF(deal.bottomLeft(), QSizeF(kPeekWidth * s.across, design::kLabelLine * s.down)),
                      false, font});
    places.push_back({QStringLiteral("StatusMsg"), -1, LayoutGrid_Scaled(kStatusAt, s), false,
                      LayoutGrid_ScaledFont(kStatusFont, s)});
    const NoticeFitted message = Message(in, places, s);
    places.push_back({QStringLiteral("Label9"), kLblMessage, message.box, true, message.fontSize});
    if (!in.avatarPicture.isEmpty()) AvatarWithPicture(in, places);
}
