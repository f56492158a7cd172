#include "tests/engine/test_deal_support.h"

#include <QTimer>

namespace {

TEST_F(DealTest, StockSizesAndTheFirstHandCard) {
    struct Case {
        int players, side, stock;
    } cases[] = {{2, 19, 64}, {3, 19, 96}, {4, 19, 128}, {4, 9, 168}, {2, 25, 52}, {3, 14, 111}, {2, 9, 84}};
    for (const auto& c : cases) {
        Table(c.players);
        Com.SideSize = c.side;
        Game_New();
        ASSERT_EQ(Eng.DeckCount, c.stock - 5 * c.players) << c.players << "/" << c.side;
        EXPECT_EQ(Eng.PlayerSideCount, c.side + 1);
        EXPECT_EQ(Eng.PlayerSideStack, 25 - c.side);
        for (int seat = 2; seat <= c.players; ++seat) {
            EXPECT_EQ(SeatRecordOf(seat).RecSideCount, c.side + 1);
            EXPECT_EQ(SeatRecordOf(seat).RecSideStack, 25 * seat - c.side);
        }
    }
    // The hands come from the top of the stock that the side piles left: the human's first.
    Table(4);
    Com.SideSize = 9;
    ASSERT_TRUE(::SetUp());
    ASSERT_EQ(Eng.DeckCount, 168);
    const int first = Eng.Deck(0, 168), second = Eng.Deck(0, 167);
    GoDeal();
    EXPECT_EQ(Eng.PlayerCards(0, 2), first);
    EXPECT_EQ(Eng.Seat2Rec.RecCards(0, 2), second);
    EXPECT_EQ(Eng.Deck(0, 168), 0);
    EXPECT_FALSE(Eng.TableBusy);
}

TEST_F(DealTest, SidePilesComeOffTheTopOneCardPerSeatAndPass) {
    for (int players = 2; players <= 4; ++players) {
        for (int side : {9, 19, 25}) {
            Table(players);
            Com.SideSize = side;
            PackOrder();
            // An earlier game with bigger side piles left cards above the new ones.
            Eng.PlayerSide(0, 26) = Eng.Seat2Rec.RecSide(0, 26) = 77;
            SidePiles_Deal();
            if (side < 25) {
                EXPECT_EQ(Eng.PlayerSide(0, 26), 0);
                EXPECT_EQ(Eng.Seat2Rec.RecSide(0, 26), 0);
            }
            const int total = players * 52;
            for (int pass = 1; pass <= side + 1; ++pass) {
                const int k = total - (pass - 1) * players;
                for (int seat = 1; seat <= players; ++seat) {
                    ASSERT_EQ(SideOfSeat(seat)(0, pass), k - (seat - 1))
                        << players << "/" << side << "/" << seat;
                    ASSERT_EQ(Eng.Deck(0, k - (seat - 1)), 0);
                }
            }
            EXPECT_EQ(Eng.DeckCount, total - (side + 1) * players);
            EXPECT_NE(Eng.Deck(0, Eng.DeckCount), 0);
            for (int seat = 1; seat <= players; ++seat) {
                EXPECT_EQ(CardsOfSeat(seat)(0, 1), SideOfSeat(seat)(0, side + 1));
                EXPECT_EQ(CardsOfSeat(seat)(1, 1), RankOf(SideOfSeat(seat)(0, side + 1)));
            }
        }
    }
}

TEST_F(DealTest, EveryCardIsSomewhereExactlyOnceAfterADeal) {
    for (int players = 2; players <= 4; ++players) {
        Table(players);
        for (int side : {9, 14, 19, 25}) {
            for (bool separate : {false, true}) {
                Com.SideSize = side;
                Com.DecksSeparate = separate;
                Com.NoWildAce = separate;
                Com.ForcedCards = side == 14 ? 3 : 0;
                Game_New();
                const auto where = CardsInPlay();
                ASSERT_EQ(static_cast<int>(where.size()), Com.TotalCards) << players << "/" << side;
                for (const auto& [card, n] : where) {
                    ASSERT_TRUE(card >= 1 && card <= Com.TotalCards) << card;
                    ASSERT_EQ(n, 1) << "card " << card;
                }
                for (int i = 1; i <= Com.TotalCards; ++i) {
                    if (i <= Eng.DeckCount) {
                        ASSERT_EQ(Eng.Deck(1, i), RankOf(Eng.Deck(0, i)));
                    } else {
                        ASSERT_EQ(Eng.Deck(0, i) + Eng.Deck(1, i), 0) << "spent position " << i;
                    }
                }
                // Seen: the hands and the side tops, nothing else.
                int seen = 0;
                for (int n = 1; n <= Com.TotalCards; ++n)
                    seen += Eng.Deck(2, n);
                EXPECT_EQ(seen, 6 * players);
                EXPECT_EQ(Eng.Deck(2, Eng.PlayerCards(0, 1)), 1);
                EXPECT_EQ(Eng.TurnCount, 1);
                EXPECT_EQ(Com.Pturn, 1) << "the other seats have played round to the human";
            }
        }
    }
}

TEST_F(DealTest, SeparatePacksStaySeparate) {
    for (int players = 2; players <= 4; ++players) {
        Table(players);
        for (bool separate : {true, false}) {
            Com.DecksSeparate = separate;
            Stock_Build();
            int foreign = 0;
            for (int i = 1; i <= Com.TotalCards; ++i)
                foreign += (Eng.Deck(0, i) - 1) / 52 != (i - 1) / 52;
            if (separate) {
                EXPECT_EQ(foreign, 0) << players;
            } else {
                EXPECT_GT(foreign, 0) << players;
            }
            EXPECT_EQ(Eng.DeckCount, Com.TotalCards);
        }
    }
}

TEST_F(DealTest, RemoteDealsTheHostsStockOntoItsOwnSeats) {
    struct Row {
        int players, netSeat;
    } rows[] = {{2, 1}, {3, 1}, {3, 2}, {4, 1}, {4, 2}, {4, 3}};
    for (const auto& r : rows) {
        Table(r.players);
        peer = FakePeer{};
        Online(false, "96", r.netSeat);
        Com.NetState = kNetGS;
        Lines_Taken(kNetGS); // the host's start, as the handler takes it
        const int total = Com.TotalCards;
        PackOrder();
        const StockRules rules{19, 0, false, false};
        peer.Stock(Stock_Message(Eng.Deck, total, "96", &rules));
        // The host starts: in a two-player game the host tells the remote's own numbering.
        peer.FirstPlayer(r.players == 2 ? 2 : 1);
        // What the game before left: a stalemate the host abandoned, a win under way.
        Eng.StaleMode = 1;
        Eng.GameWinning = true;
        Eng.TurnResumedHuman = 1;
        cmdDeal_Click();
        EXPECT_EQ(peer.sent, QStringList({"GS", "DK", "TR"})) << r.players << "/" << r.netSeat;
        EXPECT_EQ(Eng.StaleMode, 0) << "the remote's next game starts clean";
        EXPECT_FALSE(Eng.GameWinning);
        auto local = [&](int h) { return HostToLocalSeat(r.players, r.netSeat, h); };
        auto reduced = [](int n) { return (n - 1) % 52 + 1; };
        for (int pass = 1; pass <= 20; ++pass)
            for (int h = 1; h <= r.players; ++h)
                ASSERT_EQ(SideOfSeat(local(h))(0, pass), reduced(total - (pass - 1) * r.players - (h - 1)))
                    << r.players << "/" << r.netSeat << " host seat " << h;
        const int stock = total - 20 * r.players;
        for (int h = 1; h <= r.players; ++h)
            EXPECT_EQ(CardsOfSeat(local(h))(0, 2), reduced(stock - (h - 1)))
                << "first hand card, host seat " << h;
        EXPECT_EQ(Eng.DeckCount, stock - 5 * r.players);
        EXPECT_EQ(Eng.TurnOrder(1), local(1));
        EXPECT_EQ(computerTurns, 1);
        EXPECT_EQ(Com.Pturn, 1);
        EXPECT_FALSE(Eng.TableBusy);
        computerTurns = 0;
    }
}

TEST_F(DealTest, HostSendsStockAndFirstPlayerAndWaitsForEveryAnswer) {
    struct Case {
        int players;
        const char* version;
    } cases[] = {{2, "96"}, {2, "74"}, {3, "96"}, {4, "80"}};
    for (const auto& c : cases) {
        for (int seed = 1; seed <= 4; ++seed) {
            Table(c.players);
            peer = FakePeer{};
            Online(true, c.version);
            platform::Svc().random.Randomize(static_cast<unsigned>(seed));
            for (int state : {3, 4, 5})
                peer.Answers(state);
            Game_New();
            ASSERT_EQ(peer.sent.size(), 3) << c.version;
            EXPECT_EQ(peer.sent[0], "GS");
            // The stock the host dealt from is the one it sent.
            Com.NetDeck = peer.sent[1].mid(3).trimmed();
            StockRead sent;
            ASSERT_TRUE(Stock_Parse(c.version, Com.TotalCards, Com.TotalCards, true, sent));
            EXPECT_EQ(sent.numbers[static_cast<size_t>(Com.TotalCards)], Eng.PlayerSide(0, 1));
            EXPECT_EQ(sent.numbers[static_cast<size_t>(Com.TotalCards - 1)], Eng.Seat2Rec.RecSide(0, 1));
            const int first = Eng.TurnOrder(1);
            const bool ownNumbering = c.players == 2 && !Version_AtMost(c.version, "74");
            const int told = ownNumbering ? (first == 1 ? 2 : 1) : first;
            EXPECT_EQ(peer.sent[2], "TR " + NumStr(told)) << c.version << " first " << first;
            EXPECT_FALSE(Eng.TableBusy);
            EXPECT_EQ(Eng.TurnCount, 1);
        }
    }
}

TEST_F(DealTest, HostRefusesAGameTheConnectionsDoNotFill) {
    Table(3);
    Online(true, "96");
    Com.NetGame = 1;
    svc.boxes->Expect(platform::vbOK);
    Game_New();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text,
              "You have 1 opponent(s).\r\nUse the Internet Menu, Host Setup option to "
              "change the setup to match the number of players.");
    EXPECT_TRUE(peer.sent.isEmpty());
    EXPECT_EQ(Eng.PlayerSideCount, 0);
    EXPECT_FALSE(Eng.TableBusy);
}

