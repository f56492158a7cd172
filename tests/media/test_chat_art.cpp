// Our emote icons and chat sounds: real GIF and WAVE files, put in place only
// where the user has no file of that name.
#include "media/ChatArt.h"
#include "media/GifWriter.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>

namespace {

QImage ReadGif(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read();
}

TEST(ChatArt, EveryIconIsAGifThatReadsBackAsDrawn) {
    QSet<QByteArray> seen;
    for (const QString& name : ChatArt_IconNames()) {
        const QImage drawn = ChatArt_Icon(name);
        const QByteArray gif = Gif_Encode(drawn);
        ASSERT_TRUE(gif.startsWith("GIF89a")) << name.toStdString();
        const QImage back = ReadGif(gif).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(back.size(), QSize(kEmoteSize, kEmoteSize)) << name.toStdString();
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
        // Every opaque pixel is within one step of the colour cube of what was drawn.
        for (int y = 0; y < kEmoteSize; ++y)
            for (int x = 0; x < kEmoteSize; ++x) {
                const QRgb a = drawn.pixel(x, y), b = back.pixel(x, y);
                ASSERT_EQ(qAlpha(a) >= 128, qAlpha(b) == 255) << name.toStdString() << " " << x << "," << y;
                if (qAlpha(a) >= 128) {
                    ASSERT_LE(std::abs(qRed(a) - qRed(b)), 26);
                    ASSERT_LE(std::abs(qBlue(a) - qBlue(b)), 26);
                }
            }
        seen.insert(gif);
    }
    EXPECT_EQ(seen.size(), ChatArt_IconNames().size());
    EXPECT_TRUE(ChatArt_Icon("Nobody").isNull());
}

TEST(ChatArt, ALargePictureNeedsSeveralClearCodesAndStillReadsBack) {
    QImage big(100, 60, QImage::Format_ARGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 100; ++x)
            big.setPixel(x, y, qRgb(x * 2, y * 4, 255 - x));
    const QImage back = ReadGif(Gif_Encode(big)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(back.size(), big.size());
    EXPECT_LE(std::abs(qRed(back.pixel(99, 59)) - 198), 26);
    EXPECT_LE(std::abs(qGreen(back.pixel(99, 59)) - 236), 26);
}

TEST(ChatArt, TheInstallLeavesTheUsersOwnFilesAlone) {
    TestHome home;
    const QString user = home.Path() + "/User/";
    QDir().mkpath(user + "Icons");
    QDir().mkpath(user + "Sounds");
    QFile mine(user + "Icons/WINK.gif");
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly));
    mine.write("mine");
    mine.close();
    ChatArt_Install(user);
    EXPECT_EQ(QDir(user + "Icons").entryList(QDir::Files).size(), ChatArt_IconNames().size());
    EXPECT_FALSE(QFile::exists(user + "Icons/Wink.gif"));
    QFile again(user + "Icons/WINK.gif");
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), "mine");
    for (const QString& s : ChatArt_SoundNames()) {
        QFile wav(user + "Sounds/" + s + ".wav");
        ASSERT_TRUE(wav.open(QIODevice::ReadOnly)) << s.toStdString();
        const QByteArray bytes = wav.readAll();
        EXPECT_TRUE(bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WAVE");
        EXPECT_GT(bytes.size(), 4000);
    }
}

} // namespace
