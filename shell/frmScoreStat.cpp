#include "shell/frmScoreStat.h"
#include "engine/ScoreFiles.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "shell/ScoreStat.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
FrmScoreStat* g_form = nullptr;

// Alternate rows of the high-score list, and its ranking column.
constexpr quint32 kShade = 0xFFFFC0;
constexpr quint32 kRanking = 0xC0FFFF;
const QString kNl = QStringLiteral("\r\n");
constexpr int kRowHeight = 20;  // pixels
constexpr int kCountWidth = 56; // the count columns of the high-score list

QTableWidget* NewGrid(QWidget* parent, const QStringList& captions) {
    auto* g = new QTableWidget(parent);
    g->setColumnCount(static_cast<int>(captions.size()));
    g->setHorizontalHeaderLabels(captions);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(kRowHeight);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    return g;
}

void Fill(QTableWidget* g, const GridRows& rows) {
    g->clearContents();
    g->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < rows[r].size() && c < g->columnCount(); ++c)
            g->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    g->resizeColumnsToContents();
}

bool Confirm(const QString& text, const QString& title) {
    return platform::MsgBox(text, platform::vbYesNo, title) == platform::vbYes;
}
} // namespace

FrmScoreStat& frmScoreStat() {
    if (!g_form) g_form = new FrmScoreStat;
    return *g_form;
}

void ScoreStat_Open(int tab) {
    SS.ScoreStatTab = tab;
    FrmScoreStat& w = frmScoreStat();
    if (w.Loaded()) w.Unload();
    w.Load();
    w.Show();
}

FrmScoreStat::FrmScoreStat() : platform::Form("frmScoreStat") {
    Window()->setWindowFlags(Qt::Dialog);
    SetCaption(QStringLiteral("Scores and Stats"));
    auto* outer = new QVBoxLayout(Window());
    SSTab1 = new QTabWidget(Window());
    outer->addWidget(SSTab1);
    SSTab1->addTab(BuildScoresTab(), QStringLiteral("Scores"));
    SSTab1->addTab(BuildStatsTab(), QStringLiteral("Statistics"));
    SSTab1->addTab(BuildHighTab(), QStringLiteral("High Scores"));
    cmdClose = new QPushButton(QStringLiteral("&Close"), Window());
    outer->addWidget(cmdClose, 0, Qt::AlignRight);
    platform::Connect(cmdClose, &QPushButton::clicked, "click", [this] { Unload(); });
    Escape = [this] { cmdClose->click(); };
    platform::Connect(SSTab1, &QTabWidget::currentChanged, "change", [this](int tab) { SSTab1_Click(tab); });
    SetClientSizePx(640, 500);
}

QWidget* FrmScoreStat::BuildScoresTab() {
    auto* scores = new QWidget;
    auto* sl = new QVBoxLayout(scores);
    GridScores = NewGrid(scores, {QStringLiteral("Player"), QStringLiteral("Games"), QStringLiteral("Won"),
                                  QStringLiteral("Lost"), QStringLiteral("Margin")});
    sl->addWidget(GridScores);
    auto* fraMaintain = new QGroupBox(QStringLiteral("Scoreboard Maintenance"), scores);
    auto* ml = new QHBoxLayout(fraMaintain);
    const char* captions[4] = {"Delete Player", "Delete ALL Players", "Clear Player Scores",
                               "Clear ALL scores"};
    for (int i = 0; i < 4; ++i) {
        Maintance[i] = new QPushButton(QString::fromLatin1(captions[i]), fraMaintain);
        ml->addWidget(Maintance[i]);
        platform::Connect(Maintance[i], &QPushButton::clicked, "click", [this, i] { Maintance_Click(i); });
    }
    sl->addWidget(fraMaintain);
    Label1 = new QLabel(scores);
    sl->addWidget(Label1);
    sl->addWidget(new QLabel(
        QStringLiteral("Click a player's row before Delete Player or Clear Player Scores."), scores));
    platform::Connect(GridScores, &QTableWidget::cellClicked, "click",
                      [](int row, int) { SS.SelectedRow = row + 1; });
    return scores;
}

