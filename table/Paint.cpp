#include "table/Paint.h"

#include "common/Card.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/SeatTable.h"
#include "engine/TableCodes.h"
#include "platform/Services.h"
#include "table/CardArt.h"
#include "table/Design.h"
#include "table/LayoutPlan.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImageReader>

#include <algorithm>
#include <cmath>
#include <stdexcept>

QImage Face_ReadSmall(const QString& file) {
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QImage img = reader.read();
    if (img.isNull()) return {};
    const qreal dpr = Paint_PixelRatio();
    const QSize phys(qRound(cardart::kSmallW * dpr), qRound(cardart::kSmallH * dpr));
    QImage out = img.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                     .scaled(phys, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.setDevicePixelRatio(dpr);
    return out;
}

QImage Sheet_CellAt(int x, int y) {
    const QImage& sheet = Tbl.Pic.imgALL;
    const qreal dpr = sheet.devicePixelRatio();
    const QRect cell(qRound(x * dpr), qRound(y * dpr), qRound(cardart::kLargeW * dpr),
                     qRound(cardart::kLargeH * dpr));
    if (sheet.isNull() || !sheet.rect().contains(cell))
        throw std::out_of_range("no such card on the face sheet");
    QImage face = sheet.copy(cell);
    face.setDevicePixelRatio(dpr);
    return face;
}

void Sheet_ComputeCell() {
    Tbl.SheetRow = (Tbl.SheetCard - 1) / 13 + 1;
    Tbl.SheetY = 96 * Tbl.SheetRow - 96;
    Tbl.SheetX = 71 * (Tbl.SheetCard - 13 * (Tbl.SheetRow - 1)) - 70;
}

namespace {

const QImage& EmptyLarge() {
    if (HasTableForm() && !frmGrulm().EmptyPlaceLarge.isNull()) return frmGrulm().EmptyPlaceLarge;
    return Com.PlaceholderStyle != 0 ? Tbl.Pic.ImgEmpty3 : Tbl.Pic.ImgEmpty2;
}

const QImage& EmptySmall() {
    if (HasTableForm() && !frmGrulm().EmptyPlaceSmall.isNull()) return frmGrulm().EmptyPlaceSmall;
    return Com.PlaceholderStyle != 0 ? Tbl.Pic.ImgEmptySm3 : Tbl.Pic.ImgEmptySm2;
}

void ShowPaintError(const QString& object, int index, int card, const std::exception& e) {
    const QString what = QString::fromLocal8Bit(e.what());
    int number = 5; // invalid procedure call
    if (dynamic_cast<const std::out_of_range*>(&e)) number = what.startsWith("control array") ? 340 : 9;
    const QString text = "Houston, we have a problem:\r\nError " + NumStr(number) + ": " + what +
                         "\r\nObject is: " + object + "\r\nToPicNum: " + NumStr(index) +
                         "  FromPicNum: " + NumStr(card) + "  adjusted (From): " + NumStr(Tbl.SheetCard);
    platform::MsgBox(text, platform::vbExclamation);
}

bool FullSizeSheetFace(const Places& places, int index) {
    const QString& name = places.Name();
    const int seat = SeatOf(places).seat;
    const bool largeLayout =
        name == QLatin1String("FilePic") || (name != QLatin1String("Picture8") && Com.LayoutMode < 2 &&
                                             (Tbl.ScreenWidthTwips != 9600 || !Tbl.LargeFonts));
    const bool fullPlace = Com.NumPlayers == 2 || seat == 1 || name == QLatin1String("PicCenter") ||
                           name == QLatin1String("FilePic") || (seat == 2 && index == 0 && Com.Pturn == 1);
    return largeLayout && fullPlace;
}

} // namespace

qreal Paint_PixelRatio() {
    if (Tbl.PixelRatio > 0) return Tbl.PixelRatio;
    return qGuiApp ? std::max<qreal>(1.0, qGuiApp->devicePixelRatio()) : 1.0;
}

void Paint_SetPixelRatio(qreal ratio) {
    Tbl.PixelRatio = ratio > 0 ? ratio : 0;
    Faces_Forget();
}

void Faces_Forget() {
    Tbl.LargeFaces.clear();
    Tbl.SmallFaces.clear();
}

const QImage& EmptyPlaceFor(const PictureBox& place) {
    return std::lround(place.HeightPx()) >= design::kLargeCard.h ? EmptyLarge() : EmptySmall();
}

void Card_Show(Places& places, int index, int card, int kind) {
    Tbl.SheetCard = card;
    try {
        PictureBox& place = places(index);
        place.SetVisible(true);
        const bool human = SeatOf(places).Human();
        if (card != 0) {
            if (Com.DeckStyle < 6) {
                int rank = card % kRankKing;
                if (rank == 0) rank = kRankKing;
                Tbl.SheetCard = rank;
                place.SetBorderStyle(1);
                const auto& faces = std::lround(place.HeightPx()) == 96 ? Tbl.Pic.Image1 : Tbl.Pic.ImageSm;
                place.SetPicture(faces.at(static_cast<size_t>(rank)));
            } else {
                while (Tbl.SheetCard >= 53)
                    Tbl.SheetCard -= 52;
                Sheet_ComputeCell();
                if (FullSizeSheetFace(places, index)) {
                    auto it = Tbl.LargeFaces.find(Tbl.SheetCard);
                    if (it == Tbl.LargeFaces.end())
                        it = Tbl.LargeFaces.insert(Tbl.SheetCard, Sheet_CellAt(Tbl.SheetX, Tbl.SheetY));
                    place.SetPicture(*it);
                } else {
                    Card_ShowSmall(places, index);
                }
            }
        } else if (kind == kShowEmptyPlace) {
            place.SetPicture(EmptyPlaceFor(place));
            place.Refresh();
        } else {
            const bool full = Com.LayoutMode < 2 && (Com.NumPlayers == 2 || (human && Com.NumPlayers >= 3));
            place.SetPicture(Tbl.Pic.FilePic[full ? 0 : 5]);
            if (Com.BackStyle == 0) {
                place.SetBorderStyle(1);
                place.SetBackColor(Com.DeckColour);
            }
        }
    } catch (const std::exception& e) {
        ShowPaintError(places.Name(), index, card, e);
        return;
    }
    if (kind >= kShowSoundFirst && kind <= kShowSoundLast && Com.SoundMode != kSoundsOff) Sound_Card(kind);
}

void Card_ShowSmall(Places& places, int index) {
    PictureBox& place = places(index);
    const QString file = Com.DataPath + QString::number(Tbl.SheetCard) + ".tmp";
    auto it = Tbl.SmallFaces.find(file);
    // A face that could not be read is kept as such too: a table without face files (the
    // headless one) would read the folder again at every show. Making the files forgets both.
    if (it == Tbl.SmallFaces.end()) it = Tbl.SmallFaces.insert(file, Face_ReadSmall(file));
    // A missing file leaves the place as it was.
    if (!it->isNull()) place.SetPicture(*it);
    place.Refresh();
}

void Sound_Card(int kind) {
    if (kind < kShowSoundFirst || kind > kShowSoundLast || Com.SoundMode == kSoundsOff) return;
    const int id = (Com.SoundSet == 1 ? kCardSoundsSet1 : kCardSoundsOther)[kind - kShowSoundFirst];
    Tbl.SoundBusy = platform::Svc().sound->PlayAsync(Com.DataPath + "~" + QString::number(id) + ".tmp");
}

namespace {
constexpr int kSideTopSlot = 1;
} // namespace

bool SidePile_Dealt(const SeatParts& seat) {
    return (*seat.cards)(1, kSideTopSlot) != 0;
}

void Cards_ShowAll() {
    TableForm& f = frmGrulm();
    for (int i = 0; i <= 3; ++i) {
        f.PicCenter(i).SetBackColor(Com.DeckColour);
        if (i >= 1) f.PicCenter(i).SetPicture(EmptyPlaceFor(f.PicCenter(i)));
    }
    // Every seat at the table shows its empty hold places, and its side pile's back once the pile
    // is dealt: before the deal there is no pile to show.
    for (int seat = 1; seat <= std::max(2, Com.NumPlayers); ++seat) {
        const SeatParts s = Seat(seat);
        Places& places = *s.places;
        if (!places.Exists(10)) continue;
        places(1).SetBackColor(Com.DeckColour);
        if (SidePile_Dealt(s))
            Card_Show(places, 1, 0, kShowSilent);
        else
            places(1).SetVisible(false);
        for (int slot = 7; slot <= 10; ++slot)
            Card_Show(places, slot, 0, kShowEmptyPlace);
    }
}
