#pragma once
// The program asked to end while a flow or the start-up waits on one of its windows.

// A logout (SIGTERM) or Ctrl+C, at any moment: after the start-up the table closes as its close
// box does; during it, the start-up stops at its next step and the program ends from there.
void Program_EndAsked();

// The program is closing: a window a flow waits on closes unanswered, so that the flow unwinds.
void Windows_CloseWaited();
