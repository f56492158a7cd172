#include "platform/RecordFile.h"
#include "platform/Text1252.h"
#include "tests/support/TestSupport.h"

#include <QFile>

using platform::RecordBuf;
using platform::RecordFile;

TEST(Text1252, EncodesWindowsCharactersAndReplacesTheRest) {
    const QString s = QString::fromUtf8("Caf\u00e9 \u20ac5 \u2014 \u4e2d");
    const QByteArray b = platform::ToCp1252(s);
    EXPECT_EQ(b, QByteArray("Caf\xe9 \x80"
                            "5 \x97 ?"));
    EXPECT_EQ(platform::FromCp1252(QByteArray("Caf\xe9 \x80"
                                              "5")),
              QString::fromUtf8("Caf\u00e9 \u20ac5"));
}

TEST(Text1252, FixedWidthPadsCutsAndTrims) {
    EXPECT_EQ(platform::FixedText("Grulm", 8), QByteArray("Grulm   "));
    EXPECT_EQ(platform::FixedText("Torvek the Great", 6), QByteArray("Torvek"));
    EXPECT_EQ(platform::TrimFixed(QByteArray("  ab c \0\0", 9)), "ab c");
    EXPECT_EQ(platform::TrimFixed(QByteArray(4, '\0')), "");
}

TEST(RecordBuf, LittleEndianSixteenBitFields) {
    RecordBuf r(8);
    r.SetI16(0, 0x1234);
    r.SetI16(2, -2);
    r.SetBool(4, true);
    r.SetI16(6, 70000); // only the low 16 bits fit
    EXPECT_EQ(static_cast<unsigned char>(r.Bytes()[0]), 0x34);
    EXPECT_EQ(static_cast<unsigned char>(r.Bytes()[1]), 0x12);
    EXPECT_EQ(r.I16(2), -2);
    EXPECT_EQ(r.I16(4), -1);
    EXPECT_TRUE(r.Bool(4));
    EXPECT_EQ(r.I16(6), 70000 - 65536);
    EXPECT_THROW(r.I16(7), std::out_of_range);
    EXPECT_THROW(r.SetText(5, 4, "x"), std::out_of_range);
}

using RecordFileTest = GameTest;

TEST_F(RecordFileTest, WritesWholeRecordsAndExtendsPastTheEnd) {
    const QString path = home->Path() + "/r.dat";
    RecordFile f;
    ASSERT_TRUE(f.Open(path, 10));
    RecordBuf rec(10);
    rec.SetText(0, 6, "abc");
    rec.SetI16(6, 300);
    ASSERT_TRUE(f.Write(3, rec));
    EXPECT_EQ(f.RecordCount(), 3);
    EXPECT_EQ(QFile(path).size(), 30);
    const RecordBuf back = f.Read(3);
    EXPECT_EQ(back.Text(0, 6), "abc");
    EXPECT_EQ(back.I16(6), 300);
    // Records never written read as zeros, and so do records past the end.
    EXPECT_EQ(f.Read(1).Bytes(), QByteArray(10, '\0'));
    EXPECT_EQ(f.Read(9).Bytes(), QByteArray(10, '\0'));
    EXPECT_FALSE(f.Write(0, rec));
    EXPECT_FALSE(f.Write(1, RecordBuf(9)));
}

TEST_F(RecordFileTest, AShortTailIsNotARecordButReadsPadded) {
    const QString path = home->Path() + "/short.dat";
    WriteBytes(path, QByteArray(15, 'x'));
    RecordFile f;
    ASSERT_TRUE(f.Open(path, 10));
    EXPECT_EQ(f.RecordCount(), 1);
    const RecordBuf r = f.Read(2);
    EXPECT_EQ(r.Bytes(), QByteArray(5, 'x') + QByteArray(5, '\0'));
    f.Close();
    EXPECT_EQ(QFile(path).size(), 15);
}

TEST_F(RecordFileTest, ReadOnlyOpenOfAMissingFileFails) {
    RecordFile f;
    EXPECT_FALSE(f.OpenReadOnly(home->Path() + "/none.dat", 10));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(f.RecordCount(), 0);
}
