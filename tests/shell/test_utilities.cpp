#include "common/Records.h"
#include "common/Shared.h"
#include "platform/Controls.h"
#include "platform/RecordFile.h"
#include "shell/Utilities.h"
#include "tests/support/TestSupport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QResource>
#include <QUrl>
#include <QtEndian>

namespace {
class UtilitiesTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Com.AppPath = home->Path() + "/install";
        QDir().mkpath(Com.AppPath + "/Data");
    }
    void WriteTextRecords(const QStringList& texts) {
        platform::RecordFile f;
        ASSERT_TRUE(f.Open(Com.AppPath + "/Data/Tobrinel.ran", TextRecord::kSize));
        for (int i = 0; i < texts.size(); ++i)
            ASSERT_TRUE(f.Write(i + 1, TextRecord{texts[i]}.Encode()));
    }
    QString SavePng(const QString& name, int w, int h) {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        const QString path = home->Path() + "/" + name;
        EXPECT_TRUE(img.save(path, "PNG"));
        return path;
    }
};

// Builds a binary resource bundle holding one file ":/<dir>/<name>", in the
// layout QResource reads (version 1: tree nodes of 14 bytes, names, payloads).
QByteArray OneFileBundle(const QString& dir, const QString& name, const QByteArray& payload) {
    auto be32 = [](QByteArray& b, quint32 v) {
        char c[4];
        qToBigEndian(v, c);
        b.append(c, 4);
    };
    auto be16 = [](QByteArray& b, quint16 v) {
        char c[2];
        qToBigEndian(v, c);
        b.append(c, 2);
    };
    auto hash = [](const QString& s) {
        quint32 h = 0;
        for (QChar ch : s) {
            h = (h << 4) + ch.unicode();
            h ^= (h & 0xf0000000) >> 23;
            h &= 0x0fffffff;
        }
        return h;
    };
    QByteArray names;
    auto addName = [&](const QString& s) {
        const auto at = static_cast<quint32>(names.size());
        be16(names, static_cast<quint16>(s.size()));
        be32(names, hash(s));
        for (QChar ch : s)
            be16(names, ch.unicode());
        return at;
    };
    const quint32 dirName = addName(dir);
    const quint32 fileName = addName(name);

    QByteArray tree;
    auto dirNode = [&](quint32 nameAt, quint32 firstChild) {
        be32(tree, nameAt);
        be16(tree, 2); // directory
        be32(tree, 1); // one child
        be32(tree, firstChild);
    };
    dirNode(dirName, 1); // the root
    dirNode(dirName, 2);
    be32(tree, fileName);
    be16(tree, 0); // plain file
    be16(tree, 0); // any territory
    be16(tree, 1); // the C language
    be32(tree, 0); // payload at 0

    QByteArray data;
    be32(data, static_cast<quint32>(payload.size()));
    data.append(payload);

    QByteArray out("qres");
    const quint32 treeAt = 20;
    const auto dataAt = treeAt + static_cast<quint32>(tree.size());
    const auto namesAt = dataAt + static_cast<quint32>(data.size());
    be32(out, 1);
    be32(out, treeAt);
    be32(out, dataAt);
    be32(out, namesAt);
    return out + tree + data + names;
}

class UrlCatcher : public QObject {
    Q_OBJECT
  public slots:
    void open(const QUrl& url) { urls.push_back(url); }

  public:
    QList<QUrl> urls;
};
} // namespace

TEST_F(UtilitiesTest, TextRecordsAreTrimmedAndEachFollowedByABlank) {
    WriteTextRecords({"First line", "  Second   ", "Third", "Fourth"});
    EXPECT_EQ(ReadTextRecords(2, 3), "Second Third ");
    EXPECT_EQ(ReadTextRecords(1, 1), "First line ");
    EXPECT_EQ(ReadTextRecords(1, 4), "First line Second Third Fourth ");
}

TEST_F(UtilitiesTest, TextRecordsEmptyRangeAndMissingFile) {
    EXPECT_EQ(ReadTextRecords(1, 3), ""); // no file
    WriteTextRecords({"One", "Two"});
    EXPECT_EQ(ReadTextRecords(3, 2), "");
    // Past the end a record reads empty, as the file gives zero bytes there.
    EXPECT_EQ(ReadTextRecords(2, 3), "Two  ");
}

TEST_F(UtilitiesTest, ResourceBytesAreWrittenUnchanged) {
    QByteArray payload("RIFF\0\0\0\0WAVEfmt ", 16);
    payload.append(QByteArray(300, '\x7f'));
    const QByteArray bundle = OneFileBundle("SOUND", "105", payload);
    ASSERT_TRUE(QResource::registerResource(reinterpret_cast<const uchar*>(bundle.constData())));
    const QString target = home->Path() + "/~105.tmp";
    ResToFile(105, "SOUND", target);
    QResource::unregisterResource(reinterpret_cast<const uchar*>(bundle.constData()));
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), payload);
}

