#pragma once
// Where the table window and the windows opened over it go on the screen: always
// with their whole frame (title bar and close box) on it.
#include "platform/Placement.h"

#include <vector>

class QWidget;
namespace platform {
class Form;
}

// The frame the window manager draws round the table window (none before it is shown).
QMargins Table_FrameMargins();
// The top-left corner of the screen's free area, in twips: where a fitted table's frame goes.
QPoint Table_HomeTw();
// Puts the table's frame at left, top (twips), its client size kept.
void Table_MoveFrameTo(int leftTw, int topTw);
// Once the table is shown and its frame known: a frame that leaves the screen is moved back
// onto it (its title bar first), and made lower where it is taller than the screen.
void Table_KeepFrameOnScreen();

enum class TableSpot {
    Centre, // centred over the table: a dialog the game waits for
    Free,   // beside the table, or over a part of it no card place lies under
    // on the screen beside or below all the table shows, made smaller to fit there down to its
    // least size; else as Free
    ClearOfTable
};
// Puts a window that opens over the table at `spot`, wholly on the screen.
// With `avoid` (rectangles of the table's client area, pixels), a Free window covers none of
// them where any spot lets it.
void Window_PlaceOverTable(QWidget* window, TableSpot spot, const std::vector<QRect>& avoid = {});
// Whether the shown window lies over one of `places` (the table's client area, pixels).
bool Window_CoversOnTable(const QWidget* window, const std::vector<QRect>& places);
void Window_PlaceOverTable(platform::Form& window, TableSpot spot);
// Puts a window on the screen beside or below every card place, button and label of the table,
// made smaller where it must; false where no such room holds it.
bool Window_PlaceClearOfTable(platform::Form& window);
// A window larger than the screen's free area is made smaller, controls and fonts alike, until
// its frame fits; its scale (1 when it fitted already).
double Window_FitScreen(platform::Form& window);
// Loads a tool window, fits it to the screen and puts it at `spot` when it is not showing yet,
// and shows it.
void ToolWindow_Open(platform::Form& window, TableSpot spot, bool modal);
