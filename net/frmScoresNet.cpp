#include "net/frmScoresNet.h"
#include "common/Shared.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "net/NetScores.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "table/WindowPlaces.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
FrmScoresNet* g_scoresWindow = nullptr;

constexpr int kGridRows = 12; // header included
constexpr int kCols = 5;
constexpr quint32 kSeparatorColour = 0xFFFFC0;
constexpr quint32 kWhite = 0xFFFFFF;
const QString kDefaultFile = QStringLiteral("Default Score File");
const QString kPlayerLabel = QStringLiteral("Vornhelm Player: ");

QColor FromBGR(quint32 bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QStringList Cells(const ScoreRecord& r) {
    return {r.Text.trimmed(), QString::number(r.A), QString::number(r.B), QString::number(r.A - r.B),
            QString::number(r.C)};
}

// A score-file entry "<name>_<n>" names its player without the last two characters.
QString PlayerOf(const QString& entry) {
    return entry.left(entry.size() - 2).trimmed();
}
} // namespace

FrmScoresNet& frmScoresNet() {
    if (!g_scoresWindow) g_scoresWindow = new FrmScoresNet;
    return *g_scoresWindow;
}

void ScoresNet_Open() {
    List_ScoreFiles();
    if (Med.ScoreFileCount == 0) {
        platform::MsgBox(QStringLiteral("No Vornhelm scores yet to display!"), platform::vbInformation,
                         QStringLiteral("Vornhelm"));
        return;
    }
    FrmScoresNet& w = frmScoresNet();
    if (w.Loaded()) w.Unload();
    // Beside the chat window, which is kept on top and would hide its rows and buttons.
    ToolWindow_Open(w, TableSpot::Free, true);
}

FrmScoresNet::FrmScoresNet() : platform::Form("frmScoresNet") {
    Window()->setWindowFlags(Qt::Dialog);
    SetCaption(QStringLiteral("Vornhelm Internet Game Scores"));
    auto* outer = new QVBoxLayout(Window());
    Label1 = new QLabel(Window());
    outer->addWidget(Label1);
    auto* choices = new QHBoxLayout;
    cboMulti = new QComboBox(Window());
    Combo1 = new QComboBox(Window());
    choices->addWidget(cboMulti);
    choices->addWidget(Combo1, 1);
    outer->addLayout(choices);
    GridNET = new QTableWidget(kGridRows - 1, kCols, Window());
    GridNET->setHorizontalHeaderLabels({QStringLiteral("Opponent Name"), QStringLiteral("Games Played"),
                                        QStringLiteral("Wins"), QStringLiteral("Losses"),
                                        QStringLiteral("Margin")});
    GridNET->verticalHeader()->setVisible(false);
    GridNET->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridNET->setSelectionMode(QAbstractItemView::SingleSelection);
    GridNET->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GridNET->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    GridNET->setColumnWidth(0, 200);
    GridNET->verticalHeader()->setDefaultSectionSize(24);
    outer->addWidget(GridNET, 1);
    auto* buttons = new QHBoxLayout;
    CmdNext = new QPushButton(QStringLiteral("Next ->"), Window());
    CmdNext->setToolTip(QStringLiteral("View other player's Net scores"));
    Command4 = new QPushButton(QStringLiteral("Delete Opponent"), Window());
    Command2 = new QPushButton(QStringLiteral("Delete File"), Window());
    Command2->setToolTip(QStringLiteral("A fresh start might help"));
    Command1 = new QPushButton(QStringLiteral("Return"), Window());
    for (QPushButton* b : {CmdNext, Command4, Command2, Command1})
        buttons->addWidget(b);
    outer->addLayout(buttons);
    platform::Connect(cboMulti, &QComboBox::activated, "click", [this](int i) { cboMulti_Click(i); });
    platform::Connect(Combo1, &QComboBox::activated, "click", [this](int i) { Combo1_Click(i); });
    platform::Connect(GridNET, &QTableWidget::cellClicked, "click",
                      [this](int r, int c) { GridNET_Click(r + 1, c); });
    platform::Connect(CmdNext, &QPushButton::clicked, "click", [this] { CmdNext_Click(); });
    platform::Connect(Command4, &QPushButton::clicked, "click", [this] { Command4_Click(); });
    platform::Connect(Command2, &QPushButton::clicked, "click", [this] { Command2_Click(); });
    platform::Connect(Command1, &QPushButton::clicked, "click", [this] { Unload(); });
    Escape = [this] { Command1->click(); };
    SetClientSizePx(620, 400);
}

