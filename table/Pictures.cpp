// The picture store: backs, place-holders, center frames and the face sources,
// all drawn in code at the paint ratio.
#include "table/Pictures.h"

#include "common/Card.h"
#include "common/Shared.h"
#include "table/CardArt.h"
#include "table/DefaultArt.h"
#include "table/Design.h"
#include "table/Paint.h"
#include "table/Panel.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QSize kLarge(cardart::kLargeW, cardart::kLargeH);
const QSize kSmall(cardart::kSmallW, cardart::kSmallH);
const QSize kCenterFrameH(qRound(design::kCenterFrameH.w), qRound(design::kCenterFrameH.h));
const QSize kCenterFrameV(qRound(design::kCenterFrameV.w), qRound(design::kCenterFrameV.h));

QImage NewImage(QSize size, qreal dpr) {
    QImage img(qRound(size.width() * dpr), qRound(size.height() * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

// A place-holder laid on the table colour: the picture covers its place whole, so
// the place's own colour (the reset gives empty center piles a pale orange) stays hidden.
QImage PlaceholderOnMat(QSize size, int style, qreal dpr) {
    QImage img = NewImage(size, dpr);
    img.fill(cardart::FromBGR(Com.MatColour));
    QPainter p(&img);
    p.drawImage(QPointF(0, 0), cardart::Placeholder(size, style, dpr));
    return img;
}

// A soft rounded panel that lies behind the center piles; the tint follows the look.
QImage CenterFrameDrawn(QSize size, bool secondLook, qreal dpr) {
    QImage img = NewImage(size, dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(0, 0, size.width(), size.height()).adjusted(1.5, 1.5, -1.5, -1.5);
    const QColor tint = secondLook ? QColor(255, 192, 128) : QColor(192, 192, 192);
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    QColor top = tint, bottom = tint.darker(135);
    top.setAlpha(70);
    bottom.setAlpha(95);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    QColor rim = tint.lighter(125);
    rim.setAlpha(190);
    p.setPen(QPen(rim, 1.6));
    p.drawRoundedRect(box, 11, 11);
    // A fine inner line gives the panel a little depth.
    QColor inner(0, 0, 0, 50);
    p.setPen(QPen(inner, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 8, 8);
    return img;
}

// A picture drawn in code for a look, drawn once: the layout asks for the same few again and
// again.
QImage KeptDrawing(const QString& look, const std::function<QImage()>& draw) {
    static QHash<QString, QImage> kept;
    auto it = kept.constFind(look);
    if (it == kept.constEnd()) it = kept.insert(look, draw());
    return *it;
}

// Our sheet with one blank column of pixels before the first cell, so the sheet
// cell rule (cells from x = 1, 72, 143, ...) holds for it exactly.
QImage SheetWithMargin(const QImage& sheet, qreal dpr) {
    QImage img = NewImage(
        QSize(cardart::kLargeW * cardart::kSheetCols + 1, cardart::kLargeH * cardart::kSheetRows), dpr);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPointF(1, 0), sheet);
    p.end();
    return img;
}

QImage SheetForTable(qreal dpr) {
    static QImage cached;
    static qreal cachedRatio = 0;
    if (cached.isNull() || cachedRatio != dpr) {
        cached = SheetWithMargin(cardart::BuiltinSheet(dpr), dpr);
        cachedRatio = dpr;
    }
    return cached;
}

} // namespace

DeckSourceHooks DeckSource;

QImage Pictures_CenterFrame(bool four, bool secondLook, qreal dpr) {
    const QString look = QStringLiteral("frame %1 %2 %3").arg(four).arg(secondLook).arg(dpr);
    return KeptDrawing(
        look, [=] { return CenterFrameDrawn(four ? kCenterFrameV : kCenterFrameH, secondLook, dpr); });
}

QImage Pictures_Back(int back, bool large, quint32 deckColour, qreal dpr) {
    const QSize size = large ? kLarge : kSmall;
    // Backs the component does not offer fall back to our own one.
    const QImage extra = back >= 1 && back != 99 ? DeckSource.Back(back - 1, size, dpr) : QImage();
    if (!extra.isNull()) return extra;
    const QString look = QStringLiteral("back %1 %2 %3").arg(large).arg(deckColour).arg(dpr);
    return KeptDrawing(look, [=] { return cardart::Back(size, deckColour, dpr); });
}

void GetCardFaces(int style) {
    const qreal dpr = Paint_PixelRatio();
    const QImage extra = style >= 7 ? DeckSource.FaceSheet(style - 7, dpr) : QImage();
    Tbl.Pic.imgALL = extra.isNull() ? SheetForTable(dpr) : SheetWithMargin(extra, dpr);
    Faces_Forget();
}

void GetCardBacks(int back) {
    const qreal dpr = Paint_PixelRatio();
    Tbl.Pic.FilePic[0] = Pictures_Back(back, true, Com.DeckColour, dpr);
    Tbl.Pic.FilePic[5] = Pictures_Back(back, false, Com.DeckColour, dpr);
}

void Skin_SelectImages() {
    if (!HasTableForm()) return;
    TableForm& f = frmGrulm();
    if (Com.PlaceholderStyle != 0) {
        f.EmptyPlaceLarge = Tbl.Pic.ImgEmpty3;
        f.EmptyPlaceSmall = Tbl.Pic.ImgEmptySm3;
    } else {
        f.EmptyPlaceLarge = Tbl.Pic.ImgEmpty2;
        f.EmptyPlaceSmall = Tbl.Pic.ImgEmptySm2;
    }
    Skin_PlacePanel(Com.PlaceholderStyle != 0 ? 8 : 5);
}

void Skin_PlacePanel(int margin) {
    TableForm& f = frmGrulm();
    const int scale = f.ScaleMode();
    f.SetScaleMode(platform::vbPixels);
    PictureBox& panel = f.picPanel;
    // Drawn at its designed width, where the icons' hit test expects them, and shrunk to a
    // narrower window.
    const int height = static_cast<int>(panel.Height());
    QImage picture = Panel_WithIcons(DefaultArt_Panel(Tbl.MenuStyle, kPanelWidth, height));
    if (panel.Width() < kPanelWidth)
        picture = picture.scaled(static_cast<int>(panel.Width()), height, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    panel.SetPicture(picture);
    // The level and rules labels keep to the panel's right edge.
    for (platform::Control* c : f.Controls())
        if (c->Name() == QLatin1String("lblLevel") || c->Name() == QLatin1String("lblRules"))
            c->SetLeft(panel.Left() + panel.Width() - (margin + c->Width()));
    f.SetScaleMode(scale);
}

void Pictures_Init() {
    const qreal dpr = Paint_PixelRatio();
    PictureStore& pic = Tbl.Pic;
    pic.ImgEmpty2 = PlaceholderOnMat(kLarge, 0, dpr);
    pic.ImgEmptySm2 = PlaceholderOnMat(kSmall, 0, dpr);
    pic.ImgEmpty3 = PlaceholderOnMat(kLarge, 1, dpr);
    pic.ImgEmptySm3 = PlaceholderOnMat(kSmall, 1, dpr);
    // The "M" frames go with the first look of the place-holders.
    pic.imgCenterH = Pictures_CenterFrame(false, true, dpr);
    pic.imgCenterHM = Pictures_CenterFrame(false, false, dpr);
    pic.imgCenterV = Pictures_CenterFrame(true, true, dpr);
    pic.imgCenterVM = Pictures_CenterFrame(true, false, dpr);
    GetCardBacks(Com.BackStyle);
    GetCardFaces(std::max(Com.DeckStyle, 6));
    Skin_SelectImages();
}

void Cards_MakeFiles() {
    Faces_Forget();
    if (Tbl.Pic.imgALL.isNull()) return;
    for (Tbl.SheetCard = 1; Tbl.SheetCard <= 52; ++Tbl.SheetCard) {
        Sheet_ComputeCell();
        // Saved at the paint ratio, so the small faces scaled from it stay sharp.
        Sheet_CellAt(Tbl.SheetX, Tbl.SheetY)
            .save(Com.DataPath + QString::number(Tbl.SheetCard) + ".tmp", "PNG");
    }
}

void Deck_LoadSmall() {
    const qreal dpr = Paint_PixelRatio();
    const int style = std::clamp(Com.DeckStyle, 1, 5);
    for (int r = 1; r <= 13; ++r) {
        QImage& face = Tbl.Pic.Image1[static_cast<size_t>(r)];
        face = cardart::NumberFace(style, r, kLarge, dpr);
        const QString file = Com.DataPath + "no" + QString::number(r) + ".tmp";
        face.save(file, "PNG");
        Card_LoadFile(file, r);
        QCoreApplication::processEvents();
    }
}

void Card_LoadFile(const QString& file, int rank) {
    const QImage face = Face_ReadSmall(file);
    if (rank >= 1 && rank <= kRankKing) Tbl.Pic.ImageSm[static_cast<size_t>(rank)] = face;
    QFile::remove(file);
}
