#include "common/Shared.h"
#include "engine/Model.h"
#include "platform/RecordFile.h"
#include "shell/Folders.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "shell/Utilities.h"
#include "tests/shell/test_profile_support.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <iterator>
#include <string>
#include <vector>

namespace {

class ProfileTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        QString error;
        ASSERT_TRUE(Folders_Init(&error)) << error.toStdString();
    }
    void TearDown() override {
        Profile_Reset();
        GameTest::TearDown();
    }
};

// ---------------------------------------------------------------- byte layout

// Every option lands at its own offset: a distinct value per field, read back from the bytes.
TEST(ProfileLayout, OptionsLandAtTheirOffsets) {
    PlayerPrefs p;
    int PlayerPrefs::*const options[] = {
        &PlayerPrefs::NumPlayers,       &PlayerPrefs::NumCenters,     &PlayerPrefs::CommentFontSize,
        &PlayerPrefs::LastBackground,   &PlayerPrefs::SpeedIndex,     &PlayerPrefs::AnimSteps,
        &PlayerPrefs::SoundMode,        &PlayerPrefs::SoundSet,       &PlayerPrefs::DeckStyle,
        &PlayerPrefs::CardBack,         &PlayerPrefs::HoldViewLeft,   &PlayerPrefs::HoldViewTop,
        &PlayerPrefs::FontBackdrop,     &PlayerPrefs::StatusBarShown, &PlayerPrefs::IntroOn,
        &PlayerPrefs::PlaceholderStyle, &PlayerPrefs::MenuStyle,      &PlayerPrefs::SmallDisplay,
        &PlayerPrefs::AvatarShown,      &PlayerPrefs::AutoSave,       &PlayerPrefs::LoseAnimOff,
        &PlayerPrefs::WinAnimOff,       &PlayerPrefs::SideSize,       &PlayerPrefs::ForcedCards,
        &PlayerPrefs::DecksSeparate,    &PlayerPrefs::NoWildAce};
    ASSERT_EQ(std::size(options), 26u);
    for (int i = 0; i < 26; ++i)
        p.*options[i] = 1000 + i;
    p.FontColour = 0x00112233;
    p.MatColour = 0x00445566;
    p.DeckColour = 0x00778899;
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            p.BestRuns(c, r) = 10 * r + c + 1;
    for (int k = 0; k <= 6; ++k) {
        p.Games(k) = 100 + k;
        p.Wins(k) = 200 + k;
        p.Margin(k) = -300 - k;
    }
    for (int e = 0; e <= 3; ++e)
        p.Identity(e) = PlayerIdentity{"N" + QString::number(e), "A" + QString::number(e),
                                       "C" + QString::number(e), e, 40 + e};
    p.BackgroundStretch = -1;
    for (int i = 0; i <= 3; ++i)
        p.Reserved(i) = 7 + i;

    const platform::RecordBuf b = p.Encode();
    EXPECT_EQ(b.Size(), 756);
    EXPECT_EQ(PlayerIdentity().Encode().Size(), 154);
    EXPECT_EQ(b.I32(0), 0x00112233);
    EXPECT_EQ(b.I32(4), 0x00445566);
    EXPECT_EQ(b.I32(8), 0x00778899);
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(b.I16(12 + 2 * i), 1000 + i) << "option " << i;
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 3; ++c)
            EXPECT_EQ(b.I16(64 + 2 * (c + 4 * r)), 10 * r + c + 1) << c << "," << r;
    for (int k = 0; k <= 6; ++k) {
        EXPECT_EQ(b.I16(88 + 2 * k), 100 + k);
        EXPECT_EQ(b.I16(102 + 2 * k), 200 + k);
        EXPECT_EQ(b.I16(116 + 2 * k), -300 - k);
    }
    for (int e = 0; e <= 3; ++e) {
        const int at = 130 + 154 * e;
        EXPECT_EQ(b.Bytes().mid(at, 20), QByteArray("N" + QByteArray::number(e)).leftJustified(20, ' '));
        EXPECT_EQ(b.Bytes().mid(at + 20, 30), QByteArray("A" + QByteArray::number(e)).leftJustified(30, ' '));
        EXPECT_EQ(b.Bytes().mid(at + 50, 100),
                  QByteArray("C" + QByteArray::number(e)).leftJustified(100, ' '));
        EXPECT_EQ(b.I16(at + 150), e);
        EXPECT_EQ(b.I16(at + 152), 40 + e);
    }
    EXPECT_EQ(b.I16(746), -1);
    for (int i = 0; i <= 3; ++i)
        EXPECT_EQ(b.I16(748 + 2 * i), 7 + i);

    EXPECT_EQ(PlayerPrefs::Decode(b), p);
    const platform::RecordBuf again = PlayerPrefs::Decode(b).Encode();
    EXPECT_EQ(again.Bytes(), b.Bytes());
}

