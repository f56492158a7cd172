#include "table/WindowPlaces.h"
#include "table/LayoutPlan.h"

#include "common/Shared.h"
#include "engine/SeatTable.h"
#include "engine/TableForm.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "platform/StatusBar.h"
#include "table/Display.h"
#include "table/Panel.h"
#include "table/TableState.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kTw = 15; // twips to a pixel
// How long a shown table waits for the window manager to put its frame round it.
constexpr double kFrameWaitSeconds = 0.5;
// How often, and how many times, a window just placed is looked at for its frame.
constexpr int kFrameTryMs = 25, kFrameTries = 40;

QWidget* TableWindow() {
    return HasTableForm() ? frmGrulm().Window() : nullptr;
}

// Room kept between a window put over the table and the table's edges.
constexpr int kEdgeGap = 8;
// What covering a part of the table costs, by what lies there: the places the player plays
// from and to, the other seats' places, another window (which can be raised), and the rest
// (pictures, side-stack edges, frames).
// What a window must not hide at all (the places a tutorial step points at) costs more than
// anything else; a window kept on top hides for good what lies under it.
constexpr qint64 kAvoidWeight = 1000000;
// Steps across and down the screen at which such a window is tried.
constexpr int kGridSteps = 12;
// Sizes tried between a window's own and its least, when it must be made smaller to fit.
constexpr int kShrinkSteps = 12;
constexpr int kLastOwnSlot = 10;
constexpr int kOnTopWeight = 40, kOwnWeight = 12, kSeatWeight = 4, kWindowWeight = 2, kPictureWeight = 1;

// The table's client area on the screen, above its status bar.
QRect TableClient() {
    TableForm& f = frmGrulm();
    // A window's geometry is its client area on the desktop.
    QRect r = f.Window()->geometry();
    if (f.StatusBar1.Visible()) r.setBottom(r.bottom() - static_cast<int>(f.StatusBar1.HeightPx()));
    return r;
}

qint64 Overlap(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return static_cast<qint64>(both.width()) * both.height();
}

int WeightOf(const platform::Control& c) {
    const QString& n = c.Name();
    // The buttons are the player's own (DEAL, which a remote must press to begin).
    if (n == QLatin1String("Picture7") || n == QLatin1String("PicCenter") ||
        dynamic_cast<const platform::CommandButton*>(&c))
        return kOwnWeight;
    if (n == QLatin1String("Picture1") || n == QLatin1String("Picture2") || n == QLatin1String("Picture3"))
        return kSeatWeight;
    return kPictureWeight;
}

// What a window over the table would cover there, each with what covering it costs a pixel:
// the card places, piles, frames and pictures of the table and the other windows open over it.
struct Weighted {
    QRect place;
    qint64 weight;
};
std::vector<Weighted> TableCover(const QWidget* placed) {
    TableForm& f = frmGrulm();
    const QPoint origin = f.Window()->geometry().topLeft();
    std::vector<Weighted> cover;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != placed && w != f.Window() && w->isVisible() && w->windowType() != Qt::Popup)
            cover.push_back({w->frameGeometry(), w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)
                                                     ? kOnTopWeight
                                                     : kWindowWeight});
    // A side stack's 25 edges lie over one another: their outline counts once.
    QRect stacks[5];
    for (const platform::Control* c : f.Controls()) {
        const bool drawn =
            dynamic_cast<const platform::PictureBox*>(c) || dynamic_cast<const platform::Image*>(c) ||
            dynamic_cast<const platform::Shape*>(c) || dynamic_cast<const platform::CommandButton*>(c) ||
            c->Name() == QLatin1String("Label3");
        if (!drawn || !c->Visible() || !c->Widget() || !c->Widget()->isVisible()) continue;
        const QRect place(origin + QPoint(static_cast<int>(c->LeftPx()), static_cast<int>(c->TopPx())),
                          QSize(static_cast<int>(c->WidthPx()), static_cast<int>(c->HeightPx())));
        if (c->Name() == QLatin1String("Stack") && c->Index() >= 1) {
            stacks[std::min(4, (c->Index() - 1) / 25 + 1)] |= place;
            continue;
        }
        cover.push_back({place, WeightOf(*c)});
    }
    for (const QRect& stack : stacks)
        cover.push_back({stack, kPictureWeight});
    return cover;
}

qint64 CoveredArea(const QRect& frame, const std::vector<Weighted>& cover) {
    qint64 covered = 0;
    for (const Weighted& w : cover)
        covered += w.weight * Overlap(frame, w.place);
    return covered;
}

