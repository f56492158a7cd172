#pragma once
#include "common/PeerVersion.h"
// The values NetState takes: the type of the last network message parsed, or a
// connection event. Stored as int, as the record fields and the wire give them.
enum NetMsg : int {
    kNetNone = 0,
    kNetIP = 1,
    kNetNM = 2,
    kNetGS = 3,
    kNetDK = 4,
    kNetTR = 5,
    kNetLost = 6, // GO, or a connection that closed or was lost
    kNetPC = 7,
    kNetWT = 8,
    kNetOK = 9,
    kNetSY = 10, // chat selector only, never stored in NetState
    kNetPK = 11, // chat selector only, never stored in NetState
    kNetRC = 12,
    kNetRS = 13,
    kNetLO = 14,
    kNetEG = 15,
    kNetEarlyLO = 16, // a layout taken before the game's set-up finished
};
