// The online avatar address book: its bytes, updates by name in any letter case,
// pictures that are gone, and one book per local player.
#include "common/Shared.h"
#include "engine/Model.h"
#include "net/AvatarBook.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

namespace {

class AvatarBook : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Com.UserPath = home->Path() + "/User/";
        QDir().mkpath(Com.UserPath + "Avatars");
        Com.PlayerName = "Ada";
    }
    void Picture(const QString& name) {
        QFile f(Com.UserPath + "Avatars/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    QByteArray Book() {
        QFile f(Com.UserPath + "Ada.avt");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static SeatRecord Seat(const QString& name, const QString& avatar) {
        SeatRecord r;
        r.RecName = name;
        r.RecAvatar = avatar;
        return r;
    }
};

TEST_F(AvatarBook, StoringAppendsAWholeRecordThenUpdatesItByName) {
    SeatRecord bo = Seat("Bo", "owl.png");
    Avatar_Load(bo, true);
    SeatRecord cy = Seat("Cy", "cat.jpg");
    Avatar_Load(cy, true);
    QByteArray want = QByteArray("Bo").leftJustified(20, ' ') + QByteArray("owl.png").leftJustified(30, ' ') +
                      QByteArray(100, ' ') + QByteArray(4, '\0');
    ASSERT_EQ(want.size(), 154);
    want += QByteArray("Cy").leftJustified(20, ' ') + QByteArray("cat.jpg").leftJustified(30, ' ') +
            QByteArray(100, ' ') + QByteArray(4, '\0');
    EXPECT_EQ(Book(), want);

    SeatRecord again = Seat("bO", "fox.gif"); // the same opponent in other letter case
    Avatar_Load(again, true);
    const QByteArray book = Book();
    ASSERT_EQ(book.size(), 2 * 154);
    EXPECT_EQ(book.mid(0, 20), QByteArray("Bo").leftJustified(20, ' ')); // the stored name stays
    EXPECT_EQ(book.mid(20, 30), QByteArray("fox.gif").leftJustified(30, ' '));
    EXPECT_EQ(book.mid(154), want.mid(154));
}

TEST_F(AvatarBook, ASeatTakesAListedPictureOnlyWhileItExists) {
    SeatRecord stored = Seat("Bo", "owl.png");
    Avatar_Load(stored, true);
    SeatRecord seat = Seat(" BO ", "Grulm.jpg");
    Avatar_Load(seat, false); // the picture is not in the folder
    EXPECT_EQ(seat.RecAvatar, "Grulm.jpg");
    Picture("owl.png");
    Avatar_Load(seat, false);
    EXPECT_EQ(seat.RecAvatar, "owl.png");
    SeatRecord stranger = Seat("Dee", "Grulm.jpg");
    Avatar_Load(stranger, false);
    EXPECT_EQ(stranger.RecAvatar, "Grulm.jpg");
    EXPECT_EQ(Book().size(), 154); // looking up writes nothing
}

TEST_F(AvatarBook, EachLocalPlayerKeepsABookAndNoBookChangesNothing) {
    Picture("owl.png");
    Picture("cat.png");
    SeatRecord seat = Seat("Bo", "Grulm.jpg");
    Avatar_Load(seat, false);
    EXPECT_EQ(seat.RecAvatar, "Grulm.jpg");
    EXPECT_FALSE(QFile::exists(Com.UserPath + "Ada.avt")); // a look-up creates no book
    seat.RecAvatar = "owl.png";
    Avatar_Load(seat, true);
    Com.PlayerName = "Ezra";
    seat.RecAvatar = "cat.png";
    Avatar_Load(seat, true);
    SeatRecord look = Seat("Bo", "");
    Avatar_Load(look, false);
    EXPECT_EQ(look.RecAvatar, "cat.png");
    Com.PlayerName = "Ada";
    Avatar_Load(look, false);
    EXPECT_EQ(look.RecAvatar, "owl.png");
}

TEST_F(AvatarBook, APictureNameFromTheBookStaysInsideTheAvatarsFolder) {
    QFile(Com.UserPath + "secret.png").open(QIODevice::WriteOnly);
    SeatRecord stored = Seat("Bo", "../secret.png");
    Avatar_Load(stored, true);
    SeatRecord seat = Seat("Bo", "Grulm.jpg");
    Avatar_Load(seat, false);
    EXPECT_EQ(seat.RecAvatar, "Grulm.jpg");
}

} // namespace