TEST_F(DealTest, NewGameAsksWhenTheOpponentIsAboutToWin) {
    enum Box { None, YesNo, Ok };
    struct Case {
        int human, seat;
        Box box;
        int answer;
        bool starts;
    } cases[] = {
        {5, 1, YesNo, platform::vbYes, true},
        {5, 1, YesNo, platform::vbNo, false},
        {3, 2, YesNo, platform::vbNo, false},
        {10, 1, YesNo, platform::vbYes, true},
        {11, 1, Ok, platform::vbOK, true},
        {12, 2, Ok, platform::vbOK, true},
        {2, 2, None, 0, true},
        {1, 2, None, 0, true},
        {9, 3, None, 0, true},
    };
    for (const auto& c : cases) {
        Eng.SeatSideCount = 0;
        Game_New();
        svc.boxes->shown.clear();
        Eng.PlayerSideCount = c.human;
        Eng.SeatSideCount = c.seat;
        Eng.TurnCount = 7;
        if (c.box != None) svc.boxes->Expect(c.answer);
        Game_New();
        const QString what = QStringLiteral("%1 against %2").arg(c.human).arg(c.seat);
        if (c.box == None) {
            EXPECT_TRUE(svc.boxes->shown.empty()) << what.toStdString();
        } else {
            ASSERT_EQ(svc.boxes->shown.size(), 1u) << what.toStdString();
            const auto& b = svc.boxes->shown[0];
            EXPECT_EQ(b.title, "Grulm");
            EXPECT_EQ(b.style & 0x0F, c.box == Ok ? platform::vbOKOnly : platform::vbYesNo);
            EXPECT_EQ(b.text,
                      c.box == Ok
                          ? "Sure, go ahead, start a new game when I'm winning!"
                          : "Are you serious?!\r\nI'm about to win and you want to start a new game???");
        }
        EXPECT_EQ(Eng.PlayerSideCount, c.starts ? 20 : c.human) << what.toStdString();
        EXPECT_EQ(Eng.TurnCount, c.starts ? 1 : 7) << what.toStdString();
        EXPECT_FALSE(Eng.TableBusy);
    }
}

