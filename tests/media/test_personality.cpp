#include "media/PersonText.h"
#include "media/Persons.h"
#include "tests/media/MediaTestSupport.h"

#include <QFileInfo>

TEST_F(MediaTest, PersonalityFieldsLieAtTheirOffsetsAndRoundTrip) {
    const Personality p = Tagged("Vex");
    const platform::RecordBuf buf = p.Encode();
    ASSERT_EQ(buf.Size(), 6340);
    EXPECT_EQ(buf.Text(0, 100), "Vex c0");
    EXPECT_EQ(buf.Text(3500, 100), "Vex c35");
    // Column-fastest: (0,1) at 3600 + 80*2, (1,1) right after it, (1,16) last.
    EXPECT_EQ(buf.Text(3760, 80), "Vex-0-1.wav");
    EXPECT_EQ(buf.Text(3840, 80), "Vex-1-1.wav");
    EXPECT_EQ(buf.Text(3600 + 80 * 33, 80), "Vex-1-16.wav");
    EXPECT_EQ(buf.Text(3600, 80), "2");
    EXPECT_EQ(buf.Text(6320, 20), "Vex.jpg");
    EXPECT_EQ(Personality::Decode(buf), p);

    ASSERT_TRUE(Personality_WriteFile(Pms("Vex.pms"), p));
    EXPECT_EQ(QFileInfo(Pms("Vex.pms")).size(), 6340);
    Personality back;
    EXPECT_EQ(Personality_ReadFile(Pms("Vex.pms"), &back), PersonFile::Ok);
    EXPECT_EQ(back, p);
}

TEST_F(MediaTest, DamagedFileReadsAsZerosAndFieldsEndAtTheirFirstNul) {
    QByteArray bytes = Tagged("Vex").Encode().Bytes().left(150);
    bytes[3] = '\0'; // "Vex\0c0..."
    WriteBytes(Pms("Vex.pms"), bytes);
    Personality p;
    EXPECT_EQ(Personality_ReadFile(Pms("Vex.pms"), &p), PersonFile::Damaged);
    EXPECT_EQ(p.Comments(0), "Vex");
    EXPECT_EQ(p.Comments(1), "Vex c1"); // the file ends inside it
    EXPECT_EQ(p.Sounds(1, 16), "");
    EXPECT_EQ(Personality_ReadFile(Pms("Nobody.pms"), &p), PersonFile::Missing);
    EXPECT_FALSE(QFileInfo::exists(Pms("Nobody.pms")));
}

TEST_F(MediaTest, DamagedPersonalityIsRefusedOnceWithAMessageAndGrulmSits) {
    WriteBytes(Pms("Vex.pms"), QByteArray(100, 'x'));
    svc.boxes->Expect(platform::vbOK);
    SeatRecord seat;
    seat.RecName = "Vex";
    seat.RecCommentSet = "Default Personality";
    Person_Load(seat, 0);
    Person_Load(seat, 0);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_TRUE(svc.boxes->shown[0].text.contains("Vex.pms"));
    EXPECT_EQ(seat.RecName, "Grulm");
    EXPECT_EQ(seat.RecComments(1), Personality_Grulm().Comments(1));
}

TEST_F(MediaTest, ReadableSourceNamesEverySlotAndRefusesStrayLines) {
    Personality p;
    QString error;
    ASSERT_TRUE(Personality_FromText("description = D\nsounds = Zub\ns1.3 = x.wav\nc35 = last\n# note\n", &p,
                                     &error));
    EXPECT_EQ(p.Sounds(0, 3), "Zub-03.wav");
    EXPECT_EQ(p.Sounds(1, 3), "x.wav");
    EXPECT_EQ(p.Sounds(1, 16), "Zub-16b.wav");
    EXPECT_EQ(p.Comments(35), "last");
    EXPECT_FALSE(Personality_FromText("c36 = too far", &p, &error));
    EXPECT_FALSE(Personality_FromText("s2.1 = x", &p, &error));
    EXPECT_TRUE(error.contains("line 1"));
    // Grulm's built-in copy is complete.
    for (int k = 0; k <= kPersonComments; ++k)
        EXPECT_FALSE(Personality_Grulm().Comments(k).isEmpty()) << k;
}