QWidget* FrmScoreStat::BuildStatsTab() {
    auto* stats = new QWidget;
    auto* tl = new QVBoxLayout(stats);
    Combo1 = new QComboBox(stats);
    tl->addWidget(Combo1);
    platform::Connect(Combo1, &QComboBox::activated, "click",
                      [this](int i) { Combo1_Click(Combo1->itemText(i)); });
    GridStats = NewGrid(stats, {QStringLiteral("Games"), QStringLiteral("Played"), QStringLiteral("Won"),
                                QStringLiteral("Lost"), QStringLiteral("Margin")});
    tl->addWidget(GridStats);
    GridRun =
        NewGrid(stats, {QStringLiteral("Run"), QStringLiteral("Side"), QStringLiteral("Hand"),
                        QStringLiteral("Hold"), QStringLiteral("Total"), QString(), QStringLiteral("Side"),
                        QStringLiteral("Hand"), QStringLiteral("Hold"), QStringLiteral("Total")});
    tl->addWidget(GridRun);
    cmdClearStats = new QPushButton(QStringLiteral("Clear Run Stats"), stats);
    tl->addWidget(cmdClearStats);
    platform::Connect(cmdClearStats, &QPushButton::clicked, "click", [this] { cmdClearStats_Click(); });
    return stats;
}

QWidget* FrmScoreStat::BuildHighTab() {
    auto* high = new QWidget;
    auto* hl = new QVBoxLayout(high);
    lblBest = new QLabel(QStringLiteral("Best Overall"), high);
    hl->addWidget(lblBest);
    GridHigh = NewGrid(high, {});
    hl->addWidget(GridHigh);
    cmdSwitch = new QPushButton(QStringLiteral("Show Best Side"), high);
    cmdClear = new QPushButton(QStringLiteral("Clear Best Run Stats"), high);
    auto* bl = new QHBoxLayout;
    bl->addWidget(cmdSwitch);
    bl->addWidget(cmdClear);
    hl->addLayout(bl);
    platform::Connect(cmdSwitch, &QPushButton::clicked, "click", [this] { cmdSwitch_Click(); });
    platform::Connect(cmdClear, &QPushButton::clicked, "click", [this] { cmdClear_Click(); });
    return high;
}

void FrmScoreStat::Form_Load() {
    for (bool& v : visited_)
        v = false;
    comboTouched_ = false;
    SS.SelectedRow = 0;
    SS.HighFirst = kRunFirst;
    cmdSwitch->setText(QStringLiteral("Show Best Side"));
    lblBest->setText(QStringLiteral("Best Overall"));
    SSTab1->blockSignals(true);
    SSTab1->setCurrentIndex(0);
    SSTab1->blockSignals(false);
    PrintNames();
    if (SS.ScoreStatTab >= 1 && SS.ScoreStatTab <= 2) {
        SSTab1->setCurrentIndex(SS.ScoreStatTab);
        SSTab1_Click(SS.ScoreStatTab);
    }
}

void FrmScoreStat::PrintNames() {
    Fill(GridScores, ScoreStat_ScoreRows());
    GridScores->clearSelection();
}

void FrmScoreStat::GetStats() {
    Fill(GridStats, ScoreStat_StatRows(SS.ShownRecord));
    GetRun();
}

void FrmScoreStat::GetRun() {
    Fill(GridRun, ScoreStat_RunRows());
}

