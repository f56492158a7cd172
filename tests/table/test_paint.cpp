#include "common/Shared.h"
#include "engine/SeatTable.h"
#include "table/CardArt.h"
#include "table/Design.h"
#include "table/Paint.h"
#include "table/Panel.h"
#include "table/Pictures.h"
#include "table/frmGrulm.h"
#include "tests/support/TableTest.h"
#include "tests/table/test_picture_support.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <memory>

namespace {

class PaintTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        SizePlaces(kLarge);
        Pictures_Init();
    }
    void TearDown() override {
        Paint_SetPixelRatio(0);
        WindowTest::TearDown();
    }
    static void Size(PictureBox& p, QSize s) { p.Move(0, 0, s.width(), s.height()); }
    // Seat 3's places, as the layout makes them for a third player.
    void LoadSeat3() {
        for (int i = 2; i <= 10; ++i)
            form->Picture2.Load(i);
        for (int i = 1; i <= 10; ++i)
            Size(form->Picture2(i), kSmall);
        Tbl.Seat3Loaded = true;
    }
};

// ---------------------------------------------------------------- sheet faces

struct SheetCase {
    int card, expected, row, x, y;
};

TEST_F(PaintTest, SheetDeckPaintsTheCellOfTheCardReducedToItsFirstPack) {
    const SheetCase cases[] = {
        {1, 1, 1, 1, 0},     {8, 8, 1, 498, 0},      {13, 13, 1, 853, 0}, {14, 14, 2, 1, 96},
        {40, 40, 4, 1, 288}, {52, 52, 4, 853, 288},  {60, 8, 1, 498, 0},  {104, 52, 4, 853, 288},
        {157, 1, 1, 1, 0},   {200, 44, 4, 285, 288},
    };
    for (const auto& c : cases) {
        Card_Show(form->Picture7, 2, c.card, 0);
        EXPECT_EQ(Tbl.SheetCard, c.expected) << c.card;
        EXPECT_EQ(Tbl.SheetRow, c.row) << c.card;
        EXPECT_EQ(Tbl.SheetX, c.x) << c.card;
        EXPECT_EQ(Tbl.SheetY, c.y) << c.card;
        const QImage& pic = form->Picture7(2).Picture();
        EXPECT_EQ(pic.size(), kLarge) << c.card;
        EXPECT_LT(Differing(pic, cardart::SheetFace(c.expected, kLarge)), 20) << c.card;
        // Not merely some card: the neighbouring cells are plainly different.
        const int other = c.expected == 52 ? 51 : c.expected + 1;
        EXPECT_GT(Differing(pic, cardart::SheetFace(other, kLarge)), 200) << c.card;
    }
}

TEST_F(PaintTest, SmallSheetFacesComeFromTheCardFilesAtSmallSize) {
    Cards_MakeFiles();
    for (int n = 1; n <= 52; ++n)
        EXPECT_TRUE(QFile::exists(Com.DataPath + QString::number(n) + ".tmp")) << n;
    EXPECT_FALSE(QFile::exists(Com.DataPath + "53.tmp"));
    Com.LayoutMode = 2;
    for (int card : {5, 31, 57, 100}) {
        Card_Show(form->Picture7, 4, card, 0);
        const QImage& pic = form->Picture7(4).Picture();
        ASSERT_EQ(pic.size(), kSmall) << card;
        EXPECT_EQ(ClosestSheetCard(pic, kSmall), (card - 1) % 52 + 1) << card;
    }
}

TEST_F(PaintTest, AMissingCardFileLeavesThePlaceAsItWas) {
    Card_Show(form->Picture7, 2, 0, 0); // a back
    const QImage before = form->Picture7(2).Picture();
    Com.LayoutMode = 2;
    Card_Show(form->Picture7, 2, 9, 0);
    EXPECT_EQ(form->Picture7(2).Picture(), before);
    EXPECT_TRUE(form->Picture7(2).Visible());
    // The miss is not kept past the making of the files.
    Cards_MakeFiles();
    Card_Show(form->Picture7, 2, 9, 0);
    ASSERT_EQ(form->Picture7(2).Picture().size(), kSmall);
    EXPECT_EQ(ClosestSheetCard(form->Picture7(2).Picture(), kSmall), 9);
}

