#include "table/Panel.h"
#include "common/Pace.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "engine/RuleMessages.h"
#include "engine/SeatTable.h"
#include "engine/Seats.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/Guard.h"
#include "table/Paint.h"
#include "table/Pictures.h"
#include "table/Piles.h"
#include "table/Status.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

PanelHooksT PanelHooks;

namespace {

// The icon row of the panel and each icon's span (pixels of the panel).
constexpr double kRowTop = 22, kRowBottom = 60;
struct Span {
    double left, right;
};
constexpr Span kIcons[] = {{31, 183}, {195, 335}, {348, 491}, {500, 649}};
// Where each list opens, in twips from the table's left: normal and with large fonts.
constexpr int kListLeft[] = {0, 2850, 5200, 7550};
constexpr int kListLeftLarge[] = {0, 2200, 4100, 6000};
constexpr int kFlowBand = 10;

void PlayAsync(const QString& file) {
    if (Com.SoundMode != kSoundsOff) Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.DataPath + file);
}

// A press on the panel as the icons are laid out, whatever width the window lets it have.
double PanelX(double x) {
    const double w = frmGrulm().picPanel.WidthPx();
    return w > 0 ? x * kPanelWidth / w : x;
}

void OpenPanel() {
    TableForm& f = frmGrulm();
    // The whole panel stays inside the window.
    const double width = std::min<double>(kPanelWidth, f.Client()->width());
    PictureBox& panel = f.picPanel;
    if (std::abs(panel.WidthPx() - width) >= 1) {
        panel.SetGeometryPx(panel.LeftPx(), panel.TopPx(), width, panel.HeightPx());
        Skin_SelectImages();
    }
    f.picPanel.ZOrder(0);
    f.picPanel.SetVisible(true);
}

void CloseList() {
    if (!Tbl.MenuListShown) return;
    PanelHooks.Menu_Close();
    Panel_ListClosed();
}

int ListLeft(int icon) {
    if (icon == kIconGame) return PanelHooks.MenuStyle() > 0 ? 600 : 400;
    return Tbl.LargeFonts ? kListLeftLarge[icon - 1] : kListLeft[icon - 1];
}

// The menu an icon opens now, or 0 when it opens none.
int MenuOf(int icon) {
    TableForm& f = frmGrulm();
    switch (icon) {
    case kIconGame:
        if (Com.NetGame != 0) {
            Net_MenuNotice(1);
            return 0;
        }
        if (Com.Pturn > 1) {
            platform::MsgBox(QStringLiteral("Wait!  Let me finish my turn first!"), platform::vbOKOnly,
                             Seat_OnTurnTitle());
            f.picPanel.SetVisible(false);
            return 0;
        }
        return 1;
    case kIconInternet:
        return Com.Pturn >= 2 && Com.NetGame == 0 ? 0 : 3;
    default:
        return icon;
    }
}

QImage PanelPicture() {
    QImage img(kPanelWidth, 64, QImage::Format_RGB32);
    img.fill(QColor(0xC0, 0xC0, 0xC0));
    return Panel_WithIcons(img);
}

} // namespace

QImage Panel_WithIcons(QImage img) {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const char* names[] = {"Game", "Options", "Internet", "Help"};
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    font.setBold(true);
    p.setFont(font);
    for (int i = 0; i < 4; ++i) {
        const QRectF r(kIcons[i].left + 4, kRowTop + 3, kIcons[i].right - kIcons[i].left - 8,
                       kRowBottom - kRowTop - 6);
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.setBrush(QColor(0xE8, 0xE8, 0xE0));
        p.drawRoundedRect(r, 6, 6);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromLatin1(names[i]));
    }
    return img;
}

int Panel_IconAt(double x, double y) {
    if (!(y > kRowTop && y < kRowBottom)) return kIconNone;
    for (int i = 0; i < 4; ++i)
        if (x > kIcons[i].left && x < kIcons[i].right) return i + 1;
    return kIconNone;
}

void Panel_Close() {
    TableForm& f = frmGrulm();
    if (f.picPanel.Visible()) f.picPanel.SetVisible(false);
    CloseList();
    Tbl.PanelHover = false;
}

void imgMenu_MouseMove() {
    if (!Com.ShowBusy) OpenPanel();
}

void Form_MouseMove(int, int, double, double y) {
    const double px = frmGrulm().ScaleMode() == platform::vbTwips ? y / platform::kTwipsPerPixel : y;
    if (px < 5) {
        if (Com.TutorialMode)
            platform::MsgBox(QStringLiteral("Please don't use the Menus during the tutorial."),
                             platform::vbInformation, QStringLiteral("Using Tutorial"));
        if (Com.ShowBusy) return;
        OpenPanel();
    }
    if (!Com.FlowRunning) return;
    const int whole = static_cast<int>(px);
    if (Tbl.FlowFirstY == 0) {
        Tbl.FlowFirstY = whole;
    } else if (whole < Tbl.FlowFirstY - kFlowBand || whole > Tbl.FlowFirstY + kFlowBand) {
        Com.FlowStop = true;
        Tbl.FlowFirstY = 0;
    }
}

