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
#include <tuple>
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
        const QString id = c.index >= 0 ? QStringLiteral("%1(%2)").arg(c.name).arg(c.index) : QString(c.name);
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

// The inputs of a table fitted to a screen with a title bar, asking for display mode `mode`.
LayoutInputs ScreenInputs(const QSize& screen, int players, int centers, int mode) {
    LayoutInputs in = Layout_InputsNow(DisplayMode(mode), true);
    in.screenWidthTw = screen.width() * 15;
    in.screenHeightTw = screen.height() * 15;
    in.players = players;
    in.centers = centers;
    in.window = QSize(screen.width(), screen.height() - 60);
    in.frame = QMargins(1, 22, 1, 1);
    in.avatarPicture = QSize(130, 130); // the avatar as drawn for a seat without a picture
    return in;
}

TEST_F(LayoutPlanTest, EveryElementLiesInTheWindowAndOnNoOtherOnEveryScreen) {
    // The screens between the narrow ones (667 wide: the narrowest that keeps the standard display
    // of two with three piles), and one narrower still, with a table of two; screens between 800
    // and 1024 wide (810: where the small display of four is scaled to the window) and lower wide
    // ones with every game size; wide screens too low for the small display of three or four,
    // which is then scaled down to the window, and a narrow one so low that the avatar finds room
    // only off the window's edge; and screens a few pixels short of room for the stock beside the
    // human's hand, or for its arrows above and below it; and screens too low for the small
    // display of two at four fifths, which then draws its rows closer.
    const std::pair<QSize, int> screens[] = {
        {{640, 480}, 4},   {{800, 600}, 4}, {{1024, 768}, 4}, {{1152, 864}, 4}, {{1280, 1024}, 4},
        {{1920, 1080}, 4}, {{600, 450}, 2}, {{700, 525}, 4},  {{720, 480}, 2},  {{720, 576}, 4},
        {{768, 576}, 2},   {{667, 600}, 2}, {{832, 624}, 4},  {{900, 600}, 4},  {{1024, 600}, 4},
        {{1366, 768}, 4},  {{810, 608}, 4}, {{854, 480}, 4},  {{1366, 504}, 4}, {{640, 456}, 3},
        {{801, 600}, 4},   {{869, 600}, 4}, {{850, 560}, 4},  {{640, 432}, 2},  {{800, 440}, 2},
        {{1024, 408}, 2}};
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
    const Named named[] = {{QStringLiteral("Torvek"), double(Com.CommentFontSize)},
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
                    LayoutInputs in = ScreenInputs(screen, size.players, size.centers, mode);
                    in.seatNames = {QStringLiteral("Grulm"), seat3, QStringLiteral("Oskrel")};
                    in.messageFontSize = font;
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
                        const LayoutPlan there = Layout_Plan(in);
                        ExpectClearTable(there, notice);
                        // It holds the least size: another resize takes nothing more off it.
                        EXPECT_EQ(there.minimum, least);
                        // Fitted again from there, as Reset Default Window Size fits it.
                        in.fit = true;
                        const LayoutPlan refitted = Layout_Plan(in);
                        EXPECT_EQ(std::pair(refitted.window, refitted.minimum), std::pair(most, least));
                    }
                }
}

// The small display of three or four on a screen wider than 800 is scaled down, and only down,
// where the screen is too low for the human's rows and name under them; one just high enough
// keeps it as laid out.
TEST_F(LayoutPlanTest, AWideScreenScalesTheSmallDisplayDownOnlyWhereItIsTooLow) {
    const std::tuple<QSize, int, bool> cases[] = {
        {{854, 480}, 3, true},   {{854, 504}, 3, true},  {{854, 512}, 3, false}, {{1024, 512}, 4, true},
        {{1024, 520}, 4, false}, {{1366, 480}, 3, true}, {{1366, 768}, 4, false}};
    for (const auto& [screen, players, down] : cases) {
        SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << ", " << players);
        const LayoutPlan plan = Layout_Plan(ScreenInputs(screen, players, 4, int(DisplayMode::Small)));
        EXPECT_EQ(plan.mode, DisplayMode::Small);
        EXPECT_EQ(plan.state.TableShrink, 1.0);
        EXPECT_EQ(plan.state.TableShrinkDown < 1, down);
        const QRectF name = plan.Find("Label9", SeatNameLabel(1))->rect;
        EXPECT_LE(name.bottom(), plan.window.height() - plan.inputs.statusBarHeight + 1) << Text(name);
    }
}

