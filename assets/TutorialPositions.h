#pragma once
// The tutorial's prepared positions, built from one line of text each.
#include <QString>

// Reads "text/tutorial_positions.txt" and writes its records into "Data/tutorial.sav";
// 0 on success, otherwise 1 after telling what is wrong.
int TutorialPositions(const QString& src, const QString& out);
