#include "table/frmGrulm.h"
#include "common/Shared.h"
#include "table/Avatar.h"
#include "table/Design.h"

#include <QFileInfo>
#include <QImageReader>

FrmGrulm::FrmGrulm() {
    SetTableForm(this);
    SetCaption(QStringLiteral("Grulm and Torvek"));
    Design_Apply(*this);
}

FrmGrulm::~FrmGrulm() = default;

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
    // A picture that cannot be read leaves the one shown before.
    if (img.isNull()) return;
    ImgAvatar.SetStretch(true);
    ImgAvatar.SetPicture(img);
    Avatar_Fit(img.width(), img.height());
}