// Where a window of size `frame` may go, best first: beside the table (below it, right of
// it), then the table's corners, the lower ones first, where a game leaves most room, then
// its top-left corner over its title bar.
std::vector<QPoint> FreeSpotCandidates(const QRect& tableFrame, const QRect& client, const QSize& frame) {
    const int right = client.right() + 1 - frame.width() - kEdgeGap;
    const int bottom = client.bottom() + 1 - frame.height() - kEdgeGap;
    const int left = client.left() + kEdgeGap, top = client.top() + kEdgeGap;
    const int middle = client.center().x() - frame.width() / 2;
    const int below = tableFrame.bottom() + 1, beside = tableFrame.right() + 1;
    // Last, over the left of the table's title bar: on a small screen the rows of cards
    // leave no corner free, and the title bar is what the window hides least of.
    return {{right, below},  {middle, below}, {left, below}, {beside, bottom}, {beside, top},
            {right, bottom}, {left, bottom},  {right, top},  {left, top},      {left, tableFrame.top()}};
}

// A control's place in the table's client area.
QRect PlaceOf(const platform::Control& c) {
    return QRectF(c.LeftPx(), c.TopPx(), c.WidthPx(), c.HeightPx()).toAlignedRect();
}

// A card place a game of this size fills, or the DEAL button: shown or not, a window opened
// before the deal must leave them free.
bool PlayedPlace(const platform::Control& c) {
    TableForm& f = frmGrulm();
    if (&c == &f.cmdDeal) return true;
    if (c.Name() == QLatin1String("PicCenter")) return c.Index() >= 1 && c.Index() <= Com.NumCenters;
    for (int seat = 1; seat <= std::min(Com.NumPlayers, 4); ++seat)
        if (Seat(seat).places->Exists(c.Index()) && &(*Seat(seat).places)(c.Index()) == &c)
            return c.Index() >= 1;
    return false;
}

// Whether a window of ours kept on top lies over where `window` is to go.
bool UnderOnTop(const QWidget* window) {
    const QRect frame =
        window->geometry().marginsAdded(platform::FrameMarginsOf(window, Table_FrameMargins()));
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w != window && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
            w->windowType() != Qt::Popup && w->frameGeometry().intersects(frame))
            return true;
    return false;
}

// Where the table shows something the player reads or presses: card places, frames, pictures,
// buttons and the labels that say something; on the screen.
QRect TableOccupied() {
    TableForm& f = frmGrulm();
    const QPoint origin = f.Window()->geometry().topLeft();
    QRect used;
    for (const platform::Control* c : f.Controls()) {
        const bool shown = c->Visible() && c->Widget() && c->Widget()->isVisible();
        if (!shown && !PlayedPlace(*c)) continue;
        if (dynamic_cast<const platform::StatusBar*>(c) || c->Name() == QLatin1String("picPanel")) continue;
        if (dynamic_cast<const platform::Label*>(c) && c->Caption().trimmed().isEmpty() &&
            c->Name() != QLatin1String("Label3"))
            continue;
        used |= QRect(origin + QPoint(static_cast<int>(c->LeftPx()), static_cast<int>(c->TopPx())),
                      QSize(static_cast<int>(c->WidthPx()), static_cast<int>(c->HeightPx())));
    }
    return used;
}

// Once the window manager has framed a window, a frame that it or the toolkit left off the
// screen is moved back onto it, its title bar first.
void KeepFrameOnScreenOnceFramed(QWidget* window) {
    auto* timer = new QTimer(window);
    auto tries = std::make_shared<int>(0);
    platform::Connect(timer, &QTimer::timeout, "timer", [window, timer, tries] {
        const QMargins m = platform::FrameMarginsOf(window);
        if (window->isVisible() && m.isNull() && ++*tries < kFrameTries) return;
        timer->deleteLater();
        if (!window->isVisible() || m.isNull()) return;
        const QRect frame = window->frameGeometry();
        const QRect kept =
            platform::FrameKeptIn(platform::FreeAreaAt(frame.center()), frame.topLeft(), window->size(), m);
        if (kept.topLeft() != frame.topLeft()) window->move(kept.topLeft());
    });
    timer->start(kFrameTryMs);
}

// Puts a window's frame at `frame`. A hidden window is placed by its client area: the toolkit
// forgets a closed window's frame once the window manager has taken it away, and would put the
// client where the frame should go, its title bar above the screen.
void PutFrame(QWidget* window, const QRect& frame, const QMargins& margins) {
    if (window->isVisible())
        window->move(frame.topLeft());
    else
        window->setGeometry(frame.marginsRemoved(margins));
    KeepFrameOnScreenOnceFramed(window);
}