TEST(ProfileLayout, IdentityStandsAloneAsTheAddressBookRecord) {
    const PlayerIdentity id{QStringLiteral("Zoë"), QStringLiteral("zoe.png"), QStringLiteral("No Comments"),
                            2, 1};
    const platform::RecordBuf b = id.Encode();
    EXPECT_EQ(static_cast<unsigned char>(b.Bytes().at(2)), 0xEB); // Windows-1252
    EXPECT_EQ(PlayerIdentity::Decode(b), id);
    EXPECT_THROW(PlayerIdentity::Decode(platform::RecordBuf(150)), std::invalid_argument);
    EXPECT_THROW(PlayerPrefs::Decode(platform::RecordBuf(755)), std::invalid_argument);
}

TEST(ProfileLayout, NumbersBeyondSixteenBitsSaturate) {
    PlayerPrefs p;
    p.AnimSteps = 70000;
    p.HoldViewLeft = -40000;
    p.Games(0) = 40000;
    const PlayerPrefs back = PlayerPrefs::Decode(p.Encode());
    EXPECT_EQ(back.AnimSteps, 32767);
    EXPECT_EQ(back.HoldViewLeft, -32768);
    EXPECT_EQ(back.Games(0), 32767);
}

// ---------------------------------------------------------------- names

TEST(ProfileNames, StoredFormIsTwentyTrimmedCharacters) {
    struct Case {
        QString in, stored;
    };
    const Case cases[] = {
        {"  Bob  ", "Bob"},
        {"abcdefghijklmnopqrstuvwxy", "abcdefghijklmnopqrst"},
        {"abcdefghijklmnopqrs tuv", "abcdefghijklmnopqrs"},
        {QStringLiteral("Zoë"), QStringLiteral("Zoë")},
        {QStringLiteral("日本"), "??"},
        {"   ", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Profile_StoredName(c.in), c.stored) << c.in.toStdString();
}

// ---------------------------------------------------------------- defaults on a fresh machine

TEST_F(ProfileTest, CreateDefaultsWritesWhatAnInstallerWouldLeave) {
    ASSERT_FALSE(QFileInfo::exists(Profile_Path()));
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error)) << error.toStdString();

    EXPECT_EQ(QFileInfo(Profile_Path()).size(), 2 * 756);
    const QString scores = Com.DataPath + "scores.ran";
    ASSERT_TRUE(QFileInfo::exists(scores));
    EXPECT_EQ(QFileInfo(scores).size() % 38, 0);

    const PlayerPrefs header = Record(1);
    EXPECT_EQ(header.Identity(0).Name, "");
    for (int e = 1; e <= 3; ++e) {
        EXPECT_EQ(header.Identity(e).Name, "Grulm");
        EXPECT_EQ(header.Identity(e).CommentSet, "Default Personality");
        EXPECT_EQ(header.Identity(e).Level, 0);
    }
    EXPECT_EQ(header.SideSize, 19);
    EXPECT_EQ(header.ForcedCards, 0);
    EXPECT_EQ(header.NoWildAce, 0);
    EXPECT_EQ(header.DecksSeparate, 0);
    EXPECT_EQ(header.NumPlayers, 2);
    EXPECT_EQ(header.NumCenters, 3);
    EXPECT_EQ(header.DeckStyle, 6);
    EXPECT_EQ(header.CardBack, 0);
    EXPECT_EQ(Record(2).Identity(0).Name, "");

    // A first start: nobody has logged in yet.
    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 1);
    EXPECT_EQ(Prof.PlayerCount, 0);
    EXPECT_FALSE(Prof.PlayerKnown);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Grulm");
}

TEST_F(ProfileTest, CreateDefaultsKeepsFilesThatAreThere) {
    WriteFile({Player("Ann"), Player("Ann")});
    WriteBytes(Com.DataPath + "scores.ran", "x");
    const QByteArray prefs = Bytes(Profile_Path());
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    EXPECT_EQ(Bytes(Profile_Path()), prefs);
    EXPECT_EQ(Bytes(Com.DataPath + "scores.ran"), QByteArray("x"));
}

