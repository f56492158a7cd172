#include "table/Animate.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "table/Paint.h"
#include "table/frmCounter.h"

#include <cmath>
#include <cstdlib>

namespace {
bool g_dealing = false;
int g_animStartX = 0, g_animStartY = 0;

// A whole flight takes about this long whatever the machine, so every step waits its share.
constexpr double kFlightSeconds = 0.35;

void Step(PictureBox& p, double x, double y) {
    p.SetGeometryPx(x, y, p.WidthPx(), p.HeightPx());
    Pause(kFlightSeconds / std::max(1, Com.AnimSteps));
}

} // namespace

bool Animate_Dealing() {
    return g_dealing;
}

void Card_Animate(Places& source, int i, Places& target, int j) {
    TableForm& f = frmGrulm();
    PictureBox& s = source(i);
    const bool human = source.Name() == QLatin1String("Picture7");
    g_animStartX = static_cast<int>(std::lround(s.LeftPx()));
    g_animStartY = static_cast<int>(std::lround(s.TopPx()));
    PictureBox& spare = f.Picture1(0);
    if (!g_dealing || (i > 6 && human))
        spare.SetGeometryPx(g_animStartX, g_animStartY, spare.WidthPx(), spare.HeightPx());
    const double destX = target(j).LeftPx(), destY = target(j).TopPx();
    Pause(0); // lets pending paints through before the flight
    s.ZOrder(0);

    // What stays at the source place while the card flies.
    if (!human && i == 1 && Eng.SeatSideCount != 0) {
        spare.SetVisible(true);
    } else if (i > 6 && human) {
        const int h = i - 6;
        if (Eng.PlayerHoldCount(h) != 0)
            Card_Show(f.Picture1, 0, Eng.PlayerHold(0, h, Eng.PlayerHoldCount(h)), 0);
        else
            Card_Show(f.Picture1, 0, 0, 88);
    } else if (i > 6) {
        spare.SetVisible(true);
    }

    const int steps = std::max(1, Com.AnimSteps);
    int stepX = RoundEven(std::abs(g_animStartX - destX) / steps);
    int stepY = RoundEven(std::abs(g_animStartY - destY) / steps);
    if (stepX == 0) stepX = 1;
    if (stepY == 0) stepY = 1;
    double x = g_animStartX, y = g_animStartY;
    const bool horizontalLeads = std::abs(g_animStartX - destX) >= std::abs(g_animStartY - destY);
    // Each loop ends on its own test; the counter only guards against a move that cannot end.
    const int limit = 100000;
    if (horizontalLeads) {
        const bool left = g_animStartX > destX;
        for (int n = 0; n < limit && !Com.GameAbort && (left ? x > destX + 35.5 : x < destX + 35.5); ++n) {
            x += left ? -stepX : stepX;
            if (destY >= g_animStartY) {
                if (y < destY) y += stepY;
            } else if (y > destY) {
                y -= stepY;
            }
            Step(s, x, y);
        }
    } else {
        const bool up = destY <= g_animStartY;
        for (int n = 0; n < limit && !Com.GameAbort && (up ? y > destY : y < destY - 48); ++n) {
            y += up ? -stepY : stepY;
            x += x > destX ? -stepX : stepX;
            Step(s, x, y);
        }
    }
    Pause(0.001);
    s.SetVisible(false);
    s.SetGeometryPx(g_animStartX, g_animStartY, s.WidthPx(), s.HeightPx());
}

void Card_Deal(Places& places, BArray<int, 2>& cards, int slot, int kind) {
    TableForm& f = frmGrulm();
    g_dealing = true;
    PictureBox& spare = f.Picture1(0);
    spare.SetGeometryPx(f.PicCenter(0).LeftPx(), f.PicCenter(0).TopPx(), spare.WidthPx(), spare.HeightPx());
    Card_Show(f.Picture1, 0, 0, 0);
    spare.SetVisible(true);
    cards(1, slot) = Eng.Deck(1, Eng.DeckCount);
    Eng.Deck(1, Eng.DeckCount) = 0;
    cards(0, slot) = Eng.Deck(0, Eng.DeckCount);
    Eng.Deck(0, Eng.DeckCount) = 0;
    --Eng.DeckCount;
    // Only a real card number is marked; an empty stock position has none.
    if (cards(0, slot) >= 1 && cards(0, slot) <= Com.TotalCards) Eng.Deck(2, cards(0, slot)) = 1;
    Card_Animate(f.Picture1, 0, places, slot);
    if (places.Name() == QLatin1String("Picture7") || Com.PeekOn)
        Card_Show(places, slot, cards(0, slot), kind);
    else
        Card_Show(places, slot, 0, kind);
    places(slot).SetVisible(true);
    g_dealing = false;
    if (platform::Form::IsLoaded("frmCounter")) Counter_ShowDeck();
    Pause(kind == 3 ? 0.02 : Com.ComputerPause / 2);
}

void Piles_EnableRange(Places& places, bool value, int first, int last) {
    for (int slot = first; slot <= last; ++slot)
        if (places.Exists(slot)) places(slot).SetEnabled(Eng.PlayerCards(1, slot) != 0 ? value : false);
}

void Control_Enable(Places& places, int index) {
    places(index).SetEnabled(true);
}
