#include "opponent/Plays.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/Stats.h"
#include "engine/TableCodes.h"
#include "opponent/OnlineSeat.h"
#include "opponent/OppState.h"
#include "platform/Services.h"

namespace {

// Comment numbers of the seat's comment set.
enum Remark : int {
    kRemarkBlockFirst = 11,
    kRemarkSideKingBlocks = 23,
    kRemarkSideBlocksNamed = 24,
    kRemarkSideBlocks = 25,
    kRemarkHumanRankPlayed = 26,
    kRemarkKingTookRank = 27,
};
// Background of an emptied hand place.
constexpr quint32 kEmptyHandColour = 0x80C0FF;

TurnOnTable* g_turn = nullptr;

QString Comment(int i) {
    return Eng.SeatComments(i);
}
void Remark(int i) {
    if (!Eng.CommentsOff) Say(kLblComment, Comment(i));
}

void MarkSeen(int number) {
    if (number >= 1 && number <= Com.TotalCards) Eng.Deck(2, number) = 1;
}

// A card leaves hold pile h: the next card becomes the top.
void TakeFromHold(int slot) {
    const int h = slot - 6;
    int& depth = Eng.SeatHoldInfo(h, 1);
    if (depth > 0) {
        Eng.SeatHold(0, h, depth) = 0;
        Eng.SeatHold(1, h, depth) = 0;
        --depth;
    }
    Eng.SeatCards(0, slot) = depth > 0 ? Eng.SeatHold(0, h, depth) : 0;
    Eng.SeatCards(1, slot) = depth > 0 ? Eng.SeatHold(1, h, depth) : 0;
    HoldType_Update(h, false);
}

// The card shown and flown to the pile. A closing program skips the flight, but the card still
// lands, so the model stays whole; a replaced game (a layout from the host may have taken the
// pile or the seat away) has no pile for it.
PauseAnswer ShowFlight(int source, int pile) {
    TableForm& f = frmGrulm();
    const GameOnTable mine = Turn_Ticket();
    auto& places = SeatPlaces();
    const bool wild = Opp.WildPending == kRankKing && Eng.PlayCard(1) == kRankKing && source >= 2;
    const bool peek = Com.PeekOn;
    Com.PeekOn = true;
    places(source).ZOrder(0);
    f.Card_Show(places, source, Eng.PlayCard(0), kShowSilent);
    Com.PeekOn = peek;
    // A wild card is shown with the King's sound, or a short look without it.
    const bool kingSound = wild && Com.SoundMode == kSoundsAll;
    if (kingSound) SeatSound(kSoundKing, Local());
    const double look = kingSound ? 0 : wild ? kPaceRemarkShort : Com.ComputerPause;
    PauseAnswer flew = mine.Pause(look);
    if (flew) flew = f.Card_Animate(places, source, f.PicCenter, pile, mine);
    Opp.WildPending = 0;
    return flew;
}

// The source place after the card left it.
void RedrawSource(int source) {
    TableForm& f = frmGrulm();
    auto& places = SeatPlaces();
    if (source == 1) {
        if (Eng.SeatSideCount > 0) f.Card_Show(places, 1, Eng.SeatCards(0, 1), kShowSilent);
    } else if (source >= 7) {
        const int h = source - 6;
        f.Card_Show(places, source, Eng.SeatCards(0, source),
                    Eng.SeatCards(0, source) != 0 ? kShowSilent : kShowEmptyPlace);
        if (HoldDepth(h) <= 1) f.Hold_Highlight(places, false, h);
    } else {
        places(source).SetPicture(QImage());
        places(source).SetBackColor(kEmptyHandColour);
        places(source).SetVisible(false);
    }
}

bool SideKingRemarks() {
    if (!CenterFits()) {
        Remark(kRemarkSideKingBlocks);
        if (!Turn_Pause(kPaceRemarkShort)) return false;
    }
    if (Com.SoundMode == kSoundsAll) SeatSound(kSoundKing, true);
    return true;
}

// After a side King: the next side card has the rank the King just took. Answers whether the
// turn goes on after the remark.
PauseAnswer MurphyRemark(int pile) {
    if (Eng.SeatSideCount == 0 || Eng.SeatCards(1, 1) != Eng.CenterCount(pile)) return Turn_Ticket().Answer();
    bool elsewhere = false;
    for (int k = 1; k <= Com.NumCenters; ++k)
        elsewhere = elsewhere || (k != pile && Eng.CenterCount(k) + 1 == Eng.SeatCards(1, 1));
    if (elsewhere) {
        Say(kLblComment, QStringLiteral("Lucky for me...\r\nThere's still room to play this card."));
        return Turn_Pause(kPaceRemarkLong);
    }
    Say(kLblComment, QStringLiteral("Argh!\r\nThat bites! Murphy's Law!"));
    // The seat's sound is heard to its end, with events running as in a pause.
    if (Com.SoundMode == kSoundsAll) SeatSound(kSoundMurphy, true);
    return Turn_Pause(Com.SoundMode == kSoundsAll ? 0 : kPaceRemarkShort);
}

int RandomRemarkSound() {
    int n = Opp.LastSound;
    auto& rnd = platform::Svc().random;
    for (int tries = 0; tries < 16 && n == Opp.LastSound; ++tries)
        n = static_cast<int>(rnd.Rnd() * 4) + kSoundRemarkFirst;
    Opp.LastSound = n;
    return n;
}

int RandomBlockRemark() {
    int n = Opp.LastRemark;
    auto& rnd = platform::Svc().random;
    for (int tries = 0; tries < 32 && n == Opp.LastRemark; ++tries)
        n = static_cast<int>(rnd.Rnd() * 10) + kRemarkBlockFirst;
    Opp.LastRemark = n;
    return n;
}

// Who has a side card of this rank: the human first, then the other seats.
QString BlockedName(int rank) {
    return HasTableForm() ? frmGrulm().BlockedPlayerName(rank) : QString();
}

// A hand play that emptied the hand: refill and think again.
bool RefillAfterEmptyHand(int c) {
    const GameOnTable mine = Turn_Ticket();
    if (Eng.CenterCount(c) == kPileFull && !Add_Used(mine)) return false;
    if (!Deal_Players(SeatPlaces(), Eng.SeatCards, mine)) return false;
    Opp.SidePlay = kSideReplan;
    Opp.TurnFlags[kReplan] = 1;
    Opp.PlanState(c, 1) = 0;
    if (Eng.StaleMode == 1) return false;
    if (Eng.StaleMode == 2) Eng.StaleMode = 0;
    return Turn_Pause(Com.ComputerPause).GoesOn();
}

// The landed card on its pile and the place it left, as the table now shows them.
void ShowLanded(int source, int pile, bool king) {
    TableForm& f = frmGrulm();
    f.Card_Show(f.PicCenter, pile, Eng.PlayCard(0), kShowPlayed);
    if (king) f.WildUpdate();
    // The side pile loses the edge of the card that left it.
    if (source == 1 && f.Stack.Exists(Eng.SeatSideStack)) f.Stack(Eng.SeatSideStack).SetVisible(false);
    RedrawSource(source);
    // The stand-in shown at a side or hold place during the flight; left visible, the next
    // flight would carry it to a hand place and show a card the seat does not hold.
    f.Picture1(0).SetVisible(false);
    f.Counter_Refresh();
}

} // namespace

