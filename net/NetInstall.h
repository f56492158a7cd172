#pragma once
// Puts network play in place at start-up: the game flow's network operations
// and the events of the socket array.

namespace platform {
class Winsock;
}

void Net_Install();
// The socket array's events into the network code; done when the array is first used.
void Net_WireSockets(platform::Winsock& ws);