TEST_F(ProfileTest, CreateDefaultsReportsAFolderItCannotWrite) {
    Com.DataPath = home->Path() + "/no/such/folder/";
    QString error;
    EXPECT_FALSE(Profile_CreateDefaults(&error));
    EXPECT_TRUE(error.contains("Prefs.sav")) << error.toStdString();
    Com.DataPath.clear();
    EXPECT_FALSE(Profile_CreateDefaults(&error));
}

// ---------------------------------------------------------------- the player list

TEST_F(ProfileTest, MissingFileGivesTheDefaultsAndCreatesNothing) {
    Com.SideSize = 25;
    Com.NumPlayers = 4;
    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 1);
    EXPECT_EQ(Prof.PlayerCount, 0);
    EXPECT_FALSE(Prof.PlayerKnown);
    EXPECT_EQ(Com.SideSize, 19);
    EXPECT_EQ(Com.NumPlayers, 2);
    EXPECT_EQ(Com.PrevPlayers, 4);
    EXPECT_EQ(Eng.Seat2Rec.RecName, "Grulm");
    EXPECT_FALSE(QFileInfo::exists(Profile_Path()));
}

TEST_F(ProfileTest, FileShorterThanOneRecordGivesTheDefaultsAndStaysAsItIs) {
    WriteBytes(Profile_Path(), QByteArray(100, 'z'));
    Com.DeckStyle = 2;
    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 1);
    EXPECT_EQ(Prof.PlayerCount, 0);
    EXPECT_EQ(Com.DeckStyle, 6);
    EXPECT_EQ(QFileInfo(Profile_Path()).size(), 100);
}

TEST_F(ProfileTest, LastPlayerBecomesCurrentWithHisOptions) {
    PlayerPrefs header = Player("Ann");
    PlayerPrefs bob = Player("Bob");
    PlayerPrefs ann = Player("Ann");
    ann.SideSize = 25;
    ann.NumPlayers = 3;
    ann.NumCenters = 4;
    ann.DeckStyle = 3;
    ann.Identity(2).Name = "Vexa";
    WriteFile({header, bob, ann});

    Get_Players();
    EXPECT_EQ(Prof.PlayerCount, 2);
    EXPECT_EQ(Prof.PlayerNames(1), "Bob");
    EXPECT_EQ(Prof.PlayerNames(2), "Ann");
    EXPECT_TRUE(Prof.PlayerKnown);
    EXPECT_EQ(Prof.PlayerRecord, 3);
    EXPECT_EQ(Prof.ProfileName, "Ann");
    EXPECT_EQ(Com.SideSize, 25);
    EXPECT_EQ(Com.NumPlayers, 3);
    EXPECT_EQ(Com.NumCenters, 4);
    EXPECT_EQ(Com.DeckStyle, 3);
    EXPECT_EQ(Eng.Seat3Rec.RecName, "Vexa");
}

TEST_F(ProfileTest, LastPlayerNotFoundLeavesRecordOneAndItsOptions) {
    PlayerPrefs header = Player("Cleo");
    header.SideSize = 14;
    WriteFile({header, Player("Bob")});
    Get_Players();
    EXPECT_EQ(Prof.ProfileName, "Cleo");
    EXPECT_FALSE(Prof.PlayerKnown);
    EXPECT_EQ(Prof.PlayerRecord, 1);
    EXPECT_EQ(Prof.PlayerCount, 1);
    EXPECT_EQ(Com.SideSize, 14);
}

// Players are listed even when the header names nobody, so a new player is added after them.
TEST_F(ProfileTest, EmptyHeaderNameStillListsThePlayers) {
    WriteFile({Player(""), Player("Bob"), Player("Ann")});
    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 1);
    EXPECT_FALSE(Prof.PlayerKnown);
    EXPECT_EQ(Prof.ProfileName, "");
    EXPECT_EQ(Prof.PlayerCount, 2);
}

TEST_F(ProfileTest, UnnamedRecordsAfterTheLastPlayerAreFreePlaces) {
    WriteFile({Player("Bob"), Player("Bob"), Player(""), Player("")});
    Get_Players();
    EXPECT_EQ(Prof.PlayerCount, 1);
    EXPECT_EQ(Prof.PlayerRecord, 2);
}

