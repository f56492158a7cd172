#include "engine/SeatTable.h"
#include "common/Shared.h"
#include "engine/Model.h"

#include <stdexcept>
#include <string>

namespace {

struct SeatRow {
    Places TableForm::*places;
    SeatRecord EngineState::*record; // null for the human
};

constexpr SeatRow kSeats[] = {
    {&TableForm::Picture7, nullptr},
    {&TableForm::Picture1, &EngineState::Seat2Rec},
    {&TableForm::Picture2, &EngineState::Seat3Rec},
    {&TableForm::Picture3, &EngineState::Seat4Rec},
};

} // namespace

SeatParts Seat(int seat) {
    if (seat < 1 || seat > 4) throw std::out_of_range("no seat " + std::to_string(seat));
    const SeatRow& row = kSeats[seat - 1];
    SeatParts s;
    s.seat = seat;
    if (HasTableForm()) s.places = &(frmGrulm().*row.places);
    if (row.record) {
        s.record = &(Eng.*row.record);
        s.cards = &s.record->RecCards;
        s.side = &s.record->RecSide;
    } else {
        s.cards = &Eng.PlayerCards;
        s.side = &Eng.PlayerSide;
    }
    s.firstEdge = kEdgesPerSeat * (seat - 1) + 1;
    s.firstHold = kOutlinesPerSeat * (seat - 1) + 1;
    return s;
}

SeatParts SeatOf(const Places& places) {
    if (HasTableForm())
        for (int seat = 1; seat <= 4; ++seat)
            if (&(frmGrulm().*kSeats[seat - 1].places) == &places) return Seat(seat);
    return {};
}

QString Seat_OnTurnTitle() {
    const int seat = Com.Pturn;
    const SeatRecord* r = seat >= 2 && seat <= Com.NumPlayers && seat <= 4 ? Seat(seat).record : nullptr;
    // The working set keeps the seat that moved last until the next seat is loaded.
    const QString name = (r ? r->RecName : Eng.SeatName).trimmed();
    return (name.isEmpty() ? QStringLiteral("Grulm") : name) + QLatin1Char(':');
}