void Form_MouseDown() {
    Hooks.KeyArm(true);
    Com.FlowStop = true;
    Panel_Close();
}

namespace {
QString g_hint; // the hint the message line shows, if it still does
} // namespace

void Tutorial_HintClear() {
    platform::Label& line = frmGrulm().Label9(kLblMessage);
    if (!g_hint.isEmpty() && line.Caption() == g_hint) line.SetCaption(QString());
    g_hint.clear();
}

void Tutorial_PressHint(double x, double y) {
    TableForm& f = frmGrulm();
    if (!Com.TutorialMode) return;
    const double k = f.ScaleMode() == platform::vbTwips ? platform::kTwipsPerPixel : 1.0;
    const QPointF at(x / k, y / k);
    int pressed = 0, awaited = 0;
    for (int s = 1; s <= 10; ++s) {
        if (!f.Picture7.Exists(s)) continue;
        const PictureBox& p = f.Picture7(s);
        if (p.Visible() && !p.Enabled() &&
            QRectF(p.LeftPx(), p.TopPx(), p.WidthPx(), p.HeightPx()).contains(at))
            pressed = s;
        if (s <= 6 && p.Enabled()) awaited = s;
    }
    if (pressed == 0) return;
    QString why;
    if (Com.Pturn != 1)
        why = QStringLiteral("Please wait: it's my turn now.");
    else if (awaited != 0)
        why = QStringLiteral("Not that card: in this step only the card the arrow points at can be moved.");
    else
        why = QStringLiteral("No card is moved in this step: read it, then press Next.");
    f.Label9(kLblMessage).SetCaption(why);
    g_hint = why;
}

void Label9_MouseDown() {
    Form_MouseDown();
}

void picPanel_MouseMove(double x, double y) {
    if (!Tbl.PanelHover) {
        PlayAsync(QLatin1String(kSoundPanelHover));
        Tbl.PanelHover = true;
    }
    if ((PanelX(x) < 10 || y < 23) && Tbl.MenuListShown) CloseList();
}

void picPanel_MouseDown(double x, double y) {
    if (!(y > kRowTop && y < kRowBottom)) return;
    const int icon = Panel_IconAt(PanelX(x), y);
    if (icon == kIconNone) {
        CloseList();
        return;
    }
    PlayAsync(QLatin1String(Com.SoundSet == 1 ? kSoundPanelPressSet1 : kSoundPanelPressOther));
    CloseList();
    const int menu = MenuOf(icon);
    if (menu == 0) return;
    TableForm& f = frmGrulm();
    // The window's top here is its client area's, already below the title bar: adding the
    // title bar's height again would open the list that far below the panel.
    const int top = f.TopTw() + static_cast<int>(f.picPanel.HeightPx() / 2 * platform::kTwipsPerPixel) +
                    (Tbl.LargeFonts ? 250 : 300);
    Tbl.MenuChosen = false;
    // No wait here: the game under the list goes on until a choice closes it.
    Tbl.MenuListShown = PanelHooks.Menu_Open(menu, f.LeftTw() + ListLeft(icon), top);
}

void Panel_ListClosed() {
    const bool chosen = Tbl.MenuListShown && Tbl.MenuChosen;
    Tbl.MenuListShown = false;
    Tbl.MenuChosen = false;
    // A closing program runs no command chosen before it closed.
    if (chosen && !Com.GameAbort) {
        // The pointer went to the list and on to the window the choice opens: the panel
        // would stay over the top seat's cards after that window closed.
        frmGrulm().picPanel.SetVisible(false);
        Tbl.PanelHover = false;
        PanelHooks.MenuDispatch();
        if (Com.GameAbort) frmGrulm().Unload();
    }
    Tbl.MenuNumber = 0;
    Tbl.MenuItem = 0;
}

void ChangeNoise() {
    TableForm& f = frmGrulm();
    auto& sound = *platform::Svc().sound;
    switch (Com.SoundMode) {
    case kSoundsAll:
        f.Label9(kLblComment).SetCaption(QStringLiteral("YEAH!"));
        if (!Eng.SeatSounds(13).isEmpty()) sound.PlayAsync(Eng.SeatSounds(13));
        break;
    case kSoundsGameOnly:
        f.Label9(kLblComment).SetCaption(QStringLiteral("Let's hold it down a little guys!"));
        break;
    case kSoundsOff:
        f.Label9(kLblComment).SetCaption(QStringLiteral("Ahhh... the sounds of silence..."));
        break;
    default:
        break;
    }
    if (!Eng.SeatSounds(2).isEmpty()) Tbl.SoundBusy = sound.PlayAsync(Eng.SeatSounds(2));
}

