#pragma once
#include "common/PeerVersion.h"
// Who plays first and in what order; how a remote player's program maps the
// host's seats onto its own table; the stock message of an Internet deal.
#include "common/BArray.h"

#include <QString>
#include <array>
#include <vector>

// The side-top ranks of seats 1 to 4 (index 0 is seat 1): the seat with the highest
// rank starts; equal highest ranks are drawn at random. `tie` becomes 0 without a
// tie, else the number of seats that shared the highest rank.
int Toss_Choose(const std::array<int, 4>& ranks, int& tie);
// The toss over the side tops on the table: sets Pturn and TossTie.
void Toss();

// TurnOrder from Pturn: Pturn first, then the seats after it; TurnPos := 1.
void WhosOnFirst();
// The end of a turn: the next seat of TurnOrder comes on turn.
void Turn_Advance();

// The local seat a host seat stands for on a remote player's table; 0 when the
// table size and the remote's own seat (NetSeat) have no such seat.
int HostToLocalSeat(int players, int netSeat, int hostSeat);
// True when every host seat of the table size has a local seat for this NetSeat.
bool SeatMapValid(int players, int netSeat);
// On a remote player's program: turns the host seat held in Pturn into the local seat.
void PturnCalculate();

// The house rules a new game's stock message carries.
struct StockRules {
    int SideSize = 19;
    int ForcedCards = 0;
    bool NoWildAce = false;
    bool DecksSeparate = false;
};

// The stock message "DK ..." for positions 1..count of `deck`, laid out for a peer
// of `peerVersion`; `rules` is null for a reshuffle, which sends none.
QString Stock_Message(const BArray<int, 2>& deck, int count, const QString& peerVersion,
                      const StockRules* rules);

// A received stock, read and checked before anything uses it.
struct StockRead {
    std::vector<int> ranks;   // by position, [0] unused; empty when the host sent none
    std::vector<int> numbers; // the same for card numbers
    bool hasRules = false;    // side size, forced cards and wild Ace were read
    bool hasSeparate = false; // the separate-packs field was there too
    StockRules rules;
};

// Reads the stock text in NetDeck (the first field from its start, every further one
// through Netl.Recover_NextField) as a host of `hostVersion` lays it out, for
// positions 1..count and `totalCards` card numbers. False for a damaged message: a
// wrong field count, a card number outside 1..totalCards or given twice, a rank
// outside 1..13, a side size other than 9, 14, 19 or 25, forced cards outside 0..7;
// `why`, when given, then says which.
bool Stock_Parse(const QString& hostVersion, int count, int totalCards, bool withRules, StockRead& out,
                 QString* why = nullptr);
// Puts a checked stock into Deck positions 1..count and takes over the host's rules.
void Stock_Apply(const StockRead& in, const QString& hostVersion, int count);
