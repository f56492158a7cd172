#pragma once
// The host's callers: which element a caller is taken on, whether it is let in or refused
// (and why), and how long it may stay on the line without saying who it is.

// How long a caller may stay on the line without its identification and its name, in seconds
// of the clock. A port scanner, or a program that is not ours, would otherwise hold a seat,
// and one that identifies itself and goes silent would hold the host's commands.
inline constexpr double kCallerIdentifyLimit = 5.0;
// A refusal box is followed by this many seconds in which further refusals are only counted
// on the table: a flood of callers puts up one box, not one per caller.
inline constexpr double kRefusalQuietTime = 30.0;

// The listening socket's connection request.
void Winsock1_ConnectionRequest(int index, int requestId);
// Drops every caller that has been on the line for longer than the limit without its
// identification and its name. Runs on a timer while a caller waits, and may be called at
// any time.
void Net_DropSilentCallers();
// A caller has identified itself and has no seat yet: the host's commands wait for it.
bool Net_CallerComing();
