// The table's text labels hold the longest texts the game shows in them.
#include "engine/RuleMessages.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/KeepClear.h"
#include "table/Layout.h"
#include "table/TextWrap.h"
#include "tests/table/test_layout_support.h"

#include <QFontMetricsF>
#include <QRectF>
#include <array>

namespace {

using LabelFitTest = LayoutTest;

// The height `text` needs wrapped in the label's width, in the label's font.
double Needed(platform::Label& l, const QString& text, int flags) {
    return QFontMetricsF(l.Font()).boundingRect(QRectF(0, 0, l.WidthPx(), 1e6), flags, text).height();
}

TEST_F(LabelFitTest, NoticesNamesAndMessagesHoldTheirLongestTexts) {
    const QString winner =
        QStringLiteral("That was your LAST CARD! OK, so you won!!!  You beat Grulm by one card! "
                       "I DEMAND a rematch!\n(Grulm had 1 cards left.)");
    const QString longName = QStringLiteral("Maximiliane_Bergmann"); // a login name at its 20 characters
    struct Case {
        int players, centers, twips, mode;
    };
    for (Case c : {Case{2, 3, 12000, 0}, Case{2, 3, 12000, 2}, Case{2, 3, 15360, 0}, Case{3, 4, 12000, 0},
                   Case{4, 4, 12000, 0}, Case{4, 4, 12800, 2}, Case{4, 4, 15360, 0}}) {
        SCOPED_TRACE(testing::Message() << c.players << " players, " << c.twips << " twips, mode " << c.mode);
        TearDown(); // a fresh table each time
        SetUp();
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Table(c.players, c.centers, c.twips, c.mode);
        FrmGrulm& f = *form;
        f.SetScaleMode(platform::vbPixels);
        platform::Label &notice = f.Label9(0), &message = f.Label9(1);
        EXPECT_GE(notice.HeightPx(), Needed(notice, QStringLiteral("Opponent\nALERTED"), Qt::TextWordWrap));
        EXPECT_GE(message.HeightPx() + 1, Needed(message, winner, Qt::TextWordWrap));
        for (int i = 3; i <= 2 + c.players; ++i)
            EXPECT_GE(f.Label9(i).WidthPx(), QFontMetricsF(f.Label9(i).Font()).horizontalAdvance(longName))
                << "name " << i;
    }
}

// The winner's notice shows whole in the message label on every table and screen, whichever
// layout pass placed the labels last.
TEST_F(LabelFitTest, TheWinnersNoticeShowsWholeAndClearOfEverythingElse) {
    const QString notices[] = {
        QStringLiteral(
            "That was the last card, Grulm WON with a margin of  20 ! Were you SLEEPING?\nYou had 20 "
            "cards left!"),
        QStringLiteral(
            "That was your LAST CARD! OK, so you won!!!  Grulm needs more memory...\n(Your opponents had "
            "48 cards left.)")};
    for (const int twips : {12000, 15360, 19200}) {
        for (const int players : {2, 3, 4}) {
            for (const int centers : {3, 4}) {
                for (const int mode : {0, 2}) {
                    if (players > 2 && centers == 3) continue;
                    SCOPED_TRACE(testing::Message() << players << " players, " << centers << " piles, "
                                                    << twips << " mode " << mode);
                    NewTable(players, centers, twips, mode);
                    Layout_Relay(Layout_ModeAsked()); // as the game end does before it writes the notice
                    FrmGrulm& f = *form;
                    const platform::Label& message = f.Label9(kLblMessage);
                    for (const QString& text : notices)
                        EXPECT_GE(message.HeightPx() + 1,
                                  Needed(f.Label9(kLblMessage), text, Qt::TextWordWrap));
                    EXPECT_LE(message.TopPx() + message.HeightPx(), f.StatusBar1.TopPx());
                }
            }
        }
    }
}

// A text shaped once and wrapped at many widths measures what the toolkit measures afresh, to the
// last fraction, for the rule messages, a notice, a return and a tab, a text of two length variants,
// and a word longer than the box.
TEST(WrappedTextTest, MeasuresAsTheToolkitAtEveryWidth) {
    QStringList texts = {
        QStringLiteral("That was your LAST CARD! OK, so you won!!!  Grulm needs more memory...\n"
                       "(Your opponents had 48 cards left.)"),
        QStringLiteral("Kings\tare wild\r\nand count as whatever the pile needs"),
        QStringLiteral("Kings are wild and count as whatever the pile needs\x9cKings are wild"), QString()};
    for (const int kind : {kRuleSequence, kRuleHoldOnly, kRuleNotTurn, kRuleSideOnly})
        texts << Rules_MessageText(kind, true) << Rules_MessageText(kind, false);
    for (double size = 6; size <= 36; size += 2.5)
        for (const bool bold : {false, true}) {
            QFont font = design::TableFont();
            font.setPointSizeF(size);
            font.setBold(bold);
            const QFontMetricsF metrics(font);
            for (const QString& text : texts) {
                WrappedText wrapped(text, font);
                for (double width = 10; width < 700; width += 6.5)
                    ASSERT_EQ(wrapped.At(width),
                              metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).size())
                        << text.toStdString() << " at " << size << " pt, " << width << " px";
            }
        }
}

