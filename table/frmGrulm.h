#pragma once
// The table window: every card place, pile, label and button of the game.
#include "engine/TableForm.h"

class FrmGrulm : public TableForm {
  public:
    FrmGrulm();
    ~FrmGrulm() override;

    void Piles_Enable(bool value) override;
    void Avatar_Show(const QString& name) override;
    void Card_Show(ControlArray<PictureBox>& places, int index, int card, int kind) override;
    PauseAnswer Card_Deal(ControlArray<PictureBox>& places, BArray<int, 2>& cards, int slot, int kind,
                          const GameOnTable& mine) override;
    PauseAnswer Card_Animate(ControlArray<PictureBox>& source, int i, ControlArray<PictureBox>& target, int j,
                             const GameOnTable& mine) override;
    void Piles_EnableRange(ControlArray<PictureBox>& places, bool value, int first, int last) override;
    void Table_Clear() override;
    void Table_Redraw() override;
    void Stacks_ShowCounts(bool show) override;
    void StatusBar_Clear() override;
    void WildUpdate() override;
    void Counter_Refresh() override;
    void DebugShowDeck() override;
    void HoldView_Hide() override;
    void HoldView_Refresh(const QString& name) override;
    void Layout_SetGameSize(int prevPlayers, int prevCenters) override;
    void Hold_Highlight(ControlArray<PictureBox>& places, bool show, int pile) override;
    void HoldView_Follow(int slot) override;
    void StatusBar_Player(SeatRecord& rec) override;
    QString BlockedPlayerName(int rank) override;

    // Name of the avatar picture last shown.
    QString ShownAvatar;
};