struct FullSizeCase {
    const char* what;
    int players, layout, pturn;
    const char* array;
    int index;
    bool full;
};

TEST_F(PaintTest, WhichPlacesGetFullSizeSheetFaces) {
    Cards_MakeFiles();
    LoadSeat3();
    const FullSizeCase cases[] = {
        {"two players, opponent", 2, 0, 2, "Picture1", 3, true},
        {"two players, moved cards", 2, 1, 1, "Picture1", 3, true},
        {"two players, small display", 2, 2, 1, "Picture7", 3, false},
        {"three players, human", 3, 0, 2, "Picture7", 3, true},
        {"three players, center", 3, 0, 2, "PicCenter", 1, true},
        {"three players, seat 2", 3, 0, 1, "Picture1", 3, false},
        {"three players, seat 3", 3, 1, 1, "Picture2", 3, false},
        {"three players, spare on the human's turn", 3, 0, 1, "Picture1", 0, true},
        {"three players, spare on a seat's turn", 3, 0, 2, "Picture1", 0, false},
        {"four players, human, small display", 4, 3, 1, "Picture7", 3, false},
    };
    for (const auto& c : cases) {
        Com.NumPlayers = c.players;
        Com.LayoutMode = c.layout;
        Com.Pturn = c.pturn;
        Places& places = QString(c.array) == "Picture7"   ? form->Picture7
                         : QString(c.array) == "Picture1" ? form->Picture1
                         : QString(c.array) == "Picture2" ? form->Picture2
                                                          : form->PicCenter;
        Card_Show(places, c.index, 20, 0);
        const QImage& pic = places(c.index).Picture();
        EXPECT_EQ(pic.size(), c.full ? kLarge : kSmall) << c.what;
        EXPECT_EQ(ClosestSheetCard(pic, pic.size()), 20) << c.what;
    }
}

TEST_F(PaintTest, NarrowScreenWithLargeFontsShowsSmallFacesExceptOnFilePic) {
    Cards_MakeFiles();
    ControlArray<PictureBox> filePic(form.get(), "FilePic");
    Size(filePic.Create(1), kLarge);
    struct Case {
        int twips;
        bool largeFonts;
        bool full;
    } cases[] = {{9600, true, false}, {9600, false, true}, {9601, true, true}, {12000, true, true}};
    for (const auto& c : cases) {
        Tbl.ScreenWidthTwips = c.twips;
        Tbl.LargeFonts = c.largeFonts;
        Card_Show(form->Picture7, 2, 3, 0);
        EXPECT_EQ(form->Picture7(2).Picture().size(), c.full ? kLarge : kSmall) << c.twips << c.largeFonts;
        // The picture store's own targets are full size whatever the display.
        Com.LayoutMode = 2;
        Card_Show(filePic, 1, 3, 0);
        EXPECT_EQ(filePic(1).Picture().size(), kLarge) << c.twips;
        Com.LayoutMode = 0;
    }
}

TEST_F(PaintTest, TheHoldViewersPlacesAlwaysGetSmallFaces) {
    Cards_MakeFiles();
    ControlArray<PictureBox> viewer(form.get(), "Picture8");
    Size(viewer.Create(1), kSmall);
    Card_Show(viewer, 1, 27, 0);
    EXPECT_EQ(viewer(1).Picture().size(), kSmall);
    EXPECT_EQ(ClosestSheetCard(viewer(1).Picture(), kSmall), 27);
}

// ---------------------------------------------------------------- number decks

