#pragma once
// "Vornhelm Internet Game Scores": the network score files as a grid, one player
// and one number of players at a time, the default file or a competition, with
// the deletion of an opponent, a line-up or a whole file.
#include "platform/Controls.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

class FrmScoresNet : public platform::Form {
  public:
    FrmScoresNet();

    QLabel* Label1 = nullptr;
    QComboBox* cboMulti = nullptr;
    QComboBox* Combo1 = nullptr;
    QTableWidget* GridNET = nullptr;
    QPushButton *CmdNext = nullptr, *Command4 = nullptr, *Command2 = nullptr, *Command1 = nullptr;

    // The entry of Med.ScoreFiles shown, its player and the file on the grid.
    int Shown = 1;
    QString ShownName;
    QString ShownPath;
    QString CompetitionSuffix;
    // The first record of the opponent or line-up picked in the grid (0 none).
    int Selected = 0;

    void PrintUsers();
    void CompetitionList();
    void cboMulti_Click(int index);
    void Combo1_Click(int index);
    void CmdNext_Click();
    void GridNET_Click(int row, int col);
    void Command4_Click();
    void Command2_Click();
    // The grid's rows below the header (row 0), as the file shows them.
    int GridRows() const;
    QString GridText(int row, int col) const;

  protected:
    void Form_Load() override;

  private:
    int Players() const;
    QString PlayerFilePath(int players) const;
    void ShowFile();
    void PrintLineUps();
    void Grid_Reset();
    void SetRow(int row, const QStringList& cells, quint32 bgr);
    bool suppress_ = false;
};

FrmScoresNet& frmScoresNet();
// The Internet menu's scores row: the window, or a notice when there are no files.
void ScoresNet_Open();
