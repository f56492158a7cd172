#include "engine/Cards.h"
#include "common/Card.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/Exchange.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"

EngineState Eng;

void Engine_SizeTables() {
    const int total = Com.NumPlayers * 52;
    Com.TotalCards = total;
    Eng.Deck.Redim(2, total);
    Eng.UsedPile.Redim(1, total);
    Eng.Center.Redim(1, Com.NumCenters, kPileFull);
    Eng.CenterCount.Redim(Com.NumCenters);
}

void Engine_Reset() {
    Eng = EngineState{};
    Exchange_Reset();
    Table_DropKept();
    Engine_SizeTables();
}

void Deck_Shuffle(int first, int last, int offset) {
    auto& rnd = platform::Svc().random;
    for (int pass = 1; pass <= 10; ++pass) {
        for (int i = first; i <= last; ++i) {
            // A uniform partner in the stretch; scaling a [0, 1) draw could land one past it.
            const int j = rnd.Between(1, Eng.DeckCount) + offset;
            for (int k = 0; k <= 1; ++k)
                std::swap(Eng.Deck(k, i), Eng.Deck(k, j));
        }
    }
}

bool Add_Center() {
    const int p = Eng.TargetPile;
    if (Eng.CenterCount(p) >= kPileFull) {
        platform::MsgBox("Internal error: a card was played onto a full center pile (" + NumStr(p) + " ).",
                         platform::vbExclamation, "Error");
        return false;
    }
    const int n = ++Eng.CenterCount(p);
    Eng.Center(1, p, n) = Eng.PlayCard(1);
    Eng.Center(0, p, n) = Eng.PlayCard(0);
    if (HasTableForm()) {
        TableForm& f = frmGrulm();
        if (Eng.PlayCard(1) == kRankKing) {
            // The King shows the rank it stands for.
            const QString text = " " + QString::number(n) + " ";
            f.LblWild(p).SetCaption(text);
            f.LblWild(p).SetVisible(true);
            f.PicCenter(p).SetToolTipText(text);
        } else {
            f.PicCenter(p).SetToolTipText(QString());
            f.LblWild(p).SetVisible(false);
        }
        if (Com.TutorialMode) {
            f.imgTip.SetVisible(false);
            f.imgTipUp.SetVisible(false);
            f.Piles_Enable(false);
        }
    }
    return true;
}

PauseAnswer Add_Used(const GameOnTable& mine) {
    const int p = Eng.TargetPile;
    TableForm* f = HasTableForm() ? &frmGrulm() : nullptr;
    if (f) {
        f->Label9(kLblNotice).SetCaption(" CLEARING ");
        f->Label9(kLblNotice).SetVisible(true);
    }
    // The notice shows a moment at an Internet table; a game that left the table meanwhile
    // has no full pile to move. A closing program still moves it, so the game it saves is whole.
    if (const PauseAnswer on = mine.Pause(Com.NetGame != 0 && Com.Pturn != 1 ? kPaceClearNotice : 0);
        on.Replaced())
        return on;
    if (f) f->LblWild(p).SetVisible(false);
    for (int n = 1; n <= kPileFull; ++n) {
        ++Eng.UsedCount;
        Eng.UsedPile(1, Eng.UsedCount) = Eng.Center(1, p, n);
        Eng.Center(1, p, n) = 0;
        Eng.UsedPile(0, Eng.UsedCount) = Eng.Center(0, p, n);
        Eng.Center(0, p, n) = 0;
    }
    Eng.CenterCount(p) = 0;
    if (Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundDealHands));
    // A table laid out anew meanwhile may have no such pile place any more.
    if (const PauseAnswer on = mine.Pause(Com.NetGame != 0 ? kPaceClearNet : 2 * Com.ComputerPause);
        on.Replaced())
        return on;
    if (f) {
        // The place-holder of the place's size: centers are small in the small display.
        PictureBox& pile = f->PicCenter(p);
        pile.SetPicture(std::lround(pile.HeightPx()) >= 96 ? f->EmptyPlaceLarge : f->EmptyPlaceSmall);
    }
    const PauseAnswer on = mine.Pause(2 * Com.ComputerPause);
    if (f && !on.Replaced()) f->Label9(kLblNotice).SetVisible(false);
    return on;
}