class AnnounceTest : public DealTest {
  protected:
    // A set-up whose side tops are the given cards, the toss made again over them.
    void Tops(std::vector<int> cards) {
        Table(static_cast<int>(cards.size()));
        ASSERT_TRUE(::SetUp());
        for (int seat = 1; seat <= Com.NumPlayers; ++seat) {
            const int card = cards[static_cast<size_t>(seat - 1)];
            BArray<int, 2>& side = SideOfSeat(seat);
            side(0, SideCountOfSeat(seat)) = card;
            side(1, SideCountOfSeat(seat)) = RankOf(card);
            CardsOfSeat(seat)(0, 1) = card;
            CardsOfSeat(seat)(1, 1) = RankOf(card);
        }
        Toss();
        WhosOnFirst();
    }
    QString Line(int i) { return form->Label9(i).Caption(); }
    int Played(const char* file) { return static_cast<int>(svc.sound->played.count(Com.DataPath + file)); }
};

TEST_F(AnnounceTest, HumanWithTheHigherTopGoesFirst) {
    QStringList log;
    Hooks.MoveLogOn = [] { return true; };
    Hooks.Game_Capture = [&] { log << "capture"; };
    Hooks.MoveHistory_Write = [&](int record) { log << QString::number(record); };
    Tops({13, 5});
    GoDeal();
    EXPECT_EQ(Line(2), "\r\n\r\nYOU go first");
    EXPECT_EQ(log, QStringList({"capture", "1"})) << "the turn's start is the first move-history record";
    EXPECT_EQ(Com.MoveCounter, 1);
    EXPECT_EQ(computerTurns, 0);
    EXPECT_TRUE(form->ImgTurn1.Visible());
    EXPECT_FALSE(form->ImgTurn2.Visible());
    for (int slot = 1; slot <= 6; ++slot)
        EXPECT_TRUE(form->Picture7(slot).Enabled()) << slot;
    EXPECT_EQ(Played("~121.tmp"), 1);
    EXPECT_EQ(Played("~123.tmp"), 0);
    EXPECT_FALSE(Eng.TableBusy);
}