void FrmScoresNet::Form_Load() {
    Grid_Reset();
    Selected = 0;
    CompetitionSuffix.clear();
    cboMulti->clear();
    cboMulti->addItems({QStringLiteral("2 Player Games"), QStringLiteral("3 Player Games"),
                        QStringLiteral("4 Player Games")});
    cboMulti->setCurrentIndex(0);
    suppress_ = true;
    Combo1->clear();
    Combo1->addItem(kDefaultFile);
    suppress_ = false;
    Shown = 1;
    CmdNext->setEnabled(Med.ScoreFileCount > 1);
    const QString own = Com.PlayerName.trimmed() + QStringLiteral("_2");
    for (int i = 1; i <= Med.ScoreFileCount; ++i)
        if (Med.ScoreFiles(i).trimmed().compare(own, Qt::CaseInsensitive) == 0) {
            Shown = i;
            break;
        }
    PrintUsers();
    CompetitionList();
}

int FrmScoresNet::Players() const {
    return cboMulti->currentIndex() + 2;
}

QString FrmScoresNet::PlayerFilePath(int players) const {
    return Com.UserPath + ShownName + QLatin1Char('_') + QString::number(players) + kNetScoreExt;
}

int FrmScoresNet::GridRows() const {
    return GridNET->rowCount() + 1;
}

QString FrmScoresNet::GridText(int row, int col) const {
    const QTableWidgetItem* it = GridNET->item(row - 1, col);
    return it ? it->text() : QString();
}

void FrmScoresNet::SetRow(int row, const QStringList& cells, quint32 bgr) {
    if (row >= GridRows()) GridNET->setRowCount(row);
    for (int c = 0; c < kCols; ++c) {
        auto* it = new QTableWidgetItem(cells.value(c));
        it->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        it->setBackground(FromBGR(bgr));
        GridNET->setItem(row - 1, c, it);
    }
}

void FrmScoresNet::Grid_Reset() {
    GridNET->setRowCount(kGridRows - 1);
    for (int r = 1; r < kGridRows; ++r)
        SetRow(r, {}, kWhite);
}

void FrmScoresNet::PrintUsers() {
    Grid_Reset();
    Selected = 0;
    if (Shown < 1 || Shown > Med.ScoreFileCount) return;
    const QString entry = Med.ScoreFiles(Shown);
    if (Combo1->currentIndex() < 1) {
        ShownName = PlayerOf(entry);
        Label1->setText(kPlayerLabel + ShownName);
        if (!entry.endsWith(QLatin1Char('2'))) return;
        ShownPath = Com.UserPath + entry + kNetScoreExt;
    } else {
        ShownPath = Com.UserPath + entry + CompetitionSuffix + kCompetitionExt;
    }
    std::vector<ScoreRecord> rows = NetScore_Entries(ShownPath, 2);
    std::stable_sort(rows.begin(), rows.end(), [](const ScoreRecord& a, const ScoreRecord& b) {
        return a.Text.trimmed().compare(b.Text.trimmed(), Qt::CaseInsensitive) < 0;
    });
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        SetRow(i + 1, Cells(rows[i]), kWhite);
}

void FrmScoresNet::PrintLineUps() {
    Grid_Reset();
    Selected = 0;
    const int n = Players();
    ShownPath = Combo1->currentIndex() >= 1 ? Com.UserPath + ShownName + QLatin1Char('_') +
                                                  QString::number(n) + CompetitionSuffix + kCompetitionExt
                                            : PlayerFilePath(n);
    const std::vector<ScoreRecord> recs = NetScore_Entries(ShownPath, n);
    int row = 1;
    for (int i = 0; i < static_cast<int>(recs.size()); ++i) {
        SetRow(row++, Cells(recs[i]), kWhite);
        if ((i + 1) % n == 0) SetRow(row++, {}, kSeparatorColour);
    }
}