// A frame on the screen and what a window there covers.
struct Spot {
    QRect frame;
    qint64 covered = -1;
    QPoint topLeft() const { return frame.topLeft(); }
};
// The spot beside or over the table where a window of client size `size` covers least of
// `cover`; `grid` looks over the whole screen as well.
Spot LeastCoveredSpot(const QWidget* window, const QSize& size, const std::vector<Weighted>& cover,
                      bool grid) {
    QWidget* table = TableWindow();
    const QMargins margins = platform::FrameMarginsOf(window, Table_FrameMargins());
    const QSize frame = size.grownBy(margins);
    const QRect area = platform::FreeAreaAt(table->frameGeometry().center());
    std::vector<QPoint> spots = FreeSpotCandidates(table->frameGeometry(), TableClient(), frame);
    if (grid)
        for (int y = 0; y <= kGridSteps; ++y)
            for (int x = 0; x <= kGridSteps; ++x)
                spots.push_back(area.topLeft() + QPoint((area.width() - frame.width()) * x / kGridSteps,
                                                        (area.height() - frame.height()) * y / kGridSteps));
    Spot best;
    for (const QPoint& at : spots) {
        const QRect kept = platform::FrameKeptIn(area, at, size, margins);
        const qint64 covered = CoveredArea(kept, cover);
        if (best.covered < 0 || covered < best.covered) best = {kept, covered};
    }
    return best;
}

// The card places of this game not dealt yet: a window over them hides them once they are.
std::vector<QRect> PlacesToCome() {
    std::vector<QRect> places;
    for (const platform::Control* c : frmGrulm().Controls())
        if (!c->Visible() && PlayedPlace(*c) && c != &frmGrulm().cmdDeal) places.push_back(PlaceOf(*c));
    return places;
}

// The table's cover with the places still to be dealt as a seat's, and, at `weight`, the places
// of its client area in `places`.
std::vector<Weighted> CoverWith(const QWidget* window, const std::vector<QRect>& places, qint64 weight) {
    std::vector<Weighted> cover = TableCover(window);
    const QPoint origin = TableClient().topLeft();
    for (const QRect& r : places)
        cover.push_back({r.translated(origin), weight});
    for (const QRect& r : PlacesToCome())
        cover.push_back({r.translated(origin), kSeatWeight});
    return cover;
}

// The table's status bar on the screen, down to the table's lower frame edge; none when hidden.
QRect StatusBarOnScreen() {
    TableForm& f = frmGrulm();
    if (!f.StatusBar1.Visible()) return {};
    const QRect client = f.Window()->geometry();
    const int top = client.top() + static_cast<int>(f.StatusBar1.TopPx());
    return QRect(QPoint(client.left(), top), QPoint(client.right(), f.Window()->frameGeometry().bottom()));
}

// The parts of `band` clear of `keep`: above, below, left and right of it.
std::vector<QRect> PartsClearOf(const QRect& band, const QRect& keep) {
    if (!band.intersects(keep)) return {band};
    std::vector<QRect> parts;
    for (const QRect& part :
         {QRect(QPoint(band.left(), band.top()), QPoint(band.right(), keep.top() - 1)),
          QRect(QPoint(band.left(), keep.bottom() + 1), QPoint(band.right(), band.bottom())),
          QRect(QPoint(band.left(), band.top()), QPoint(keep.left() - 1, band.bottom())),
          QRect(QPoint(keep.right() + 1, band.top()), QPoint(band.right(), band.bottom()))})
        if (part.isValid()) parts.push_back(part);
    return parts;
}

// What a window kept over the table leaves free at any size: the DEAL button, the player's own
// places, shown or not, the icon menu with the panel it opens and the status bar; client pixels.
std::vector<QRect> KeptFreePlaces() {
    TableForm& f = frmGrulm();
    const platform::PictureBox& panel = f.picPanel;
    const double panelWidth = std::min<double>(kPanelWidth, f.Window()->width());
    std::vector<QRect> kept{
        PlaceOf(f.cmdDeal), PlaceOf(f.imgMenu),
        QRectF(panel.LeftPx(), panel.TopPx(), panelWidth, panel.HeightPx()).toAlignedRect()};
    if (const QRect bar = StatusBarOnScreen(); bar.isValid())
        kept.push_back(bar.translated(-TableClient().topLeft()));
    for (int slot = 1; slot <= kLastOwnSlot; ++slot)
        if (f.Picture7.Exists(slot)) kept.push_back(PlaceOf(f.Picture7(slot)));
    return kept;
}

