#include "table/Avatar.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/DefaultArt.h"
#include "table/KeepClear.h"
#include "table/TableState.h"

#include <algorithm>

#include <cmath>

namespace {
constexpr int kSlapReach = 100;
constexpr int kSlapSize = 40;
constexpr int kAvatarCtrl = 2;
// The waiting comments by the number drawn: 1, 2, 3 say comments 29, 30 and 28.
constexpr int kWaitComment[4] = {0, 29, 30, 28};

QImage SlapPicture() {
    static const QImage img = DefaultArt_Slap(kSlapSize);
    return img;
}
} // namespace

void AvatarSlap() {
    TableForm& f = frmGrulm();
    f.imgSlap.SetVisible(true);
    f.imgSlap.ZOrder(0);
    Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.UserPath + "Sounds/slap.wav");
}

void WaitOrder_Shuffle() {
    for (int pos = 1; pos <= 3; ++pos) {
        int n = 0;
        auto taken = [&](int v) {
            for (int other = 1; other <= 3; ++other)
                if (other != pos && Tbl.WaitOrder(other) == v) return true;
            return false;
        };
        do {
            n = static_cast<int>(platform::Rnd() * 3) + 1;
        } while (taken(n));
        Tbl.WaitOrder(pos) = n;
    }
}

void WaitComment_Tick() {
    TableForm& f = frmGrulm();
    if (Com.NumPlayers > 2) f.Avatar_Show(Eng.Seat2Rec.RecAvatar);
    if (Tbl.WaitOrder(0) == 0) {
        for (int pos = 1; pos <= 3; ++pos)
            Tbl.WaitOrder(pos) = 0;
        WaitOrder_Shuffle();
        Tbl.WaitOrder(0) = 1;
    }
    // Three comments shown: the timer stays off until the table is cleared.
    if (Tbl.WaitOrder(0) >= 1 && Tbl.WaitOrder(0) <= 3) {
        const int drawn = std::clamp(Tbl.WaitOrder(Tbl.WaitOrder(0)), 1, 3);
        f.Label9(kLblComment).SetCaption(Eng.SeatComments(kWaitComment[drawn]));
    }
    f.Timer1.SetEnabled(false);
    Tbl.WaitOrder(0) = std::min(Tbl.WaitOrder(0) + 1, 4);
}

void Avatar_Install() {
    TableForm& f = frmGrulm();
    f.imgSlap.SetStretch(true);
    f.imgSlap.SetPicture(SlapPicture());
    const int scale = f.ScaleMode();
    f.SetScaleMode(platform::vbPixels);
    f.imgSlap.Move(f.ImgAvatar.Left() - 6 / platform::kTwipsPerPixel,
                   f.ImgAvatar.Top() + f.ImgAvatar.Height() - kSlapSize - 2, kSlapSize, kSlapSize);
    f.SetScaleMode(scale);
    f.imgSlap.SetVisible(false);
    f.ImgAvatar.Widget()->setCursor(Qt::PointingHandCursor);
    f.imgSlap.Widget()->setCursor(Qt::OpenHandCursor);
    f.ImgAvatar.On().Click = [](int) { AvatarSlap(); };
    f.ImgAvatar.On().MouseUp = [](int, int button, int shift, double x, double y) {
        if (button != 1) return;
        TableForm& t = frmGrulm();
        if (shift == kAvatarCtrl) {
            t.Avatar_Show(Tbl.PersonDefaultAvatar);
            Tbl.ChosenAvatar = Tbl.PersonDefaultAvatar;
        } else if (!Eng.SeatMoveBusy) {
            Tbl.SlapX = static_cast<int>(std::lround(x));
            Tbl.SlapY = static_cast<int>(std::lround(y));
        }
    };
    f.imgSlap.On().Click = [](int) {
        frmGrulm().imgSlap.SetVisible(false);
        Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.DataPath + kSoundDealHands);
    };
    f.imgSlap.On().MouseMove = [](int, int, int, double x, double y) {
        if (std::abs(x - Tbl.SlapX) > kSlapReach || std::abs(y - Tbl.SlapY) > kSlapReach)
            frmGrulm().imgSlap.SetVisible(false);
    };
    f.Timer1.OnTimer = [] { WaitComment_Tick(); };
}
