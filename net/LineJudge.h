#pragma once
// Whether a received line counts: a line is taken by the exchange or the wait that awaits it,
// from the sender that may send it then; anything else is passed over and changes nothing;
// a damaged line where its kind is awaited ends the game on the damaged-data path.

enum class LineVerdict { Take, PassOver, Refuse };

// What the receiving program awaits from one sender when the sender's line arrives.
struct LineMoment {
    // The bare answer the open exchange still awaits from the sender (kNetNone for none).
    int answer = 0;
    // The messages the sender may send now, one bit per kind (LineBit).
    unsigned messages = 0;
    // Those of them a wait of this program needs: a damaged one ends the game.
    unsigned needed = 0;
};

// A received line as the decoder saw it.
struct LineSeen {
    int kind = 0;         // its code; kNetNone for an unknown one
    bool bare = false;    // nothing after the code
    bool readable = true; // the decoder took it
};

constexpr unsigned LineBit(int kind) {
    return 1u << kind;
}

// The one decision: pure, for tests and the handler alike.
LineVerdict Line_Judge(const LineMoment& now, const LineSeen& line);

// The moment for a line from `element`, read from this program's state.
// `early`: the line came before this program's latest question to its sender.
LineMoment Line_Moment(int element, bool early = false);