TEST_F(ProfileTest, ShortLastRecordIsNotCountedAndTheFileNotCut) {
    WriteFile({Player("Bob"), Player("Bob")});
    {
        QFile f(Profile_Path());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(Player("Ann").Encode().Bytes().left(300));
    }
    const QByteArray before = Bytes(Profile_Path());
    Get_Players();
    EXPECT_EQ(Prof.PlayerCount, 1);
    EXPECT_EQ(Prof.PlayerRecord, 2);
    EXPECT_EQ(Bytes(Profile_Path()), before);
    EXPECT_EQ(Prefs_RecordCount(), 2);
}

// Names are the same whatever their case and whatever the file cannot keep.
TEST_F(ProfileTest, FindPlayerComparesStoredNamesIgnoringCase) {
    WriteFile({Player(""), Player("Bob"), Player("abcdefghijklmnopqrst")});
    Get_Players();
    EXPECT_EQ(Profile_FindPlayer("BOB"), 1);
    EXPECT_EQ(Profile_FindPlayer(" bob "), 1);
    EXPECT_EQ(Profile_FindPlayer("abcdefghijklmnopqrstUVW"), 2);
    EXPECT_EQ(Profile_FindPlayer("Bobby"), 0);
    EXPECT_EQ(Profile_FindPlayer(""), 0);
}

// ---------------------------------------------------------------- corrections on loading

TEST_F(ProfileTest, SideSizeOutsideTheRulesLoadsAsNineteen) {
    const std::pair<int, int> cases[] = {{0, 19},  {8, 19},  {9, 9},   {10, 19}, {14, 14},
                                         {19, 19}, {25, 25}, {26, 19}, {-5, 19}};
    for (auto [stored, loaded] : cases) {
        PlayerPrefs p = Profile_Defaults();
        p.SideSize = stored;
        EXPECT_EQ(Profile_Corrected(p, 800, 600).SideSize, loaded) << stored;
    }
}

TEST_F(ProfileTest, GameSizeFollowsThePlayers) {
    struct Case {
        int players, centers, wantPlayers, wantCenters;
    };
    const Case cases[] = {{2, 3, 2, 3}, {2, 4, 2, 4}, {2, 7, 2, 3}, {2, 0, 2, 3},  {1, 4, 2, 4},
                          {5, 3, 2, 3}, {3, 3, 3, 4}, {4, 0, 4, 4}, {-1, -1, 2, 3}};
    for (const Case& c : cases) {
        PlayerPrefs p = Profile_Defaults();
        p.NumPlayers = c.players;
        p.NumCenters = c.centers;
        const PlayerPrefs q = Profile_Corrected(p, 800, 600);
        EXPECT_EQ(q.NumPlayers, c.wantPlayers) << c.players << "/" << c.centers;
        EXPECT_EQ(q.NumCenters, c.wantCenters) << c.players << "/" << c.centers;
    }
}

TEST_F(ProfileTest, AnimationStepsForcedCardsAndHoldViewer) {
    PlayerPrefs p = Profile_Defaults();
    Com.CpuSpeed = 2000;
    for (int stored : {0, -3}) {
        p.AnimSteps = stored;
        EXPECT_EQ(Profile_Corrected(p, 800, 600).AnimSteps, AnimStepsForMHz(2000)) << stored;
    }
    Com.CpuSpeed = 0;
    p.AnimSteps = 0;
    EXPECT_EQ(Profile_Corrected(p, 800, 600).AnimSteps, 45);
    p.AnimSteps = 7;
    EXPECT_EQ(Profile_Corrected(p, 800, 600).AnimSteps, 7);

    const std::pair<int, int> forced[] = {{0, 0}, {3, 3}, {7, 7}, {12, 4}, {-1, 7}, {255, 7}};
    for (auto [stored, loaded] : forced) {
        p.ForcedCards = stored;
        EXPECT_EQ(Profile_Corrected(p, 800, 600).ForcedCards, loaded) << stored;
    }

    struct Pos {
        int left, top, wantLeft, wantTop;
    };
    // Twips, as the viewer stores its place: at least 64 pixels of it stay on an 800 x 600 screen.
    const Pos pos[] = {{100, 50, 100, 50},
                       {-10, -20, 0, 0},
                       {5000, 5000, 5000, 5000},
                       {20000, 20000, 736 * 15, 536 * 15},
                       {11040, 8040, 11040, 8040}};
    for (const Pos& c : pos) {
        p.HoldViewLeft = c.left;
        p.HoldViewTop = c.top;
        const PlayerPrefs q = Profile_Corrected(p, 800, 600);
        EXPECT_EQ(q.HoldViewLeft, c.wantLeft) << c.left;
        EXPECT_EQ(q.HoldViewTop, c.wantTop) << c.top;
    }
}

