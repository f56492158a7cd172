#include "engine/Deal.h"
#include "common/Card.h"
#include "common/NetCodes.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Cards.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/StandIn.h"
#include "engine/TableCodes.h"
#include "engine/TurnOrder.h"
#include "platform/Services.h"

#include <QImage>

namespace {

TableForm& F() {
    return frmGrulm();
}

bool Internet() {
    return Com.NetGame != 0;
}
bool Remote() {
    return Com.NetGame != 0 && Com.NetHost == 0;
}

void PlayAsync(const char* file) {
    if (Com.SoundMode != kSoundsOff) platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(file));
}

// One wait of an exchange. A link that has gone (NetGame 0) counts as a lost connection.
bool Wait(const std::function<bool()>& done, std::initializer_list<int> endStates = {}) {
    if (Net_Wait(done, endStates)) return true;
    if (Com.NetGame == 0) Com.NetState = kNetLost;
    return false;
}
bool Wait(const Exchange& x) {
    return Wait([&x] { return x.Answered() || x.Closed(); }) && x.Answered();
}

// The local seat that host seat h stands for (the same seat outside a remote's table).
int SeatOfHostSeat(int h) {
    return Remote() ? HostToLocalSeat(Com.NumPlayers, Com.NetSeat, h) : h;
}

void MarkSeen(int number) {
    if (number >= 1 && number <= Com.TotalCards) Eng.Deck(2, number) = 1;
}

void ShowEdge(int e) {
    TableForm& f = F();
    if (f.Stack.Exists(e)) f.Stack(e).SetVisible(true);
}

void ShowSideTop(ControlArray<PictureBox>& places, const SeatRecord& rec) {
    const int top = rec.RecSide(0, rec.RecSideCount);
    F().Card_Show(places, 1, top, kShowSilent);
    MarkSeen(top);
}

// The words of the seat that won the toss or has the highest card, and how long they stay.
QString FirstWords(const QString& name, double& pace) {
    if (Eng.TossTie != 0) {
        pace = kPaceTossWon;
        return name + QStringLiteral(" won the toss --\r\nSo ") + name + QStringLiteral(" goes FIRST!");
    }
    pace = kPaceFirstPlayer;
    if (Com.NumPlayers == 2)
        return QStringLiteral("My") + NumStr(Eng.SeatCards(1, 1)) + QStringLiteral(" beats\r\nyour") +
               NumStr(Eng.PlayerCards(1, 1)) + QStringLiteral("\r\nSo I go FIRST!");
    return name + QStringLiteral(" has the highest card.\r\n") + name + QStringLiteral(" goes FIRST!");
}

// The first player's words; true when the deal may go on to the first turn.
bool AnnounceFirst(const GameOnTable& mine) {
    TableForm& f = F();
    auto& sound = *platform::Svc().sound;
    // The toss is heard even with sounds off.
    const QString toss = Com.DataPath + QLatin1String(kSoundToss);
    if (Eng.TossTie != 0) {
        f.Label9(kLblMessage).SetCaption(QStringLiteral("It was a tie...\r\nWe flipped for it."));
        sound.PlaySync(toss);
    }
    // A close while the deal was being saved stops here too.
    if (!mine.Pause(Eng.TossTie != 0 ? kPaceTieToss : 0)) return false;
    if (Com.Pturn == 1) return true;

    SeatRecord_Copy(SeatRecordOf(Com.Pturn), false);
    double pace = 0;
    f.Label9(kLblComment).SetCaption(FirstWords(Eng.SeatName, pace));
    if (Eng.TossTie != 0) sound.PlaySync(toss);
    // A peer's table is told at once: the first turn is its game's too.
    return mine.Pause(Internet() ? 0 : pace) && mine.Pause(Com.ComputerPause);
}

// The human starts: the turn opens with the human's places live.
void HumanFirst() {
    TableForm& f = F();
    f.Label9(kLblComment).SetCaption(QStringLiteral("\r\n\r\nYOU go first"));
    if (Com.PlayerAvatar.isEmpty()) {
        if (Internet()) f.ImgAvatar.SetPicture(QImage());
    } else if (Internet() || Com.NumPlayers >= 3) {
        f.Avatar_Show(Com.PlayerAvatar);
    }
    if (Hooks.MoveLogOn()) {
        Com.MoveCounter = 1;
        Hooks.Game_Capture();
        Hooks.MoveHistory_Write(1);
    }
    f.Piles_EnableRange(f.Picture7, true, 1, 10);
    Eng.DragOn = false;
}