// The sizes a window may take, from its own down to its least, the largest first. A window
// whose height follows its width says the least height that shows it whole at each width.
std::vector<QSize> ShrunkSizes(const QWidget* window) {
    const QSize full = window->size();
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize()).boundedTo(full);
    std::vector<QSize> sizes;
    for (int across = 0; across <= kShrinkSteps; ++across) {
        const int width = full.width() - (full.width() - least.width()) * across / kShrinkSteps;
        const int lowest = window->hasHeightForWidth()
                               ? std::clamp(window->heightForWidth(width), least.height(), full.height())
                               : least.height();
        for (int down = 0; down <= kShrinkSteps; ++down)
            sizes.emplace_back(width, full.height() - (full.height() - lowest) * down / kShrinkSteps);
    }
    std::stable_sort(sizes.begin(), sizes.end(), [](const QSize& a, const QSize& b) {
        return qint64(a.width()) * a.height() > qint64(b.width()) * b.height();
    });
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

// Over the table, from the window's own size down to its least: the largest size at which a
// spot covers nothing, else the spot that covers least. It never covers what KeptFreePlaces
// names where any spot of any of its sizes allows.
void PlaceShrunkOverTable(platform::Form& form) {
    QWidget* window = form.Window();
    if (!TableWindow()) {
        Window_PlaceOverTable(window, TableSpot::Free);
        return;
    }
    const std::vector<Weighted> cover = CoverWith(window, KeptFreePlaces(), kAvoidWeight);
    QSize bestSize = window->size();
    Spot best;
    for (const QSize& size : ShrunkSizes(window)) {
        const Spot at = LeastCoveredSpot(window, size, cover, true);
        if (best.covered < 0 || at.covered < best.covered) {
            best = at;
            bestSize = size;
        }
        if (best.covered == 0) break;
    }
    if (bestSize != window->size()) form.SetClientSizePx(bestSize.width(), bestSize.height());
    const QMargins margins = platform::FrameMarginsOf(window, Table_FrameMargins());
    PutFrame(window, best.frame, margins);
}

} // namespace

QMargins Table_FrameMargins() {
    return platform::FrameMarginsOf(TableWindow());
}

QPoint Table_HomeTw() {
    QWidget* w = TableWindow();
    const QPoint at = w ? w->frameGeometry().center() : QPoint();
    return platform::FreeAreaAt(at).topLeft() * kTw;
}

void Table_MoveFrameTo(int leftTw, int topTw) {
    TableForm& f = frmGrulm();
    f.MoveFrameTw(leftTw, topTw, f.WidthTw(), f.HeightTw());
}

void Table_KeepFrameOnScreen() {
    if (!HasTableForm()) return;
    TableForm& f = frmGrulm();
    QWidget* w = f.Window();
    if (!w->isVisible() || f.WindowState() != 0) return;
    // The frame comes with the window manager's answer to the window's first showing.
    auto& clock = *platform::Svc().clock;
    clock.WaitUntil(
        clock.Now() + kFrameWaitSeconds, [w] { return !platform::FrameMarginsOf(w).isNull(); }, true);
    const QMargins m = platform::FrameMarginsOf(w);
    const QRect frame = w->frameGeometry();
    // The screen as the game measured it, from the free area's corner.
    const QRect area(platform::FreeAreaAt(frame.center()).topLeft(),
                     QSize(Tbl.ScreenWidthTwips, Tbl.ScreenHeightTwips) / kTw);
    // The width stays the layout's (a table as wide as the screen keeps its side borders just
    // off it); a table taller than the screen is made lower, so its status bar shows.
    const QSize client(w->width(), std::min(w->height(), area.height() - m.top() - m.bottom()));
    const QRect kept = platform::FrameKeptIn(area, frame.topLeft(), client, m);
    if (kept == frame) return;
    // The least size of the table laid out for the taller window would hold it there; the layout
    // for the window kept on the screen sets its own.
    w->setMinimumSize(0, 0);
    f.MoveFrameTw(kept.left() * kTw, kept.top() * kTw, client.width() * kTw, client.height() * kTw);
}

void Window_PlaceOverTable(QWidget* window, TableSpot spot, const std::vector<QRect>& avoid) {
    if (!window) return;
    const QMargins margins = platform::FrameMarginsOf(window, Table_FrameMargins());
    const QSize frame = window->size().grownBy(margins);
    QWidget* table = TableWindow();
    const QRect area = platform::FreeAreaAt(table ? table->frameGeometry().center() : QPoint());
    if (!table) {
        PutFrame(window,
                 platform::FrameKeptIn(area, area.center() - QPoint(frame.width() / 2, frame.height() / 2),
                                       window->size(), margins),
                 margins);
        return;
    }
    const QRect client = TableClient();
    QPoint best = client.center() - QPoint(frame.width() / 2, frame.height() / 2);
    if (spot == TableSpot::Free)
        best =
            LeastCoveredSpot(window, window->size(), CoverWith(window, avoid, kAvoidWeight), !avoid.empty())
                .topLeft();
    PutFrame(window, platform::FrameKeptIn(area, best, window->size(), margins), margins);
}