TEST_F(ProfileTest, OpponentsLevelsAndNamesAreKeptUsable) {
    PlayerPrefs p = Profile_Defaults();
    p.Identity(1).Level = 7;
    p.Identity(2).Level = -1;
    p.Identity(3).Name = "";
    p.Identity(1).SoundChoice = 9;
    const PlayerPrefs q = Profile_Corrected(p, 800, 600);
    EXPECT_EQ(q.Identity(1).Level, 2);
    EXPECT_EQ(q.Identity(2).Level, 0);
    EXPECT_EQ(q.Identity(3).Name, "Grulm");
    EXPECT_EQ(q.Identity(1).SoundChoice, 1);
}

// The running values are corrected; the file keeps its bytes until the next save.
TEST_F(ProfileTest, DamagedRecordLoadsCorrectedAndIsNotRewritten) {
    PlayerPrefs bad = Player("Bob");
    bad.SideSize = 3;
    bad.NumPlayers = 9;
    bad.NumCenters = 12;
    bad.AnimSteps = -4;
    bad.ForcedCards = 13;
    bad.HoldViewLeft = 30000;
    bad.HoldViewTop = -5;
    bad.SoundSet = 2;
    bad.MenuStyle = 4;
    bad.DeckColour = 0;
    bad.Identity(1).Level = 40;
    WriteFile({Player("Bob"), bad});
    const QByteArray before = Bytes(Profile_Path());
    svc.screen->widthTwips = 12000;
    svc.screen->heightTwips = 9000;

    Get_Players();
    EXPECT_EQ(Prof.PlayerRecord, 2);
    EXPECT_EQ(Com.SideSize, 19);
    EXPECT_EQ(Com.NumPlayers, 2);
    EXPECT_EQ(Com.NumCenters, 3);
    EXPECT_GT(Com.AnimSteps, 0);
    EXPECT_EQ(Com.ForcedCards, 5);
    EXPECT_EQ(Prof.HoldViewLeft, (800 - 64) * 15);
    EXPECT_EQ(Prof.HoldViewTop, 0);
    EXPECT_EQ(Com.SoundSet, 0);
    EXPECT_EQ(Prof.MenuStyle, 1);
    EXPECT_EQ(Com.DeckColour, 0x00C0E0FFu);
    EXPECT_EQ(Eng.Seat2Rec.RecLevel, 2);
    EXPECT_EQ(Bytes(Profile_Path()), before);
    EXPECT_EQ(Prof.Prefs, bad); // the buffer holds the record as stored
}

TEST_F(ProfileTest, CommentSetsAndAvatarsMustExist) {
    ASSERT_TRUE(QDir().mkpath(Com.UserPath + "Avatars"));
    WriteBytes(Com.UserPath + "Mean Streak.cmt", "x");
    WriteBytes(Com.UserPath + "Avatars/me.png", "x");
    PlayerPrefs p = Player("Bob");
    p.Identity(0).Avatar = "Me.PNG";
    p.Identity(1).CommentSet = "mean streak";
    p.Identity(2).CommentSet = "Missing";
    p.Identity(3).CommentSet = "No Comments";
    WriteFile({Player("Bob"), p});
    Get_Players();
    EXPECT_EQ(Com.PlayerAvatar, "me.png");
    EXPECT_EQ(Eng.Seat2Rec.RecCommentSet, "Mean Streak");
    EXPECT_EQ(Eng.Seat3Rec.RecCommentSet, "Default Personality");
    EXPECT_EQ(Eng.Seat4Rec.RecCommentSet, "No Comments");

    for (const char* avatar : {"gone.png", "../Avatars/me.png"}) {
        p.Identity(0).Avatar = avatar;
        WriteFile({Player("Bob"), p});
        Get_Players();
        EXPECT_EQ(Com.PlayerAvatar, "") << avatar;
    }
}

