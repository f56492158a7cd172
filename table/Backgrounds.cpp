#include "table/Backgrounds.h"

#include "common/Shared.h"
#include "platform/Services.h"
#include "table/DefaultArt.h"
#include "table/Display.h"
#include "table/Pictures.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

#include <QDir>
#include <QImageReader>
#include <QPainter>

BackgroundLinks BgLinks;

namespace {
constexpr int kKeySpace = 32, kKeyDown = 40;
constexpr quint32 kSkinWarm = 0x80C0FF, kSkinGrey = 0xC0C0C0;
const QString kBackgroundsTitle = QStringLiteral("Grulm Backgrounds");

QString DefaultHint() {
    return QStringLiteral("Space or the Down arrow shows the next background, the Up arrow the one before; "
                          "after the last picture comes the plain table colour.\r\n\r\n"
                          "To add your own backgrounds, put pictures into the Backgrounds folder of your "
                          "game files:\r\n") +
           QDir::toNativeSeparators(Com.UserPath + "Backgrounds");
}

void RebuildList() {
    Tbl.BackgroundCount = 0;
    if (BgLinks.List_Backgrounds)
        BgLinks.List_Backgrounds();
    else
        Backgrounds_ReadFolder();
}

QImage ReadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}
} // namespace

void Backgrounds_ResetLinks() {
    BgLinks = BackgroundLinks{};
}

void Backgrounds_ReadFolder() {
    QDir dir(Com.UserPath + "Backgrounds");
    const QStringList patterns = {"*.png", "*.jpg", "*.jpeg", "*.bmp", "*.gif"};
    QStringList files = dir.entryList(patterns, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    const qsizetype board = files.indexOf(kGameBoardFile, 0);
    if (board > 0) files.move(board, 0);
    Tbl.BackgroundList = files;
    Tbl.BackgroundCount = static_cast<int>(files.size());
}

int Background_Step(int index, int count, bool forward) {
    const int plain = count + 1;
    if (forward) return index + 1 > plain ? 1 : index + 1;
    return index - 1 < 1 ? plain : index - 1;
}

bool Background_Chosen() {
    return Tbl.BackgroundIndex >= 1 && Tbl.BackgroundIndex <= Tbl.BackgroundCount;
}

void Background_Cycle(int key) {
    if (BgLinks.LastBackground() == 0) {
        const QString hint = BgLinks.HintText ? BgLinks.HintText() : DefaultHint();
        platform::MsgBox(hint, platform::vbOKOnly, kBackgroundsTitle);
    }
    Tbl.BackgroundIndex =
        Background_Step(Tbl.BackgroundIndex, Tbl.BackgroundCount, key == kKeySpace || key == kKeyDown);
    if (Tbl.BackgroundIndex == Tbl.BackgroundCount + 1) {
        TableForm& f = frmGrulm();
        f.SetBackground(QImage());
        f.SetBackColor(Com.MatColour);
        f.Window()->update();
    } else {
        Background_Load();
    }
    BgLinks.SetLastBackground(Tbl.BackgroundIndex);
}

bool Picture_Usable(const QImage& picture) {
    return !picture.isNull() && picture.width() > 0 && picture.height() > 0;
}

void Background_Load() {
    QImage picture;
    // The index is checked before the list is read: the list may have shrunk.
    if (Background_Chosen() && Tbl.BackgroundIndex - 1 < Tbl.BackgroundList.size())
        picture = ReadPicture(Com.UserPath + "Backgrounds/" + Tbl.BackgroundList.at(Tbl.BackgroundIndex - 1));
    if (!Picture_Usable(picture)) {
        // A file that has gone or is damaged: the list is read again and the table keeps its look.
        RebuildList();
        return;
    }
    TableForm& f = frmGrulm();
    const QSize area = f.Window()->size();
    if (Tbl.BackgroundStretch)
        f.SetBackground(picture.scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        Background_Paint(f, picture);
}

QImage Background_Tiled(const QImage& picture, QSize area) {
    QImage out(area.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (!Picture_Usable(picture)) return out;
    const int tw = std::min(picture.width(), out.width()), th = std::min(picture.height(), out.height());
    QPainter p(&out);
    for (int y = 0; y < out.height(); y += th)
        for (int x = 0; x < out.width(); x += tw)
            p.drawImage(QPoint(x, y), picture, QRect(0, 0, tw, th));
    return out;
}

void Background_Paint(platform::Form& target, const QImage& picture) {
    target.SetBackground(Background_Tiled(picture, target.Window()->size()));
}

quint32 Skin_Colour() {
    return Com.PlaceholderStyle != 0 ? kSkinWarm : kSkinGrey;
}

void Skin_Apply(platform::Form& form) {
    Skin_SelectImages();
    const QSize size = form.Window()->size();
    form.SetBackground(DefaultArt_Skin(Com.PlaceholderStyle != 0 ? 0 : 1, size.width(), size.height()));
    if (form.Name() != QLatin1String("frmHold")) return;
    for (platform::Control* c : form.Controls())
        if (dynamic_cast<platform::CommandButton*>(c) || dynamic_cast<platform::Label*>(c))
            c->SetBackColor(Skin_Colour());
}

void Labels_ShowAll() {
    TableForm& f = frmGrulm();
    for (platform::Control* c : f.Controls()) {
        auto* label = dynamic_cast<platform::Label*>(c);
        if (!label) continue;
        label->SetVisible(true);
        QString caption = label->Caption().isEmpty() ? label->Name() : label->Caption();
        // Only elements of an array have an index to show.
        if (label->Index() >= 0) caption += " " + QString::number(label->Index());
        label->SetCaption(caption);
    }
    const QImage icon = ReadPicture(Com.UserPath + "Icons/Mischievous.gif");
    if (Picture_Usable(icon)) f.imgIcon.SetPicture(icon);
    f.imgIcon.SetVisible(true);
}

void Backgrounds_Install() {
    DispHooks.Background_Load = [] { Background_Load(); };
    DispHooks.BackgroundChosen = [] { return Background_Chosen(); };
}
