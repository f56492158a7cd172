#pragma once
// The snapshot exchange of an Internet game.
#include <QString>

// Host: sends the table to every remote (notice, layout, RC), waits for every
// answer, sends RS and resumes play. RecoverPending is clear again on every way out.
void SendRecover();
// Remote: reads NetDeck (the text after "RC ") into the table. A damaged snapshot
// changes nothing: the user is told and the Internet game ends.
bool GetRecover();
// Remote: a snapshot or stock from the host that cannot be taken. The user is told why,
// the host gets the farewell and GO, and the Internet game ends here.
void Net_RefuseDamaged(const QString& why);
// The same for a damaged line from `element`: the host's on a remote, a player's on the host.
void Net_RefuseDamagedFrom(int element, const QString& why);