TEST_F(ProfileTest, LoadingCallsTheTableAndTheMediaInOrder) {
    PlayerPrefs p = Player("Bob");
    p.IntroOn = -1;
    p.AutoSave = -1;
    p.NumPlayers = 3;
    WriteFile({Player("Bob"), p});
    std::vector<std::string> calls;
    int layOutPrev = 0, layOutNow = 0;
    ProfHooks.PlayIntro = [&] { calls.push_back("intro"); };
    ProfHooks.TempMovesOpen = [&](bool open) { calls.push_back(open ? "moves open" : "moves close"); };
    ProfHooks.ShowProfile = [&](bool startUp) { calls.push_back(startUp ? "show start" : "show"); };
    ProfHooks.SeatOpponents = [&] { calls.push_back("seat " + Eng.Seat2Rec.RecName.toStdString()); };
    ProfHooks.LayOut = [&] {
        calls.push_back("lay out");
        layOutPrev = Com.PrevPlayers;
        layOutNow = Com.NumPlayers;
    };
    ProfHooks.ApplyOptions = [&] { calls.push_back("options"); };

    Get_Players(true);
    EXPECT_EQ(calls, (std::vector<std::string>{"intro", "moves open", "show start", "seat Grulm", "lay out",
                                               "options"}));
    EXPECT_EQ(layOutPrev, 2);
    EXPECT_EQ(layOutNow, 3);

    calls.clear();
    Players_SetUp(2);
    EXPECT_EQ(calls, (std::vector<std::string>{"moves open", "show", "seat Grulm", "lay out", "options"}));
}

TEST_F(ProfileTest, WithoutAMoveHistoryHookTheAutoSaveFlagIsSet) {
    PlayerPrefs p = Player("Bob");
    p.AutoSave = -1;
    WriteFile({Player("Bob"), p});
    Get_Players();
    EXPECT_TRUE(Shl.MoveLogOn);
}

// ---------------------------------------------------------------- options

TEST(ProfileOptions, PaceFromSpeedIndex) {
    const std::pair<int, double> cases[] = {{0, 0.9}, {1, 0.6}, {2, 0.4}, {3, 0.2}, {4, 0.05}, {5, 0.0}};
    for (auto [index, seconds] : cases)
        EXPECT_DOUBLE_EQ(Profile_PauseFor(index, 7.0), seconds) << index;
    EXPECT_DOUBLE_EQ(Profile_PauseFor(6, 0.33), 0.33);
    EXPECT_DOUBLE_EQ(Profile_PauseFor(-1, 0.33), 0.33);
}

TEST_F(ProfileTest, OptionsApplySetsThePaceAndCallsTheTable) {
    int applied = 0;
    ProfHooks.ApplyOptions = [&] { ++applied; };
    Com.SpeedIndex = 3;
    Options_Apply();
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.2);
    Com.SpeedIndex = 11;
    Options_Apply();
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.2);
    EXPECT_EQ(applied, 2);
}

TEST(ProfileOptions, BackgroundChoice) {
    struct Case {
        int last, count, board, depth, want;
    };
    const Case cases[] = {
        {0, 5, 3, 32, 3},                                      // the default board
        {0, 5, 0, 32, 1},                                      // no default board in the list
        {0, 5, 3, 8, 6},                                       // a shallow screen: plain colour
        {2, 5, 3, 8, 2},                                       // a chosen picture stays
        {9, 5, 3, 32, 6},                                      // beyond the list: plain colour
        {6, 5, 3, 32, 6},  {4, 5, 3, 32, 4}, {0, 0, 0, 32, 1}, // no pictures at all: plain colour
        {-3, 5, 3, 32, 3},                                     // before the list: the default board
    };
    for (const Case& c : cases)
        EXPECT_EQ(Profile_BackgroundChoice(c.last, c.count, c.board, c.depth), c.want)
            << c.last << " of " << c.count;
}

TEST(ProfileOptions, DefaultDeckColourByDepth) {
    EXPECT_EQ(Profile_DefaultDeckColour(32), 255 + (224 << 8) + (192 << 16));
    EXPECT_EQ(Profile_DefaultDeckColour(16), 255 + (224 << 8) + (192 << 16));
    EXPECT_EQ(Profile_DefaultDeckColour(15), 255 + (255 << 8) + (192 << 16));
}

// ---------------------------------------------------------------- storing