// A turn begun inside another (a remote's turn in the turn loop) plays the same game.
TurnOnTable::TurnOnTable() : game_(g_turn ? g_turn->game_ : GameOnTable()), outer_(g_turn) {
    g_turn = this;
}
TurnOnTable::~TurnOnTable() {
    g_turn = outer_;
}

bool Turn_StillOn() {
    return g_turn ? g_turn->StillOn() : !Com.GameAbort;
}

bool Turn_Replaced() {
    return g_turn && g_turn->Replaced();
}

GameOnTable Turn_Ticket() {
    return g_turn ? g_turn->Ticket() : GameOnTable();
}

PauseAnswer Turn_Pause(double seconds) {
    return Turn_Ticket().Pause(seconds);
}

ControlArray<PictureBox>& SeatPlaces() {
    return *Seat(Com.Pturn).places;
}

void Say(int element, const QString& text) {
    if (HasTableForm()) frmGrulm().Label9(element).SetCaption(text);
}

void SeatSound(int index, bool toEnd) {
    if (Com.SoundMode != kSoundsAll || index < 0 || index > 16) return;
    const QString& name = Eng.SeatSounds(index);
    if (name.trimmed().isEmpty()) return;
    auto& sound = *platform::Svc().sound;
    if (toEnd)
        sound.PlaySync(name);
    else
        sound.PlayAsync(name);
}

