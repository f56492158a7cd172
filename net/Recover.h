#pragma once
// The snapshot exchange of an Internet game.

// Host: sends the table to every remote (notice, layout, RC), waits for every
// answer, sends RS and resumes play. RecoverPending is clear again on every way out.
void SendRecover();
// Remote: reads NetDeck (the text after "RC ") into the table. A damaged snapshot
// changes nothing: the user is told and the Internet game ends.
bool GetRecover();
