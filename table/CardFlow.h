#pragma once
// The decorative card flow: rows of card backs drifting across the table (mode 0),
// across two strips of it (mode 1) or inside the stock's place (mode 2) until the
// player does something (FlowStop). A DEAL press meanwhile deals once it has stopped.
class QImage;

void AnimateCardsFlow(int mode);

// The frame geometry, kept apart from the window so it can be checked.
struct FlowPlan {
    int P = 0, Q = 0; // the loops of a frame run 0..P and 0..Q
};
// Counts of backs for a client area of animW x animH and a back of w x h.
FlowPlan Flow_Plan(int mode, int animW, int animH, int w, int h);
// The offsets after one frame: right 2, up 1, each wrapping at a card's size.
void Flow_Step(int& dx, int& dy, int w, int h);
// Composes one frame of backs into `frame`.
void Flow_Compose(QImage& frame, const QImage& back, int mode, const FlowPlan& plan, int dx, int dy);
// Seconds between two frames for a processor of that speed.
double Flow_FramePause(int cpuSpeed);
