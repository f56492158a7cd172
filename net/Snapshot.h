#pragma once
// The whole table as one RC message: the host writes it when it restarts or
// resumes an Internet game, every remote rebuilds its table from it, re-seated so
// that it sits in seat 1 itself. A received snapshot is decoded and checked into a
// copy first and applied whole, or not at all.
#include "common/Card.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

struct SeatRecord;

// One seat's piles as the snapshot carries them. In the local-player form a hold
// pile lists the cards under its top; in the seat-record form its top as well.
struct SnapBlock {
    std::vector<int> side;                // side cards 1..count
    std::array<int, 10> cards{};          // visible card slots 1..10
    std::array<std::vector<int>, 4> hold; // hold piles 1..4, bottom first
    int wildsSide = 0;
    int wildsHand = 0;
};

struct Snapshot {
    int pturn = 1; // the seat on turn in the host's numbering
    int players = 2;
    int centers = 3;
    int sideSize = 19;
    int forced = 0;
    bool noWildAce = false;
    std::vector<int> deck, used; // card numbers by position
    std::array<int, 4> centerCount{};
    std::array<std::array<int, kPileFull>, 4> center{};
    // [0] the host's own piles (local-player form), then host seats 2.. (seat-record form).
    std::vector<SnapBlock> blocks;
};

// The host's table as it stands.
Snapshot Snapshot_Capture();
// The fields of the current layout, in order, and the text they make ("n#n#...#").
std::vector<int> Snapshot_Fields(const Snapshot& s);
// Reads the fields of the current layout; nothing for a damaged text (why says what).
std::optional<Snapshot> Snapshot_Decode(const QString& text, QString* why = nullptr);
// The "#"-separated numbers of a snapshot text; nothing when one is not a number.
std::optional<std::vector<int>> Snapshot_Numbers(const QString& text);

// What makes a snapshot's table impossible, or nothing: the table size, the seat on turn, the
// side piles against the rule, the center piles, and every card in exactly one place.
// `ranksOnly`: the cards are known by their ranks alone, as the oldest programs send them.
const char* Snapshot_TableFault(const Snapshot& s, bool ranksOnly);

// One seat record's block, appended to `fields`.
void Recover_WritePlayer(const SeatRecord& record, std::vector<int>& fields);
// A block into a seat record, with the seat's side-stack base; the host's own block
// comes in local-player form and is turned into seat-record form.
void Recover_ReadPlayer(SeatRecord& record, int base, bool fromHost, const SnapBlock& block);
// A block in seat-record form into the local player's piles.
void Recover_ReadOwn(const SnapBlock& block);

// A checked snapshot onto this remote's table, re-seated by NetSeat.
void Snapshot_Apply(const Snapshot& s);