// The notice fitted in a high room and then in a lower one lies where a fit made afresh in the
// lower room puts it, in the same font: from a room that holds it whole down to one that holds it
// only smaller or cut.
TEST(NoticeFitTest, ALowerRoomGivesWhatAFreshFitThereGives) {
    QFont font = design::TableFont();
    font.setPointSizeF(10);
    font.setBold(true);
    const QString rule = Rules_MessageText(kRuleSequence, true);
    NoticeKeepOff keepOff;
    for (int i = 0; i < 7; ++i)
        keepOff.all.emplace_back(10 + 85 * i, 150, 71, 96);
    keepOff.all.emplace_back(300, 20, 71, 96);
    keepOff.essentials = {keepOff.all.front(), keepOff.all.back()};
    const QRectF line(100, 170, 150, 40);
    auto fit = [&](double bottom, double width) {
        return Notice_FitAmong(line, font, keepOff, bottom, width, rule);
    };
    for (const double high : {480.0, 330.0, 250.0, 190.0})
        for (double low = high; low >= 100; low -= 9) {
            SCOPED_TRACE(testing::Message() << high << " then " << low);
            fit(high, 640);
            const NoticeFitted after = fit(low, 640);
            // Fits of other widths push both out of what the fitting keeps.
            for (int width = 600; width < 640; width += 10)
                fit(low, width);
            const NoticeFitted fresh = fit(low, 640);
            auto exactly = [](const QRectF& r) { return std::array{r.x(), r.y(), r.width(), r.height()}; };
            EXPECT_EQ(exactly(after.box), exactly(fresh.box));
            EXPECT_EQ(after.fontSize, fresh.fontSize);
        }
}

// Each opponent's name is read whole: under its side pile and stack where the places leave
// room, else drawn in front of the stack's edges, never behind them.
TEST_F(LabelFitTest, AnOpponentsNameIsNotCoveredByItsSideStack) {
    auto inFront = [](const platform::Control& a, const platform::Control& b) {
        const QObjectList& order = a.Widget()->parentWidget()->children();
        return order.indexOf(a.Widget()) > order.indexOf(b.Widget());
    };
    for (const int twips : {9600, 12000, 15360}) {
        for (const int players : {2, 3, 4}) {
            for (const int mode : {0, 2}) {
                SCOPED_TRACE(testing::Message()
                             << players << " players, " << twips << " twips, mode " << mode);
                NewTable(players, players == 2 ? 3 : 4, twips, mode);
                int clear = 0;
                for (int seat = 2; seat <= players; ++seat) {
                    const platform::Label& name = form->Label9(SeatNameLabel(seat));
                    const SeatParts s = Seat(seat);
                    QRectF pile = Rect((*s.places)(1));
                    for (int e = s.firstEdge; e <= s.TopEdge(); ++e)
                        pile |= Rect(form->Stack(e));
                    if (!Rect(name).intersects(pile)) {
                        ++clear;
                        continue;
                    }
                    // Its text keeps above the hold frame's top line rather than crossed by it.
                    const double frameTop = form->Label3(seat - 1).TopPx();
                    const double textBottom = name.TopPx() + QFontMetricsF(name.Font()).height();
                    EXPECT_FALSE(frameTop > name.TopPx() && frameTop < textBottom) << seat;
                    EXPECT_TRUE(inFront(name, (*s.places)(1))) << seat;
                    for (int e = s.firstEdge; e <= s.TopEdge(); ++e)
                        EXPECT_TRUE(inFront(name, form->Stack(e))) << seat << " edge " << e;
                }
                // The two-player table has room under seat 2's stack on every screen.
                if (players == 2) {
                    EXPECT_EQ(clear, 1);
                }
            }
        }
    }
}

} // namespace