TEST_F(PaintTest, NumberDeckPaintsByRankAtTheSizeOfThePlace) {
    Com.DeckStyle = 3;
    Deck_LoadSmall();
    for (int r = 1; r <= 13; ++r) {
        EXPECT_FALSE(QFile::exists(Com.DataPath + "no" + QString::number(r) + ".tmp")) << r;
        ASSERT_EQ(Tbl.Pic.ImageSm[r].size(), kSmall) << r;
    }
    Size(form->Picture7(5), kSmall);
    for (int card : {1, 13, 26, 39, 52, 60, 121}) {
        const int rank = (card - 1) % 13 + 1;
        Card_Show(form->Picture7, 2, card, 0);
        EXPECT_EQ(Tbl.SheetCard, rank) << card;
        EXPECT_EQ(form->Picture7(2).BorderStyle(), 1);
        EXPECT_EQ(form->Picture7(2).Picture(), Tbl.Pic.Image1[rank]) << card;
        EXPECT_LT(Differing(form->Picture7(2).Picture(), cardart::NumberFace(3, rank, kLarge)), 20) << card;
        Card_Show(form->Picture7, 5, card, 0);
        EXPECT_EQ(form->Picture7(5).Picture().size(), kSmall) << card;
        EXPECT_EQ(ClosestNumberRank(form->Picture7(5).Picture(), 3, kSmall), rank) << card;
    }
}

TEST_F(PaintTest, OnlyANinetySixPixelPlaceGetsTheFullNumberFace) {
    Com.DeckStyle = 1;
    Deck_LoadSmall();
    for (int h : {95, 97, 80}) {
        form->Picture7(2).Move(0, 0, 71, h);
        Card_Show(form->Picture7, 2, 4, 0);
        EXPECT_EQ(form->Picture7(2).Picture().size(), kSmall) << h;
    }
    form->Picture7(2).Move(0, 0, 59, 96);
    Card_Show(form->Picture7, 2, 4, 0);
    EXPECT_EQ(form->Picture7(2).Picture().size(), kLarge);
}

// ---------------------------------------------------------------- backs and place-holders

TEST_F(PaintTest, BacksFollowThePlaceAndTheLayout) {
    LoadSeat3();
    struct Row {
        int players, layout;
        bool human;
        int expected;
    } rows[] = {{2, 0, false, 0}, {2, 1, true, 0},  {2, 2, false, 5}, {2, 3, true, 5},
                {3, 0, true, 0},  {3, 0, false, 5}, {4, 1, true, 0},  {4, 2, true, 5}};
    for (const auto& r : rows) {
        Com.NumPlayers = r.players;
        Com.LayoutMode = r.layout;
        Places& places = r.human ? form->Picture7 : form->Picture1;
        Card_Show(places, 3, 0, 0);
        EXPECT_EQ(places(3).Picture(), Tbl.Pic.FilePic[r.expected])
            << r.players << " " << r.layout << r.human;
    }
    EXPECT_NE(Tbl.Pic.FilePic[0], Tbl.Pic.FilePic[5]);
}

TEST_F(PaintTest, TheBuiltInBackGetsABorderAndTheDeckColour) {
    Com.DeckColour = 0x00123456;
    form->Picture7(2).SetBorderStyle(0);
    form->Picture7(2).SetBackColor(0x00008000);
    Com.BackStyle = 2;
    Card_Show(form->Picture7, 2, 0, 0);
    EXPECT_EQ(form->Picture7(2).BorderStyle(), 0);
    EXPECT_EQ(form->Picture7(2).BackColor(), 0x00008000u);
    Com.BackStyle = 0;
    Card_Show(form->Picture7, 2, 0, 0);
    EXPECT_EQ(form->Picture7(2).BorderStyle(), 1);
    EXPECT_EQ(form->Picture7(2).BackColor(), 0x00123456u);
}

TEST_F(PaintTest, EmptyPlaceHoldersFitThePlaceTheyFill) {
    LoadSeat3();
    struct Row {
        int players, layout, pturn;
        int seat; // 1 the human, 2 seat 2, 3 seat 3
        double height;
    } rows[] = {{2, 0, 2, 2, 96}, {2, 2, 1, 1, 80}, {2, 2, 1, 1, 76.8}, {3, 0, 1, 2, 80},
                {3, 0, 1, 3, 80}, {3, 0, 2, 1, 96}, {4, 0, 1, 2, 80},   {4, 2, 1, 1, 80}};
    for (const auto& r : rows) {
        Com.NumPlayers = r.players;
        Com.LayoutMode = r.layout;
        Com.Pturn = r.pturn;
        Places& places = r.seat == 1 ? form->Picture7 : r.seat == 2 ? form->Picture1 : form->Picture2;
        places(8).SetHeight(r.height);
        Card_Show(places, 8, 0, 88);
        EXPECT_EQ(places(8).Picture(), r.height >= 96 ? form->EmptyPlaceLarge : form->EmptyPlaceSmall)
            << r.players << " " << r.layout << " " << r.pturn << " " << r.seat;
    }
    EXPECT_NE(form->EmptyPlaceLarge, form->EmptyPlaceSmall);
}

