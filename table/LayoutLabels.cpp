#include "table/LayoutLabels.h"

#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "table/Design.h"
#include "table/KeepClear.h"
#include "table/TableState.h"

#include <algorithm>

namespace {

TableForm& LabelsForm() {
    return frmGrulm();
}

void LabelsPixels() {
    LabelsForm().SetScaleMode(platform::vbPixels);
}

// Four center piles only while the fourth one stands on the table.
bool LabelsFourPiles() {
    return Com.NumCenters >= 4 && LabelsForm().PicCenter.Exists(4) && LabelsForm().LblWild.Exists(4);
}

} // namespace

namespace {
// The frame round the center piles, read by every label placed beside or under it.
struct CenterFrame {
    double top, left, width, height, bottom, right;
};

CenterFrame CenterFrameNow() {
    const Image& frame = LabelsForm().imgCenter;
    return {frame.Top(),
            frame.Left(),
            frame.Width(),
            frame.Height(),
            frame.Top() + frame.Height(),
            frame.Left() + frame.Width()};
}

// The leftmost edge of the human's side stack, which the messages never run over.
double HumanStackLeft() {
    TableForm& f = LabelsForm();
    return std::min(f.Stack(25).Left(), f.Stack.Exists(1) ? f.Stack(1).Left() : 1e9);
}

// The names under the side piles, the comment line's size and the emote icon beside the menu.
void LabelsPlace_Common(const CenterFrame& frame) {
    TableForm& f = LabelsForm();
    const PictureBox& side = f.Picture7(1);
    f.Label9(kLblHumanName).Move(side.Left(), side.Top() + Tbl.CardHeight + 6);
    const PictureBox& seat2Side = f.Picture1(1);
    if (Com.NumPlayers == 2 && Com.LayoutMode != 2)
        f.Label9(kLblSeat2Name).SetTop(seat2Side.Top() + 96);
    else
        f.Label9(kLblSeat2Name).SetTop(seat2Side.Top() + 80 + (Tbl.ScreenWidthTwips < 13000 ? -7 : 3));
    Label& l2 = f.Label9(kLblComment);
    l2.SetWidth(frame.width);
    if (Com.NumPlayers == 2) l2.SetHeight(LabelsFourPiles() ? frame.height : 80);
    f.imgIcon.SetLeft(f.imgMenu.Left() + f.imgMenu.Width());
}

void LabelsPlace_ThreePiles(const CenterFrame& frame) {
    TableForm& f = LabelsForm();
    const int W = Tbl.CardWidth, H = Tbl.CardHeight;
    Label &l0 = f.Label9(kLblNotice), &l1 = f.Label9(kLblMessage), &l2 = f.Label9(kLblComment);
    const PictureBox& side = f.Picture7(1);
    // The notice just under the piles, the messages under it down to the human's side stack.
    l0.Move(f.PicCenter(2).Left(), Tbl.CenterTop + H + 2);
    l1.Move(6, l0.Top() + l0.Height());
    l1.SetWidth(frame.width);
    const bool overStack = l1.Left() + l1.Width() > HumanStackLeft();
    l1.SetHeight(std::max(2 * design::kLabelLine, side.Top() + (overStack ? 0 : H) - l1.Top()));
    l2.Move(20, f.Label9(kLblSeat2Name).Top() + 15);
    l2.SetWidth(frame.right - 20);
    f.LabelPeek.Move(f.Picture7(6).Left() + W, Tbl.HumanTop);
    f.cmdDeal.Move(f.PicCenter(3).Left(), Tbl.HumanTop - 2 * f.cmdDeal.Height());
    f.imgIcon.SetTop(Tbl.ScreenWidthTwips >= 12288 ? f.PicCenter(1).Top() : l2.Top() - f.imgIcon.Height());
}

void LabelsPlace_FourPilesTwoPlayers(const CenterFrame& frame) {
    TableForm& f = LabelsForm();
    Label &l0 = f.Label9(kLblNotice), &l1 = f.Label9(kLblMessage), &l2 = f.Label9(kLblComment);
    l0.Move(f.PicCenter(2).Left(), frame.top - f.LblWild(1).Height());
    if (Tbl.ScreenWidthTwips >= 12288 && Com.LayoutMode != 2) {
        l1.SetTop(f.Picture7(1).Top());
        l1.SetWidth(frame.width);
    } else {
        l1.SetTop(frame.bottom);
        l1.SetWidth(frame.width + 20);
    }
    l1.SetLeft(3);
    f.LabelPeek.Move(3, f.PicCenter(3).Top() + Tbl.CardWidth / 2.0);
    l2.Move(6, f.PicCenter(1).Top() - 20);
    l2.SetWidth(frame.left - 10);
    f.cmdDeal.Move(frame.right + 6, f.PicCenter(4).Top() - f.cmdDeal.Height() / 2);
    f.imgIcon.SetTop(l2.Top() - f.imgIcon.Height());
}

void LabelsPlace_FourPilesMorePlayers(const CenterFrame& frame) {
    TableForm& f = LabelsForm();
    Label &l0 = f.Label9(kLblNotice), &l1 = f.Label9(kLblMessage), &l2 = f.Label9(kLblComment);
    l0.Move(Tbl.CenterLeft + frame.width, frame.top);
    if (Tbl.ScreenWidthTwips < 12001) {
        // Right of the stock's frame: the messages wrap down beside it.
        l1.Move(std::max(f.ImgTurn1.Left() + f.ImgTurn1.Width(), f.Label1.Left() + f.Label1.Width() + 2),
                f.Label1.Top() + f.Label1.Height());
        l1.SetWidth(1.4 * frame.width);
    } else {
        l1.Move(3, frame.bottom + 2);
        l1.SetWidth(1.75 * frame.width);
    }
    // Long messages wrap down beside the human's side stack, never over it.
    l1.SetWidth(std::min(l1.Width(), HumanStackLeft() - 4 - l1.Left()));
    l1.SetHeight(std::max(2 * design::kLabelLine,
                          f.Picture7(1).Top() + Tbl.CardHeight + 2 * design::kLabelLine - l1.Top()));
    Label& holdFrame = f.Label3(0);
    l2.Move(holdFrame.Left(), Tbl.OppHoldTop + 86);
    l2.SetWidth(holdFrame.Width() + 50);
    l2.SetHeight(80);
    f.imgIcon.Move(l2.Left() - f.imgIcon.Width(), l2.Top());
    f.cmdDeal.Move(frame.right + 6, f.PicCenter(4).Top() - f.cmdDeal.Height() - 13);
    f.LabelPeek.Move(f.cmdDeal.Left(), f.cmdDeal.Top() + f.cmdDeal.Height());
}

void LayoutLabels_Place() {
    LabelsPixels();
    const CenterFrame frame = CenterFrameNow();
    LabelsPlace_Common(frame);
    if (!LabelsFourPiles())
        LabelsPlace_ThreePiles(frame);
    else if (Com.NumPlayers == 2)
        LabelsPlace_FourPilesTwoPlayers(frame);
    else
        LabelsPlace_FourPilesMorePlayers(frame);
}
} // namespace

void Layout_Labels() {
    LayoutLabels_Place();
    // Wherever the labels are placed, a name stays clear of its side stack.
    Names_KeepClear();
}