int Seat_RunColumn() {
    return Com.Pturn == 1 ? kStatsHumanTurn : kStatsSeatTurn;
}

bool CenterFits() {
    const int hs = HumanRank(1);
    for (int i = 1; i <= Com.NumCenters; ++i)
        if (i != Eng.TargetPile && Eng.CenterCount(i) + 1 == hs) return true;
    return false;
}

namespace {

// The plan's play from slot s still fits center c: another play may have changed the pile or the slot.
bool PlanHolds(int c, int s) {
    if (s <= 1 || s > 10) return false;
    Eng.PlayCard(0) = Eng.SeatCards(0, s);
    Eng.PlayCard(1) = Eng.SeatCards(1, s);
    const int r = Eng.PlayCard(1);
    if (r == 0 || Eng.CenterCount(c) >= kPileFull) return false;
    if (r == kRankKing && Eng.CenterCount(c) == 0 && Com.NoWildAce) return false;
    return r == kRankKing || r == Eng.CenterCount(c) + 1;
}

// A hand card of the plan onto center c, with its remark and pace, and the refill of an
// emptied hand; false when the turn must stop.
bool PlayFromHand(int s, int c, int r) {
    Eng.SeatCards(0, s) = 0;
    Eng.SeatCards(1, s) = 0;
    if (!Comp_Flip(s, c)) return false;
    if (r == kRankKing && Eng.CenterCount(c) == HumanRank(1) && !Eng.CommentsOff) {
        Remark(kRemarkKingTookRank);
        if (!Turn_Pause(3 * Com.ComputerPause)) return false;
    }
    if (!Turn_Pause(Com.ComputerPause)) return false;
    return --Eng.HandCount > 0 || RefillAfterEmptyHand(c);
}

} // namespace

int Comp_Play(int c) {
    Eng.TargetPile = c;
    const int n = Opp.PlanState(c, 1);
    for (Opp.PlanStep = 1; Opp.PlanStep <= n; ++Opp.PlanStep) {
        const int s = Opp.PlanList(c, Opp.PlanStep);
        if (!PlanHolds(c, s)) return Opp.PlanStep;
        const int r = Eng.PlayCard(1);
        if (r == kRankKing) Opp.WildPending = kRankKing;
        Opp.PileIndex = s;
        if (!Eng.CommentsOff && r == HumanRank(1) && !CenterFits()) {
            Say(kLblComment, Comment(kRemarkHumanRankPlayed));
            if (!Turn_Pause(Com.ComputerPause)) return Opp.PlanStep;
        }
        if (s >= 7) {
            TakeFromHold(s);
            if (!Comp_Flip(s, c)) return Opp.PlanStep;
        } else if (!PlayFromHand(s, c, r)) {
            return Opp.PlanStep;
        }
        if (!Comp_SideCompare(Opp.PileIndex)) return Opp.PlanStep;
        if (Eng.CenterCount(c) == kPileFull && !Add_Used(Turn_Ticket())) return Opp.PlanStep;
        if (Opp.PlanState(c, 1) == 0) return Opp.PlanStep + 1;
    }
    return Opp.PlanStep;
}

