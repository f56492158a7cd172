// The layout plan on every screen, game size and display size: everything in the window, and
// nothing on anything else but where the table lays one thing over another on purpose.
#include "table/Design.h"
#include "table/LayoutGrid.h"
#include "table/LayoutGridFrames.h"
#include "table/LayoutGridLabels.h"
#include "table/LayoutGridNotice.h"
#include "table/LayoutGridPlan.h"
#include "table/LayoutGridShrink.h"
#include "table/LayoutPlan.h"
#include "table/Pictures.h"
#include "tests/table/test_layout_support.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <optional>
#include <type_traits>

namespace {

using LayoutPlanTest = LayoutTest;

struct Placed {
    QString id; // "Name(index)"; a seat's side pile takes its stack's edges in
    QRectF rect;
    int owner; // the seat (1 to 4), 0 for the table
};

// The seat whose places, side stack, hold frame or name an element is, 0 for the table's.
int OwnerOf(const PlacedControl& c) {
    static const QString places[] = {"Picture7", "Picture1", "Picture2", "Picture3"};
    for (int s = 0; s < 4; ++s)
        if (c.name == places[s]) return s + 1;
    if (c.name == "Label3") return c.index + 1;
    if (c.name == "lblHoldCard") return c.index <= 4 ? 2 : 1;
    if (c.name == "Label9" && c.index >= SeatNameLabel(1)) return c.index - SeatNameLabel(1) + 1;
    if (c.name == "Stack") return (c.index - 1) / 25 + 1;
    return 0;
}

// The card places, frames, labels, buttons, the notice and the avatar of a plan: what shows
// or shows once the cards are dealt; and the stock's turn arrows, which show while a seat plays.
std::vector<Placed> Elements(const LayoutPlan& plan) {
    std::vector<Placed> out;
    std::map<int, QRectF> sides;
    for (const PlacedControl& c : plan.controls) {
        const QString id = c.index >= 0 ? QStringLiteral("%1(%2)").arg(c.name).arg(c.index) : c.name;
        if (c.name == "Stack" && c.index >= 1) sides[OwnerOf(c)] |= c.rect;
        const bool arrow = c.name.startsWith("ImgTurn") && !c.rect.isEmpty();
        if (!Layout_Shows(c) && !arrow) continue;
        if (c.name.startsWith("Picture") && c.index == 1) {
            sides[OwnerOf(c)] |= c.rect;
            continue;
        }
        out.push_back({id, c.rect, OwnerOf(c)});
    }
    for (const auto& [seat, r] : sides)
        if (seat <= plan.inputs.players) out.push_back({QStringLiteral("side pile %1").arg(seat), r, seat});
    return out;
}

// What the table lays over something else on purpose: a frame round the places it frames, a
// seat's fanned hand and overlapping hold piles, the center frame behind the piles and their
// wild-card labels, the stock in its frame.
bool OnPurpose(const Placed& a, const Placed& b) {
    auto is = [](const Placed& p, const char* prefix) { return p.id.startsWith(QLatin1String(prefix)); };
    auto either = [&](const char* x, const char* y) {
        return (is(a, x) && is(b, y)) || (is(a, y) && is(b, x));
    };
    auto slot = [](const Placed& p) { return p.id.section('(', 1).chopped(1).toInt(); };
    auto hold = [&](const Placed& p) { return is(p, "Picture") && slot(p) >= 7; };
    if (a.owner != 0 && a.owner == b.owner) {
        // A compact seat fans its hand and overlaps its hold piles; a frame goes round hold places.
        if (is(a, "Picture") && is(b, "Picture") && a.owner > 1 && hold(a) == hold(b)) return true;
        // The human's hand closes up on a window too narrow for five cards apart.
        if (is(a, "Picture7") && is(b, "Picture7") && !hold(a) && !hold(b)) return true;
        if (either("Label3", "lblHoldCard")) return true;
        if ((is(a, "Label3") || is(a, "lblHoldCard")) && hold(b)) return true;
        if ((is(b, "Label3") || is(b, "lblHoldCard")) && hold(a)) return true;
    }
    // The center frame is a picture behind the piles and whatever stands on it; the stock lies
    // in its frame; a wild-card label shows on its pile.
    if (is(a, "imgCenter") || is(b, "imgCenter") || either("Label1", "PicCenter(0)")) return true;
    // The notices and comments run past the wild-card labels, which show only now and then and
    // never with the deal button; the comment line starts under seat 2's name and shares its room
    // with the notice across the table.
    if (either("LblWild", "Label9(0)") || either("LblWild", "Label9(2)") || either("LblWild", "cmdDeal") ||
        either("Label9(2)", "Label9(4)") || either("Label9(0)", "Label9(2)"))
        return true;
    return either("LblWild", "PicCenter");
}

std::string Text(const QRectF& r) {
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// Everything the plan shows lies in its window above the status bar, on nothing else but on purpose,
// and the message label holds `notice` whole.
void ExpectClearTable(const LayoutPlan& plan, const QString& notice) {
    const QRectF room(0, 0, plan.window.width(), plan.window.height() - plan.inputs.statusBarHeight);
    const std::vector<Placed> all = Elements(plan);
    const PlacedControl& message = *plan.Find("Label9", kLblMessage);
    const QRectF wrap(0, 0, message.rect.width() - 2, 1e6);
    EXPECT_GE(message.rect.height() + 1,
              QFontMetricsF(message.font).boundingRect(wrap, Qt::TextWordWrap, notice).height());
    for (const Placed& p : all)
        EXPECT_TRUE(room.adjusted(-1, -1, 1, 1).contains(p.rect)) << p.id.toStdString() << Text(p.rect);
    // A player reads the message apart from the stock and its turn arrows: 6 pixels between (not
    // yet at three or four on a narrow screen).
    for (const char* stock : {"Label1", "ImgTurn1", "ImgTurn2"}) {
        const QRectF near = plan.Find(stock, -1)->rect.adjusted(-5, -5, 5, 5);
        EXPECT_FALSE(plan.inputs.players == 2 && near.intersects(message.rect))
            << stock << " by the message " << Text(message.rect);
    }
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            if (Layout_Overlap(all[i].rect, all[j].rect) && !OnPurpose(all[i], all[j]))
                ADD_FAILURE() << all[i].id.toStdString() << " on " << all[j].id.toStdString() << " "
                              << Text(all[i].rect) << " " << Text(all[j].rect);
}

TEST_F(LayoutPlanTest, EveryElementLiesInTheWindowAndOnNoOtherOnEveryScreen) {
    // The screens between the narrow ones (667 wide: the narrowest that keeps the standard display
    // of two with three piles), and one narrower still, with a table of two; screens between 800
    // and 1024 wide and lower wide ones with every game size.
    const std::pair<QSize, int> screens[] = {
        {{640, 480}, 4},   {{800, 600}, 4},   {{1024, 768}, 4}, {{1152, 864}, 4},
        {{1280, 1024}, 4}, {{1920, 1080}, 4}, {{600, 450}, 2},  {{700, 525}, 4},
        {{720, 480}, 2},   {{720, 576}, 4},   {{768, 576}, 2},  {{667, 600}, 2},
        {{832, 624}, 4},   {{900, 600}, 4},   {{1024, 600}, 4}, {{1366, 768}, 4}};
    struct Size3 {
        int players, centers;
    };
    // The winner's notice in the player's own font, which a small screen may show smaller.
    form->Label9(kLblMessage).SetFontSize(Com.CommentFontSize);
    const QString notice = QStringLiteral("That was your LAST CARD! OK, so you won!!!  Oskrel needs more "
                                          "memory...\n(Your opponents had 60 cards left.)");
    // The table scaled to a narrow window also with a name as long as a player may give and the
    // message in a larger font.
    struct Named {
        QString name;
        double font;
    };
    const Named named[] = {{QStringLiteral("Torvek"), Com.CommentFontSize},
                           {QStringLiteral("Torvek Low Marshland"), 12}};
    for (const auto& [screen, most] : screens)
        for (const Size3 size : {Size3{2, 3}, Size3{2, 4}, Size3{3, 4}, Size3{4, 4}})
            for (int mode = 0; mode <= 3 && size.players <= most; ++mode)
                for (const auto& [seat3, font] : named) {
                    if (font != Com.CommentFontSize && (size.players == 2 || screen.width() > 800)) continue;
                    SCOPED_TRACE(testing::Message()
                                 << screen.width() << "x" << screen.height() << ", " << size.players << "/"
                                 << size.centers << ", mode " << mode << ", " << seat3.toStdString() << ", "
                                 << font << " pt");
                    LayoutInputs in = Layout_InputsNow(DisplayMode(mode), true);
                    in.screenWidthTw = screen.width() * 15;
                    in.screenHeightTw = screen.height() * 15;
                    in.players = size.players;
                    in.centers = size.centers;
                    in.window = QSize(screen.width(), screen.height() - 60);
                    in.frame = QMargins(1, 22, 1, 1);
                    in.seatNames = {QStringLiteral("Grulm"), seat3, QStringLiteral("Oskrel")};
                    in.messageFontSize = font;
                    in.avatarPicture = QSize(130, 130); // the avatar as drawn for a seat without a picture
                    in.fit = true;
                    const LayoutPlan plan = Layout_Plan(in);
                    ExpectClearTable(plan, notice);
                    // A window made smaller by hand, down to the least size the table allows.
                    if (size.players > 3) continue;
                    const QSize least = plan.minimum, most = plan.window;
                    ASSERT_TRUE(least.isValid() && least.width() <= most.width() &&
                                least.height() <= most.height());
                    for (const QSize window :
                         {least, (least + most) / 2, QSize(least.width(), most.height())}) {
                        SCOPED_TRACE(testing::Message()
                                     << "window " << window.width() << "x" << window.height());
                        in.fit = false;
                        in.window = window;
                        ExpectClearTable(Layout_Plan(in), notice);
                    }
                }
}

// Every plan of the walk the arithmetic covers: each screen from 640 to 1920 (and two avatar
// shapes), each display, each game size, the window fitted as a change of display fits it.
// With `names`, the seats are called so rather than as the table has them; with `scaled`, the
// tables of three and four scaled to a narrow window too.
template <typename Each>
void ForEachCoveredPlan(Each each, const std::optional<std::array<QString, 3>>& names = std::nullopt,
                        bool scaled = false) {
    struct Screen {
        QSize size, avatar;     // the avatar's picture, none for the one drawn for a seat without
        int most = 4;           // the most players walked on it
        bool smallFour = false; // only the small display of four
    };
    // Screens between the narrow ones, and one narrower still, with a table of two; two between
    // 800 and 1024 wide with every game size, two more with the small display of four.
    const Screen screens[] = {{{640, 480}, {}},          {{800, 600}, {}},          {{1024, 768}, {}},
                              {{1152, 864}, {}},         {{1280, 1024}, {}},        {{1920, 1080}, {}},
                              {{1024, 768}, {40, 60}},   {{1280, 1024}, {200, 90}}, {{600, 450}, {}, 2},
                              {{700, 525}, {}, 2},       {{720, 480}, {}, 2},       {{720, 576}, {}, 2},
                              {{768, 576}, {}, 2},       {{832, 624}, {}},          {{900, 600}, {}},
                              {{960, 720}, {}, 4, true}, {{1000, 750}, {}, 4, true}};
    for (const auto& [screen, avatar, most, smallFour] : screens)
        for (int mode = 0; mode <= 3; ++mode)
            for (const auto& [players, centers] :
                 {std::pair(2, 3), std::pair(2, 4), std::pair(3, 4), std::pair(4, 4)}) {
                if (players > most || (smallFour && (players < 4 || !Display_IsSmall(DisplayMode(mode)))))
                    continue;
                SCOPED_TRACE(testing::Message()
                             << screen.width() << "x" << screen.height() << " mode " << int(mode) << ", "
                             << players << " players, " << centers << " piles");
                LayoutInputs in = Layout_InputsNow(DisplayMode(mode), true);
                in.screenWidthTw = screen.width() * 15;
                in.screenHeightTw = screen.height() * 15;
                in.players = players;
                in.centers = centers;
                in.window = QSize(screen.width(), screen.height() - 60);
                in.avatarPicture = avatar;
                if (names) in.seatNames = *names;
                // counted by the caller
                if (!LayoutGrid_Covers(in) || (!scaled && LayoutGrid_ScaledToWindow(in))) continue;
                each(in, Layout_Rehearse(in));
            }
}

// What the walk compares on the 832 and 900 screens, in 28 plans: 16 tables of two (8 with three
// piles), 8 of three, 4 of four (on the 900 one: the 832 one scales four to the window): the card places with
// the stock group and the avatar, the names with the comment line and its icon, the centre frame with its
// small parts and wild-card labels, the spare places.
constexpr int kWidePlans = 28;
constexpr int kWideCards = 8 * (88 + 3 + 88 + 4) + 8 * 132 + 4 * 172 + kWidePlans * 5;
constexpr int kWideNames = 16 * 4 + 8 * 5 + 4 * 6;
constexpr int kWideFrames = kWidePlans * 7 + 8 * 3 + 20 * 4;
constexpr int kWideSpares = kWidePlans * 6 + 16 * 2 + 8;
// The small display of four on the 832 screen, scaled to the window, in every mode asked: its 172
// card places and stock group, 4 names with the comment line and its icon, the centre frame with
// its small parts and wild-card labels (11), the notice group (5) and 6 spare places.
constexpr int kScaledBetween = 4;
constexpr int kScaledBetweenCards = 172 + 5, kScaledBetweenControls = kScaledBetweenCards + 6 + 11 + 5 + 6;
// The small display of four on the 960 and 1000 screens, unscaled, as many of each.
constexpr int kSmallFour = 4;

// The places of `places` whose name (or name and index) `take` accepts agree with the plan's, to
// a pixel and in size, and in shown state and font where the arithmetic gives them; gives their
// number.
template <typename Take>
int ExpectPlacesAgree(const LayoutPlan& plan, Take take, const std::vector<GridPlace>& places) {
    int compared = 0;
    for (const GridPlace& g : places) {
        if constexpr (std::is_invocable_v<Take, const QString&, int>) {
            if (!take(g.name, g.index)) continue;
        } else if (!take(g.name)) {
            continue;
        }
        const PlacedControl* c = plan.Find(g.name, g.index);
        const std::string id = g.name.toStdString() + "(" + std::to_string(g.index) + ")";
        if (c == nullptr) {
            ADD_FAILURE() << id << " is not in the plan";
            continue;
        }
        EXPECT_LE((c->rect.topLeft() - g.rect.topLeft()).manhattanLength(), 1)
            << id << " " << Text(c->rect) << " by arithmetic " << Text(g.rect);
        EXPECT_LE(std::abs(c->rect.width() - g.rect.width()) + std::abs(c->rect.height() - g.rect.height()),
                  0.01)
            << id << " " << Text(c->rect) << " by arithmetic " << Text(g.rect);
        if (g.visible) {
            EXPECT_EQ(c->visible, *g.visible) << id;
        }
        if (g.fontSize) {
            EXPECT_DOUBLE_EQ(c->fontSize, *g.fontSize) << id;
        }
        ++compared;
    }
    return compared;
}

// The same for the places the arithmetic gives for `in`.
template <typename Take>
int ExpectArithmeticAgrees(const LayoutInputs& in, const LayoutPlan& plan, Take take) {
    return ExpectPlacesAgree(plan, take, LayoutGrid_Places(in));
}

bool CardGroup(const QString& name) {
    static const QStringList names = {"Picture1", "Picture2",  "Picture3", "Picture7", "PicCenter",
                                      "Stack",    "StackHold", "Label1",   "Label3",   "lblHoldCard",
                                      "ImgTurn1", "ImgTurn2",  "ImgAvatar"};
    return names.contains(name);
}

// Where the plan's stock lies elsewhere than the arithmetic's, with what gives way to it. Four piles
// of two push the stock past a window narrower than 800 pixels. On the 600 screen the plan finds
// room for its frame alone, its arrows then past the window's top and on seat 2's hold row, and the
// avatar gives way to it; on the 720 x 576 one in the standard display it puts it beside the human's
// side pile, which leaves the message room only over the menu icon. The arithmetic moves the whole
// group left of the centre square, the comment line shortened above it, the message under the hand.
bool StockListedDifference(const LayoutInputs& in, const QString& name, int index) {
    const int screen = in.screenWidthTw / 15;
    const bool standard = !Display_IsSmall(Layout_ModeFor(in));
    if (in.players != 2 || in.centers != 4 || !(screen == 600 || (screen == 720 && standard))) return false;
    static const QStringList group = {"Label1", "ImgTurn1", "ImgTurn2", "ImgAvatar"};
    return group.contains(name) || (name == "PicCenter" && index == 0) ||
           (name == "Label9" && (index == kLblComment || index == kLblMessage));
}

// The card places worked out by arithmetic are those the plan has, to a pixel, whatever the
// avatar's picture.
TEST_F(LayoutPlanTest, TheArithmeticCardPlacesAgreeWithThePlan) {
    int compared = 0;
    ForEachCoveredPlan(
        [&](const LayoutInputs& in, const LayoutPlan& plan) {
            compared += ExpectArithmeticAgrees(in, plan, [&](const QString& name, int index) {
                return CardGroup(name) && !StockListedDifference(in, name, index);
            });
        },
        std::nullopt, true);
    // Two players' 88 places and the centre piles in every mode on every screen (the 640 one
    // takes the small display whatever is asked); three players' 132 and four players' 172 in every
    // mode of every screen (the 640 and 800 ones take the small display scaled to the window). The
    // stock, its frame, arrows and the avatar in every plan (on the 640 screen with two players and
    // four centre piles the stock would pass the window and goes to the free room nearest). The
    // same for two players on the 5 screens between, but for the stock group and avatar listed in
    // 6 plans. On the 832 and 900 screens (where the stock lies on the hold frames and goes to the
    // free room nearest) every table: 16 of two, 8 of three, 4 of four, and four's small display
    // scaled to the 832 window; four's small display on the 960 and 1000 screens.
    EXPECT_EQ(compared, 32 * (88 + 3 + 88 + 4) + 32 * (132 + 172) + 32 * 4 * 5 +
                            20 * (88 + 3 + 88 + 4 + 2 * 5) - 6 * 5 + kWideCards +
                            (kScaledBetween + kSmallFour) * kScaledBetweenCards);
}

// The small display of three or four on a screen up to 800 pixels wide is scaled as the plan
// scales it, and leaves the layout state the plan leaves; every other table is not scaled.
TEST_F(LayoutPlanTest, TheArithmeticScaleOfANarrowTableAgreesWithThePlan) {
    int scaled = 0;
    ForEachCoveredPlan(
        [&](const LayoutInputs& in, const LayoutPlan& plan) {
            const ShrinkState s = LayoutGrid_ShrinkState(in);
            EXPECT_NEAR(s.shrink.across, plan.state.TableShrink, 1e-9);
            EXPECT_NEAR(s.shrink.down, plan.state.TableShrinkDown, 1e-9);
            EXPECT_EQ(s.shrink != LayoutShrink{}, LayoutGrid_ScaledToWindow(in));
            if (s.shrink == LayoutShrink{}) return;
            ++scaled;
            EXPECT_EQ(s.centerLeft, plan.state.CenterLeft);
            EXPECT_EQ(s.centerTop, plan.state.CenterTop);
            EXPECT_EQ(s.oppHoldTop, plan.state.OppHoldTop);
            // The comment line's right edge decides how far a narrow screen's table is scaled
            // across, seat 4's hold frame a wider one's; the notice under the centre frame how
            // far down, where it is scaled down.
            std::vector<GridPlace> design = LayoutGrid_Design(in);
            EXPECT_NEAR(LayoutGrid_Reach(in).width(),
                        in.screenWidthTw > kShrinkScreenTw ? LayoutGrid_At(design, "Label3", 3).rect.right()
                                                           : LayoutGrid_CommentDesign(in).right(),
                        1e-9);
            if (s.shrink.down < 1) {
                EXPECT_NEAR(LayoutGrid_Reach(in).height(), LayoutGrid_NoticeDesign(in).bottom(), 1e-9);
            }
        },
        std::nullopt, true);
    // Three and four players on the 640 and 800 screens, four on the 832 one, in every mode asked.
    EXPECT_EQ(scaled, 2 * 2 * 4 + kScaledBetween);
}

// The labels and buttons of the narrow table take the font the table's scaling gives them: that
// of the same table unscaled (on an 820-pixel screen) scaled across; the comment line keeps the
// size the player chose.
TEST_F(LayoutPlanTest, TheNarrowTableScalesItsLabelsFontsAsTheArithmeticSays) {
    auto inputs = [](int width) {
        LayoutInputs in = Layout_InputsNow(DisplayMode::Small, true);
        in.screenWidthTw = width * 15;
        in.screenHeightTw = width * 3 / 4 * 15;
        in.players = 3;
        in.centers = 4;
        in.window = QSize(width, width * 3 / 4 - 60);
        return in;
    };
    const LayoutPlan whole = Layout_Rehearse(inputs(820));
    static const QRegularExpression text("^(Label|lbl|Lbl|cmd)");
    int compared = 0;
    for (const int width : {640, 800}) {
        const LayoutInputs in = inputs(width);
        const LayoutShrink s = LayoutGrid_Shrink(in);
        ASSERT_LT(s.across, 1);
        for (const PlacedControl& c : Layout_Rehearse(in).controls) {
            const PlacedControl* unscaled = whole.Find(c.name, c.index);
            if (!text.match(c.name).hasMatch() || !unscaled) continue;
            const bool chosen = c.name == "Label9" && c.index == kLblComment;
            EXPECT_NEAR(c.fontSize,
                        LayoutGrid_ScalesWithTable(c.name, in) && !chosen
                            ? LayoutGrid_ScaledFont(unscaled->fontSize, s)
                            : unscaled->fontSize,
                        1e-6)
                << width << " " << c.name.toStdString() << "(" << c.index << ")";
            ++compared;
        }
    }
    // The table of three's 26 labels and buttons (frames, names, notices, wild-card labels, the
    // deal button) on each screen.
    EXPECT_EQ(compared, 2 * 26);
}

// The card places, the stock group and the avatar; the names, the comment line and its icon, the
// centre frame, the wild-card labels and small parts, the notice, the message, the deal button,
// the peek label and the status message.
bool NarrowGroup(const QString& name, int index) {
    static const QStringList others = {"imgIcon",      "imgCenter", "LblWild",   "ImgHold",
                                       "lblHighlight", "imgMenu",   "imgTip",    "imgTipUp",
                                       "lblLevel",     "cmdDeal",   "LabelPeek", "StatusMsg"};
    return CardGroup(name) || others.contains(name) || name == "Label9";
}

// On the narrow screens the card places, the stock, the avatar and the labels agree with the
// plan whatever the avatar's picture and the window manager's frame, also in a window made
// smaller by hand.
TEST_F(LayoutPlanTest, TheArithmeticNarrowTableAgreesInAnyWindow) {
    int compared = 0;
    for (const int width : {640, 800})
        for (const int players : {2, 3, 4})
            for (const QSize avatar : {QSize(), QSize(40, 60), QSize(200, 90)})
                for (const QMargins frame : {QMargins(), QMargins(1, 22, 1, 1)}) {
                    SCOPED_TRACE(testing::Message()
                                 << width << ", " << players << " players, avatar " << avatar.width() << "x"
                                 << avatar.height() << ", frame " << frame.top());
                    LayoutInputs in = Layout_InputsNow(DisplayMode::Small, true);
                    in.frame = frame;
                    in.screenWidthTw = width * 15;
                    in.screenHeightTw = width * 3 / 4 * 15;
                    in.players = players;
                    in.centers = 4;
                    in.window = QSize(width, width * 3 / 4 - 60);
                    in.avatarPicture = avatar;
                    // The message of two, which the notice test lists where it differs, is left out.
                    const auto take = [&](const QString& name, int index) {
                        return NarrowGroup(name, index) &&
                               (players > 2 || index != kLblMessage || name != "Label9");
                    };
                    const LayoutPlan fitted = Layout_Rehearse(in);
                    compared += ExpectArithmeticAgrees(in, fitted, take);
                    in.fit = false;
                    in.window = (fitted.minimum + fitted.window) / 2;
                    compared += ExpectArithmeticAgrees(in, Layout_Rehearse(in), take);
                }
    // Each table's places (two players' 88 and the 4 centre piles, three players' 132, four
    // players' 172), the stock group and the avatar; the names, comment line and icon (4, 5, 6),
    // the centre frame, four wild-card labels and six small parts (11), the notice, deal button,
    // peek label and status message (4), and the message of three and four; with and without a frame.
    EXPECT_EQ(compared, 2 * 2 * 3 * 2 * ((88 + 4) + 132 + 172 + 3 * 5 + (4 + 5 + 6) + 3 * (11 + 4) + 2));
}

// Where the plan's message of a scaled table lies elsewhere than the arithmetic's: in the largest
// font at four on the smallest screen the plan finds room nowhere and cuts the notice, where the
// arithmetic shows it whole in a smaller font.
bool ScaledListedDifference(const LayoutInputs& in, const QString& name, int index) {
    return name == "Label9" && index == kLblMessage && in.messageFontSize == 36 && in.players == 4;
}

// Where the plan leaves seat 3's long name on its side pile and hand, the arithmetic takes it down
// under the hand, and the seat's hold row, frame and outlines under the name; the centre piles and
// the stock beside them go down below the hold rows where those reach them.
bool LongNameListedDifference(const QString& name, int index) {
    const bool seat3Hold = (name == "Picture2" && index >= 7) ||
                           (name == "StackHold" && index >= 9 && index <= 12) ||
                           (name == "Label3" && index == 2);
    static const QStringList centre = {"PicCenter", "Label1", "ImgTurn1", "ImgTurn2"};
    return seat3Hold || centre.contains(name);
}

// Three and four on every screen the table is scaled down to, in a message font larger than the
// usual one (and the largest a player can choose on the smallest screen): the scale and the places
// agree with the plan, and the card places also with the opponents named, whose names under their
// side piles push their hold rows down.
TEST_F(LayoutPlanTest, TheArithmeticScaledTableAgreesInALargerMessageFont) {
    struct Case {
        QSize screen;
        double font;
    };
    const Case cases[] = {{{640, 480}, 10}, {{700, 525}, 10}, {{720, 480}, 10}, {{720, 576}, 10},
                          {{768, 576}, 10}, {{800, 600}, 10}, {{640, 480}, 36}};
    int compared = 0, named = 0;
    for (const auto& [screen, font] : cases)
        for (const int players : {3, 4}) {
            SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << ", " << players
                                            << " players, message font " << font);
            LayoutInputs in = Layout_InputsNow(DisplayMode::Small, true);
            in.screenWidthTw = screen.width() * 15;
            in.screenHeightTw = screen.height() * 15;
            in.players = players;
            in.centers = 4;
            in.window = QSize(screen.width(), screen.height() - 60);
            in.messageFontSize = font;
            const LayoutPlan plan = Layout_Rehearse(in);
            const LayoutShrink s = LayoutGrid_Shrink(in);
            EXPECT_NEAR(s.across, plan.state.TableShrink, 1e-9);
            EXPECT_NEAR(s.down, plan.state.TableShrinkDown, 1e-9);
            compared += ExpectArithmeticAgrees(in, plan, [&](const QString& name, int index) {
                return NarrowGroup(name, index) && !ScaledListedDifference(in, name, index);
            });
            if (font != 10) continue;
            in.seatNames = {QStringLiteral("Grulm"), QStringLiteral("Torvek Low Marshland"),
                            QStringLiteral("Oskrel")};
            named += ExpectArithmeticAgrees(in, Layout_Rehearse(in), [](const QString& name, int index) {
                return CardGroup(name) && !LongNameListedDifference(name, index);
            });
        }
    // Each table's places (three players' 132, four players' 172), the stock group and the avatar
    // (5), the names, comment line and icon (5 or 6), the centre frame, wild-card labels and small
    // parts (11), the notice, deal button, peek label, status message and message (5): 7 cases, but
    // the message listed. Named, the card places, stock group and avatar of the 6 cases in 10 points
    // but the 17 listed.
    EXPECT_EQ(compared, 7 * ((132 + 5 + 5 + 11 + 5) + (172 + 5 + 6 + 11 + 5)) - 1);
    EXPECT_EQ(named, 6 * ((132 + 5 - 17) + (172 + 5 - 17)));
}

// The seats' names, the comment line and the emote icon beside it.
bool NameAndCommentGroup(const QString& name, int index) {
    return (name == "Label9" && index >= kLblComment) || name == "imgIcon";
}

// The names, the comment line and its icon worked out by arithmetic are those the plan has, and
// so are the opponents' names' moves off their side stacks: with the table's names (none, so each name keeps
// its whole box) in the fitted window, and with long ones in a smaller window.
TEST_F(LayoutPlanTest, TheArithmeticNamesAndCommentAgreeWithThePlan) {
    int compared = 0;
    auto each = [&](const LayoutInputs& in, const LayoutPlan& plan) {
        compared += ExpectArithmeticAgrees(in, plan, [&](const QString& name, int index) {
            return NameAndCommentGroup(name, index) && !StockListedDifference(in, name, index);
        });
        const auto moves = LayoutGrid_NameMoves(in);
        for (int seat = 2; seat <= 4; ++seat) {
            const TableState::NameMove& want = plan.state.NameMoves.at(seat);
            EXPECT_EQ(moves.at(seat).moved, want.moved) << "seat " << seat;
            // Where the plan laid the names out twice, its second pass recorded the move from where
            // the first had left the name; the arithmetic records it from where it was laid out.
            if (!(want.moved && want.from == want.to && moves.at(seat).to == want.to)) {
                EXPECT_NEAR(moves.at(seat).from, want.from, 0.01) << "seat " << seat;
            }
            EXPECT_NEAR(moves.at(seat).to, want.to, 0.01) << "seat " << seat;
        }
    };
    ForEachCoveredPlan(each, std::nullopt, true);
    // The long names in a window made smaller by hand, halfway to the least the table allows.
    const auto halfway = [&](const LayoutInputs& fitted, const LayoutPlan& plan) {
        LayoutInputs in = fitted;
        in.fit = false;
        in.window = (plan.minimum + plan.window) / 2;
        each(in, Layout_Rehearse(in));
    };
    ForEachCoveredPlan(halfway, std::array<QString, 3>{QStringLiteral("Grimwald the Patient"),
                                                       QStringLiteral("Torvek Low Marshland"),
                                                       QStringLiteral("Oskrel Stonebreaker.")});
    // Twice over the walk: each table of two has 2 names, the comment line and its icon (64
    // plans), of three 3 names (24 plans), of four 4 names (24 plans); once the 8 scaled tables
    // of three and the 8 of four (long names in a window made smaller by hand are left out: the
    // plan keeps their boxes as whichever of its passes last fitted them to the text); twice the 40
    // tables of two on the screens between, but the comment line listed in 6; twice the 28 tables
    // on the 832 and 900 screens.
    EXPECT_EQ(compared, 2 * (64 * 4 + 24 * 5 + 24 * 6) + 8 * 5 + 8 * 6 + 2 * (40 * 4 - 6) + 2 * kWideNames +
                            (kScaledBetween + 2 * kSmallFour) * 6);
}

// The notice, the message label, the deal button, the peek label and the status message.
bool NoticeGroup(const QString& name, int index) {
    return name == "cmdDeal" || name == "LabelPeek" || name == "StatusMsg" ||
           (name == "Label9" && index <= kLblMessage);
}

// Where the plan's notice or message lies elsewhere than the room the arithmetic keeps for it:
// the plan found each by its search for the free room nearest to where it first stood. Both lie
// on nothing.
bool NoticeListedDifference(const LayoutInputs& in, const QString& name, int index) {
    if (name != "Label9") return false;
    const int screen = in.screenWidthTw / 15, mode = int(Layout_ModeFor(in));
    const bool message = index == kLblMessage;
    // The table scaled to a narrow window lays them as the plan does.
    if (LayoutGrid_ScaledToWindow(in)) return false;
    // A screen that takes the small display whatever is asked makes the message as high as a hold
    // frame and a card (below 666 pixels wide), or finds it room in a lower window, right of the hold
    // row, over the side stack or a little lower; the arithmetic keeps it under the hand.
    if (Layout_NarrowForStandard(in.screenWidthTw, in.screenHeightTw, in.players, in.centers)) return message;
    // On a screen lower than the table the plan lifted the message to the window's height before
    // the window was fitted to the screen; the arithmetic keeps it where the fitted window has room.
    if (screen == 900) return message && in.players > 2 && mode == 0;
    // With four piles the plan's message stands against the stock's frame moved off the hold
    // frames beside it; the arithmetic ends it 6 pixels before the frame. Moved up, the notice as
    // on the 800 screen.
    if (screen == 832) return in.players == 2 && in.centers == 4 && (message ? mode <= 1 : mode == 1);
    if (screen > 800) return false;
    // The deal button in its room under the notice, the plan finds the message beside the raised
    // hand or lower; the arithmetic keeps it under the hand, right of the player's name.
    if (in.centers == 3) return message && mode > 0;
    // By the raised centre square the plan finds the notice right of or under it, and the small
    // display's message over the side pile; the arithmetic keeps the notice left of the square
    // under seat 2's name, the message by the side pile.
    return mode == 3 || (mode == 1 && !message);
}

// The notice, the message label, the deal button, the peek label and the status message worked
// out by arithmetic are the plan's, in font and shown state too, and the message's in a larger font.
TEST_F(LayoutPlanTest, TheArithmeticNoticeAndMessageAgreeWithThePlan) {
    int compared = 0;
    ForEachCoveredPlan(
        [&](const LayoutInputs& in, const LayoutPlan& plan) {
            compared += ExpectArithmeticAgrees(in, plan, [&](const QString& name, int index) {
                return NoticeGroup(name, index) && !NoticeListedDifference(in, name, index) &&
                       !StockListedDifference(in, name, index);
            });
        },
        std::nullopt, true);
    // Five places in each of the 112 plans walked (64 of two, 48 of three or four), but for the
    // differences listed: the message on the 640 screen (8), on the 800 one three messages with
    // three piles, two notices and a message with four; and the 16 scaled tables' five. The 40
    // tables of two on the screens between, but for the messages of the 24 on screens that take the
    // small display, on the 720 x 576 and 768 x 576 ones as on the 800 one (12), and two messages
    // listed with the stock. The 28 tables on the 832 and 900 screens, but for the messages of the
    // 4 of three on the 832 one, which takes the small display, the two messages and a notice of
    // two with four piles on the 832 one and the two messages of three and four on the 900 one.
    EXPECT_EQ(compared, 112 * 5 - 8 - 3 - 3 + 16 * 5 + 40 * 5 - 24 - 12 - 2 + kWidePlans * 5 - 4 - 3 - 2 +
                            (kScaledBetween + kSmallFour) * 5);
    // In a larger font the message's room grows with it, lifted or in a smaller font where it
    // would reach under the status bar: on the 6 screens 1024 wide or wider, 96 plans.
    int larger = 0;
    ForEachCoveredPlan([&](LayoutInputs in, const LayoutPlan&) {
        if (in.screenWidthTw < platform::TwipsOfPx(1024)) return;
        in.messageFontSize = 12;
        larger += ExpectArithmeticAgrees(in, Layout_Rehearse(in), [](const QString& name, int index) {
            return name == "Label9" && index == kLblMessage;
        });
    });
    EXPECT_EQ(larger, 96);
}

// The layout's part of the table state, the display, the window and its least size of two plans.
void ExpectSameFrame(const LayoutPlan& a, const LayoutPlan& b) {
    const TableState &s = a.state, &t = b.state;
    const int ints[][2] = {{s.CardWidth, t.CardWidth},
                           {s.CardHeight, t.CardHeight},
                           {s.Seat2Top, t.Seat2Top},
                           {s.Seat2SideLeft, t.Seat2SideLeft},
                           {s.HumanTop, t.HumanTop},
                           {s.Seat2HandTop, t.Seat2HandTop},
                           {s.HumanHandLeft, t.HumanHandLeft},
                           {s.Seat2HandLeft, t.Seat2HandLeft},
                           {s.HumanHoldTop, t.HumanHoldTop},
                           {s.OppHoldTop, t.OppHoldTop},
                           {s.HumanHoldLeft, t.HumanHoldLeft},
                           {s.Seat2HoldLeft, t.Seat2HoldLeft},
                           {s.CenterTop, t.CenterTop},
                           {s.CenterLeft, t.CenterLeft},
                           {s.UpSideTop, t.UpSideTop},
                           {s.UpHoldTop, t.UpHoldTop},
                           {s.UpSeat2HoldTop, t.UpSeat2HoldTop},
                           {s.FourthCenterLoaded, t.FourthCenterLoaded},
                           {s.Seat3Loaded, t.Seat3Loaded},
                           {s.Seat4Loaded, t.Seat4Loaded},
                           {s.SmallDisplay, t.SmallDisplay},
                           {s.DisplayForced, t.DisplayForced},
                           {s.HoldFramesMade, t.HoldFramesMade},
                           {s.CenterSpacing, t.CenterSpacing},
                           {s.CenterSnapWidth, t.CenterSnapWidth},
                           {s.DisplayEntryEnabled[0], t.DisplayEntryEnabled[0]},
                           {s.DisplayEntryEnabled[1], t.DisplayEntryEnabled[1]},
                           {s.FormWidth, t.FormWidth},
                           {s.FormHeight, t.FormHeight},
                           {int(a.mode), int(b.mode)},
                           {a.fitted, b.fitted}};
    for (size_t i = 0; i < std::size(ints); ++i)
        EXPECT_EQ(ints[i][0], ints[i][1]) << "state value " << i;
    EXPECT_DOUBLE_EQ(s.TableShrink, t.TableShrink);
    EXPECT_DOUBLE_EQ(s.TableShrinkDown, t.TableShrinkDown);
    EXPECT_DOUBLE_EQ(s.FontScale, t.FontScale);
    EXPECT_EQ(s.AvatarRule, t.AvatarRule) << Text(s.AvatarRule) << " " << Text(t.AvatarRule);
    EXPECT_EQ(a.window, b.window);
    EXPECT_EQ(a.imgCenterStretch, b.imgCenterStretch);
    EXPECT_TRUE(a.imgCenterPicture == b.imgCenterPicture);
    EXPECT_TRUE(a.stockPicture == b.stockPicture);
}

// The controls of `mine` stack in the order they have in `plan`, show as there and, where the
// layout adds them, look as there; gives their number.
int ExpectSameStackingAndLooks(const LayoutPlan& mine, const LayoutPlan& plan) {
    std::vector<std::pair<const PlacedControl*, const PlacedControl*>> pairs;
    for (const PlacedControl& c : mine.controls) {
        const PlacedControl* p = plan.Find(c.name, c.index);
        if (!p) continue;
        pairs.push_back({&c, p});
        const std::string id = c.name.toStdString() + "(" + std::to_string(c.index) + ")";
        EXPECT_EQ(c.visible, p->visible) << id;
        if (design::Find(c.name, c.index)) continue;
        EXPECT_EQ(c.tip, p->tip) << id;
        EXPECT_EQ(c.caption, p->caption) << id;
        EXPECT_EQ(c.back, p->back) << id;
        EXPECT_EQ(c.fore, p->fore) << id;
        EXPECT_EQ(c.border, p->border) << id;
        EXPECT_EQ(c.font, p->font) << id << " " << c.font.toString().toStdString() << " / "
                                   << p->font.toString().toStdString();
    }
    std::sort(pairs.begin(), pairs.end(), [](auto& x, auto& y) { return x.first->stack < y.first->stack; });
    for (size_t i = 1; i < pairs.size(); ++i)
        EXPECT_LT(pairs[i - 1].second->stack, pairs[i].second->stack)
            << pairs[i - 1].first->name.toStdString() << "(" << pairs[i - 1].first->index << ") under "
            << pairs[i].first->name.toStdString() << "(" << pairs[i].first->index << ")";
    return int(pairs.size());
}

// The plan worked out by arithmetic has the layout's state, display, window, stacking and looks
// the plan has, on the window fitted and on windows made smaller by hand, where its card places
// agree too.
TEST_F(LayoutPlanTest, TheArithmeticPlanStateAgreesWithThePlan) {
    Pictures_Init();
    int plans = 0, controls = 0, places = 0;
    auto each = [&](const LayoutInputs& in, const LayoutPlan& plan) {
        const LayoutPlan mine = LayoutGrid_Plan(in);
        ExpectSameFrame(mine, plan);
        // The least size of the controls the arithmetic has but the notice's, whose places the
        // notice test holds to the plan's with the differences it lists.
        LayoutPlan same = plan, mineSame = mine;
        auto other = [&](const PlacedControl& c) {
            return !mine.Find(c.name, c.index) || NoticeGroup(c.name, c.index) ||
                   StockListedDifference(in, c.name, c.index);
        };
        std::erase_if(same.controls, other);
        std::erase_if(mineSame.controls, other);
        EXPECT_EQ(Layout_MinimumOf(mineSame), Layout_MinimumOf(same));
        controls += ExpectSameStackingAndLooks(mine, plan);
        places += ExpectArithmeticAgrees(in, plan, [&](const QString& name, int index) {
            return CardGroup(name) && !StockListedDifference(in, name, index);
        });
        ++plans;
    };
    // The window fitted, then made smaller by hand to the least size the table allows, and to the
    // least width at the fitted height.
    ForEachCoveredPlan(
        [&](const LayoutInputs& fitted, const LayoutPlan& plan) {
            each(fitted, plan);
            const QSize least = plan.minimum, most = plan.window;
            for (const QSize window : {least, QSize(least.width(), most.height())}) {
                SCOPED_TRACE(testing::Message() << "window " << window.width() << "x" << window.height());
                LayoutInputs in = fitted;
                in.fit = false;
                in.window = window;
                each(in, Layout_Rehearse(in));
            }
        },
        std::nullopt, true);
    // The 128 plans the card places test walks, each also on two windows made by hand, with as
    // many card places on each window as that test counts on the fitted one; and as many controls
    // as it, the names test (on one walk), the centre frame test and the notice test (without its
    // listed differences) count together; the frame test's spare places also in the 16 tables
    // scaled to a narrow window, of which the 8 of three have seat 4's side place. With them the 40
    // tables of two on the screens between: their card places (but for the 6 plans' stock groups
    // and avatars listed), names, comment line and icon, frames, spare places and notice group;
    // and the 28 tables on the 832 and 900 screens.
    EXPECT_EQ(plans, (168 + kWidePlans + kScaledBetween + kSmallFour) * 3);
    const int walked = 32 * (88 + 3 + 88 + 4) + 32 * (132 + 172) + 32 * 4 * 5;
    const int between = 20 * (88 + 3 + 88 + 4 + 2 * (5 + 4 + 7 + 6 + 2 + 5) + 3 + 4);
    EXPECT_EQ(places, 3 * (walked + 20 * (88 + 3 + 88 + 4 + 2 * 5) - 6 * 5 + kWideCards +
                           (kScaledBetween + kSmallFour) * kScaledBetweenCards));
    const int names = 64 * 4 + 24 * 5 + 24 * 6, frames = 112 * 7 + 32 * 3 + 80 * 4;
    const int spares = 128 * 6 + 64 * 2 + 32, notices = 112 * 5;
    // The 16 scaled tables' names, comment line and icon (5 or 6), centre frame, wild-card labels
    // and small parts (11) and notice group (5).
    const int scaled = 8 * (5 + 11 + 5) + 8 * (6 + 11 + 5);
    const int wide = kWideCards + kWideNames + kWideFrames + kWideSpares + kWidePlans * 5;
    EXPECT_EQ(controls, 3 * (walked + names + frames + spares + notices + scaled + between + wide +
                             (kScaledBetween + kSmallFour) * kScaledBetweenControls));
}

bool FrameGroup(const QString& name) {
    static const QStringList names = {"imgCenter", "LblWild", "ImgHold",  "lblHighlight",
                                      "imgMenu",   "imgTip",  "imgTipUp", "lblLevel"};
    return names.contains(name);
}

// The centre frame, the wild-card labels, the small parts and the spare places worked out by
// arithmetic are those the plan has, and so are the frame's picture and stretch and the stock's
// picture.
TEST_F(LayoutPlanTest, TheArithmeticCentreFrameAndSmallPartsAgreeWithThePlan) {
    Pictures_Init();
    int compared = 0, spares = 0, plans = 0;
    ForEachCoveredPlan(
        [&](const LayoutInputs& in, const LayoutPlan& plan) {
            const std::vector<GridPlace> places = LayoutGrid_Places(in);
            compared += ExpectPlacesAgree(plan, FrameGroup, places);
            spares += ExpectPlacesAgree(
                plan, [](const QString&) { return true; }, LayoutGrid_SpareParts(in, places));
            const QImage frame = LayoutGrid_CenterPicture(in), stock = LayoutGrid_StockPicture(in);
            EXPECT_EQ(LayoutGrid_CenterStretch(in), plan.imgCenterStretch);
            EXPECT_TRUE(!frame.isNull() && frame == plan.imgCenterPicture) << frame.width();
            EXPECT_TRUE(!stock.isNull() && stock == plan.stockPicture) << stock.width();
            ++plans;
        },
        std::nullopt, true);
    // The 112 plans of the walk: the frame and six small parts in each, three wild-card labels
    // on the 32 two-player tables with three piles, four on the other 80; six spare places in
    // each, and the side places of seats 3 and 4 on the 64 tables of two, of seat 4 on the 24
    // of three; as many in the 40 tables of two on the screens between, and the 28 on the 832 and
    // 900 screens.
    EXPECT_EQ(compared, 112 * 7 + 32 * 3 + 80 * 4 + 16 * (7 + 4) + 40 * 7 + 20 * 3 + 20 * 4 + kWideFrames +
                            (kScaledBetween + kSmallFour) * 11);
    EXPECT_EQ(spares, 112 * 6 + 64 * 2 + 24 + 16 * 6 + 8 + 40 * (6 + 2) + kWideSpares +
                          (kScaledBetween + kSmallFour) * 6);
    EXPECT_EQ(plans, 168 + kWidePlans + kScaledBetween + kSmallFour);
    // The frame's second look and another deck colour.
    Com.PlaceholderStyle = 1;
    Com.DeckColour = 0x00336699;
    Pictures_Init();
    for (const int centers : {3, 4}) {
        LayoutInputs in = Layout_InputsNow(DisplayMode::Standard, true);
        in.centers = centers;
        const LayoutPlan plan = Layout_Rehearse(in);
        EXPECT_TRUE(LayoutGrid_CenterPicture(in) == plan.imgCenterPicture) << centers;
        EXPECT_TRUE(LayoutGrid_StockPicture(in) == plan.stockPicture) << centers;
    }
}

// A back chosen since the table was last laid out shows on the stock when it is laid out again.
TEST_F(LayoutPlanTest, ANewBackShowsOnTheStockWhenTheTableIsLaidOutAgain) {
    Pictures_Init();
    Table(2, 3, 15360);
    Layout_Relay(DisplayMode::Standard);
    DeckSource.Back = [](int, QSize size, qreal) {
        QImage back(size, QImage::Format_ARGB32_Premultiplied);
        back.fill(Qt::red);
        return back;
    };
    Com.BackStyle = 1;
    GetCardBacks(Com.BackStyle);
    Layout_Relay(DisplayMode::Standard);
    DeckSource = DeckSourceHooks{};
    EXPECT_EQ(form->PicCenter(0).Picture().pixelColor(10, 10), QColor(Qt::red));
}

// Every place, size, shown state and font of a plan, and the layout state it leaves.
QString PlanText(const LayoutPlan& plan) {
    QString out;
    for (const PlacedControl& c : plan.controls)
        out += QStringLiteral("%1(%2) %3 %4 %5 %6 %7 %8 %9\n")
                   .arg(c.name)
                   .arg(c.index)
                   .arg(c.rect.x())
                   .arg(c.rect.y())
                   .arg(c.rect.width())
                   .arg(c.rect.height())
                   .arg(c.visible)
                   .arg(c.fontSize)
                   .arg(c.stack);
    const TableState& s = plan.state;
    return out + QStringLiteral("card %1x%2 mode %3 window %4x%5 center %6,%7 shrink %8\n")
                     .arg(s.CardWidth)
                     .arg(s.CardHeight)
                     .arg(int(plan.mode))
                     .arg(plan.window.width())
                     .arg(plan.window.height())
                     .arg(s.CenterLeft)
                     .arg(s.CenterTop)
                     .arg(s.TableShrink);
}

TEST_F(LayoutPlanTest, EqualInputsGiveEqualPlansWhateverTheTableHolds) {
    QTemporaryDir user;
    const QString kept = std::exchange(Com.UserPath, user.path() + "/");
    QImage face(40, 60, QImage::Format_RGB32);
    face.fill(Qt::red);
    QDir().mkpath(Com.UserPath + "Avatars");
    ASSERT_TRUE(face.save(Com.UserPath + "Avatars/face.png"));
    const QSize screens[] = {{640, 480}, {800, 600}, {1024, 768}};
    for (const QSize screen : screens)
        for (int players : {2, 3})
            for (int mode = 0; mode <= 3; ++mode) {
                SCOPED_TRACE(testing::Message()
                             << screen.width() << ", " << players << " players, mode " << int(mode));
                Com.Pturn = 1;
                Eng.Seat2Rec.RecAvatar.clear();
                LayoutInputs in = Layout_InputsNow(DisplayMode(mode), true);
                in.screenWidthTw = screen.width() * 15;
                in.screenHeightTw = screen.height() * 15;
                in.players = players;
                in.centers = players > 2 ? 4 : 3;
                in.window = QSize(screen.width(), screen.height() - 60);
                const QString first = PlanText(Layout_Plan(in));
                // No one on turn with seat 2's picture on disk, other fonts and another look.
                Com.Pturn = 0;
                Eng.Seat2Rec.RecAvatar = QStringLiteral("face.png");
                Com.CommentFontSize = 14;
                form->Label9(kLblMessage).SetFontSize(15);
                form->Label9(kLblComment).SetFontSize(13);
                Com.PlaceholderStyle = 1 - Com.PlaceholderStyle;
                Tbl.FontScale = 0.8;
                Tbl.NoticeFont = {};
                Eng.Seat2Rec.RecName = QStringLiteral("Someone With A Long Name");
                EXPECT_EQ(PlanText(Layout_Plan(in)).toStdString(), first.toStdString());
                EXPECT_TRUE(Layout_Plan(in).inputs == in);
                Tbl.FontScale = 1;
            }
    Com.UserPath = kept;
}

} // namespace
