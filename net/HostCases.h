#pragma once
// The host's reactions to the messages of its remote players: identification,
// joining with a name, the answers of the exchanges, and leaving.

// The host's case for the message just parsed on socket element `s` (NetState).
void HostCases(int s);
// A remote player of element `s` joins the table under the name in NetText.
void Net_Join(int s);
// The player of element `s` has left, or its connection closed.
void Net_Leave(int s);
