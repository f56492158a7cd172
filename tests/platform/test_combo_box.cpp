#include "platform/ComboBox.h"
#include "tests/support/TestSupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace platform;

namespace {
class ComboForm : public Form {
  public:
    ComboForm() : Form("frmCombo") {}
    ComboBox List{this, "List", -1};
    ComboBox Typed{this, "Typed", -1, vbComboDropdown};
};
} // namespace

using ComboBoxTest = GameTest;

TEST_F(ComboBoxTest, BothStylesClickOnceForEveryChoiceMadeInCodeAndNeverForFilling) {
    ComboForm f;
    for (ComboBox* c : {&f.List, &f.Typed}) {
        int clicks = 0;
        c->On().Click = [&](int) { ++clicks; };
        for (const char* s : {"Ann", "Bob", "Cid"})
            c->AddItem(s);
        EXPECT_EQ(clicks, 0) << c->Name().toStdString();
        c->SetListIndex(2);
        c->SetListIndex(2);
        EXPECT_EQ(clicks, 2) << c->Name().toStdString();
        EXPECT_EQ(c->ListIndex(), 2);
        EXPECT_EQ(c->Text(), "Cid");
        c->SetListIndex(3);
        c->SetListIndex(-2);
        EXPECT_EQ(clicks, 2) << c->Name().toStdString();
        EXPECT_EQ(c->ListIndex(), 2);
        c->Clear();
        EXPECT_EQ(c->ListCount(), 0);
        EXPECT_EQ(c->Text(), "");
        EXPECT_EQ(clicks, 2) << c->Name().toStdString();
    }
}

TEST_F(ComboBoxTest, AListTakesOnlyItsEntriesAComboAnyText) {
    ComboForm f;
    int listClicks = 0, confirmed = 0;
    f.List.On().Click = [&](int) { ++listClicks; };
    f.Typed.Confirmed = [&] { ++confirmed; };
    for (ComboBox* c : {&f.List, &f.Typed}) {
        c->AddItem("Ann");
        c->AddItem("Bob");
    }
    EXPECT_FALSE(f.List.SetText("bob"));
    EXPECT_EQ(f.List.Text(), "Ann");
    EXPECT_TRUE(f.List.SetText("Bob"));
    EXPECT_EQ(f.List.ListIndex(), 1);
    EXPECT_EQ(listClicks, 1);
    f.List.SetMaxLength(3);
    EXPECT_EQ(f.List.MaxLength(), 0);

    // A typed name that is no entry selects none; Enter confirms it.
    f.Typed.SetMaxLength(5);
    // Keys reach the box, which hands them to its edit field as the window system does.
    QWidget* box = f.Typed.Widget();
    qobject_cast<QComboBox*>(box)->lineEdit()->clear();
    QTest::keyClicks(box, "Zoe Longname");
    EXPECT_EQ(f.Typed.Text(), "Zoe L");
    EXPECT_EQ(f.Typed.ListIndex(), -1);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(confirmed, 1);
    EXPECT_TRUE(f.Typed.SetText("Bob"));
    EXPECT_EQ(f.Typed.Text(), "Bob");
}

TEST_F(ComboBoxTest, TheKeyboardChangesAListsEntryWithAClick) {
    ComboForm f;
    int clicks = 0;
    f.List.On().Click = [&](int) { clicks += 1 + f.List.ListIndex(); };
    f.List.AddItem("Ann");
    f.List.AddItem("Bob");
    QTest::keyClick(f.List.Widget(), Qt::Key_Down);
    EXPECT_EQ(f.List.ListIndex(), 1);
    EXPECT_EQ(clicks, 2);
}
