// Seats' piles and side stacks: the drawing of a seat's cards into its places,
// the side stacks' edges and counts, the hold outlines and highlights.
#include "table/Piles.h"

#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "table/Layout.h"
#include "table/Paint.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

void PilesPixels() {
    frmGrulm().SetScaleMode(platform::vbPixels);
}

// One before the seat's first depth outline: 0 the human, 4 seat 2, 8 seat 3, 12 seat 4.
int OutlineBase(const Places& places) {
    const SeatParts s = SeatOf(places);
    if (s.seat == 0) throw std::invalid_argument(("no seat's places: " + places.Name()).toStdString());
    return s.firstHold - 1;
}

// Shows edges top down to index + 1, never past the seat's own block of 25.
void ShowEdges(int top, int index, bool show) {
    TableForm& f = frmGrulm();
    const int lowest = std::max(index + 1, top - 24);
    for (int e = top; e >= lowest; --e)
        if (f.Stack.Exists(e)) f.Stack(e).SetVisible(show);
}

} // namespace

void Pile_Draw(Places& places, const BArray<int, 2>& cards) {
    PilesPixels();
    const SeatParts seat = SeatOf(places);
    const bool human = seat.Human();
    const SeatRecord* rec = seat.record;
    PictureBox& side = places(1);
    side.SetBorderStyle(Com.DeckStyle < 6 ? 1 : 0);
    // The back goes in first: painted after the card it would hide the side card.
    if (!Com.KeepSidePicture) {
        const int S = Tbl.ScreenWidthTwips;
        const bool large = Com.LayoutMode < 2 && (S == 12000 || (S > 12000 && (human || Com.NumPlayers < 3)));
        side.SetBackColor(Com.DeckColour);
        side.SetPicture(Tbl.Pic.FilePic[large ? 0 : 5]);
    }
    if (cards(0, 1) != 0) Card_Show(places, 1, cards(0, 1), kShowSilent);
    side.Refresh();

    for (int slot = 2; slot <= 6; ++slot) {
        PictureBox& place = places(slot);
        const int card = cards(0, slot);
        if (card == 0) {
            place.SetVisible(false);
        } else if (human || Com.PeekOn) {
            if (Com.DeckStyle < 6) place.SetBorderStyle(1);
            Card_Show(places, slot, card, kShowSilent);
        } else {
            place.SetBorderStyle(Com.BackStyle == 0 ? 1 : 0);
            Card_Show(places, slot, 0, kShowSilent);
        }
    }

    for (int slot = 7; slot <= 10; ++slot) {
        PictureBox& place = places(slot);
        const int pile = slot - 6;
        const int card = cards(0, slot);
        place.SetBorderStyle(1);
        if (card != 0) {
            Card_Show(places, slot, card, kShowSilent);
            const bool covered = human ? cards(1, slot) != 0 && Eng.PlayerHoldCount(pile) > 0
                                       : rec && rec->RecHoldInfo(pile, 1) >= 2;
            if (covered) Hold_Highlight(places, true, pile);
        } else {
            Card_Show(places, slot, 0, kShowEmptyPlace);
        }
        place.Refresh();
    }
}

void Stacks_ShowCounts(bool show) {
    if (Eng.SeatSideStack == 99) return;
    const bool loaded[] = {true, true, Tbl.Seat3Loaded, Tbl.Seat4Loaded};
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatParts s = Seat(seat);
        if (loaded[seat - 1])
            ShowEdges(s.TopEdge(), s.record ? s.record->RecSideStack : Eng.PlayerSideStack, show);
    }
}

void Stacks_LoadImages() {
    TableForm& f = frmGrulm();
    PilesPixels();
    PictureBox& tpl = f.Stack(0);
    tpl.SetWidth(Tbl.CardWidth);
    tpl.SetHeight(Tbl.CardHeight);
    tpl.SetBackColor(Com.DeckColour);
    for (int e = 50; e >= 1; --e) {
        if (!f.Stack.Exists(e)) {
            f.Stack.Load(e).ZOrder(1);
            continue;
        }
        // An edge of the design takes the template's size and colour, as a new copy would.
        f.Stack(e).SetWidth(tpl.Width());
        f.Stack(e).SetHeight(tpl.Height());
        f.Stack(e).SetBackColor(tpl.BackColor());
    }
    f.Picture1(1).SetBackColor(Com.DeckColour);
    f.Picture7(1).SetBackColor(Com.DeckColour);
}

void Highlights_LoadImages() {
    TableForm& f = frmGrulm();
    PilesPixels();
    Shape& tpl = f.StackHold(0);
    tpl.SetWidth(Tbl.CardWidth);
    tpl.SetHeight(Tbl.CardHeight);
    tpl.SetFilled(true, Com.DeckColour);
    for (int e = 1; e <= 8; ++e) {
        Shape& s = f.StackHold.Exists(e) ? f.StackHold(e) : f.StackHold.Load(e);
        s.SetWidth(tpl.Width());
        s.SetHeight(tpl.Height());
        s.SetFilled(true, Com.DeckColour);
    }
}

void Hold_Highlight(Places& places, bool show, int hold) {
    if (hold < 1 || hold > 4) throw std::out_of_range("hold pile " + std::to_string(hold) + " outside 1..4");
    TableForm& f = frmGrulm();
    const int outline = OutlineBase(places) + hold;
    // A seat that is not laid out has no outlines to show.
    if (f.StackHold.Exists(outline)) f.StackHold(outline).SetVisible(show);
}

void HoldImages_Set() {
    frmGrulm().ImgHold.SetPicture(Tbl.Pic.FilePic[Com.LayoutMode < 2 ? 0 : 5]);
}

void FrameLines_Draw(platform::Form& window) {
    // Twips of the design, drawn at 15 to a pixel.
    QWidget* w = window.Window();
    const double W = w->width() * platform::kTwipsPerPixel, H = w->height() * platform::kTwipsPerPixel;
    struct Seg {
        double x1, y1, x2, y2;
        quint32 colour;
    };
    const Seg segs[] = {
        {0, 0, 0, H, 0x00FFFFFF},                 // outer edge, left
        {W - 15, 0, W - 15, H, 0x00808080},       // outer edge, right
        {0, 0, W - 30, 0, 0x00FFFFFF},            // outer edge, top
        {0, H - 15, W - 30, H - 15, 0x00808080},  // outer edge, bottom
        {30, 0, 30, H - 60, 0x00E0E0E0},          // inner bevel
        {W - 30, 15, W - 30, H - 30, 0x00C0C0C0}, //
        {30, 30, W - 60, 30, 0x00E0E0E0},         //
        {20, H - 30, W - 15, H - 30, 0x00C0C0C0}, //
    };
    QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(platform::FromBGR(window.BackColor()));
    QPainter p(&img);
    if (!window.Background().isNull()) p.drawImage(QPointF(0, 0), window.Background());
    for (const Seg& s : segs) {
        p.setPen(QPen(platform::FromBGR(s.colour), 1));
        const double k = platform::kTwipsPerPixel;
        p.drawLine(QPointF(s.x1 / k, s.y1 / k), QPointF(s.x2 / k, s.y2 / k));
    }
    p.end();
    window.SetBackground(img);
}