TEST_F(ProfileTest, SaveStoresTheRunningOptionsIntoThePlayersRecord) {
    PlayerPrefs bob = Player("Bob");
    bob.Games(0) = 12;
    bob.BestRuns(0, 1) = 9;
    WriteFile({Player("Ann"), Player("Ann"), bob});
    Get_Players();
    ASSERT_EQ(Profile_FindPlayer("Ann"), 1);
    Prof.ProfileName = "Bob";
    Prof.PlayerRecord = 3;
    Prof.PlayerKnown = true;
    const QByteArray annBefore = Record(2).Encode().Bytes();

    Com.SideSize = 14;
    Com.NumPlayers = 3;
    Com.NumCenters = 4;
    Com.AnimSteps = 61;
    Com.ForcedCards = 6;
    Com.NoWildAce = true;
    Com.DeckColour = 0x00010203;
    Shl.FontColour = 0x00A0B0C0;
    Com.PlayerAvatar = "bob.png";
    Prof.HoldViewLeft = 40000; // a very wide screen
    Prof.HoldViewTop = 120;
    Prof.IntroOff = true;
    Prof.StatusBarShown = true;
    Shl.MoveLogOn = false;
    ASSERT_TRUE(Prefs_Save(false));

    EXPECT_EQ(Record(1).Identity(0).Name, "Bob");
    const PlayerPrefs r = Record(3);
    EXPECT_EQ(r.Identity(0).Name, "Bob");
    EXPECT_EQ(r.Identity(0).Avatar, "bob.png");
    EXPECT_EQ(r.SideSize, 14);
    EXPECT_EQ(r.NumPlayers, 3);
    EXPECT_EQ(r.NumCenters, 4);
    EXPECT_EQ(r.AnimSteps, 61);
    EXPECT_EQ(r.ForcedCards, 6);
    EXPECT_EQ(r.NoWildAce, -1);
    EXPECT_EQ(r.DeckColour, 0x00010203);
    EXPECT_EQ(r.FontColour, 0x00A0B0C0);
    EXPECT_EQ(r.HoldViewLeft, 32767);
    EXPECT_EQ(r.HoldViewTop, 120);
    EXPECT_EQ(r.IntroOn, 0);
    EXPECT_EQ(r.StatusBarShown, -1);
    EXPECT_EQ(r.AutoSave, 0);
    EXPECT_EQ(r.Games(0), 12); // statistics stay the player's
    EXPECT_EQ(r.BestRuns(0, 1), 9);
    EXPECT_EQ(Record(2).Encode().Bytes(), annBefore);
}

TEST_F(ProfileTest, SaveAndReloadGivesTheSameRunningValues) {
    WriteFile({Player("Bob"), Player("Bob")});
    Get_Players();
    Com.SideSize = 9;
    Com.SpeedIndex = 4;
    Com.SoundMode = 2;
    Shl.WinAnimOff = true;
    Prof.BackgroundStretch = true;
    ASSERT_TRUE(Prefs_Save(false));

    Com.SideSize = 25;
    Com.SpeedIndex = 0;
    Com.SoundMode = 0;
    Shl.WinAnimOff = false;
    Prof.BackgroundStretch = false;
    Players_SetUp(2);
    EXPECT_EQ(Com.SideSize, 9);
    EXPECT_EQ(Com.SpeedIndex, 4);
    EXPECT_DOUBLE_EQ(Com.ComputerPause, 0.05);
    EXPECT_EQ(Com.SoundMode, 2);
    EXPECT_TRUE(Shl.WinAnimOff);
    EXPECT_TRUE(Prof.BackgroundStretch);

    // Storing with a reload keeps what was running.
    Com.SideSize = 14;
    ASSERT_TRUE(Prefs_Save(true));
    EXPECT_EQ(Com.SideSize, 14);
    EXPECT_EQ(Record(2).SideSize, 14);
}

TEST_F(ProfileTest, UnknownPlayerWritesNothingButTheHeader) {
    WriteFile({Player("Cleo"), Player("Bob")});
    Get_Players();
    ASSERT_EQ(Prof.PlayerRecord, 1);
    const QByteArray bob = Record(2).Encode().Bytes();
    const PlayerPrefs headerBefore = Record(1);
    Com.SideSize = 25;
    ASSERT_TRUE(Prefs_Save(false));
    EXPECT_EQ(Prefs_RecordCount(), 2);
    EXPECT_EQ(Record(2).Encode().Bytes(), bob);
    EXPECT_EQ(Record(1), headerBefore); // the defaults of new players keep their side size
}

