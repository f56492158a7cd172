#pragma once
// A table window that shows nothing: the engine's calls on the window land here and
// are counted, so engine and media tests run without the table presentation.
#include "engine/TableForm.h"

#include <QStringList>

class NullTable : public TableForm {
  public:
    // Becomes the program's table window for its lifetime.
    NullTable() { SetTableForm(this); }
    ~NullTable() override { SetTableForm(nullptr); }

    // The table operations asked for, in order: "Table_Clear", "Avatar_Show Grulm.jpg", ...
    QStringList calls;

    void Piles_Enable(bool value) override { Note("Piles_Enable", value); }
    void Avatar_Show(const QString& name) override { calls << "Avatar_Show " + name; }
    void Card_Show(ControlArray<PictureBox>&, int, int, int) override {}
    PauseAnswer Card_Deal(ControlArray<PictureBox>&, BArray<int, 2>&, int, int,
                          const GameOnTable& mine) override {
        return mine.Answer();
    }
    PauseAnswer Card_Animate(ControlArray<PictureBox>&, int, ControlArray<PictureBox>&, int,
                             const GameOnTable& mine) override {
        return mine.Answer();
    }
    void Piles_EnableRange(ControlArray<PictureBox>&, bool, int, int) override {}
    void Table_Clear() override { calls << QStringLiteral("Table_Clear"); }
    void Table_Redraw() override { calls << QStringLiteral("Table_Redraw"); }
    void Stacks_ShowCounts(bool show) override { Note("Stacks_ShowCounts", show); }
    void StatusBar_Clear() override {}
    void WildUpdate() override {}
    void Counter_Refresh() override {}
    void DebugShowDeck() override {}
    void HoldView_Hide() override {}
    void Layout_SetGameSize(int prevPlayers, int prevCenters) override {
        calls << QStringLiteral("Layout_SetGameSize %1 %2").arg(prevPlayers).arg(prevCenters);
    }

  private:
    void Note(const char* what, bool value) { calls << QString::fromLatin1(what) + (value ? " 1" : " 0"); }
};