TEST_F(UtilitiesTest, MissingResourceWritesNothing) {
    const QString target = home->Path() + "/~999.tmp";
    ResToFile(999, "SOUND", target);
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(UtilitiesTest, FormLoadedByExactName) {
    platform::Form form("frmTestTool");
    EXPECT_FALSE(IsFormLoaded("frmTestTool"));
    form.Load();
    EXPECT_TRUE(IsFormLoaded("frmTestTool"));
    EXPECT_FALSE(IsFormLoaded("frmtesttool"));
    EXPECT_FALSE(IsFormLoaded("frmNoSuch"));
    form.Unload();
    EXPECT_FALSE(IsFormLoaded("frmTestTool"));
}

TEST_F(UtilitiesTest, BadFileNameRefusesAFullStopWithTheCriticalBox) {
    svc.boxes->Expect(platform::vbOK);
    EXPECT_TRUE(BadFileName("a.b"));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    const platform::MsgCall& box = svc.boxes->shown[0];
    EXPECT_EQ(box.title, "Non-standard filename character");
    EXPECT_EQ(box.style, platform::vbCritical);
    EXPECT_EQ(box.text,
              "Please do not use the following characters:  \n/ \\ : * . ? ! < > | \"\nPlease re-enter.");
}

TEST_F(UtilitiesTest, BadFileNameEveryForbiddenCharacter) {
    const QString forbidden = "!\"*./:<>?\\|";
    for (QChar c : forbidden) {
        svc.boxes->Expect(platform::vbOK);
        EXPECT_TRUE(BadFileName(QString("my") + c + "name")) << QString(c).toStdString();
    }
    EXPECT_EQ(svc.boxes->shown.size(), static_cast<size_t>(forbidden.size()));
}

TEST_F(UtilitiesTest, GoodFileNamesPassSilently) {
    EXPECT_FALSE(BadFileName("Grulm's best-game_2 (final)"));
    EXPECT_FALSE(BadFileName(""));
    EXPECT_TRUE(svc.boxes->shown.empty());
}

TEST_F(UtilitiesTest, OpenUrlHandsTheAddressToTheDesktop) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("vornhelm-test", &catcher, "open");
    const bool ok = OpenURL("vornhelm-test://help/page");
    QDesktopServices::unsetUrlHandler("vornhelm-test");
    EXPECT_TRUE(ok);
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl("vornhelm-test://help/page"));
    EXPECT_TRUE(svc.boxes->shown.empty());
}

TEST_F(UtilitiesTest, OpenUrlFailureTellsTheUser) {
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(OpenURL(""));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text, "Unable to launch default browser");
}

TEST_F(UtilitiesTest, SmallFontsAtExactly96Dpi) {
    svc.screen->dpi = 96;
    EXPECT_TRUE(IsSmallFonts());
    svc.screen->dpi = 120;
    EXPECT_FALSE(IsSmallFonts());
    svc.screen->dpi = 95;
    EXPECT_FALSE(IsSmallFonts());
}

TEST(AnimSteps, ByProcessorClock) {
    EXPECT_EQ(AnimStepsForMHz(0), 20);
    EXPECT_EQ(AnimStepsForMHz(849), 20);
    EXPECT_EQ(AnimStepsForMHz(850), 45);
    EXPECT_EQ(AnimStepsForMHz(1799), 45);
    EXPECT_EQ(AnimStepsForMHz(1800), 70);
    EXPECT_EQ(AnimStepsForMHz(2399), 70);
    EXPECT_EQ(AnimStepsForMHz(2400), 95);
    EXPECT_EQ(AnimStepsForMHz(5200), 95);
}

TEST(CpuInfo, HighestClockRounded) {
    const QString info =
        "processor\t: 0\nmodel name\t: Some CPU\ncpu MHz\t\t: 1199.998\ncache size\t: 512 KB\n\n"
        "processor\t: 1\ncpu MHz\t\t: 2399.6\n\nprocessor\t: 2\ncpu MHz\t\t: 800.000\n";
    EXPECT_EQ(CpuMHzFromInfo(info), 2400);
    EXPECT_EQ(CpuMHzFromInfo("cpu MHz : 849.4\n"), 849);
}

TEST(CpuInfo, UnknownIsZero) {
    EXPECT_EQ(CpuMHzFromInfo(""), 0);
    EXPECT_EQ(CpuMHzFromInfo("processor : 0\nBogoMIPS : 50.00\n"), 0);
    EXPECT_EQ(CpuMHzFromInfo("cpu MHz : unknown\n"), 0);
}

TEST_F(UtilitiesTest, CpuSpeedSetsTheStepsOnlyWhenAsked) {
    Com.AnimSteps = 33;
    const int mhz = GetCPUSpeed(false);
    EXPECT_GE(mhz, 0);
    EXPECT_EQ(Com.AnimSteps, 33);
    EXPECT_EQ(GetCPUSpeed(true), mhz);
    EXPECT_EQ(Com.AnimSteps, AnimStepsForMHz(mhz));
}

TEST_F(UtilitiesTest, PictureWithinTheLimitPasses) {
    EXPECT_TRUE(Picture_SizeOK(SavePng("ok.png", 100, 64), 100));
    EXPECT_TRUE(svc.boxes->shown.empty());
}

TEST_F(UtilitiesTest, PictureTooWideIsRejectedWithTheBox) {
    const QString file = SavePng("wide.png", 120, 80);
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Picture_SizeOK(file, 100));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    const platform::MsgCall& box = svc.boxes->shown[0];
    EXPECT_EQ(box.title, "Image Rejected");
    EXPECT_EQ(box.style, platform::vbCritical);
    EXPECT_EQ(box.text,
              "Picture is too large: W 120 x H 80\nPlease use pictures sized under 100 x 100 pixels.");
}

TEST_F(UtilitiesTest, PictureTooHighIsRejected) {
    const QString file = SavePng("high.png", 40, 151);
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Picture_SizeOK(file, 150));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].text,
              "Picture is too large: W 40 x H 151\nPlease use pictures sized under 150 x 150 pixels.");
}

TEST_F(UtilitiesTest, FileThatIsNoPictureIsNotRejected) {
    WriteBytes(home->Path() + "/notes.png", "just some text");
    EXPECT_TRUE(Picture_SizeOK(home->Path() + "/notes.png", 10));
    EXPECT_TRUE(svc.boxes->shown.empty());
}

#include "test_utilities.moc"
