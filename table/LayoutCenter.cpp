#include "table/LayoutCenter.h"

#include "common/Shared.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/Layout.h"
#include "table/TableState.h"

#include <array>

namespace {

// The stock keeps to where the avatar's rule puts it, not to where it gave way to the cards.
QRectF Layout_AvatarBox() {
    const Image& a = frmGrulm().ImgAvatar;
    return Tbl.AvatarRule.isValid() ? Tbl.AvatarRule
                                    : QRectF(a.LeftPx(), a.TopPx(), a.WidthPx(), a.HeightPx());
}

// Four center piles only while the fourth one stands on the table.
bool FourPiles() {
    return Com.NumCenters >= 4 && frmGrulm().PicCenter.Exists(4) && frmGrulm().LblWild.Exists(4);
}

} // namespace

void Layout_Stock() {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbPixels);
    PictureBox& P = f.PicCenter(0);
    const int S = Tbl.ScreenWidthTwips;
    const bool large = Com.LayoutMode < 2 && S > 12000;
    P.SetWidth(large ? design::kLargeCard.w : design::kSmallCard.w);
    P.SetHeight(large ? design::kLargeCard.h : design::kSmallCard.h);
    P.SetPicture(Tbl.Pic.FilePic[large ? 0 : 5]);
    if (Tbl.ResizeLock && Com.LayoutMode >= 2 && S < 12289) {
        Layout_Labels();
        f.SetScaleMode(platform::vbPixels);
    }
    if (Com.NumPlayers > 2 && S < 12001) {
        P.SetLeft(25);
        P.SetTop(f.PicCenter(3).Top() + f.ImgTurn2.Height());
    } else if (Com.NumPlayers == 2 && S < 12001) {
        const double right = f.Label3(1).Left() + f.Label3(1).Width();
        if (Com.LayoutMode > 1) {
            P.SetLeft(right + 59);
        } else {
            P.SetLeft(right + 10);
            P.SetTop(192);
        }
    } else if (const QRectF avatar = Layout_AvatarBox(); P.Width() + 10 <= avatar.width()) {
        P.SetLeft(avatar.left() + avatar.width() / 2 - (P.Width() + 10) / 2);
    } else {
        P.SetLeft(f.ScaleWidth() - P.Width() - 14);
    }
    Label& frame = f.Label1;
    frame.SetHeight(P.Height() + 10);
    frame.SetWidth(P.Width() + 10);
    frame.SetLeft(P.Left() - 5);
    frame.SetTop(P.Top() - 5);
    f.ImgTurn2.SetTop(frame.Top() - f.ImgTurn2.Height() - 7);
    f.ImgTurn1.SetTop(frame.Top() + frame.Height() + 7);
    f.ImgTurn2.SetLeft(frame.Left() + frame.Width() / 2 - f.ImgTurn2.Width() / 2);
    f.ImgTurn1.SetLeft(frame.Left() + frame.Width() / 2 - f.ImgTurn1.Width() / 2);
    P.Move(frame.Left() + 5, frame.Top() + 5);
}

void Centers_Show() {
    TableForm& f = frmGrulm();
    for (int p = 1; p <= 4; ++p) {
        if (p == 4 && Com.NumCenters == 3) break;
        if (f.PicCenter.Exists(p)) f.PicCenter(p).SetVisible(true);
    }
}

void Layout_CenterImages() {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbPixels);
    const int W = Tbl.CardWidth, H = Tbl.CardHeight, L = Tbl.CenterLeft, T = Tbl.CenterTop;
    struct At {
        double left, top;
    };
    std::array<At, 5> at{};
    if (Com.LayoutMode < 2 || Com.NumCenters < 4)
        at = {At{}, At{1.0 * L, 1.0 * T}, At{L + W + 10.0, 1.0 * T}, At{1.0 * L, T + H + 6.0},
              At{L + W + 10.0, T + H + 6.0}};
    else
        at = {At{}, At{L - 4.0, T - 4.0}, At{L + W + 4.0, T - 4.0}, At{L - 4.0, 1.0 * T + H},
              At{L + W + 4.0, 1.0 * T + H}};
    for (int p = 1; p <= 4; ++p)
        if (f.PicCenter.Exists(p)) f.PicCenter(p).Move(at[p].left, at[p].top);
    f.imgCenter.Move(L - 15, T - 16);
    Layout_CenterArea();
}

void Layout_CenterArea() {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbPixels);
    Image& frame = f.imgCenter;
    const bool four = FourPiles();
    const bool styled = Com.PlaceholderStyle != 0;
    const QImage& pic = four ? (styled ? Tbl.Pic.imgCenterV : Tbl.Pic.imgCenterVM)
                             : (styled ? Tbl.Pic.imgCenterH : Tbl.Pic.imgCenterHM);
    if (Com.LayoutMode >= 2) {
        frame.SetStretch(true);
        frame.SetWidth(four ? 145.6 : 208);
        frame.SetHeight(four ? 181.6 : 100);
        if (Tbl.ResizeLock) {
            Layout_Labels();
            f.SetScaleMode(platform::vbPixels);
        }
    } else {
        // The large display shows the frame at its picture's own size.
        frame.SetStretch(false);
        design::Size natural = four ? design::kCenterFrameV : design::kCenterFrameH;
        if (!pic.isNull())
            natural = {pic.width() / pic.devicePixelRatio(), pic.height() / pic.devicePixelRatio()};
        frame.SetWidth(natural.w);
        frame.SetHeight(natural.h);
    }
    frame.SetPicture(pic);
    const int W = Tbl.CardWidth;
    auto centreOn = [&](int label, int pile) {
        Label& l = f.LblWild(label);
        l.SetLeft(f.PicCenter(pile).Left() + W / 2.0 - l.Width() / 2);
    };
    if (!four) {
        for (int p = 1; p <= 3; ++p)
            centreOn(p, p);
        f.LblWild(1).SetTop(frame.Top() - f.LblWild(1).Height());
        f.LblWild(2).SetTop(f.LblWild(1).Top());
        f.LblWild(3).SetTop(f.LblWild(1).Top());
    } else {
        if (Com.NumPlayers > 2) {
            f.LblWild(1).Move(frame.Left() - f.LblWild(1).Width(), Tbl.CenterTop);
            f.LblWild(3).Move(f.LblWild(1).Left(), f.PicCenter(3).Top());
            f.Label9(kLblMessage).SetTop(frame.Top() + frame.Height());
        } else {
            centreOn(1, 1);
            f.LblWild(1).SetTop(frame.Top() - f.LblWild(1).Height());
            f.LblWild(3).Move(f.LblWild(1).Left(), frame.Top() + frame.Height());
        }
        f.LblWild(2).Move(frame.Left() + frame.Width(), Tbl.CenterTop);
        f.LblWild(4).Move(f.LblWild(2).Left(), f.PicCenter(4).Top());
    }
    for (int p = 1; p <= (four ? 4 : 3); ++p)
        f.LblWild(p).ZOrder(0);
}