void SeatPlace_MouseDown(int seat, Places& places, int index, int button) {
    if (index < 1 || index > 10 || !places.Exists(index)) return;
    if (button != 2) {
        places(index).ZOrder(0);
        return;
    }
    if (Eng.SeatMoveBusy) return;
    Tbl.ViewedSlot = index;
    SideInfo_Show(SeatRecordOf(seat), seat);
}

void Pictures_Reset(SeatRecord& rec, Places& places) {
    auto toUsed = [](int card, int rank) {
        ++Eng.UsedCount;
        Eng.UsedPile(0, Eng.UsedCount) = card;
        Eng.UsedPile(1, Eng.UsedCount) = rank;
    };
    for (int s = 2; s <= 6; ++s) {
        if (rec.RecCards(1, s) == 0) continue;
        toUsed(rec.RecCards(0, s), rec.RecCards(1, s));
        if (places.Exists(s)) {
            places(s).SetVisible(false);
            places(s).SetPicture(QImage());
        }
    }
    const bool seatPlaces = SeatOf(places).seat != 1;
    for (int p = 1; p <= 4; ++p) {
        const int depth = std::clamp(rec.RecHoldInfo(p, 1), 0, kHoldPlaces);
        for (int d = 1; d <= depth; ++d)
            toUsed(rec.RecHold(0, p, d), rec.RecHold(1, p, d));
        if (seatPlaces) Hold_Highlight(places, false, p);
        if (places.Exists(p + 6)) Card_Show(places, p + 6, 0, kShowEmptyPlace);
    }
    for (int s = 2; s <= 10; ++s) {
        rec.RecCards(0, s) = 0;
        rec.RecCards(1, s) = 0;
    }
    rec.RecHoldInfo.Clear();
    rec.RecHold.Clear();
}

void Panel_Draw(TableForm& f) {
    f.picPanel.SetPicture(PanelPicture());
}

void Panel_Install(TableForm& f) {
    // The panel opens when the pointer merely passes over the menu image or the top edge.
    f.Window()->setMouseTracking(true);
    if (f.imgMenu.Widget()) f.imgMenu.Widget()->setMouseTracking(true);
    if (f.picPanel.Widget()) {
        f.picPanel.Widget()->setMouseTracking(true);
        // A press on the panel is the panel's own: passed on to the table it would close the panel.
        f.picPanel.Widget()->setAttribute(Qt::WA_NoMousePropagation);
    }
    f.lblRules.CopyFrom(f.lblLevel);
    f.lblRules.SetGeometryPx(f.lblLevel.LeftPx() - 220, f.lblLevel.TopPx(), 215, f.lblLevel.HeightPx());
    f.lblRules.SetAlignment(0);
    // The two control-panel labels show and hide together.
    f.lblRules.SetVisible(f.lblLevel.Visible());
    f.picPanel.On().MouseMove = [](int, int, int, double x, double y) {
        Guarded("picPanel_MouseMove", [&] { picPanel_MouseMove(x, y); });
    };
    f.picPanel.On().MouseDown = [](int, int, int, double x, double y) {
        Guarded("picPanel_MouseDown", [&] { picPanel_MouseDown(x, y); });
    };
    f.imgMenu.On().MouseMove = [](int, int, int, double, double) {
        Guarded("imgMenu_MouseMove", [] { imgMenu_MouseMove(); });
    };
    f.Label9.On().MouseDown = [](int, int, int, double, double) {
        Guarded("Label9_MouseDown", [] { Label9_MouseDown(); });
    };
    f.MouseMove = [](int b, int s, double x, double y) {
        Guarded("Form_MouseMove", [&] { Form_MouseMove(b, s, x, y); });
    };
    // A press on a card that is out of play reaches the table, which says why in a tutorial.
    f.MouseDown = [](int, int, double x, double y) {
        Guarded("Form_MouseDown", [&] {
            Form_MouseDown();
            Tutorial_PressHint(x, y);
        });
    };
    auto seat = [](int s) {
        return [s](int i, int b, int, double, double) {
            Guarded("SeatPlace_MouseDown", [&] {
                TableForm& t = frmGrulm();
                SeatPlace_MouseDown(s, s == 2 ? t.Picture1 : s == 3 ? t.Picture2 : t.Picture3, i, b);
            });
        };
    };
    f.Picture1.On().MouseDown = seat(2);
    f.Picture2.On().MouseDown = seat(3);
    f.Picture3.On().MouseDown = seat(4);
}