void FrmScoresNet::ShowFile() {
    if (Players() == 2)
        PrintUsers();
    else
        PrintLineUps();
}

void FrmScoresNet::CompetitionList() {
    suppress_ = true;
    Combo1->clear();
    Combo1->addItem(kDefaultFile);
    // The player's own file for the number of players chosen, whatever files lie between.
    if (!ShownName.isEmpty() && ScoreFile_List(ShownName + QLatin1Char('_') + QString::number(Players())))
        for (int i = 1; i <= NetScore.CompetitionCount; ++i)
            Combo1->addItem(NetScore.CompetitionNames(i));
    Combo1->setCurrentIndex(0);
    suppress_ = false;
}

void FrmScoresNet::cboMulti_Click(int index) {
    cboMulti->setCurrentIndex(index);
    CompetitionList();
    ShownPath = PlayerFilePath(index + 2);
    if (FileExists(ShownPath))
        ShowFile();
    else
        Grid_Reset();
}

void FrmScoresNet::Combo1_Click(int index) {
    Combo1->setCurrentIndex(index);
    if (index >= 1) CompetitionSuffix = QLatin1Char('_') + Combo1->itemText(index);
    if (!suppress_) ShowFile();
}

void FrmScoresNet::CmdNext_Click() {
    const int count = Med.ScoreFileCount;
    if (count < 1) return;
    int next = Shown % count + 1;
    // One player's other files follow each other; they are passed over.
    while (next != 1 &&
           PlayerOf(Med.ScoreFiles(next)).compare(PlayerOf(Med.ScoreFiles(next - 1)), Qt::CaseInsensitive) ==
               0)
        next = next % count + 1;
    Shown = next;
    suppress_ = true;
    Combo1->setCurrentIndex(0);
    PrintUsers();
    cboMulti->setCurrentIndex(0);
    suppress_ = false;
    CompetitionList();
}

void FrmScoresNet::GridNET_Click(int row, int col) {
    Selected = 0;
    if (col != 0 || row < 1 || GridText(row, 0).trimmed().isEmpty()) return;
    const int n = Players();
    if (n == 2) {
        Selected = row + 1;
        return;
    }
    const int block = n + 1;
    if (row % block == 0) return;
    const int first = row - (row % block) + 1;
    Selected = first - first / block + 1;
}

void FrmScoresNet::Command4_Click() {
    const int n = Players();
    if (Selected == 0 || Selected > NetScore.ScoreLastRecord) {
        Label1->setText(QStringLiteral("Select a player"));
        QApplication::beep();
        return;
    }
    const QString title = QStringLiteral("DELETE OPPONENT");
    if (platform::MsgBox(QStringLiteral("Are you sure you want to delete this opponent?"), platform::vbYesNo,
                         title) != platform::vbYes)
        return;
    if (n == 2) {
        const int row = Selected - 1;
        if (!NetScore_DeleteOpponent(ShownPath, GridText(row, 0)))
            platform::MsgBox(QStringLiteral("Opponent Not Found"), platform::vbInformation, title);
    } else if (!NetScore_DeleteLineUp(ShownPath, Selected, n)) {
        platform::MsgBox(QStringLiteral("The score file could not be changed."), platform::vbExclamation,
                         title);
    }
    ShowFile();
}

void FrmScoresNet::Command2_Click() {
    if (platform::MsgBox(QStringLiteral("Are you sure you want to delete this entire score file?"),
                         platform::vbYesNo, QStringLiteral("DELETE PLAYER")) != platform::vbYes)
        return;
    Grid_Reset();
    QFile::remove(ShownPath);
    platform::MsgBox(QStringLiteral("Score file eliminated."), platform::vbExclamation,
                     QStringLiteral("DELETE Score File"));
    List_ScoreFiles();
    if (Med.ScoreFileCount == 0) {
        Unload();
        return;
    }
    Shown = std::min(Shown, Med.ScoreFileCount);
    // The list has lost an entry: start the search for the next player one earlier.
    Shown = Shown > 1 ? Shown - 1 : Med.ScoreFileCount;
    CmdNext_Click();
}