// A remote player's DEAL press: answers the host, then resumes a snapshot or deals.
void RemoteDeal() {
    Net_GameBegins();
    TableForm& f = F();
    f.StatusMsg.SetVisible(false);
    // The press answers the start the host sent, whatever lines came after it.
    const int answer = Lines_TakeDealAnswer();
    if (answer == kNetGS) {
        Game_Begin();
        Lines_Expect(kNetDK);
        Net_SendText(QStringLiteral("GS"));
    } else if (answer == kNetRC) {
        Lines_Expect(kNetRS);
        Net_SendText(QStringLiteral("RC"));
        if (!Version_AtMost(Com.PeerVersion, kOldPeerVersion)) {
            if (!Wait([] { return Net_Take(kNetRS); })) return;
            DealHooks.Sound_Card(kShowSoundFirst);
        }
    }
    if (f.LabelPeek.Visible()) f.LabelPeek.SetVisible(false);
    Com.NetAnswered = true;

    if (Com.RecoverPending == 1) {
        Com.RecoverPending = 0;
        // A repeated resume from the host is ignored.
        Com.NetLastType[0] = kNetRS;
        f.Stacks_ShowCounts(true);
        f.Table_Redraw();
        if (Com.Pturn != 1) {
            f.Label9(kLblMessage).SetCaption(QStringLiteral("\r\n     It's NOT your turn."));
            Eng.TurnResumedOpp = 1;
            Eng.TurnResumedHuman = 0;
            f.ImgTurn2.SetVisible(true);
            f.ImgTurn1.SetVisible(false);
            Hooks.ComputerTurn();
        } else {
            f.Label9(kLblMessage).SetCaption(QStringLiteral("\r\n     It's still your turn."));
            Eng.TurnResumedHuman = 1;
            Eng.TurnResumedOpp = 0;
            f.ImgTurn1.SetVisible(true);
            f.ImgTurn2.SetVisible(false);
        }
        return;
    }
    if (SetUp()) GoDeal();
}

// The stock from the host: read, checked, answered.
bool ReceiveStock() {
    bool damaged = false;
    if (!Wait([&damaged] { return Net_TakeStock(damaged); }, {kNetLO})) return false;
    StockRead stock;
    QString why = QLatin1String(kStockDamaged);
    if (damaged || !Stock_Parse(Com.PeerVersion, Com.TotalCards, Com.TotalCards, true, stock, &why)) {
        Netl.RefuseDamaged(why);
        Com.NetState = kNetLost;
        return false;
    }
    Stock_Apply(stock, Com.PeerVersion, Com.TotalCards);
    Eng.DeckCount = Com.TotalCards;
    Net_SendText(QStringLiteral("DK"));
    return true;
}

// The host's stock to every remote player, once all of them have pressed DEAL.
bool SendStock() {
    // Every remote has pressed DEAL: the new game's exchange, or an older peer's answer to
    // its start, which the set-up waited for.
    const bool older = Version_AtMost(Com.PeerVersion, kOldPeerVersion);
    if (!Wait([older] { return older || Net_KindAnswered(kNetGS); })) return false;
    const StockRules rules{Com.SideSize, Com.ForcedCards, Com.NoWildAce, Com.DecksSeparate};
    Com.NetDeck = Stock_Message(Eng.Deck, Com.TotalCards, Com.PeerVersion, &rules);
    const Exchange dk = Net_Open(kNetDK, Net_Answerers());
    Net_SendAllText(Com.NetDeck);
    return Wait(dk);
}

// The first player as the host chose it, in local seat numbers.
bool ReceiveFirstPlayer() {
    if (!Wait([] { return Net_Take(kNetTR); }, {kNetGS, kNetLO})) return false;
    if (Com.Pturn < 1 || Com.Pturn > Com.NumPlayers) {
        Com.NetState = kNetLost;
        return false;
    }
    Net_SendText(QStringLiteral("TR"));
    if (!Version_AtMost(Com.PeerVersion, kOldPeerVersion) && Com.NumPlayers >= 3) PturnCalculate();
    return true;
}

