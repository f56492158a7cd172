#pragma once
// The player's profile on the table window: the profile hooks the table fills in, and
// the small display that a narrow screen forces.

// The screen is too narrow for the standard display at this game size.
bool NarrowForStandard();
// Takes the table to the small display for good: the menu cannot take it back.
void SmallDisplay_Force();
// Installs the profile hooks of the table: the profile shown, the opponents seated, the
// table laid out and its options applied, the table's settings gathered.
void ProfileTable_Install();
