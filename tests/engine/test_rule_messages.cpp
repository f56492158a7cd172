#include "engine/RuleMessages.h"
#include "tests/engine/test_deal_support.h"

namespace {

class RuleTest : public DealTest {
  protected:
    void SetUp() override {
        DealTest::SetUp();
        Eng.CenterCount.Redim(Com.NumCenters);
        Com.Pturn = 1;
    }
    // Puts a card of `rank` into slot 1 and asks whether it may go onto `pile` holding `count` cards.
    bool Legal(int rank, int pile, int count) {
        Eng.PlayerCards(1, 1) = rank;
        Eng.PlayerCards(0, 1) = rank;
        Eng.SourceSlot = 1;
        Eng.TargetPile = pile;
        Eng.CenterCount(pile) = count;
        Com.Pturn = 1;
        Rules_CheckCenter();
        const bool ok = Com.Pturn == 1;
        Com.Pturn = 1;
        return ok;
    }
    QString Rule() { return form->Label9(1).Caption(); }
};

TEST_F(RuleTest, CenterPilesTakeTheNextRankAndKingsAreWild) {
    EXPECT_TRUE(Legal(1, 1, 0));
    EXPECT_TRUE(Legal(12, 2, 11));
    EXPECT_TRUE(Legal(13, 3, 11));
    EXPECT_TRUE(Legal(13, 1, 0));
    EXPECT_TRUE(svc.boxes->shown.empty());
    // A full pile takes nothing, not even a King.
    EXPECT_FALSE(Legal(13, 1, 12));
    EXPECT_FALSE(Legal(1, 1, 12));

    EXPECT_FALSE(Legal(2, 1, 0));
    EXPECT_EQ(Rule(), "Center piles are built up in sequence (Ace to Queen). "
                      "That card cannot be played to any Center pile yet.");
    EXPECT_EQ(svc.sound->played.back(), Com.DataPath + "~108.tmp");
    Eng.DragOn = true;
    EXPECT_FALSE(Legal(5, 2, 5));
    EXPECT_TRUE(Rule().endsWith("to that Center pile yet."));
    Eng.DragOn = false;

    // No turn in progress: refused without a word.
    form->Label9(1).SetCaption("x");
    Eng.PlayerCards(1, 1) = 4;
    Eng.CenterCount(1) = 0;
    Eng.TargetPile = 1;
    Com.Pturn = 0;
    Rules_CheckCenter();
    EXPECT_EQ(Com.Pturn, 99);
    EXPECT_EQ(Rule(), " ");

    Com.NoWildAce = true;
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Legal(13, 2, 0));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Wild card can not be used as an Ace.");
    EXPECT_EQ(svc.boxes->shown[0].title, "Rules Enforced");
    EXPECT_TRUE(Legal(13, 2, 4));
}

TEST_F(RuleTest, TheOtherRuleMessages) {
    const QString texts[] = {
        "Once a card has been placed on a Hold pile, it can only be played to the Center piles.",
        "Please stop --\r\n     It's NOT your turn!",
        "\r\nYour Side card can only be played to a Center pile."};
    for (int kind = 2; kind <= 4; ++kind) {
        Rules_Message(kind);
        EXPECT_EQ(Rule(), texts[kind - 2]);
    }
    Com.SoundMode = 2;
    const auto sounds = svc.sound->played.size();
    Rules_Message(3);
    EXPECT_EQ(svc.sound->played.size(), sounds);
}

