#pragma once
// The table window as the game engine sees it: its controls under their
// established names, and the few table operations the engine calls. The table
// presentation builds the window and fills in the operations.
#include "common/BArray.h"
#include "engine/GameOnTable.h"
#include "platform/Controls.h"
#include "platform/StatusBar.h"

#include <QImage>
#include <functional>

using platform::CommandButton;
using platform::ControlArray;
using platform::Image;
using platform::Label;
using platform::PictureBox;
using platform::Shape;

struct SeatRecord;

class TableForm : public platform::Form {
  public:
    TableForm();
    ~TableForm() override;

    // Card places by card slot: the human, seats 2, 3 and 4.
    ControlArray<PictureBox> Picture7{this, "Picture7"};
    ControlArray<PictureBox> Picture1{this, "Picture1"};
    ControlArray<PictureBox> Picture2{this, "Picture2"};
    ControlArray<PictureBox> Picture3{this, "Picture3"};
    // 0 the stock, 1 to 4 the center piles.
    ControlArray<PictureBox> PicCenter{this, "PicCenter"};
    // Side-pile edges, 25 per seat, and hold-pile depth outlines, 4 per seat.
    ControlArray<PictureBox> Stack{this, "Stack"};
    ControlArray<Shape> StackHold{this, "StackHold"};
    ControlArray<Label> Label3{this, "Label3"};
    ControlArray<Label> Label9{this, "Label9"};
    ControlArray<Label> LblWild{this, "LblWild"};
    ControlArray<Label> lblHoldCard{this, "lblHoldCard"};
    Label Label1{this, "Label1", -1};
    Label lblHighlight{this, "lblHighlight", -1};
    Label lblLevel{this, "lblLevel", -1};
    Label lblRules{this, "lblRules", -1};
    Image ImgTurn1{this, "ImgTurn1", -1};
    Image ImgTurn2{this, "ImgTurn2", -1};
    Image imgCenter{this, "imgCenter", -1};
    Image ImgHold{this, "ImgHold", -1};
    Image ImgAvatar{this, "ImgAvatar", -1};
    Image imgSlap{this, "imgSlap", -1};
    Image imgTip{this, "imgTip", -1};
    Image imgTipUp{this, "imgTipUp", -1};
    Image imgMenu{this, "imgMenu", -1};
    Image imgIcon{this, "imgIcon", -1};
    Label LabelPeek{this, "LabelPeek", -1};
    PictureBox picPanel{this, "picPanel", -1};
    Label StatusMsg{this, "StatusMsg", -1};
    CommandButton cmdDeal{this, "cmdDeal", -1};
    platform::StatusBar StatusBar1{this, "StatusBar1", -1};
    platform::Timer Timer1{"Timer1"};

    // The pictures of an empty hold place or center pile, full size and small.
    QImage EmptyPlaceLarge, EmptyPlaceSmall;

    // The window's load, close request (true cancels) and unload, filled in by start-up.
    std::function<void()> LoadHandler = [] {};
    std::function<bool()> QueryUnloadHandler = [] { return false; };
    std::function<void()> UnloadHandler = [] {};

    // Enables or disables the human's ten card places (hold places stay enabled in a tutorial).
    virtual void Piles_Enable(bool value) = 0;
    // Shows a picture of the user's Avatars folder in the table's avatar image.
    virtual void Avatar_Show(const QString& name) = 0;

    // The table operations the game flow calls; the table presentation fills them in.
    virtual void Card_Show(ControlArray<PictureBox>& places, int index, int card, int kind) = 0;
    // A deal and a flight pause as they go, through the ticket of the flow they belong to,
    // and answer as its last pause did.
    virtual PauseAnswer Card_Deal(ControlArray<PictureBox>& places, BArray<int, 2>& cards, int slot, int kind,
                                  const GameOnTable& mine) = 0;
    virtual PauseAnswer Card_Animate(ControlArray<PictureBox>& source, int i,
                                     ControlArray<PictureBox>& target, int j, const GameOnTable& mine) = 0;
    virtual void Piles_EnableRange(ControlArray<PictureBox>& places, bool value, int first, int last) = 0;
    virtual void Table_Clear() = 0;
    virtual void Table_Redraw() = 0;
    virtual void Stacks_ShowCounts(bool show) = 0;
    virtual void StatusBar_Clear() = 0;
    virtual void WildUpdate() = 0;
    // Rewrites the card counter when its window is open.
    virtual void Counter_Refresh() = 0;
    virtual void DebugShowDeck() = 0;
    // Hides the hold-pile viewer when it is open.
    virtual void HoldView_Hide() = 0;
    // Fills and shows the hold-pile viewer again after a pile changed (name: the moving seat's, "" for the
    // human).
    virtual void HoldView_Refresh(const QString& name) { (void)name; }
    virtual void Layout_SetGameSize(int prevPlayers, int prevCenters) = 0;
    // The depth outline of hold pile `pile` (1 to 4) of the seat whose places these are.
    virtual void Hold_Highlight(ControlArray<PictureBox>& places, bool show, int pile) {
        (void)places, (void)show, (void)pile;
    }
    // Refills the hold-pile viewer when it is open on the human's place `slot`.
    virtual void HoldView_Follow(int slot) { (void)slot; }
    virtual void StatusBar_Player(SeatRecord& /*rec*/) {}
    // The player whose side card has this rank ("" when nobody's).
    virtual QString BlockedPlayerName(int /*rank*/) { return QString(); }

  protected:
    void Form_Load() override { LoadHandler(); }
    bool Form_QueryUnload() override { return QueryUnloadHandler(); }
    void Form_Unload() override { UnloadHandler(); }
};

// The one table window of the program.
TableForm& frmGrulm();
bool HasTableForm();
void SetTableForm(TableForm* form);