TEST_F(AnnounceTest, OpponentNamesItsWinningCard) {
    Tops({5, 9});
    GoDeal();
    EXPECT_EQ(Line(2), "My 9 beats\r\nyour 5\r\nSo I go FIRST!");
    EXPECT_EQ(computerTurns, 1);
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_TRUE(opponentMarkerShown);
    EXPECT_TRUE(form->ImgTurn1.Visible()); // the turn came back to the human
    EXPECT_FALSE(Eng.TableBusy);

    Tops({3, 11, 12});
    GoDeal();
    EXPECT_EQ(Line(2), "Torvek has the highest card.\r\nTorvek goes FIRST!");
    EXPECT_EQ(computerTurns, 2);
}

TEST_F(AnnounceTest, ATieIsFlippedForAudiblyEvenWithSoundsOff) {
    Com.SoundMode = 2;
    std::set<int> winners;
    for (int seed = 1; seed <= 40 && winners.size() < 2; ++seed) {
        platform::Svc().random.Randomize(static_cast<unsigned>(seed));
        svc.sound->played.clear();
        Tops({7, 20});
        GoDeal();
        winners.insert(Eng.TurnOrder(1));
        EXPECT_EQ(Eng.TossTie, 2);
        EXPECT_EQ(Line(1), "It was a tie...\r\nWe flipped for it.");
        if (Eng.TurnOrder(1) == 2) {
            EXPECT_EQ(Line(2), "Grulm won the toss --\r\nSo Grulm goes FIRST!");
            EXPECT_EQ(Played("~123.tmp"), 2);
        } else {
            EXPECT_EQ(Line(2), "\r\n\r\nYOU go first");
            EXPECT_EQ(Played("~123.tmp"), 1);
        }
        EXPECT_EQ(Played("~121.tmp") + Played("~118.tmp"), 0);
    }
    EXPECT_EQ(winners, (std::set<int>{1, 2}));
}

