#pragma once
// Sockets of an Internet game: listening, connecting, accepting and refusing
// callers, sending, and turning arrivals into handled messages.
#include <QString>

void NetHostListen();
void NetConnectRemote();
// Sends one message to one element (a remote always uses element 0, and a negative
// element means 1); the element it went to.
int Net_Send(const QString& message, int element);
// Host: sends to every connection in use but `except`.
void Net_SendAll(const QString& message, int except);
void Net_SendIdentity(int element);
void Net_RejectConnection(int element);
// Host: the element's connection closed and its row, count and buffer cleared; the highest
// element is removed.
void Net_FreeElement(int element);
// The element's connection is closed here and lost to every wait, as a peer's going is.
void Net_LinkLost(int element);
void NetCloseClient();
void NetCloseAll();

// Handles every complete line waiting in an element's buffer. True when there was one.
bool Net_DrainLines(int index);

// The events of Winsock1 (a caller's request: net/Callers.h).
void Winsock1_DataArrival(int index, qint64 bytes);
void Winsock1_Error(int index, int number, const QString& description);
void Winsock1_Close(int index);
