#include "shell/ImageHeader.h"
#include "shell/Utilities.h"
#include "tests/support/TestSupport.h"

#include <QImage>

namespace {
using ImageHeaderTest = GameTest;

QByteArray HeaderBytes(std::initializer_list<int> v) {
    QByteArray b;
    for (int x : v)
        b.append(static_cast<char>(x));
    return b;
}

QByteArray Png(int w, int h, int bits, int colourType) {
    QByteArray b = HeaderBytes({0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'});
    b += HeaderBytes({0, 0x01, w >> 8, w & 0xFF, 0, 0x02, h >> 8, h & 0xFF, bits, colourType, 0, 0, 0});
    return b;
}

// A JPEG start, an application segment of `padding` bytes, then a frame header.
QByteArray Jpeg(int padding, int w, int h) {
    QByteArray b = HeaderBytes({0xFF, 0xD8, 0xFF, 0xE0, (padding + 2) >> 8, (padding + 2) & 0xFF});
    b += QByteArray(padding, '\x11');
    b += HeaderBytes({0xFF, 0xC0, 0, 17, 8, h >> 8, h & 0xFF, w >> 8, w & 0xFF, 3});
    return b;
}
} // namespace

TEST(ImageHeader, HandMadeHeadersOfEveryKind) {
    struct Case {
        QByteArray head;
        int type, width, height, depth;
    };
    const Case cases[] = {
        {Png(300, 200, 8, 2), clsGetSize::kPng, 300, 200, 24},
        {Png(70000, 5, 4, 3), clsGetSize::kPng, 70000 - 65536, 5, 8}, // palette: 8; only the low 16 bits
        {Png(10, 10, 16, 6), clsGetSize::kPng, 10, 10, 64},
        {Png(10, 10, 8, 5), clsGetSize::kUnknown, 0, 0, 0},
        {QByteArray("GIF89a") + HeaderBytes({0x2C, 0x01, 0x90, 0x00, 0xF5}), clsGetSize::kGif, 300, 144, 6},
        {QByteArray("BM") + QByteArray(16, 0) + HeaderBytes({0x40, 0x01, 0, 0, 0xC8, 0, 0, 0, 1, 0, 24}),
         clsGetSize::kBmp, 320, 200, 24},
        {Jpeg(100, 640, 480), clsGetSize::kJpeg, 640, 480, 24},
        {QByteArray(50, 'z') + Jpeg(60000, 33, 44), clsGetSize::kJpeg, 33, 44, 24},
        {Jpeg(65530, 33, 44), clsGetSize::kUnknown, 0, 0, 0}, // frame header past the search limit
        {HeaderBytes({0xFF, 0xD8, 0xFF}), clsGetSize::kUnknown, 0, 0, 0},
        {QByteArray("plain text"), clsGetSize::kUnknown, 0, 0, 0},
    };
    clsGetSize g;
    for (const Case& c : cases) {
        g.ReadBytes(c.head);
        EXPECT_EQ(g.ImageType(), c.type) << c.head.left(4).toHex().toStdString();
        EXPECT_EQ(g.Width(), c.width);
        EXPECT_EQ(g.Height(), c.height);
        EXPECT_EQ(g.Depth(), c.depth);
    }
}

TEST_F(ImageHeaderTest, HeadersOfPicturesWrittenByQt) {
    QImage img(123, 45, QImage::Format_RGB32);
    img.fill(Qt::red);
    clsGetSize g;
    for (const char* fmt : {"PNG", "BMP", "JPG"}) {
        const QString path = home->Path() + "/pic." + fmt;
        ASSERT_TRUE(img.save(path, fmt));
        ASSERT_TRUE(g.ReadImageInfo(path));
        EXPECT_EQ(g.Width(), 123) << fmt;
        EXPECT_EQ(g.Height(), 45) << fmt;
    }
    EXPECT_FALSE(g.ReadImageInfo(home->Path() + "/none.png"));
    EXPECT_EQ(g.ImageType(), clsGetSize::kUnknown);
}

TEST_F(ImageHeaderTest, PicturesLoadOnlyWithinTheLimitAndNeverFromRubbish) {
    const QString ok = home->Path() + "/ok.png", big = home->Path() + "/big.bmp";
    QImage(40, 30, QImage::Format_RGB32).save(ok);
    QImage(400, 10, QImage::Format_RGB32).save(big);
    EXPECT_EQ(Picture_Load(ok, 350).size(), QSize(40, 30));
    EXPECT_TRUE(Picture_Load(big, 350).isNull());
    // A PNG header that lies about a small size over a body that is no picture.
    const QString liar = home->Path() + "/liar.png";
    WriteBytes(liar, QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000100000001008020000") +
                         QByteArray(64, 'x'));
    EXPECT_TRUE(Picture_Load(liar, 350).isNull());
    EXPECT_TRUE(Picture_Load(home->Path() + "/none.gif", 350).isNull());
}

TEST_F(ImageHeaderTest, TheSizeCheckMeasuresAPictureByItsHeader) {
    // Only a JPEG's frame header: the toolkit's decoder cannot size it, the header tells.
    const QString path = home->Path() + "/head.jpg";
    WriteBytes(path, Jpeg(100, 640, 480));
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Picture_SizeOK(path, 350));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text,
              "Picture is too large: W 640 x H 480\nPlease use pictures sized under 350 x 350 pixels.");
}