// Where the window is a few pixels short of room for the stock at its right edge, the human's row
// of four gives way to it, left only as far as that needs; where no room is as high as the stock
// with an arrow above and below, the arrows stand beside its frame, at its top and bottom.
TEST_F(LayoutPlanTest, TheStockKeepsItsColumnAndItsArrowsByItOnWindowsShortOfRoom) {
    const std::tuple<QSize, int, int, double> rows[] = {
        // screen, players, mode, how far the human's side pile stands left of where it is drawn
        {{867, 600}, 4, 0, 6.5}, {{872, 600}, 4, 1, 2.5}, {{873, 600}, 4, 0, 0},
        {{801, 600}, 4, 0, 1},   {{805, 600}, 4, 2, 0},   {{850, 560}, 2, 0, 0},
        {{869, 600}, 2, 1, 0}};
    for (const auto& [screen, players, mode, shift] : rows) {
        SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << ", " << players
                                        << ", mode " << mode);
        const LayoutInputs in = ScreenInputs(screen, players, 4, mode);
        const LayoutPlan plan = Layout_Plan(in);
        const QRectF frame = plan.Find("Label1", -1)->rect, up = plan.Find("ImgTurn2", -1)->rect,
                     down = plan.Find("ImgTurn1", -1)->rect, hold = plan.Find("Label3", 0)->rect;
        if (players == 4) {
            // The side pile stands 1.25 cards left of the hand, which starts at 433.
            EXPECT_DOUBLE_EQ(plan.Find("Picture7", 1)->rect.left(), 433 - 1.25 * 71 - shift);
            EXPECT_GE(frame.left(), hold.right());
        }
        const bool stacked = up.bottom() <= frame.top() && down.top() >= frame.bottom() &&
                             up.center().x() == frame.center().x() && down.center().x() == frame.center().x();
        const bool beside = up.top() == frame.top() && down.bottom() == frame.bottom() && up.left() == down.left() &&
                            (up.left() == frame.right() + 7 || up.right() == frame.left() - 7);
        EXPECT_TRUE(stacked || beside) << Text(frame) << Text(up) << Text(down);
        EXPECT_EQ(beside, players == 2);
    }
}

// The small display of two draws its rows closer only on a screen too low for them at four
// fifths; its cards keep their size, and a screen just high enough keeps the human's row there.
TEST_F(LayoutPlanTest, TheSmallDisplayOfTwoClosesUpOnlyWhereItIsTooLow) {
    const std::tuple<QSize, int, bool> cases[] = {{{640, 448}, 3, true},
                                                  {{640, 456}, 3, false},
                                                  {{1366, 408}, 4, true},
                                                  {{1366, 464}, 4, false},
                                                  {{800, 480}, 4, false}};
    for (const auto& [screen, centers, closer] : cases) {
        SCOPED_TRACE(testing::Message() << screen.width() << "x" << screen.height() << ", " << centers);
        const LayoutInputs in = ScreenInputs(screen, 2, centers, int(DisplayMode::Small));
        EXPECT_EQ(LayoutGrid_SmallTwoDown(in) < 1, closer);
        const QRectF hand = Layout_Plan(in).Find("Picture7", 2)->rect;
        EXPECT_EQ(hand.size(), QSizeF(design::kSmallCard.w, design::kSmallCard.h));
        EXPECT_EQ(hand.top() < 392 * 0.8, closer) << Text(hand);
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
                // Nor by what plans in other fonts measured before it.
                for (const double size : {in.messageFontSize + 3, 7.0}) {
                    LayoutInputs other = in;
                    other.messageFontSize = size;
                    Layout_Plan(other);
                }
                EXPECT_EQ(PlanText(Layout_Plan(in)).toStdString(), first.toStdString());
                Tbl.FontScale = 1;
            }
    Com.UserPath = kept;
}

} // namespace