bool SendFirstPlayer() {
    int seat = Com.Pturn;
    // A current two-player peer is told in its own numbering.
    if (Com.NumPlayers == 2 && !Version_AtMost(Com.PeerVersion, kOldPeerVersion))
        seat = Com.Pturn == 1 ? 2 : 1;
    Com.NetOut = QStringLiteral("TR ") + NumStr(seat);
    const Exchange tr = Net_Open(kNetTR, Net_Answerers());
    Net_SendAllText(Com.NetOut);
    return Wait(tr);
}

// A local seat about to win has its say first; false when the player keeps the game on.
// The question comes before anything changes, so "No" leaves the game as it was.
bool WinnerAgrees() {
    if (Internet() || (Eng.SeatSideCount != 1 && Eng.SeatSideCount != 2)) return true;
    const int d = Eng.PlayerSideCount - Eng.SeatSideCount;
    const QString& title = Eng.Seat2Rec.RecName;
    if (d >= 10) {
        platform::MsgBox(QStringLiteral("Sure, go ahead, start a new game when I'm winning!"),
                         platform::vbOKOnly, title);
    } else if (d >= 1) {
        const int answer = platform::MsgBox(
            QStringLiteral("Are you serious?!\r\nI'm about to win and you want to start a new game???"),
            platform::vbYesNo, title);
        if (answer != platform::vbYes) return false;
    }
    return !Com.GameAbort;
}

// The host's new game: the table cleared, GS to every remote, and every DEAL press awaited.
// False when the table size does not match the players, or the link broke meanwhile.
bool PeersPressDeal() {
    TableForm& f = F();
    f.Table_Clear();
    if (Com.NumPlayers != Com.NetGame + 1) {
        platform::MsgBox(QStringLiteral("You have") + NumStr(Com.NetGame) +
                         QStringLiteral(" opponent(s).\r\nUse the Internet Menu, Host Setup option to change "
                                        "the setup to match the number of players."));
        return false;
    }
    f.Piles_EnableRange(f.Picture7, false, 1, 10);
    f.StatusMsg.SetVisible(false);
    Net_GameBegins();
    const Exchange gs = Net_Open(kNetGS, Net_Answerers());
    Net_SendAllText(QStringLiteral("GS"));
    f.StatusMsg.SetCaption(
        QStringLiteral("Waiting for opponent(s) to click their DEAL button so the game can begin"));
    f.StatusMsg.SetVisible(true);
    f.Label9(kLblNotice).SetCaption(QStringLiteral("WAITING for Opponent"));
    f.Label9(kLblNotice).SetVisible(true);
    bool everyone = false;
    {
        // A second start while the peers are asked would leave this one waiting for ever.
        GameStarting starting;
        everyone = Wait(gs);
    }
    // The waiting notice goes whether the wait succeeded or the link broke.
    f.StatusMsg.SetVisible(false);
    f.Label9(kLblNotice).SetCaption(QString());
    return everyone;
}

} // namespace

bool SetUp_Pending() {
    return Eng.SetUpDone;
}

void Stock_Build() {
    Eng.Deck.Redim(2, Com.TotalCards);
    int r = 0;
    for (int i = 1; i <= Com.TotalCards; ++i) {
        r = r == kRankKing ? 1 : r + 1;
        Eng.Deck(0, i) = i;
        Eng.Deck(1, i) = r;
    }
    if (Com.DecksSeparate) {
        Eng.DeckCount = 52;
        for (int k = 1; k <= Com.NumPlayers; ++k)
            Deck_Shuffle(52 * (k - 1) + 1, 52 * k, 52 * (k - 1));
    } else {
        Eng.DeckCount = Com.TotalCards;
        Deck_Shuffle(1, Com.TotalCards);
    }
    Eng.DeckCount = Com.TotalCards;
}

