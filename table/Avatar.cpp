#include "table/Avatar.h"
#include "common/Shared.h"
#include "table/TableState.h"

#include <cmath>

void Avatar_Fit(int pw, int ph) {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbPixels);
    Image& a = f.ImgAvatar;
    if (Com.NumPlayers < 4 || Tbl.ScreenWidthTwips > 12000) {
        a.SetWidth(130);
        a.SetHeight(130);
        a.SetTop(0);
        if (Tbl.ScreenWidthTwips <= 12000 && Com.NumPlayers == 3) a.SetLeft(25);
    } else {
        a.SetWidth(110);
        a.SetHeight(110);
        a.SetTop(f.imgCenter.Top());
    }
    f.SetScaleMode(platform::vbTwips);
    const double bw = a.Width(), bh = a.Height();
    if (pw > 0 && ph > 0) {
        const double r1 = static_cast<double>(pw) / ph, r2 = static_cast<double>(ph) / pw;
        // A picture not much wider than high fills the box's height, a wide one its width.
        if (r2 >= 0.82) {
            a.SetHeight(bh);
            a.SetWidth(std::nearbyint(bh * r1));
        } else {
            a.SetWidth(bw);
            a.SetHeight(std::nearbyint(bw * r2));
        }
    }
    f.SetScaleMode(platform::vbPixels);
    Avatar_Position();
}

void Avatar_Position() {
    TableForm& f = frmGrulm();
    f.SetScaleMode(platform::vbTwips);
    const bool narrow = Tbl.ScreenWidthTwips < 13000;
    const double m1 = narrow ? 75 : 130, m2 = narrow ? 150 : 300;
    Image& a = f.ImgAvatar;
    const double formWidth = Tbl.FormWidth > 0 ? Tbl.FormWidth : f.WidthTw();
    if (f.WindowState() == 2)
        a.SetLeft(Tbl.ScreenWidthTwips - (m1 + a.Width()));
    else
        a.SetLeft(formWidth - (m2 + a.Width()));
    f.SetScaleMode(platform::vbPixels);
}