bool Comp_Flip(int source, int pile) {
    Eng.TargetPile = pile;
    const bool king = Eng.PlayCard(1) == kRankKing;
    if (HasTableForm() && Local() && !Eng.CommentsOff &&
        frmGrulm().Label9(kLblComment).Caption() == Comment(kRemarkHumanRankPlayed))
        Say(kLblComment, QString());
    if (source == 1 && king && Local() && !SideKingRemarks()) return false;
    // A remote seat's side wild is counted where its move is taken; seat 1's here.
    if (source == 1 && king && (Local() || OnlineSeat_Active())) ++Eng.SeatWildsFromSide;
    // The human's right presses and the avatar wait while the move is drawn.
    Eng.SeatMoveBusy = true;
    // A card in flight when another game took the table belongs to no pile of that game.
    if ((HasTableForm() && ShowFlight(source, pile).Replaced()) || !Add_Center()) {
        Eng.SeatMoveBusy = false;
        return false;
    }
    Hooks.StatsAdd(source, Seat_RunColumn());
    ++Opp.CardsMoved;
    Opponent_MoveDone();
    MarkSeen(Eng.PlayCard(0));
    if (source != 1 && king) ++Eng.SeatWildsFromHand;
    if (source == 1) MarkSeen(Eng.SeatCards(0, 1));
    if (HasTableForm()) ShowLanded(source, pile, king);
    Eng.SeatMoveBusy = false;
    if (OnlineSeat_Active()) OnlineSeat_Send(source, pile, source == 1 && Eng.SeatSideCount == 0);
    // The seat's last side card ends the game at once.
    if (!Turn_Pause(Eng.SeatSideCount > 0 ? Com.ComputerPause : 0)) return false;
    return !(source == 1 && king && Local()) || MurphyRemark(pile);
}

bool Comp_Reseq() {
    const HandOrder before = OnlineSeat_Hand();
    int last = 0;
    for (int s = 2; s <= 6; ++s)
        if (Eng.SeatCards(1, s) != 0) ++last;
    Eng.HandCount = last;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int s = 2; s < 6; ++s) {
            if (Eng.SeatCards(1, s) >= Eng.SeatCards(1, s + 1)) continue;
            for (int k = 0; k <= 1; ++k)
                std::swap(Eng.SeatCards(k, s), Eng.SeatCards(k, s + 1));
            swapped = true;
        }
    }
    Opp.KingSlot = 0;
    for (int s = 2; s <= Eng.HandCount + 1; ++s)
        if (Eng.SeatCards(1, s) == kRankKing) Opp.KingSlot = s;
    if (HasTableForm()) {
        TableForm& f = frmGrulm();
        auto& places = SeatPlaces();
        for (int s = Eng.HandCount + 2; s <= 6; ++s) {
            places(s).SetVisible(false);
            places(s).SetPicture(QImage());
        }
        if (!Turn_Pause(kPaceHandRefill)) return false;
        for (int s = 2; s <= Eng.HandCount + 1; ++s) {
            const bool open = Com.PeekOn || Com.Pturn == 1;
            f.Card_Show(places, s, open ? Eng.SeatCards(0, s) : 0, kShowSilent);
            places(s).ZOrder(0);
        }
    }
    if (OnlineSeat_Active()) OnlineSeat_SendOrder(before);
    return Turn_Pause(0).GoesOn();
}

bool Comp_SideCompare(int source) {
    if (!HasTableForm()) return true;
    const int rank = Eng.CenterCount(Eng.TargetPile);
    QString name = BlockedName(rank);
    bool viaKing = false;
    if (name.isEmpty()) {
        if (Eng.CommentsOff || source != 1 || Eng.PlayCard(1) != kRankKing) return true;
        name = BlockedName(kRankKing);
        if (name.isEmpty()) return true;
        viaKing = true;
    }
    const bool human = name == Com.PlayerName;
    if (source == 1) {
        const bool near = HumanRank(1) == 1 && CenterFits();
        if (!Eng.CommentsOff)
            Say(kLblComment, near ? QStringLiteral("Not quite a block...")
                                  : Comment(viaKing ? kRemarkSideBlocksNamed : kRemarkSideBlocks));
        if (!Turn_Pause(0)) return false;
        if (human && Com.SoundMode == kSoundsAll && !near) SeatSound(RandomRemarkSound(), true);
    } else {
        if (Eng.PlayCard(1) == kRankKing || CenterFits()) return true;
        const int remark = RandomBlockRemark();
        if (human) {
            if (!Eng.CommentsOff) Say(kLblComment, Comment(remark));
            if (!Turn_Pause(0)) return false;
            if (Com.SoundMode == kSoundsAll) SeatSound(RandomRemarkSound(), true);
        } else if (!Eng.CommentsOff) {
            Say(kLblComment, name + QStringLiteral(", ") + Comment(remark));
            if (!Turn_Pause(2 * Com.ComputerPause)) return false;
        }
    }
    return Turn_Pause(Eng.CommentsOff ? 0 : 3 * Com.ComputerPause).GoesOn();
}
