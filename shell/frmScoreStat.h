#pragma once
// The "Scores and Stats" window: the players' scores with their maintenance, one
// player's statistics and best runs, and the two high-score lists.
#include "platform/Controls.h"

class QTabWidget;
class QTableWidget;
class QComboBox;
class QLabel;
class QPushButton;

class FrmScoreStat : public platform::Form {
  public:
    FrmScoreStat();

    QTabWidget* SSTab1 = nullptr;
    QTableWidget *GridScores = nullptr, *GridStats = nullptr, *GridRun = nullptr, *GridHigh = nullptr;
    QPushButton* Maintance[4] = {};
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton *cmdClearStats = nullptr, *cmdSwitch = nullptr, *cmdClear = nullptr, *cmdClose = nullptr;
    QLabel* lblBest = nullptr;

    void PrintNames();
    void GetStats();
    void GetRun();
    void HighStuff();
    void SetUpGridHigh();

    // Event handlers, public so tests can drive the window.
    void SSTab1_Click(int tab);
    void Maintance_Click(int index);
    void cmdSwitch_Click();
    void cmdClear_Click();
    void cmdClearStats_Click();
    void Combo1_Click(const QString& name);

  protected:
    void Form_Load() override;

  private:
    // The three tabs, each a page of its own.
    QWidget* BuildScoresTab();
    QWidget* BuildStatsTab();
    QWidget* BuildHighTab();
    bool visited_[3] = {};
    bool comboTouched_ = false;
};

// The statistics window, created on first use.
FrmScoreStat& frmScoreStat();
// Opens the window on a tab (0 scores, 1 statistics, 2 high scores), as the menu and keys do.
void ScoreStat_Open(int tab);