void SidePiles_Deal() {
    const int players = Com.NumPlayers;
    const int total = Com.TotalCards;
    const int size = Com.SideSize + 1;

    Eng.PlayerSideStack = 25 - Com.SideSize;
    Eng.SeatSideStack = 50 - Com.SideSize;
    for (int seat = 2; seat <= players; ++seat) {
        SeatRecord& rec = SeatRecordOf(seat);
        rec.RecSideStack = 25 * seat - Com.SideSize;
        rec.RecSideCount = size;
    }
    if (Com.DebugMode) F().DebugShowDeck();

    // Piles left from an earlier game must not hold cards of this one twice.
    Eng.PlayerSide.Clear();
    for (int seat = 2; seat <= 4; ++seat)
        SeatRecordOf(seat).RecSide.Clear();
    Eng.PlayerSideCount = 0;
    Eng.SeatSideCount = 0;
    for (int pass = 1; pass <= size; ++pass) {
        const int k = total - (pass - 1) * players;
        ++Eng.PlayerSideCount;
        ++Eng.SeatSideCount;
        for (int j = 0; j < players; ++j) {
            const int seat = SeatOfHostSeat(j + 1);
            BArray<int, 2>& pile = *Seat(seat).side;
            const int at = seat == 1 ? Eng.PlayerSideCount : Eng.SeatSideCount;
            for (int f = 0; f <= 1; ++f) {
                pile(f, at) = Eng.Deck(f, k - j);
                Eng.Deck(f, k - j) = 0;
            }
        }
    }
    Eng.DeckCount = total - size * players;

    for (int f = 0; f <= 1; ++f)
        Eng.PlayerCards(f, 1) = Eng.PlayerSide(f, Eng.PlayerSideCount);
    for (int seat = 2; seat <= players; ++seat) {
        SeatRecord& rec = SeatRecordOf(seat);
        for (int f = 0; f <= 1; ++f)
            rec.RecCards(f, 1) = rec.RecSide(f, Eng.SeatSideCount);
    }
}

bool SetUp() {
    GameStarting starting;
    Eng.SetUpDone = false;
    TableForm& f = F();
    if (Com.NetSavedPause != 0 && !Internet()) Com.ComputerPause = Com.NetSavedPause;
    if (Remote()) f.Table_Clear();
    if (!Internet()) Com.NetHost = 0;

    if (Remote()) {
        // A seat the table size does not have cannot be dealt to.
        if (!SeatMapValid(Com.NumPlayers, Com.NetSeat)) {
            Com.NetState = kNetLost;
            return false;
        }
        Eng.Deck.Redim(2, Com.TotalCards);
        const bool received = ReceiveStock();
        Com.NetDeck.clear();
        if (!received) return false;
    } else {
        Stock_Build();
        Com.NetDeck.clear();
        if (Internet() && !SendStock()) return false;
    }
    Com.NetDeck.clear();
    if (Internet()) Hooks.Rules_ShowCaption();

    SidePiles_Deal();

    Toss();
    if (Remote() && !ReceiveFirstPlayer()) return false;
    WhosOnFirst();
    if (Internet() && !Remote() && !SendFirstPlayer()) return false;

    Eng.TurnResumedOpp = 1;
    Eng.TurnResumedHuman = 2;
    Eng.SetUpDone = true;
    return true;
}

// Side tops, stacks and hands, and the first player's words; false when the game did not
// stay on the table meanwhile.
static bool DealOpening(const GameOnTable& mine) {
    GameStarting starting;
    TableForm& f = F();
    f.Label9(kLblMessage).SetCaption(QStringLiteral(" "));
    if (!Internet()) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    PlayAsync(kSoundDeal);

    for (int e = kEdgesPerSeat; e >= kEdgesPerSeat + 1 - Com.SideSize; --e)
        for (int seat = 1; seat <= Com.NumPlayers; ++seat)
            ShowEdge(Seat(seat).firstEdge - 1 + e);

    ShowSideTop(*Seat(2).places, Eng.Seat2Rec);
    const int top = Eng.PlayerSide(0, Eng.PlayerSideCount);
    f.Card_Show(f.Picture7, 1, top, kShowSilent);
    MarkSeen(top);
    f.ImgHold.SetVisible(true);
    for (int seat = 3; seat <= Com.NumPlayers; ++seat)
        ShowSideTop(*Seat(seat).places, *Seat(seat).record);

    if (!mine.Pause(kPaceBeforeDeal)) return false;
    PlayAsync(kSoundDealHands);
    if (!Deal_All(mine)) return false;

    Hooks.Game_AutoSave();
    Eng.TurnCount = 1;
    f.StatusBar_Clear();
    f.WildUpdate();
    f.Counter_Refresh();
    f.ImgTurn1.SetVisible(Com.Pturn == 1);
    f.ImgTurn2.SetVisible(Com.Pturn != 1);
    return AnnounceFirst(mine);
}

void GoDeal() {
    if (!Eng.SetUpDone) return;
    Eng.SetUpDone = false;
    const GameOnTable mine;
    if (!DealOpening(mine)) return;
    if (Com.Pturn != 1)
        Hooks.ComputerTurn();
    else
        HumanFirst();
}