void FrmScoreStat::SetUpGridHigh() {
    GridHigh->clear();
    GridHigh->setRowCount(10);
    GridHigh->setColumnCount(7);
    GridHigh->setHorizontalHeaderLabels({QString(), QStringLiteral("Date"), QStringLiteral("Player Name"),
                                         QStringLiteral("Side"), QStringLiteral("Hand"),
                                         QStringLiteral("Hold"), QStringLiteral("Total")});
    const int widths[3] = {500, 1200, 1800}; // twips
    for (int c = 0; c < 3; ++c)
        GridHigh->setColumnWidth(c,
                                 static_cast<int>(widths[c] / platform::kTwipsPerPixel) + (c == 2 ? 40 : 0));
    for (int c = 3; c < 7; ++c)
        GridHigh->setColumnWidth(c, kCountWidth);
    // The date and time in our font need more room than the design gave.
    GridHigh->setColumnWidth(1, 120);
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 7; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            if (c >= 1 && r % 2 == 1) item->setBackground(platform::FromBGR(kShade));
            GridHigh->setItem(r, c, item);
        }
    }
}

void FrmScoreStat::HighStuff() {
    SetUpGridHigh();
    const GridRows rows = ScoreStat_HighRows(SS.HighFirst);
    const int ranking = SS.HighFirst == kRunFirst ? 6 : 3;
    for (int r = 0; r < static_cast<int>(rows.size()) && r < 10; ++r) {
        for (int c = 0; c < rows[r].size() && c < 7; ++c)
            GridHigh->item(r, c)->setText(rows[r][c]);
        if (rows[r].size() > 1) GridHigh->item(r, ranking)->setBackground(platform::FromBGR(kRanking));
    }
}

void FrmScoreStat::SSTab1_Click(int tab) {
    if (tab < 0 || tab > 2 || visited_[tab]) return;
    visited_[tab] = true;
    if (tab == 2) {
        SS.HighFirst = kRunFirst;
        HighStuff();
    } else if (tab == 1) {
        Combo1->clear();
        Combo1->addItems(ScoreStat_PlayerList());
        Combo1->setCurrentIndex(0);
        SS.ShownRecord = Prof.PlayerRecord;
        GetStats();
    }
}

void FrmScoreStat::Maintance_Click(int index) {
    const int row = SS.SelectedRow;
    if ((index == 0 || index == 2) && (row < 1 || row > Prof.PlayerCount + 1)) {
        Label1->setText(QStringLiteral("Select a player"));
        QApplication::beep();
        return;
    }
    if (!Confirm(QStringLiteral("Are you sure you want to ") + Maintance[index]->text() + QStringLiteral("?"),
                 QStringLiteral("DELETE")))
        return;
    const QString said = ScoreStat_Maintain(index, row);
    Label1->setText(said);
    if (index == 0 || index == 2) QApplication::beep();
    SS.SelectedRow = 0;
    PrintNames();
}

void FrmScoreStat::cmdSwitch_Click() {
    if (cmdSwitch->text() == QLatin1String("Show Best Side")) {
        lblBest->setText(QStringLiteral("Best Side Run"));
        SS.HighFirst = kSideFirst;
        cmdSwitch->setText(QStringLiteral("Show Overall"));
    } else {
        lblBest->setText(QStringLiteral("Best Overall"));
        SS.HighFirst = kRunFirst;
        cmdSwitch->setText(QStringLiteral("Show Best Side"));
    }
    HighStuff();
}

void FrmScoreStat::cmdClear_Click() {
    if (!Confirm(QStringLiteral("Clear all the high statistics in this table?"),
                 QStringLiteral("Delete Statistics")))
        return;
    ScoreStat_ClearHigh();
    SetUpGridHigh();
}

void FrmScoreStat::cmdClearStats_Click() {
    if (!Confirm(QStringLiteral("Are you sure you want to ") + cmdClearStats->text() + kNl +
                     QStringLiteral("for this player and Grulm?"),
                 QStringLiteral("DELETE")))
        return;
    ScoreStat_ClearRuns();
    GetRun();
}

void FrmScoreStat::Combo1_Click(const QString& name) {
    const int record = ScoreStat_RecordOf(name);
    if (record == 0) return;
    const bool refresh = comboTouched_ || record != Prof.PlayerRecord;
    comboTouched_ = true;
    SS.ShownRecord = record;
    if (refresh) GetStats();
}