TEST_F(DealTest, GoDealNeedsACompletedSetUpAndRunsOnce) {
    GoDeal();
    EXPECT_EQ(Eng.PlayerCards(0, 2), 0);
    EXPECT_TRUE(svc.sound->played.isEmpty());
    ASSERT_TRUE(::SetUp());
    EXPECT_TRUE(SetUp_Pending());
    GoDeal();
    const int dealt = Eng.DeckCount;
    EXPECT_FALSE(SetUp_Pending());
    GoDeal();
    EXPECT_EQ(Eng.DeckCount, dealt);
}

TEST_F(DealTest, ABrokenExchangeLeavesNothingBusyAndDealsNothing) {
    struct Case {
        const char* what;
        bool host;
        std::function<void(FakePeer&)> script;
        int netState;
        QStringList sent;
    } cases[] = {
        {"link lost waiting for the stock", false, [](FakePeer&) {}, 6, {"GS"}},
        {"a damaged stock", false, [](FakePeer& p) { p.Stock("DK  1# 2#"); }, 6, {"GS"}},
        {"a new line-up instead of the first player",
         false,
         [](FakePeer& p) {
             p.Stock(Stock_Message(Eng.Deck, 104, "96", nullptr) + " 19# 0# 0# 0#");
             p.State(14);
         },
         14,
         {"GS", "DK"}},
        {"a first player outside the table",
         false,
         [](FakePeer& p) {
             p.Stock(Stock_Message(Eng.Deck, 104, "96", nullptr) + " 19# 0# 0# 0#");
             p.FirstPlayer(7);
         },
         6,
         {"GS", "DK"}},
        {"the host ends the game", false, [](FakePeer& p) { p.State(15); }, 15, {"GS"}},
        {"peers leave during the stock answers",
         true,
         [](FakePeer& p) {
             p.Answers(3);
             p.arrivals.push_back([] { Com.NetGame = 0; });
         },
         6,
         {"GS"}},
    };
    for (auto& c : cases) {
        Table(2);
        PackOrder();
        peer = FakePeer{};
        Online(c.host, "96");
        Com.NetState = kNetGS;
        Lines_Taken(kNetGS); // the host's start, as the handler takes it
        c.script(peer);
        cmdDeal_Click();
        EXPECT_FALSE(Eng.TableBusy) << c.what;
        EXPECT_FALSE(SetUp_Pending()) << c.what;
        EXPECT_EQ(Com.NetState, c.netState) << c.what;
        EXPECT_EQ(Eng.PlayerCards(0, 2), 0) << c.what;
        EXPECT_EQ(c.host ? peer.sent.mid(0, 1) : peer.sent, c.sent) << c.what;
    }
}

TEST_F(DealTest, ClosingDuringTheDealStopsBeforeTheFirstTurn) {
    // Closed during the first pause of the deal, and closed once the hands are out.
    for (bool late : {false, true}) {
        Com.GameAbort = false;
        form->Load();
        int saves = 0;
        // A close that arrives while the game is being saved.
        Hooks.Game_AutoSave = [&] {
            ++saves;
            if (late) Com.GameAbort = true;
        };
        if (!late) QTimer::singleShot(0, [] { Com.GameAbort = true; });
        computerTurns = 0;
        cmdDeal_Click();
        EXPECT_TRUE(Com.GameAbort);
        EXPECT_EQ(saves, late ? 1 : 0);
        EXPECT_EQ(Eng.PlayerCards(0, 2) != 0, late);
        EXPECT_EQ(computerTurns, 0);
        EXPECT_NE(form->Label9(2).Caption(), "\r\n\r\nYOU go first");
        for (int slot = 1; slot <= 10; ++slot)
            EXPECT_FALSE(form->Picture7(slot).Enabled()) << slot;
        EXPECT_FALSE(Eng.TableBusy);
        EXPECT_FALSE(form->Loaded()) << "the table window is unloaded";
    }
}