PauseAnswer Deal_All(const GameOnTable& mine) {
    TableForm& f = F();
    for (int slot = 2; slot <= 6; ++slot) {
        for (int h = 1; h <= Com.NumPlayers; ++h) {
            // A stock without cards ends the deal, and so does a game gone from the table.
            if (Eng.DeckCount < 1) return mine.Answer();
            const SeatParts s = Seat(SeatOfHostSeat(h));
            const PauseAnswer on =
                f.Card_Deal(*s.places, *s.cards, slot, s.Human() ? kShowDrawn : kShowDealtToSeat, mine);
            if (!on) return on;
        }
    }
    return mine.Answer();
}

bool Deal_Players(ControlArray<PictureBox>& places, BArray<int, 2>& cards, const GameOnTable& mine) {
    TableForm& f = F();
    for (int slot = 2; slot <= 6; ++slot) {
        // A table cleared meanwhile holds no stock: that is no stalemate.
        if (Eng.DeckCount == 0 && !Hooks.RESHUFFLE()) return false;
        places(slot).ZOrder(0);
        if (cards(1, slot) != 0) continue;
        if (Eng.DeckCount < 1 || Eng.Deck(1, Eng.DeckCount) == 0) return Hooks.STALEMATE();
        if (!f.Card_Deal(places, cards, slot, kShowDrawn, mine)) return false;
        if (Com.Pturn == 1) places(slot).SetEnabled(true);
    }
    if (Eng.HandCount == 0) {
        const bool human = SeatOf(places).Human();
        f.Label9(kLblMessage)
            .SetCaption(human ? QStringLiteral("\r\n\r\nYOU Picked Up")
                              : Eng.SeatName + QStringLiteral(" Picked Up"));
    }
    Eng.HandCount = 5;
    if (f.picPanel.Visible()) f.picPanel.ZOrder(0);
    return true;
}

void Game_New() {
    // A computer turn or another start still on the stack must finish first.
    if (Eng.CompTurnActive || Eng.TableBusy) return;
    TableForm& f = F();
    if (!Internet() && Com.FlowRunning) {
        Eng.NewGameDeferred = true;
        Com.FlowStop = true;
        Com.DealAfterFlow = true;
        return;
    }
    Eng.NewGameDeferred = false;
    if (!WinnerAgrees()) return;
    f.cmdDeal.SetVisible(false);
    HouseRules_NewGame();
    Game_Begin();
    f.Label9(kLblMessage).SetCaption(QString());
    f.Label9(kLblComment).SetCaption(QString());
    if (Internet() && !PeersPressDeal()) return;

    f.HoldView_Hide();
    if (!Internet()) f.Table_Clear();
    PlayAsync(kSoundNewGame);
    if (!Com.KeepSidePicture && Com.DeckStyle >= 6) {
        f.Picture7(1).SetBorderStyle(0);
        f.Picture1(1).SetBorderStyle(0);
    }
    Com.KeepSidePicture = true;
    if (SetUp()) GoDeal();
}

void Game_NewIfAsked() {
    if (!Eng.TurnStop) return;
    Eng.TurnStop = false;
    const int game = Eng.TableGame;
    Game_New();
    // The player kept the game on after all: the turns the press stopped go on.
    if (Eng.TableGame == game && Com.Pturn >= 2 && !Com.GameAbort) Hooks.ComputerTurn();
}

void cmdDeal_Click() {
    TableForm& f = F();
    if (!Internet() && Com.FlowRunning) {
        Hooks.KeyArm(true);
        Com.FlowStop = true;
        Com.DealAfterFlow = true;
        return;
    }
    // A press while a turn, set-up or game end is still running waits for a later one.
    if (Eng.CompTurnActive || Eng.TableBusy) return;
    f.cmdDeal.SetVisible(false);
    f.Label9(kLblComment).SetCaption(QString());
    if (!Internet()) {
        if (!Eng.NewGameDeferred) Com.KeepSidePicture = false;
        Game_New();
    } else if (Com.NetHost != 0) {
        // A set-up already made is dealt; otherwise the press starts a new game.
        if (Eng.SetUpDone)
            GoDeal();
        else
            Game_New();
    } else {
        RemoteDeal();
    }
    if (Com.GameAbort) {
        // The window's close was refused while the table was busy: close it now.
        Eng.TableBusy = false;
        f.Unload();
    }
}

void Deal_Install() {
    frmGrulm().cmdDeal.On().Click = [](int) { cmdDeal_Click(); };
}
