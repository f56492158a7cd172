// The save and restore window: slot names, choosing, saving into a slot and
// restoring from it, cancelling, and the AutoSave box.
#include "tests/shell/test_saved_support.h"

#include <QFile>

namespace {

using platform::vbNo;
using platform::vbOK;
using platform::vbYes;

class SaveWindowTest : public SavedTest {
  protected:
    void SetUp() override {
        SavedTest::SetUp();
        Put({.players = 2, .centers = 3, .seed = 70});
        w = &frmSave();
        Sav.DialogCancelled = false;
    }
    // A record in a slot under a name, holding a game or empty.
    void Slot(int record, const QString& name, bool game = true) {
        SavedGame g;
        if (game) {
            Game_Capture();
            g = Sav.Buffer;
        }
        g.Name = name;
        ASSERT_TRUE(SavedGameFile().Write(record, g.Encode()));
    }
    SaveForm* w = nullptr;
};

TEST_F(SaveWindowTest, SaveModeListsTheTenSlotsByName) {
    Slot(1, "Alpha");
    Slot(2, "^^NET2P_game");
    Slot(4, "", false);
    w->LoadSlots(false);
    const QString want[] = {"",       "Alpha",  "NET2P_game", "game 3", "game 4", "game 5",
                            "game 6", "game 7", "game 8",     "game 9", "game 10"};
    for (int n = 1; n <= 10; ++n) {
        EXPECT_EQ(w->Text1(n).Text(), want[n]) << n;
        EXPECT_TRUE(w->Text1(n).Enabled()) << n;
    }
    EXPECT_EQ(w->cmdSave.Caption(), "Save");
    EXPECT_FALSE(w->Check1.Visible());
    EXPECT_FALSE(w->Text1(11).Visible());
    Com.NetGame = 1;
    w->LoadSlots(false);
    EXPECT_EQ(w->cmdSave.Caption(), "NET Save");
}

TEST_F(SaveWindowTest, RestoreModeOffersOnlyTheSlotsThatHoldAGame) {
    Slot(1, "Alpha");
    Slot(2, "^^Internet");
    Slot(3, "nothing here", false);
    Slot(11, "AutoSave");
    TempMoves_Open(true);
    w->LoadSlots(true);
    EXPECT_EQ(w->cmdSave.Caption(), "Restore");
    EXPECT_EQ(w->Text1(1).Text(), "Alpha");
    EXPECT_EQ(w->Text1(2).Text(), "Internet");
    EXPECT_TRUE(w->Text1(1).Enabled() && w->Text1(2).Enabled());
    for (int n = 3; n <= 10; ++n) {
        EXPECT_FALSE(w->Text1(n).Enabled()) << n;
        EXPECT_EQ(w->Text1(n).Text(), "(empty)") << n;
        EXPECT_NE(w->Text1(n).BackColor(), w->Text1(1).BackColor()) << n;
    }
    EXPECT_EQ(w->Text1(11).Text(), "AutoSave");
    EXPECT_TRUE(w->Text1(11).Enabled());
    EXPECT_TRUE(w->Check1.Visible());
    EXPECT_EQ(w->Check1.Value(), 1);
    EXPECT_TRUE(Shl.MoveLogOn); // listing the slots opens and closes nothing

    TempMoves_Open(false);
    w->LoadSlots(true);
    EXPECT_EQ(w->Check1.Value(), 0);
    EXPECT_FALSE(w->Text1(11).Enabled());
}

TEST_F(SaveWindowTest, SavingIntoASlotAndRestoringFromIt) {
    const QStringList saved = Model();
    w->LoadSlots(false);
    w->Text1_Click(3);
    EXPECT_EQ(w->Text1(3).Text(), "2P_");
    EXPECT_EQ(w->Text1(3).BackColor(), 0x0080FFFFu);
    w->Text1(3).SetText("  Evening game ");
    w->cmdSave_Click();
    EXPECT_FALSE(Sav.DialogCancelled);
    EXPECT_EQ(Sav.SaveSlot, 3);
    EXPECT_EQ(Sav.SaveName, "Evening game");
    Game_Capture();
    Sav.Buffer.Name = Sav.SaveName;
    ASSERT_TRUE(SavedGameFile().Write(Sav.SaveSlot, Sav.Buffer.Encode()));

    Put({.players = 2, .centers = 3, .seed = 71});
    w->LoadSlots(true);
    EXPECT_EQ(w->Text1(3).Text(), "Evening game");
    w->Text1_Click(3);
    w->cmdSave_Click();
    EXPECT_EQ(Sav.SaveSlot, 3);
    Game_Restore(SavedGameFile());
    EXPECT_FALSE(Sav.DialogCancelled);
    ExpectSameModel(Model(), saved, "slot 3");
}

TEST_F(SaveWindowTest, AnEmptyNameBecomesSavedGameAndTheSlotNumber) {
    w->LoadSlots(false);
    w->Text1_Click(3);
    w->Text1(3).SetText("   ");
    w->cmdSave_Click();
    EXPECT_EQ(Sav.SaveName, "saved game 3");
    EXPECT_EQ(w->Text1(3).Text(), "saved game 3");

    Com.NetGame = 1;
    w->LoadSlots(false);
    w->NetSlotName = [] { return QStringLiteral("Bo"); };
    w->Text1_Click(5);
    EXPECT_TRUE(w->Text1(5).Text().startsWith("NET2P_")) << w->Text1(5).Text().toStdString();
    EXPECT_TRUE(w->Text1(5).Text().endsWith("Bo"));
    w->Text1(5).SetText("net game");
    w->cmdSave_Click();
    EXPECT_EQ(Sav.SaveName, "^^net game");
    w->NetSlotName = nullptr;
}

// Opened as the Game menu opens it: the first slot, which has the typing focus, is chosen, so a
// name typed at once is saved there. A restore without a chosen slot asks for one.
TEST_F(SaveWindowTest, ANameTypedAtOnceIsSavedInTheFirstSlotAndARestoreAsksForASlot) {
    w->Load();
    w->LoadSlots(false);
    w->Show();
    EXPECT_EQ(w->Text1(1).BackColor(), 0x0080FFFFu);
    w->Text1(1).SetText("quick one");
    w->cmdSave_Click();
    EXPECT_FALSE(w->IsVisible());
    EXPECT_EQ(Sav.SaveSlot, 1);
    EXPECT_EQ(Sav.SaveName, "quick one");

    w->LoadSlots(true);
    w->Show();
    w->cmdSave_Click();
    EXPECT_EQ(w->Label1.Caption(), "Select a game slot!");
    EXPECT_TRUE(w->IsVisible());
    w->Hide();
}

TEST_F(SaveWindowTest, CancelAfterChoosingASlotAsksFirst) {
    w->Load();
    w->LoadSlots(false);
    w->Show();
    w->Command2_Click(); // the first slot offered, nothing chosen or typed: no question
    EXPECT_TRUE(Sav.DialogCancelled);
    Sav.DialogCancelled = false;
    w->LoadSlots(false);
    w->Show();
    w->Text1_Click(2);
    svc.boxes->Expect(vbYes);
    w->Command2_Click();
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Save game?");
    EXPECT_EQ(svc.boxes->shown[0].text, "Did you want to save this game?\r\nClick the Save button to save.");
    EXPECT_TRUE(w->IsVisible());
    EXPECT_FALSE(Sav.DialogCancelled);

    svc.boxes->Expect(vbNo);
    w->Command2_Click();
    EXPECT_TRUE(Sav.DialogCancelled);
    EXPECT_FALSE(w->IsVisible());
}

TEST_F(SaveWindowTest, ClosingTheWindowIsACancel) {
    w->LoadSlots(true);
    w->Show();
    Sav.NetSaveRestored = true;
    EXPECT_FALSE(w->Unload());
    EXPECT_TRUE(Sav.DialogCancelled);
    EXPECT_FALSE(Sav.NetSaveRestored);
    EXPECT_FALSE(w->IsVisible());
}

TEST_F(SaveWindowTest, AnInternetSaveIsRestoredOnlyOnline) {
    Slot(4, "^^NET2P_x");
    w->LoadSlots(true);
    svc.boxes->Expect(vbOK);
    w->Text1_Click(4);
    ASSERT_EQ(svc.boxes->shown.size(), 1u);
    EXPECT_EQ(svc.boxes->shown[0].title, "Internet Game");
    EXPECT_EQ(svc.boxes->shown[0].text,
              "Saved Internet games can only be restored online from the Internet Menu.");
    EXPECT_EQ(w->Selected, 0);
    EXPECT_EQ(w->Text1(4).BackColor(), 0x00FFFFFFu);

    Com.NetGame = 1;
    w->LoadSlots(true);
    w->Text1_Click(4);
    EXPECT_EQ(w->Selected, 4);
    EXPECT_TRUE(Sav.NetSaveRestored);
}

TEST_F(SaveWindowTest, TheAutoSaveBoxOpensTheHistoryAndSavesAtOnce) {
    w->LoadSlots(true);
    w->Check1.SetValue(1);
    EXPECT_TRUE(Shl.MoveLogOn);
    EXPECT_TRUE(w->Text1(11).Enabled());
    Com.Pturn = 1;
    w->Check1_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(Eng.TurnCount, 1);
    EXPECT_EQ(Stored(12).Name, "AutoSave");
    EXPECT_EQ(Stored(14).Name, "AutoSave");

    w->Check1.SetValue(0);
    EXPECT_FALSE(Shl.MoveLogOn);
    EXPECT_FALSE(w->Text1(11).Enabled());

    // With no game on the table the last run's automatic save stays.
    QFile::remove(Com.DataPath + "~tempmoves.sav");
    Slot(12, "last run");
    Com.Pturn = 0;
    w->Check1.SetValue(1);
    w->Check1_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(Stored(12).Name, "last run");
}

} // namespace