TEST_F(ProfileTest, GatherTableRunsBeforeStoring) {
    WriteFile({Player("Bob"), Player("Bob")});
    Get_Players();
    ProfHooks.GatherTable = [] { Prof.HoldViewLeft = 321; };
    ASSERT_TRUE(Prefs_Save(false));
    EXPECT_EQ(Record(2).HoldViewLeft, 321);
}

TEST_F(ProfileTest, ExitCreatesTheRecordOfAPlayerNotInTheFile) {
    PlayerPrefs header = Player("Cleo");
    header.Games(0) = 50; // the header's own counts are not a new player's
    WriteFile({header, Player("Bob")});
    Get_Players();
    Com.SideSize = 14;
    ASSERT_TRUE(Prefs_Load());
    EXPECT_EQ(Prefs_RecordCount(), 3);
    EXPECT_EQ(Prof.PlayerRecord, 3);
    EXPECT_TRUE(Prof.PlayerKnown);
    EXPECT_EQ(Prof.PlayerNames(2), "Cleo");
    const PlayerPrefs cleo = Record(3);
    EXPECT_EQ(cleo.Identity(0).Name, "Cleo");
    EXPECT_EQ(cleo.SideSize, 14);
    EXPECT_EQ(cleo.Games(0), 0);
    EXPECT_EQ(Record(2).Identity(0).Name, "Bob");
}

TEST_F(ProfileTest, ExitStoresAKnownPlayerInPlace) {
    WriteFile({Player("Bob"), Player("Ann"), Player("Bob")});
    Get_Players();
    Com.DeckStyle = 2;
    ASSERT_TRUE(Prefs_Load());
    EXPECT_EQ(Prefs_RecordCount(), 3);
    EXPECT_EQ(Record(3).DeckStyle, 2);
    EXPECT_EQ(Record(2).DeckStyle, 6);
}

TEST_F(ProfileTest, ExitWithoutAPlayerWritesNothing) {
    QString error;
    ASSERT_TRUE(Profile_CreateDefaults(&error));
    Get_Players();
    const QByteArray before = Bytes(Profile_Path());
    Com.SideSize = 25;
    EXPECT_TRUE(Prefs_Load());
    EXPECT_EQ(Bytes(Profile_Path()), before);
}

TEST_F(ProfileTest, AFileThatCannotBeWrittenIsReportedOncePerRun) {
    // A folder in the file's place cannot be opened for writing, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(Profile_Path()));
    Prof.ProfileName = "Bob";
    Prof.PlayerKnown = true;
    Prof.PlayerRecord = 2;
    svc.boxes->Expect(platform::vbOK);
    EXPECT_FALSE(Prefs_Save(false));
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Profile Not Saved");
    EXPECT_TRUE(svc.boxes->shown[0].text.contains(QDir::toNativeSeparators(Profile_Path())));
    EXPECT_EQ(svc.boxes->shown[0].style, platform::vbExclamation);

    EXPECT_FALSE(Prefs_Save(false));
    EXPECT_FALSE(Prefs_WriteRecord(2, Player("Bob")));
    EXPECT_FALSE(Prefs_Load());
    EXPECT_EQ(svc.boxes->shown.size(), 1u);
}

TEST_F(ProfileTest, AFailedSaveStillReloadsTheOptions) {
    ASSERT_TRUE(QDir().mkpath(Profile_Path()));
    svc.boxes->Expect(platform::vbOK);
    Prof.ProfileName = "Ann";
    Prof.PlayerRecord = 2;
    Com.SideSize = 9;
    EXPECT_FALSE(Prefs_Save(true));
    EXPECT_EQ(Com.SideSize, 19); // a new player's record is the defaults
    EXPECT_EQ(Prof.Prefs.Identity(0).Name, "Ann");
}

TEST_F(ProfileTest, RecordAccessForOtherParts) {
    WriteFile({Player("Bob"), Player("Bob")});
    PlayerPrefs bob = Record(2);
    bob.Wins(4) = 3;
    ASSERT_TRUE(Prefs_WriteRecord(2, bob));
    EXPECT_EQ(Record(2).Wins(4), 3);
    PlayerPrefs none;
    EXPECT_FALSE(Prefs_ReadRecord(3, &none));
    EXPECT_FALSE(Prefs_ReadRecord(0, &none));
    EXPECT_EQ(Prefs_RecordCount(), 2);
}

} // namespace
