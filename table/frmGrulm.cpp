#include "table/frmGrulm.h"
#include "common/Shared.h"

#include <QFileInfo>
#include <QImageReader>

FrmGrulm::FrmGrulm() {
    SetTableForm(this);
    SetCaption(QStringLiteral("Grulm and Torvek"));
    SetBackColor(0x00408000);
    CreateControls();
}

FrmGrulm::~FrmGrulm() = default;

void FrmGrulm::CreateControls() {
    if (created_) return;
    created_ = true;
    // The design-time elements; the layout loads the rest as the game size asks.
    for (int i = 0; i <= 10; ++i) Picture7.Create(i);
    for (int i = 0; i <= 10; ++i) Picture1.Create(i);
    for (int i = 0; i <= 1; ++i) Picture2.Create(i);
    for (int i = 0; i <= 1; ++i) Picture3.Create(i);
    for (int i = 0; i <= 3; ++i) PicCenter.Create(i);
    for (int i = 0; i <= 50; ++i) Stack.Create(i);
    for (int i = 0; i <= 8; ++i) StackHold.Create(i);
    for (int i = 0; i <= 1; ++i) Label3.Create(i);
    for (int i = 0; i <= 4; ++i) Label9.Create(i);
    for (int i = 1; i <= 3; ++i) LblWild.Create(i);
    for (int i = 1; i <= 8; ++i) lblHoldCard.Create(i);
    Picture7(0).SetVisible(false);
    Picture1(0).SetVisible(false);
    Picture2(0).SetVisible(false);
    Picture3(0).SetVisible(false);
    Stack(0).SetVisible(false);
    StackHold(0).SetVisible(false);
    PicCenter(0).SetToolTipText(QStringLiteral("STOCK"));
    for (int i = 1; i <= 3; ++i) PicCenter(i).SetToolTipText(QStringLiteral("Play to the CENTER piles"));
    for (int i = 1; i <= 10; ++i) Picture1(i).SetToolTipText(QStringLiteral("Grulm's cards"));
    Label3(0).SetToolTipText(QStringLiteral("Your HOLD piles -right click to see hidden cards"));
    Label3(1).SetToolTipText(QStringLiteral("Grulm's HOLD piles -right click to see hidden cards"));
    for (int i = 1; i <= 3; ++i) LblWild(i).SetVisible(false);
    Label9(0).SetVisible(false);
    ImgTurn1.SetToolTipText(QStringLiteral("It's your turn!"));
    ImgTurn2.SetToolTipText(QStringLiteral("It's your opponent's turn."));
    imgTip.SetVisible(false);
    imgTipUp.SetVisible(false);
    cmdDeal.SetCaption(QStringLiteral("DEAL"));
}

void FrmGrulm::Form_Load() { SetClientSizePx(800, 570); }

void FrmGrulm::Piles_Enable(bool value) {
    for (int i = 1; i <= 10; ++i) {
        if (!Picture7.Exists(i)) continue;
        // Hold places stay live in a tutorial so its steps can point at them.
        if (i >= 7 && Com.TutorialMode)
            Picture7(i).SetEnabled(true);
        else
            Picture7(i).SetEnabled(value);
    }
}

void FrmGrulm::Avatar_Show(const QString& name) {
    ShownAvatar = name;
    const QString path = Com.UserPath + "Avatars/" + name;
    QImageReader reader(path);
    const QImage img = reader.read();
    if (!img.isNull()) {
        ImgAvatar.SetStretch(true);
        ImgAvatar.SetPicture(img);
    }
}