TEST_F(RuleTest, RulesCaptionForEveryHouseRule) {
    struct Case {
        int forced;
        bool noWild;
        int width, layout;
        const char* text;
    } cases[] = {
        {0, false, 12000, 0, "Rules: 20 cards "},
        {1, false, 12000, 0, "Rules: 20 cards Ace"},
        {2, false, 12000, 0, "Rules: 20 cards , Two"},
        {3, false, 12000, 0, "Rules: 20 cards Ace, Two"},
        {3, false, 12000, 2, "Rules: 20 cards A,T"},
        {3, false, 11999, 0, "Rules: 20 cards A,T"},
        {4, false, 12000, 0, "Rules: 20 cards "},
        {5, false, 12000, 0, "Rules: 20 cards Ace (V)"},
        {6, false, 12000, 0, "Rules: 20 cards Two (V)"},
        {7, true, 12000, 2, "Rules: 20 cards A,T (V) - No Wild Ace"},
        {7, true, 12000, 0, "Rules: 20 cards Ace, Two (V) - No Wild Ace"},
        {7, true, 11999, 0, "Rules: 20 cards A,T (V), No Wild A"},
        {0, true, 15360, 3, "Rules: 20 cards  - No Wild Ace"},
    };
    for (const auto& c : cases) {
        Com.ForcedCards = c.forced;
        Com.NoWildAce = c.noWild;
        Com.LayoutMode = c.layout;
        svc.screen->widthTwips = c.width;
        Rules_ShowCaption();
        EXPECT_EQ(form->lblRules.Caption(), c.text) << c.forced << "/" << c.width << "/" << c.layout;
    }
    EXPECT_EQ(Com.ForcedCards, 0); // 4 alone means nothing and does not survive
    Com.SideSize = 9;
    Com.ForcedCards = 4;
    Rules_ShowCaption();
    EXPECT_EQ(Com.ForcedCards, 0);
    EXPECT_EQ(form->lblRules.Caption(), "Rules: 10 cards  - No Wild Ace");

    const std::pair<int, const char*> levels[] = {
        {0, "Level: Average"}, {2, "Level: Ruthless"}, {3, "Level: Average"}, {-1, "Level: Average"}};
    for (const auto& [level, text] : levels) {
        Eng.Seat2Rec.RecLevel = level;
        Rules_ShowCaption();
        EXPECT_EQ(form->lblLevel.Caption(), text);
    }
    Com.NetGame = 1;
    Com.DecksSeparate = true;
    Rules_ShowCaption();
    EXPECT_EQ(form->lblLevel.Caption(), "Decks: separate");
}

TEST_F(RuleTest, ForcedAceAndTwoHoldUpTheDiscard) {
    auto place = [](int slot, int rank) {
        Eng.PlayerCards(0, slot) = rank;
        Eng.PlayerCards(1, slot) = rank;
    };
    auto passes = [&](int slot) {
        Eng.SourceSlot = slot;
        Eng.DragHomeLeft = 166;
        Eng.DragHomeTop = 392;
        const auto boxes = svc.boxes->shown.size();
        svc.boxes->Expect(platform::vbOK);
        const bool ok = ForcedCard_Check();
        if (ok) svc.boxes->script.clear();
        EXPECT_EQ(svc.boxes->shown.size(), boxes + (ok ? 0 : 1));
        return ok;
    };
    for (int p = 1; p <= 3; ++p)
        Eng.CenterCount(p) = 3;
    for (int s = 1; s <= 10; ++s)
        place(s, s == 1 ? 9 : s <= 6 ? 5 : 0);
    place(4, 1); // an Ace in the hand
    Com.ForcedCards = 1;
    EXPECT_TRUE(passes(3)); // no empty pile: no forced Ace
    Eng.CenterCount(2) = 0;
    EXPECT_FALSE(passes(3));
    EXPECT_EQ(svc.boxes->shown.back().text, "Forced Ace rule is in effect. You must play your Ace");
    EXPECT_EQ(svc.boxes->shown.back().title, "Rule Enforced");
    EXPECT_EQ(form->Picture7(3).LeftPx(), 166);
    Com.ForcedCards = 5; // visible cards only: just the card being discarded
    EXPECT_TRUE(passes(3));
    EXPECT_FALSE(passes(4));
    place(8, 1); // an Ace on a hold pile refuses every discard
    EXPECT_FALSE(passes(3));
    place(8, 0);
    place(4, 13); // Kings never count
    EXPECT_TRUE(passes(3));

    Com.ForcedCards = 2;
    place(5, 2);
    EXPECT_TRUE(passes(3)); // no pile holds exactly one card
    Eng.CenterCount(1) = 1;
    EXPECT_FALSE(passes(3));
    EXPECT_EQ(svc.boxes->shown.back().text, "Forced Two rule is in effect. You must play your Two");
    Com.ForcedCards = 6;
    EXPECT_TRUE(passes(3));
    EXPECT_FALSE(passes(5));
    Com.ForcedCards = 0;
    EXPECT_TRUE(passes(5));
}

TEST_F(RuleTest, MenuNotice) {
    svc.boxes->Expect(platform::vbOK);
    Net_MenuNotice(1);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Vornhelm Online");
    Net_MenuNotice(2);
    EXPECT_EQ(form->Label9(2).Caption(), "Select NEW from the Game Menu to start a new game.");
    Net_MenuNotice(3);
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
}

} // namespace