TEST_F(DealTest, ClosingInTheMiddleOfTheHandsDealsNoMore) {
    // The close is noticed at the third pass of event processing, inside the deal of the hands.
    int passes = 0, saves = 0;
    QTimer ticks;
    ticks.setInterval(0);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        if (++passes == 3) Com.GameAbort = true;
    });
    ticks.start();
    Hooks.Game_AutoSave = [&] { ++saves; };
    Game_New();
    ticks.stop();
    EXPECT_TRUE(Com.GameAbort);
    EXPECT_NE(Eng.PlayerCards(0, 2), 0) << "the deal had begun";
    EXPECT_EQ(Eng.PlayerCards(0, 6), 0) << "and stopped";
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(computerTurns, 0);
    EXPECT_FALSE(form->Picture7(2).Enabled());
    EXPECT_FALSE(Eng.TableBusy);
}

TEST_F(DealTest, RefillDealsEmptySlotsAndAnnouncesAPlayedOutHand) {
    Game_New();
    ASSERT_EQ(Com.Pturn, 1);
    Eng.PlayerCards(0, 3) = Eng.PlayerCards(1, 3) = 0;
    Eng.PlayerCards(0, 5) = Eng.PlayerCards(1, 5) = 0;
    form->Picture7(3).SetEnabled(false);
    Eng.HandCount = 0;
    const int count = Eng.DeckCount, top = Eng.Deck(0, count), next = Eng.Deck(0, count - 1);
    Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
    EXPECT_EQ(Eng.PlayerCards(0, 3), top);
    EXPECT_EQ(Eng.PlayerCards(0, 5), next);
    EXPECT_EQ(Eng.DeckCount, count - 2);
    EXPECT_TRUE(form->Picture7(3).Enabled());
    EXPECT_EQ(form->Label9(1).Caption(), "\r\n\r\nYOU Picked Up");
    EXPECT_EQ(Eng.HandCount, 5);

    Com.Pturn = 2;
    SeatRecord_Copy(Eng.Seat2Rec, false);
    Eng.SeatCards(0, 2) = Eng.SeatCards(1, 2) = 0;
    Eng.HandCount = 0;
    Deal_Players(form->Picture1, Eng.SeatCards, GameOnTable());
    EXPECT_EQ(form->Label9(1).Caption(), "Grulm Picked Up");
    EXPECT_NE(Eng.SeatCards(0, 2), 0);
}

TEST_F(DealTest, AnEmptyStockIsRefilledOrEndsInStalemate) {
    Game_New();
    int reshuffles = 0, stalemates = 0;
    Hooks.STALEMATE = [&] { return ++stalemates > 0; };
    Hooks.RESHUFFLE = [&] { return ++reshuffles > 0; };
    for (int i = 1; i <= Com.TotalCards; ++i)
        Eng.Deck(0, i) = Eng.Deck(1, i) = 0;
    Eng.DeckCount = 0;
    Eng.PlayerCards(0, 4) = Eng.PlayerCards(1, 4) = 0;
    Eng.HandCount = 2;
    Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
    EXPECT_GE(reshuffles, 1);
    EXPECT_EQ(stalemates, 1);
    EXPECT_EQ(Eng.PlayerCards(0, 4), 0);
    EXPECT_EQ(Eng.HandCount, 2) << "the refill ended at once";

    // A refill that finds cards deals them.
    Hooks.RESHUFFLE = [&] {
        ++reshuffles;
        Eng.Deck(0, 1) = 40;
        Eng.Deck(1, 1) = 1;
        Eng.DeckCount = 1;
        return true;
    };
    Deal_Players(form->Picture7, Eng.PlayerCards, GameOnTable());
    EXPECT_EQ(Eng.PlayerCards(0, 4), 40);
    EXPECT_EQ(stalemates, 1);
    EXPECT_EQ(Eng.HandCount, 5);
}

