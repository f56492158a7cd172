#pragma once
// The end of an Internet game on this program: the sockets closed, the table put
// back into a local game and the settings the Internet game changed restored.
// Safe to run more than once.
void NetCleanUp();
// This player leaves: the farewell line (counter `chatCount`, already raised) and
// GO go to every connected peer, the host's or a remote's. Nothing is sent on a
// connection that is gone.
void Net_Farewell(int chatCount);
