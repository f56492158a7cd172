#include "common/Records.h"
#include "platform/RecordFile.h"
#include "tests/support/TestSupport.h"

#include <QByteArray>

using platform::RecordBuf;

namespace {
int Byte(const RecordBuf& b, int off) {
    return static_cast<unsigned char>(b.Bytes().at(off));
}
} // namespace

TEST(ScoreRecord, EncodesFieldsAtTheirOffsets) {
    ScoreRecord r{"Grulm", 0x0102, -1, 300, 0x7FFF};
    const RecordBuf b = r.Encode();
    EXPECT_EQ(b.Size(), 38);
    EXPECT_EQ(b.Bytes().left(30), QByteArray("Grulm").append(QByteArray(25, ' ')));
    EXPECT_EQ(Byte(b, 30), 0x02);
    EXPECT_EQ(Byte(b, 31), 0x01);
    EXPECT_EQ(Byte(b, 32), 0xFF);
    EXPECT_EQ(Byte(b, 33), 0xFF);
    EXPECT_EQ(b.I16(34), 300);
    EXPECT_EQ(Byte(b, 36), 0xFF);
    EXPECT_EQ(Byte(b, 37), 0x7F);
}

TEST(ScoreRecord, RoundTrip) {
    const ScoreRecord r{QString::fromUtf8("Torvek \u00e9\u20ac"), -32768, 32767, 0, 19};
    EXPECT_EQ(ScoreRecord::Decode(r.Encode()), r);
}

TEST(ScoreRecord, DecodeTrimsBlanksAndNuls) {
    QByteArray bytes("  Best run", 10);
    bytes.append(QByteArray(20, '\0'));
    bytes.append(QByteArray(8, '\0'));
    const ScoreRecord r = ScoreRecord::Decode(RecordBuf(bytes));
    EXPECT_EQ(r.Text, "Best run");
    EXPECT_EQ(r.A, 0);
    EXPECT_EQ(r.D, 0);
}

TEST(ScoreRecord, TextIsCutToThirtyAndForeignCharactersBecomeQuestionMarks) {
    ScoreRecord r;
    r.Text = QString::fromUtf8("\u0416") + QString(40, 'x');
    const RecordBuf b = r.Encode();
    EXPECT_EQ(b.Bytes().at(0), '?');
    const ScoreRecord back = ScoreRecord::Decode(b);
    EXPECT_EQ(back.Text, "?" + QString(29, 'x'));
}

TEST(ScoreRecord, DecodeOfAWrongSizeIsAFault) {
    EXPECT_THROW(ScoreRecord::Decode(RecordBuf(37)), std::invalid_argument);
    EXPECT_THROW(ScoreRecord::Decode(RecordBuf(100)), std::invalid_argument);
}

TEST(TextRecord, OneHundredCharacterText) {
    const RecordBuf b = TextRecord{"Welcome to the table"}.Encode();
    EXPECT_EQ(b.Size(), 100);
    EXPECT_EQ(b.Bytes(), QByteArray("Welcome to the table").append(QByteArray(80, ' ')));
}

TEST(TextRecord, RoundTripTrimsAndReplaces) {
    const TextRecord r{QString::fromUtf8("Caf\u00e9 \u2014 fine")};
    EXPECT_EQ(TextRecord::Decode(r.Encode()), r);
    EXPECT_EQ(TextRecord::Decode(TextRecord{"   padded   "}.Encode()).Text, "padded");
    EXPECT_EQ(TextRecord::Decode(TextRecord{QString::fromUtf8("a\u4e2db")}.Encode()).Text, "a?b");
    EXPECT_EQ(TextRecord::Decode(TextRecord{QString(120, 'y')}.Encode()).Text, QString(100, 'y'));
    EXPECT_THROW(TextRecord::Decode(RecordBuf(38)), std::invalid_argument);
}

TEST(RecordFields, FillCheckRejectsGapsAndOverlaps) {
    constexpr RecordField gap[] = {{"a", 0, 2}, {"b", 3, 2}};
    constexpr RecordField overlap[] = {{"a", 0, 4}, {"b", 2, 2}};
    constexpr RecordField good[] = {{"a", 0, 4}, {"b", 4, 2}};
    EXPECT_FALSE(FieldsFill(gap, 5));
    EXPECT_FALSE(FieldsFill(overlap, 4));
    EXPECT_FALSE(FieldsFill(good, 8));
    EXPECT_TRUE(FieldsFill(good, 6));
}
