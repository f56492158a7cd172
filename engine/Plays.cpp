#include "engine/Plays.h"
#include "common/Card.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Cards.h"
#include "engine/Deal.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"

#include <QCoreApplication>

namespace {

void ProcessEvents() {
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

void PlayFile(const QString& file, bool wait) {
    if (file.isEmpty()) return;
    auto& sound = *platform::Svc().sound;
    if (wait)
        sound.PlaySync(file);
    else
        sound.PlayAsync(file);
}

// The play's own values: waits let other handlers change the shared ones.
struct Play {
    int slot = 0;
    int pile = 0;
    int card = 0;
    int rank = 0;
    void Restore() const {
        Eng.SourceSlot = slot;
        Eng.TargetPile = pile;
        Eng.PlayCard(0) = card;
        Eng.PlayCard(1) = rank;
    }
};

int HandCards() {
    int n = 0;
    for (int s = 2; s <= 6; ++s)
        if (Eng.PlayerCards(1, s) != 0) ++n;
    return n;
}

void PutHome(PictureBox& place) {
    place.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
}

// The side card left: the next one is covered until the play has been shown. True when the pile is empty.
bool TakeFromSide() {
    TableForm& f = frmGrulm();
    Eng.PlayerSide(0, Eng.PlayerSideCount) = 0;
    Eng.PlayerSide(1, Eng.PlayerSideCount) = 0;
    --Eng.PlayerSideCount;
    Eng.PlayerCards(0, 1) = Eng.PlayerSideCount > 0 ? Eng.PlayerSide(0, Eng.PlayerSideCount) : 0;
    Eng.PlayerCards(1, 1) = Eng.PlayerSideCount > 0 ? Eng.PlayerSide(1, Eng.PlayerSideCount) : 0;
    if (Eng.PlayerSideCount > 0) {
        ++Eng.PlayerSideStack;
        if (f.Stack.Exists(Eng.PlayerSideStack)) f.Stack(Eng.PlayerSideStack).SetVisible(false);
    }
    if (Eng.DroppedPlay) {
        PutHome(f.Picture7(1));
        Eng.DroppedPlay = false;
    }
    if (Eng.PlayerSideCount == 0) return true;
    if (Eng.PlayerSideCount == 1) {
        f.ImgHold.SetPicture(QImage());
        f.ImgHold.SetVisible(false);
    }
    f.Picture7(1).SetBackColor(Com.DeckColour);
    f.Card_Show(f.Picture7, 1, 0, kShowSilent);
    return false;
}

void TakeFromHand(int slot) {
    TableForm& f = frmGrulm();
    Eng.PlayerCards(0, slot) = 0;
    Eng.PlayerCards(1, slot) = 0;
    --Eng.HandCount;
    f.Picture7(slot).SetVisible(false);
    f.Picture7(slot).SetPicture(QImage());
}

void TakeFromHold(int slot) {
    TableForm& f = frmGrulm();
    const int p = slot - 6;
    const int beneath = Eng.PlayerHoldCount(p);
    if (beneath > 0) {
        Eng.PlayerCards(0, slot) = Eng.PlayerHold(0, p, beneath);
        Eng.PlayerCards(1, slot) = Eng.PlayerHold(1, p, beneath);
        Eng.PlayerHold(0, p, beneath) = 0;
        Eng.PlayerHold(1, p, beneath) = 0;
        if (beneath == 1) f.Hold_Highlight(f.Picture7, false, p);
        --Eng.PlayerHoldCount(p);
        f.Card_Show(f.Picture7, slot, Eng.PlayerCards(0, slot), kShowPlayed);
        f.Picture7(slot).Refresh();
    } else {
        Eng.PlayerCards(0, slot) = 0;
        Eng.PlayerCards(1, slot) = 0;
        f.Card_Show(f.Picture7, slot, 0, kShowEmptyPlace);
    }
    f.HoldView_Follow(slot);
}

// A King's moment; false when the game left the table during it.
bool KingPlayed(const Play& play, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    const int count = Eng.CenterCount(play.pile);
    const bool complete = count == kPileFull;
    double moment = 0;
    if (Com.SoundMode == kSoundsAll) {
        PlayFile(Eng.SeatSounds(1), false);
        if (complete || play.slot == 1 || Eng.HandCount == 0) moment = kKingPause;
    } else if (complete) {
        moment = Com.ComputerPause;
    }
    if (!mine.Pause(moment)) return false;
    if (Com.DeckStyle < 6) f.PicCenter(play.pile).SetBackColor(kPlaceWhite);
    const int sideRank = Eng.PlayerCards(1, 1);
    if (play.slot != 1 && count == sideRank && !Hooks.Dumbness(mine)) return false;
    if (play.slot == 1 && sideRank == count)
        f.Label9(kLblMessage).SetCaption(QStringLiteral("\r\nMurphy's Law strikes again!"));
    return true;
}

// The next side card turned up; false when the game left the table first.
bool TurnUpSide(const Play& play, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    // A wild side card of an Internet game turns the next one up at once.
    if (!mine.Pause(play.rank == kRankKing && Com.NetGame != 0 ? 0 : Com.ComputerPause)) return false;
    const int top = Eng.PlayerSide(0, Eng.PlayerSideCount);
    f.Card_Show(f.Picture7, 1, top, kShowSideUp);
    if (top >= 1 && top <= Com.TotalCards) Eng.Deck(2, top) = 1;
    f.Counter_Refresh();
    f.Picture7(1).Refresh();
    return true;
}

int DrawOtherThan(int lo, int hi, int last) {
    auto& rnd = platform::Svc().random;
    int n = rnd.Between(lo, hi);
    while (n == last)
        n = rnd.Between(lo, hi);
    return n;
}

// The opponent whose side card the human has just blocked says so.
void BlockedSeatReacts(const Play& play) {
    const int count = Eng.CenterCount(play.pile);
    int blocked = 0;
    for (int seat = Com.NumPlayers; seat >= 2; --seat)
        if (SeatRecordOf(seat).RecCards(1, 1) == count) blocked = seat;
    if (blocked == 0) return;
    if (count == 1) {
        for (int p = 1; p <= Com.NumCenters; ++p)
            if (Eng.CenterCount(p) == 0) return;
    }
    const SeatRecord rec = SeatRecordOf(blocked);
    TableForm& f = frmGrulm();
    Eng.CommentPick = DrawOtherThan(1, 10, Eng.LastBlockComment);
    Eng.LastBlockComment = Eng.CommentPick;
    if (!Eng.CommentsOff) f.Label9(kLblComment).SetCaption(rec.RecComments(Eng.CommentPick));
    if (Com.NumPlayers > 2) {
        f.Avatar_Show(rec.RecAvatar);
        Eng.AvatarSwapped = true;
    }
    ProcessEvents();
    if (Com.SoundMode == kSoundsAll) {
        int s = 11;
        if (play.slot != 1) {
            s = DrawOtherThan(7, 10, Eng.LastBlockSound);
            Eng.LastBlockSound = s;
        }
        PlayFile(rec.RecSounds(s), count == kPileFull);
    }
}

// The side pile is empty: the human has won.
void Won(const Play& play) {
    TableForm& f = frmGrulm();
    f.Picture7(1).SetVisible(false);
    f.Card_Show(f.PicCenter, play.pile, play.card, kShowPlayed);
    f.PicCenter(play.pile).Refresh();
    ProcessEvents();
    if (Com.NetGame != 0) Netl.Move_Transmit_Done();
    Game_End();
}

// After the play: a full pile to the used pile, the hand refilled, the move recorded.
void Settle(const Play& play, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    play.Restore();
    if (Eng.CenterCount(play.pile) == kPileFull) {
        const PauseAnswer on = mine.Pause(Com.ComputerPause);
        // A closing program still moves the full pile, so the game it saves is whole.
        if (on.Replaced()) return;
        play.Restore();
        if (!Add_Used(mine)) return;
    }
    if (Eng.HandCount <= 0) {
        play.Restore();
        if (!Deal_Players(f.Picture7, Eng.PlayerCards, mine) || Eng.StaleMode == 1) return;
        if (Eng.StaleMode == 2) {
            Eng.StaleMode = 0;
            // The gathered hand must count as it lies, or it would never refill.
            Eng.HandCount = HandCards();
        }
    }
    f.PicCenter(play.pile).Refresh();
    if (Hooks.MoveLogOn()) {
        play.Restore();
        ++Com.MoveCounter;
        Hooks.Game_Capture();
        Hooks.MoveHistory_Write(Com.MoveCounter);
    }
    if (!Com.TutorialMode) {
        f.Piles_EnableRange(f.Picture7, true, 1, 10);
    } else {
        f.Piles_EnableRange(f.Picture7, false, 1, 10);
        Hooks.Tutorial_NextStep();
    }
}

bool Playable(const Play& play) {
    return play.slot >= 1 && play.slot <= 10 && play.pile >= 1 && play.pile <= Com.NumCenters &&
           play.rank != 0 && Eng.CenterCount(play.pile) < kPileFull;
}

// The play the drag or the keys asked for, in the play's own values.
Play AskedPlay() {
    Play play;
    play.slot = Eng.SourceSlot;
    play.pile = Eng.TargetPile;
    if (play.slot >= 1 && play.slot <= 10) {
        play.card = Eng.PlayerCards(0, play.slot);
        play.rank = Eng.PlayerCards(1, play.slot);
    }
    return play;
}

void CountWild(const Play& play) {
    if (play.slot == 1)
        ++Eng.WildsFromSide;
    else
        ++Eng.WildsFromHand;
    frmGrulm().WildUpdate();
}

// The card leaves its place in the model; true when it was the last side card.
bool LeaveSource(const Play& play) {
    if (play.slot == 1) return TakeFromSide();
    if (play.slot <= 6)
        TakeFromHand(play.slot);
    else
        TakeFromHold(play.slot);
    return false;
}

// The card shown on its pile, and its place as it now is.
void ShowLanded(const Play& play) {
    TableForm& f = frmGrulm();
    f.Card_Show(f.PicCenter, play.pile, play.card, kShowPlayed);
    PictureBox& source = f.Picture7(play.slot);
    if (Eng.DroppedPlay) {
        PutHome(source);
        if (play.slot >= 2 && play.slot <= 6) source.SetVisible(false);
    } else {
        f.Picture1(0).SetVisible(false);
        if (play.slot >= 7) source.SetVisible(true);
    }
}

// What the play sets off: a King's moment, the next side card, the seats' taunts; false
// when the game left the table meanwhile.
bool Reactions(const Play& play, const GameOnTable& mine) {
    if (play.rank == kRankKing && !KingPlayed(play, mine)) return false;
    if (play.slot == 1 && !TurnUpSide(play, mine)) return false;
    const int sideRank = Eng.PlayerCards(1, 1);
    if (play.slot != 1 && play.rank == sideRank && sideRank != kRankKing && !Hooks.Dumbness(mine))
        return false;
    if (Com.NetGame == 0) BlockedSeatReacts(play);
    frmGrulm().PicCenter(play.pile).Refresh();
    return true;
}

} // namespace

PlayBusyScope::PlayBusyScope() {
    Eng.PlayBusy = true;
}
PlayBusyScope::~PlayBusyScope() {
    Release();
}
void PlayBusyScope::Release() {
    if (held_) Eng.PlayBusy = false;
    held_ = false;
}

void Player_Move() {
    if (Com.Pturn != 1 || Eng.PlayBusy) return;
    const Play play = AskedPlay();
    if (!Playable(play)) return;
    PlayBusyScope busy;
    // New Game may deal while the card flies or the table pauses: the play belongs to this game.
    const GameOnTable mine;
    TableForm& f = frmGrulm();
    f.Piles_EnableRange(f.Picture7, false, 1, 10);
    if (!Eng.DroppedPlay && !f.Card_Animate(f.Picture7, play.slot, f.PicCenter, play.pile, mine)) return;
    Hooks.StatsAdd(play.slot, 1);
    play.Restore();
    if (!Add_Center()) return;
    Eng.MoveFrom = play.slot;
    Eng.MoveTo = play.pile;
    if (play.rank == kRankKing) CountWild(play);
    if (LeaveSource(play)) {
        Won(play);
        return;
    }
    ShowLanded(play);
    if (!Reactions(play, mine)) return;
    if (Com.NetGame != 0) {
        Netl.Move_Transmit();
        if (Net_Stopped()) return;
    }
    // The peers' answers were awaited, and the seat's remarks heard, with events running.
    if (!mine.StillOn()) return;
    Settle(play, mine);
}

PauseAnswer Dumbness_Default(const GameOnTable& mine) {
    if (Eng.CommentsOff) return mine.Answer();
    const bool king = Eng.PlayCard(1) == kRankKing;
    frmGrulm()
        .Label9(kLblMessage)
        .SetCaption(king ? Eng.SeatComments(31) + QStringLiteral(" ") + Eng.SeatComments(32)
                         : Eng.SeatComments(33));
    if (Com.SoundMode == kSoundsAll)
        platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundJeer));
    return mine.Pause(kPaceRemark);
}

void Plays_Install() {
    Hooks.Dumbness = [](const GameOnTable& mine) { return Dumbness_Default(mine); };
}