TEST_F(PaintTest, KindEightyEightWithACardPaintsTheCardSilently) {
    Card_Show(form->Picture7, 9, 30, 88);
    EXPECT_LT(Differing(form->Picture7(9).Picture(), cardart::SheetFace(30, kLarge)), 20);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(PaintTest, PaintingAHiddenPlaceShowsIt) {
    form->Picture7(4).SetVisible(false);
    Card_Show(form->Picture7, 4, 0, 88);
    EXPECT_TRUE(form->Picture7(4).Visible());
}

// ---------------------------------------------------------------- sounds

TEST_F(PaintTest, CardSoundsByKindAndSoundSet) {
    const char* setOne[] = {"~113.tmp", "~112.tmp", "~111.tmp", "~115.tmp", "~114.tmp"};
    const char* setTwo[] = {"~118.tmp", "~117.tmp", "~116.tmp", "~120.tmp", "~119.tmp"};
    for (int set : {1, 2, 3}) {
        Com.SoundSet = set;
        for (int kind = 1; kind <= 5; ++kind) {
            svc.sound->played.clear();
            Card_Show(form->Picture7, 2, 7, kind);
            ASSERT_EQ(svc.sound->played.size(), 1) << set << " " << kind;
            EXPECT_EQ(svc.sound->played[0], Com.DataPath + (set == 1 ? setOne : setTwo)[kind - 1]);
        }
    }
    svc.sound->played.clear();
    for (int kind : {0, 6, 88, -1})
        Card_Show(form->Picture7, 2, 7, kind);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(PaintTest, NoCardSoundWhenAllSoundsAreOff) {
    Com.SoundMode = 1; // only the personalities are quiet
    Card_Show(form->Picture7, 2, 0, 3);
    EXPECT_EQ(svc.sound->played.size(), 1);
    Com.SoundMode = 2;
    svc.sound->played.clear();
    for (int kind = 1; kind <= 5; ++kind) {
        Card_Show(form->Picture7, 2, 7, kind);
        Card_Show(form->Picture7, 3, 0, kind);
        Sound_Card(kind);
    }
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

// ---------------------------------------------------------------- failures

TEST_F(PaintTest, APlaceThatDoesNotExistIsReportedNotACrash) {
    svc.boxes->Expect(platform::vbOK);
    Card_Show(form->Picture7, 11, 65, 1);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Houston, we have a problem:\r\n"
                                        "Error  340: control array element not loaded: Picture7(11)\r\n"
                                        "Object is: Picture7\r\n"
                                        "ToPicNum:  11  FromPicNum:  65  adjusted (From):  65");
    EXPECT_EQ(svc.boxes->shown[0].style, platform::vbExclamation);
    EXPECT_TRUE(svc.sound->played.isEmpty()) << "no sound after an error";
}

TEST_F(PaintTest, ACardOffTheSheetIsReported) {
    svc.boxes->Expect(platform::vbOK);
    const QImage before = form->Picture7(2).Picture();
    Card_Show(form->Picture7, 2, -3, 2);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.startsWith("Houston, we have a problem:\r\nError  9: "));
    EXPECT_TRUE(svc.boxes->shown[0].text.endsWith("Object is: Picture7\r\nToPicNum:  2  FromPicNum: -3  "
                                                  "adjusted (From): -3"));
    EXPECT_EQ(form->Picture7(2).Picture(), before);
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

// ---------------------------------------------------------------- the picture store

TEST_F(PaintTest, TheFaceSheetKeepsTheCellRuleOfOnePixelMargin) {
    const QImage& sheet = Tbl.Pic.imgALL;
    EXPECT_EQ(sheet.size(), QSize(13 * 71 + 1, 4 * 96));
    for (int y = 0; y < sheet.height(); ++y)
        ASSERT_EQ(qAlpha(sheet.pixel(0, y)), 0) << y;
    const QImage cell = sheet.copy(QRect(71 * 5 - 70, 96 * 2, 71, 96)); // card 31: row 3, column 5
    EXPECT_LT(Differing(cell, cardart::SheetFace(31, kLarge)), 20);
}

TEST_F(PaintTest, PicturesInitFillsTheStore) {
    const PictureStore& p = Tbl.Pic;
    EXPECT_EQ(p.FilePic[0].size(), kLarge);
    EXPECT_EQ(p.FilePic[5].size(), kSmall);
    EXPECT_EQ(p.ImgEmpty2.size(), kLarge);
    EXPECT_EQ(p.ImgEmptySm2.size(), kSmall);
    EXPECT_EQ(p.ImgEmpty3.size(), kLarge);
    EXPECT_EQ(p.ImgEmptySm3.size(), kSmall);
    EXPECT_NE(p.ImgEmpty2, p.ImgEmpty3);
    // Place-holders cover their place whole, on the table colour.
    for (const QImage* img : {&p.ImgEmpty2, &p.ImgEmptySm2, &p.ImgEmpty3, &p.ImgEmptySm3}) {
        EXPECT_EQ(img->pixelColor(0, 0), cardart::FromBGR(Com.MatColour));
        EXPECT_EQ(img->pixelColor(img->width() - 1, img->height() - 1), cardart::FromBGR(Com.MatColour));
        EXPECT_EQ(qAlpha(img->pixel(img->width() / 2, img->height() / 2)), 255);
    }
    // The frames have the natural sizes the layout reads from the design table.
    const QSize h(qRound(design::kCenterFrameH.w), qRound(design::kCenterFrameH.h));
    const QSize v(qRound(design::kCenterFrameV.w), qRound(design::kCenterFrameV.h));
    EXPECT_EQ(p.imgCenterH.size(), h);
    EXPECT_EQ(p.imgCenterHM.size(), h);
    EXPECT_EQ(p.imgCenterV.size(), v);
    EXPECT_EQ(p.imgCenterVM.size(), v);
    EXPECT_NE(h, v);
    EXPECT_NE(p.imgCenterH, p.imgCenterHM);
    EXPECT_NE(p.imgCenterV, p.imgCenterVM);
    EXPECT_LT(Differing(p.FilePic[0], cardart::Back(kLarge, Com.DeckColour)), 20);
}

TEST_F(PaintTest, BacksOfTheDeckComponentFallBackToOurOwn) {
    Com.DeckColour = 0x000000C0;
    GetCardBacks(0);
    const QImage own = Tbl.Pic.FilePic[0];
    GetCardBacks(4);
    EXPECT_EQ(Tbl.Pic.FilePic[0], own);
    EXPECT_LT(Differing(own, cardart::Back(kLarge, 0x000000C0)), 20);
    GetCardFaces(9);
    EXPECT_EQ(Tbl.Pic.imgALL.size(), QSize(13 * 71 + 1, 4 * 96));
}

TEST_F(PaintTest, SkinChoosesThePlaceHolderLook) {
    Com.PlaceholderStyle = -1;
    Skin_SelectImages();
    EXPECT_EQ(form->EmptyPlaceLarge, Tbl.Pic.ImgEmpty3);
    EXPECT_EQ(form->EmptyPlaceSmall, Tbl.Pic.ImgEmptySm3);
    Com.PlaceholderStyle = 0;
    Skin_SelectImages();
    EXPECT_EQ(form->EmptyPlaceLarge, Tbl.Pic.ImgEmpty2);
    EXPECT_EQ(form->EmptyPlaceSmall, Tbl.Pic.ImgEmptySm2);
}

// The skin's panel replaced the drawn one and left the menu icons off it.
TEST_F(PaintTest, EverySkinPanelShowsItsFourMenuIcons) {
    for (int style : {0, 1}) {
        Tbl.MenuStyle = style;
        Skin_SelectImages();
        const QImage panel = form->picPanel.Picture();
        ASSERT_FALSE(panel.isNull());
        // Between the first two icons, on the row's own line.
        ASSERT_EQ(Panel_IconAt(189, 41), kIconNone);
        const QRgb backdrop = panel.pixel(189, 41);
        for (int icon = kIconGame; icon <= kIconHelp; ++icon) {
            int x = 0;
            while (Panel_IconAt(x, 41) != icon)
                ++x;
            EXPECT_NE(panel.pixel(x + 8, 41), backdrop) << style << " " << icon;
        }
    }
}

// Every seat at the table shows its empty hold places, and its side pile's back once the pile is
// dealt: before the deal no seat shows one.
TEST_F(PaintTest, CardsShowAllPaintsTheFixedPlaces) {
    Com.DeckColour = 0x00402010;
    Com.NumPlayers = 3;
    LoadSeat3();
    Cards_ShowAll();
    for (int seat = 1; seat <= 3; ++seat) {
        EXPECT_FALSE((*Seat(seat).places)(1).Visible()) << seat;
        (*Seat(seat).cards)(1, 1) = 5;
    }
    Cards_ShowAll();
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(form->PicCenter(i).BackColor(), 0x00402010u) << i;
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(form->PicCenter(i).Picture(), form->EmptyPlaceLarge) << i;
    EXPECT_EQ(form->Picture7(1).Picture(), Tbl.Pic.FilePic[0]);
    EXPECT_EQ(form->Picture1(1).Picture(), Tbl.Pic.FilePic[5]);
    EXPECT_EQ(form->Picture2(1).Picture(), Tbl.Pic.FilePic[5]);
    EXPECT_TRUE(form->Picture2(1).Visible());
    EXPECT_EQ(form->Picture2(1).BackColor(), 0x00402010u);
    for (int slot = 7; slot <= 10; ++slot) {
        EXPECT_EQ(form->Picture7(slot).Picture(), form->EmptyPlaceLarge) << slot;
        EXPECT_EQ(form->Picture1(slot).Picture(), form->EmptyPlaceLarge) << slot;
        EXPECT_EQ(form->Picture2(slot).Picture(), form->EmptyPlaceSmall) << slot;
    }
    EXPECT_TRUE(svc.sound->played.isEmpty());
}

TEST_F(PaintTest, PicturesAreDrawnAtTheDevicePixelRatio) {
    Paint_SetPixelRatio(2);
    Pictures_Init();
    Cards_MakeFiles();
    EXPECT_EQ(Tbl.Pic.FilePic[0].size(), QSize(142, 192));
    EXPECT_EQ(Tbl.Pic.FilePic[0].devicePixelRatio(), 2.0);
    EXPECT_EQ(QImage(Com.DataPath + "1.tmp").size(), QSize(142, 192)) << "files keep the fine pixels";
    Card_Show(form->Picture7, 2, 45, 0);
    const QImage& large = form->Picture7(2).Picture();
    EXPECT_EQ(large.size(), QSize(142, 192));
    EXPECT_EQ(large.devicePixelRatio(), 2.0);
    EXPECT_LT(Differing(large, cardart::SheetFace(45, kLarge, 2.0)), 40);
    Com.LayoutMode = 2;
    Card_Show(form->Picture7, 3, 45, 0);
    const QImage& small = form->Picture7(3).Picture();
    EXPECT_EQ(small.size(), QSize(118, 160));
    EXPECT_EQ(small.devicePixelRatio(), 2.0);
    EXPECT_EQ(ClosestSheetCard(small, kSmall), 45);
    Com.DeckStyle = 2;
    Deck_LoadSmall();
    EXPECT_EQ(Tbl.Pic.ImageSm[7].size(), QSize(118, 160));
    EXPECT_EQ(Tbl.Pic.Image1[7].devicePixelRatio(), 2.0);
}

} // namespace