TEST_F(DealTest, StandInPlaysTheOtherSeatsRoundToTheHuman) {
    Table(4);
    Game_New();
    form->Piles_EnableRange(form->Picture7, false, 1, 10);
    const SeatRecord s3 = Eng.Seat3Rec, s4 = Eng.Seat4Rec;
    Com.Pturn = 3;
    WhosOnFirst();
    ComputerTurn_StandIn();
    EXPECT_EQ(Com.Pturn, 1);
    EXPECT_EQ(Eng.TurnPos, 3);
    EXPECT_TRUE(Eng.Seat3Rec == s3 && Eng.Seat4Rec == s4) << "nothing played, nothing changed";
    EXPECT_TRUE(form->Picture7(2).Enabled());
    EXPECT_TRUE(form->ImgTurn1.Visible());
    EXPECT_FALSE(form->ImgTurn2.Visible());
    EXPECT_FALSE(Eng.CompTurnActive);
    EXPECT_FALSE(Eng.TableBusy);

    Com.Pturn = 2;
    Com.GameAbort = true;
    ComputerTurn_StandIn();
    EXPECT_EQ(Com.Pturn, 2);
    EXPECT_FALSE(Eng.CompTurnActive);
}

TEST_F(DealTest, NoNewGameWhileAComputerTurnRuns) {
    Game_New();
    const int count = Eng.DeckCount, top = Eng.Deck(0, count);
    svc.sound->played.clear();
    form->cmdDeal.SetVisible(true);
    Eng.CompTurnActive = true;
    Game_New();
    cmdDeal_Click();
    EXPECT_EQ(Eng.DeckCount, count);
    EXPECT_EQ(Eng.Deck(0, count), top);
    EXPECT_TRUE(svc.sound->played.isEmpty());
    EXPECT_TRUE(form->cmdDeal.Visible()) << "the button stays for a later press";
}

TEST_F(DealTest, InstallWiresTheDealButtonAndTheStandIn) {
    Deal_Install();
    ASSERT_TRUE(Hooks.ComputerTurn);
    form->cmdDeal.SetVisible(true);
    form->cmdDeal.FireClick();
    EXPECT_EQ(Eng.PlayerSideCount, 20);
    EXPECT_FALSE(form->cmdDeal.Visible());
    EXPECT_EQ(Com.Pturn, 1);

    bool mine = false;
    Hooks.ComputerTurn = [&] { mine = true; };
    Deal_Install();
    Hooks.ComputerTurn();
    EXPECT_TRUE(mine);
}

TEST_F(DealTest, RemoteResumesAReceivedSnapshot) {
    for (int turn : {1, 2}) {
        peer = FakePeer{};
        Online(false, "96");
        int cardSounds = 0;
        DealHooks.Sound_Card = [&](int kind) { cardSounds += kind == 1; };
        Com.NetState = kNetRC;
        Lines_Taken(kNetRC);
        Com.RecoverPending = 1;
        Com.Pturn = turn;
        computerTurns = 0;
        peer.State(13);
        cmdDeal_Click();
        EXPECT_EQ(peer.sent, QStringList{"RC"});
        EXPECT_EQ(cardSounds, 1);
        EXPECT_EQ(Com.RecoverPending, 0);
        EXPECT_EQ(Com.NetLastType[0], 13);
        EXPECT_TRUE(Com.NetAnswered);
        EXPECT_EQ(computerTurns, turn == 1 ? 0 : 1);
        EXPECT_EQ(form->Label9(1).Caption(),
                  turn == 1 ? "\r\n     It's still your turn." : "\r\n     It's NOT your turn.");
        EXPECT_EQ(Eng.TurnResumedHuman, turn == 1 ? 1 : 0);
        EXPECT_EQ(Eng.TurnResumedOpp, turn == 1 ? 0 : 1);
    }
    // The link lost before the host resumes: nothing is resumed.
    peer = FakePeer{};
    Online(false, "96");
    Com.NetState = kNetRC;
    Lines_Taken(kNetRC);
    Com.RecoverPending = 1;
    Com.Pturn = 2;
    computerTurns = 0;
    cmdDeal_Click();
    EXPECT_EQ(Com.RecoverPending, 1);
    EXPECT_EQ(computerTurns, 0);
}

} // namespace
