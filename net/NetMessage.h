#pragma once
// The message handler's entry: a received line is decoded, applied to the
// shared network state and handed to the host's or the remote's cases.
#include "net/NetCodec.h"

#include <functional>

class QByteArray;

// The decoder's view of this program.
NetDecodeContext Net_Context();
// Decodes a line and sets NetState and the fields. A refused line changes nothing
// and returns kNetRefused; otherwise returns NetState.
inline constexpr int kNetRefused = -1;
int Net_ParseMessage(const QByteArray& line, int socket);
// Handles one received line, or with no line a connection event (NetState set by the caller).
void Net_ProcessMessage(int socket, const QByteArray* line = nullptr);
// The players who left while a game was being won leave now that it is scored.
void Net_RunHeldLeaves();
// A complete line from a socket: chat and peek to the chat handler, the rest to Net_ProcessMessage.
void Net_Dispatch(int socket, const QByteArray& line);
// Runs an event handler; a fault is told to the user instead of unwinding through Qt.
void Net_Guard(const char* stage, const std::function<void()>& handler);
