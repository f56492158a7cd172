#pragma once
// Every pause of the game flow, in seconds, so the pace of a game reads in one place.
// Pauses that scale with the player's speed setting are multiples of ComputerPause.

// The toss: a tie is announced, then the winner.
constexpr double kPaceTieToss = 0.5;
constexpr double kPaceTossWon = 2;
// The first player's words stay up this long.
constexpr double kPaceFirstPlayer = 1.85;
// The side tops are shown, then the hands are dealt.
constexpr double kPaceBeforeDeal = 0.6;
// A card dealt to a computer seat; one to the human waits half the ComputerPause.
constexpr double kPaceDealToSeat = 0.02;
// A whole card flight takes about this long whatever the machine.
constexpr double kPaceFlight = 0.35;
// A card flight ends with a moment for the last step to be painted.
constexpr double kPaceFlightEnd = 0.001;
// A full center pile in an Internet game: the clearing notice on a peer's turn, then the clearing.
constexpr double kPaceClearNotice = 0.5;
constexpr double kPaceClearNet = 0.2;
// A restored game that is not the human's turn says so before the turn starts.
constexpr double kPaceNotYourTurn = 1.5;
// Start-up lets the table paint before the players are read.
constexpr double kPaceStartupPaint = 0.01;
// A computer seat's remark stays up alone: short where it stands in for the seat's sound,
// the usual length after a jeer, long for the lucky escape.
constexpr double kPaceRemarkShort = 0.5;
constexpr double kPaceRemark = 0.75;
constexpr double kPaceRemarkLong = 1;
// The reshuffle's notice stays up before the stock is gathered, on every side of the table.
constexpr double kPaceReshuffleNotice = 0.75;
// A card gliding back to its place, and the hand redrawn slot by slot as it is sorted.
constexpr double kPaceStep = 0.01;
// The emptied hand places of a computer seat show a moment before it draws.
constexpr double kPaceHandRefill = 0.1;
// The turn-over sound starts before the next seat's turn.
constexpr double kPaceTurnOver = 0.2;
// The wait for the icon panel's menu list to close looks this often.
constexpr double kPaceMenuPoll = 0.05;
// The table holds still a moment after a local discard, and after a King.
constexpr double kDiscardPause = 0.75;
constexpr double kKingPause = 0.75;
// A stalemate's clearing of the piles stays up this long at each step.
constexpr double kClearPause = 0.75;
// A tutorial step the computer plays waits this long before it goes on.
constexpr double kStepPause = 0.5;
// The peek notice goes to the peers before the table answers.
constexpr double kPeekNoticeGap = 0.2;
// A personality's flash: the first rising frame, the last frame, every other frame, and
// the rest after the last.
constexpr double kFlashFirstUp = 0.45, kFlashLast = 0.75, kFlashOther = 0.25;
constexpr double kFlashSettle = 0.2;
// Internet play: the pace of every computer move while an Internet game runs; a refused
// caller's lines leave before its connection closes; the game-end line leaves before a
// layout change, a player's leaving, or the host's farewell; a quit's line shows before
// the save is offered.
constexpr double kNetPause = 0.01;
constexpr double kRejectPause = 0.05;
constexpr double kLayoutEndPause = 0.01;
constexpr double kLeavePause = 0.5;
constexpr double kFarewellPause = 0.5;
constexpr double kQuitPause = 0.02;
