#include "table/HandOrder.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/Animate.h"
#include "table/Paint.h"

#include <algorithm>

namespace {

void SortSound() {
    if (Com.SoundMode != kSoundsOff)
        Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundDealHands));
}

void TakeCard(BArray<int, 2>& cards, int to, int from) {
    cards(0, to) = cards(0, from);
    cards(1, to) = cards(1, from);
}

// A table laid out anew between the steps may have taken the places away.
PauseAnswer Redraw(BArray<int, 2>& cards, Places& places, int from, int to, const GameOnTable& mine) {
    const int lo = std::min(from, to), hi = std::max(from, to);
    for (int k = lo; k <= hi; ++k) {
        PictureBox& place = places(k);
        if (cards(1, k) != 0) {
            if (!place.Visible()) place.SetVisible(true);
            const bool faceUp = Com.Pturn == 1 || Com.PeekOn;
            Card_Show(places, k, faceUp ? cards(0, k) : 0, kShowSilent);
        } else {
            place.SetPicture(QImage());
            place.SetVisible(false);
        }
        if (const PauseAnswer on = mine.Pause(kPaceStep); !on) return on;
    }
    places(hi).Refresh();
    return mine.Answer();
}

} // namespace

PauseAnswer Hand_Sort(BArray<int, 2>& cards, Places& places, int from, int to, const GameOnTable& mine) {
    if (from < 2 || from > 6 || to < 2 || to > 6) return mine.Answer();
    if (!Com.OldPeer) {
        const int keptCard = cards(0, from), keptRank = cards(1, from);
        SortSound();
        if (SeatOf(places).seat != 1) {
            if (const PauseAnswer flew = Card_Animate(places, from, places, to, mine); !flew) return flew;
        }
        if (from > to) {
            for (int k = from; k >= to + 1; --k)
                TakeCard(cards, k, k - 1);
        } else {
            for (int k = from; k <= to - 1; ++k)
                TakeCard(cards, k, k + 1);
        }
        cards(0, to) = keptCard;
        cards(1, to) = keptRank;
    }
    return Redraw(cards, places, from, to, mine);
}

void Peek() {
    GoUpdateOpponents();
    TableForm& f = frmGrulm();
    struct SeatPlaces {
        int seat;
        Places* places;
        bool present;
    } seats[] = {
        {2, &f.Picture1, true}, {3, &f.Picture2, Tbl.Seat3Loaded}, {4, &f.Picture3, Tbl.Seat4Loaded}};
    for (int s = 2; s <= 6; ++s) {
        for (const auto& sp : seats) {
            if (!sp.present || !sp.places->Exists(s)) continue;
            const SeatRecord& rec = SeatRecordOf(sp.seat);
            if (rec.RecCards(1, s) == 0) continue;
            if (Com.PeekOn) {
                Card_Show(*sp.places, s, rec.RecCards(0, s), kShowTurnedOver);
                (*sp.places)(s).ZOrder(0);
            } else {
                Card_Show(*sp.places, s, 0, kShowTurnedOver);
            }
        }
    }
    SortSound();
}
