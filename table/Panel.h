#pragma once
// The table's icon panel with its drop-down menus, presses on the table background
// and on the other seats' places, the sound-level announcement, and the gathering
// of a seat's cards for a stalemate recovery.
#include "engine/Model.h"
#include "table/TableState.h"

#include <QImage>
#include <functional>

using Places = ControlArray<PictureBox>;

// The panel's designed width (pixels); a narrower window shrinks it, icons and all.
inline constexpr int kPanelWidth = 660;
// The icons of the panel, left to right.
enum PanelIcon : int { kIconNone = 0, kIconGame = 1, kIconOptions = 2, kIconInternet = 3, kIconHelp = 4 };
// The icon under a press at x, y of the panel (kIconNone off the icon row).
int Panel_IconAt(double x, double y);
// The four menu icons drawn over a panel backdrop, where the icon hit test expects them.
QImage Panel_WithIcons(QImage backdrop);

// The drop-down list window and the commands belong to the shell; until it installs
// them no list opens.
struct PanelHooksT {
    // Opens list `menu` at (left, top) twips; false when no list could be shown.
    std::function<bool(int menu, int leftTw, int topTw)> Menu_Open = [](int, int, int) { return false; };
    std::function<void()> Menu_Close = [] {};
    std::function<void()> MenuDispatch = [] {};
    // The profile's control-panel style (0 the first look).
    std::function<int()> MenuStyle = [] { return 0; };
};
extern PanelHooksT PanelHooks;

// Hides the panel and closes an open list.
void Panel_Close();
void imgMenu_MouseMove();
void Form_MouseMove(int button, int shift, double x, double y);
void Form_MouseDown();
void Label9_MouseDown();
// A press at x, y of the table on one of the human's cards that the tutorial keeps still: the
// message line says why it does not move.
void Tutorial_PressHint(double x, double y);
// A step that ends takes its hint away: the next step may ask for just that move.
void Tutorial_HintClear();
void picPanel_MouseMove(double x, double y);
// Opens an icon's list beside the panel and returns at once.
void picPanel_MouseDown(double x, double y);
// The list has closed: the command of a chosen row runs now.
void Panel_ListClosed();
// Announces the sound setting.
void ChangeNoise();
// A press on a place of seat 2, 3 or 4.
void SeatPlace_MouseDown(int seat, Places& places, int index, int button);
// Gathers a seat's hand and hold piles into the used pile.
void Pictures_Reset(SeatRecord& rec, Places& places);
// Wires the panel, the table and the other seats' places to the handlers above.
void Panel_Install(TableForm& f);
// The panel's own picture; its text is the start-up's first, which loads the fonts.
void Panel_Draw(TableForm& f);
