#pragma once
// A remote player's reactions to the messages of the host: identification, the
// host's name, new games, deals, first turns, snapshots, layouts, ended games
// and the host's leaving.

// The remote's case for the message just parsed (NetState).
void RemoteCases(int s);
