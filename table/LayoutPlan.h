#pragma once
// The table's layout as one plan: every card place, frame, label, button, notice and the avatar
// worked out from the screen, the game size, the display size and the window's size alone, then
// put on the table in one step. Whatever the table went through before (a tutorial, another game
// size, a display change), the same inputs give the same table.
#include "table/TableState.h"

#include <QFont>
#include <QMargins>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

struct LayoutInputs {
    int screenWidthTw = 12000, screenHeightTw = 9000;
    int players = 2, centers = 3;
    int mode = 0;           // the display size asked for: 0 standard, 1 cards up, 2 small, 3 small and up
    QSize window{800, 570}; // the table window's client area (pixels)
    QMargins frame;         // what the window manager draws round it
    bool fit = false;       // the window is fitted to the screen, as a change of display size does
    QSize avatarPicture;    // the avatar's picture, whose shape the avatar's box takes
};

// One control or array element as the plan puts it.
struct PlacedControl {
    QString name;
    int index = -1;
    QRectF rect;
    bool visible = true;
    double fontSize = 0;
    int stack = 0; // its place in the stacking order, 0 at the bottom
    // The look an element the plan adds to the table gets.
    QString tip, caption;
    quint32 back = 0, fore = 0;
    int border = 0;
    QFont font;
};

struct LayoutPlan {
    LayoutInputs inputs;
    std::vector<PlacedControl> controls;
    // The layout's own state: card size, grid, the seats and piles laid out, the display entries.
    TableState state;
    int mode = 0;
    bool fitted = false; // the plan has the window fitted to the screen
    QSize window;        // the client area the plan was made for
    bool imgCenterStretch = false;
    QImage imgCenterPicture, stockPicture;

    const PlacedControl* Find(const QString& name, int index = -1) const;
};

// The inputs the table has now, asking for display size `mode`.
LayoutInputs Layout_InputsNow(int mode, bool fit);
// More players than the standard display holds on this screen, or a screen too narrow for it:
// the small display is taken, and the menu cannot take it back.
bool Layout_NarrowForStandard(int screenWidthTw, int players);
// Works the layout out on a window of its own that starts as designed: the table is not touched.
LayoutPlan Layout_Plan(const LayoutInputs& in);
// Puts every control where the plan has it, creates and removes the elements of the seats and
// piles it lays out; `repaint` paints the cards again at their size.
void Layout_Apply(const LayoutPlan& plan, bool repaint);
// The plan for the table as it stands, asking for `mode`, applied.
void Layout_Relay(int mode, bool fit = false, bool repaint = false);
// True while a plan is being worked out (the layout's steps run on the plan's own window).
bool Layout_Planning();
// The frame margins the plan was asked for while one is worked out.
const QMargins* Layout_PlanningFrame();