bool Window_PlaceClearOfTable(platform::Form& form) {
    QWidget* window = form.Window();
    QWidget* table = TableWindow();
    if (!window || !table || !table->isVisible()) return false;
    const QMargins margins = platform::FrameMarginsOf(window, Table_FrameMargins());
    const QRect area = platform::FreeAreaAt(table->frameGeometry().center());
    const QRect used = TableOccupied().adjusted(-kEdgeGap, -kEdgeGap, kEdgeGap, kEdgeGap);
    // The screen below, right and left of all the table shows, less the status bar.
    std::vector<QRect> bands;
    for (const QRect& band : {QRect(QPoint(area.left(), used.bottom() + 1), area.bottomRight()),
                              QRect(QPoint(used.right() + 1, area.top()), area.bottomRight()),
                              QRect(area.topLeft(), QPoint(used.left() - 1, area.bottom()))})
        for (const QRect& part : PartsClearOf(band, StatusBarOnScreen()))
            bands.push_back(part);
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    QRect best;
    for (const QRect& band : bands) {
        const QSize room = band.size().shrunkBy(margins);
        const QSize fitted = window->size().boundedTo(room);
        if (fitted.width() < least.width() || fitted.height() < least.height()) continue;
        if (fitted.width() * fitted.height() > best.width() * best.height())
            best = QRect(band.topLeft(), fitted.grownBy(margins));
    }
    if (best.isEmpty()) return false;
    // Across the middle of the table, as far as the band lets it.
    const int middle = TableClient().center().x() - best.width() / 2;
    best.moveLeft(std::clamp(middle, best.left(), std::max(best.left(), area.right() + 1 - best.width())));
    for (const QRect& band : bands)
        if (band.contains(best.topLeft()) && !band.contains(best)) best.moveLeft(band.left());
    if (best.size().shrunkBy(margins) != window->size())
        form.SetClientSizePx(best.width() - margins.left() - margins.right(),
                             best.height() - margins.top() - margins.bottom());
    PutFrame(window, best, margins);
    return true;
}

void Window_PlaceOverTable(platform::Form& window, TableSpot spot) {
    Window_PlaceOverTable(window.Window(), spot);
}

double Window_FitScreen(platform::Form& window) {
    QWidget* w = window.Window();
    const QMargins margins = platform::FrameMarginsOf(w, Table_FrameMargins());
    QWidget* table = TableWindow();
    const QSize room =
        platform::FreeAreaAt(table ? table->frameGeometry().center() : QPoint()).size().shrunkBy(margins);
    const double k = std::min({1.0, static_cast<double>(room.width()) / std::max(1, w->width()),
                               static_cast<double>(room.height()) / std::max(1, w->height())});
    if (k < 1) ScaleWindowBy(window, k, k);
    return k;
}

void ToolWindow_Open(platform::Form& window, TableSpot spot, bool modal) {
    window.Load();
    if (!window.Loaded()) return;
    if (!window.IsVisible()) {
        Window_FitScreen(window);
        const auto place = [&] {
            if (spot == TableSpot::ClearOfTable && !Window_PlaceClearOfTable(window))
                PlaceShrunkOverTable(window);
            else if (spot != TableSpot::ClearOfTable)
                Window_PlaceOverTable(window, spot);
        };
        place();
        // A dialog the game waits for that found no room beside a window kept on top (the chat)
        // is kept on top as well, so it does not open under it.
        if (modal && window.Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint) !=
                         UnderOnTop(window.Window())) {
            window.Window()->setWindowFlag(Qt::WindowStaysOnTopHint, UnderOnTop(window.Window()));
            place();
        }
        // The window manager keeps a window that belongs to the table above it.
        QWidget* w = window.Window();
        if (QWidget* table = TableWindow(); table && table->windowHandle()) {
            w->winId();
            w->windowHandle()->setTransientParent(table->windowHandle());
        }
    }
    window.Show(modal);
}

bool Window_CoversOnTable(const QWidget* window, const std::vector<QRect>& places) {
    if (!window || !HasTableForm()) return false;
    const QRect frame = window->frameGeometry();
    const QPoint origin = TableClient().topLeft();
    for (const QRect& r : places)
        if (frame.intersects(r.translated(origin))) return true;
    return false;
}
