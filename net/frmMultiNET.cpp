#include "net/frmMultiNET.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableForm.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "media/Persons.h"
#include "media/Seating.h"
#include "net/NetHooks.h"
#include "net/NetScores.h"
#include "platform/Connect.h"
#include "platform/Services.h"
#include "shell/Profile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

NetSetupState NetSetup;

void NetSetup_Reset() {
    NetSetup = NetSetupState{};
}

int NetSocketRowOfSeat(int seat) {
    for (int r = 1; r <= 3; ++r)
        if (Com.NetSockets[r].Seat == seat - 1) return r;
    return 0;
}

namespace {
FrmMultiNET* g_window = nullptr;

} // namespace

FrmMultiNET& frmMultiNET() {
    if (!g_window) g_window = new FrmMultiNET;
    return *g_window;
}

void MultiNET_Show() {
    PlayerPrefs rec;
    if (Prefs_ReadRecord(Prof.PlayerRecord, &rec)) Prof.Prefs = rec;
    NetSetup.NetSetupClosed = false;
    FrmMultiNET& w = frmMultiNET();
    w.Load();
    const OpponentChoices c = Opponent_Choices(NetSetup.NetPersonName);
    w.CboComment->clear();
    w.CboComment->addItems(c.comments);
    w.CboOpponent->clear();
    w.CboOpponent->addItems(c.opponents);
    w.CboOpponent->setCurrentIndex(std::max(0, static_cast<int>(c.opponents.indexOf(c.opponentShown))));
    w.ChangedSetting = false;
    w.cmdDone->setEnabled(true);
    w.Show(true);
}

FrmMultiNET::FrmMultiNET() : platform::Form("frmMultiNET") {
    Window()->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    SetCaption(QStringLiteral("Internet Players Setup"));
    auto* outer = new QVBoxLayout(Window());
    lblChoose = new QLabel(Window());
    lblChoose->setWordWrap(true);
    outer->addWidget(lblChoose);
    auto* buttons = new QHBoxLayout;
    const QString captions[4] = {QStringLiteral("Opponent 1"), QStringLiteral("Opponent 2"),
                                 QStringLiteral("Opponent 3"), QStringLiteral("Player")};
    for (int k = 0; k < 4; ++k) {
        CmdSetup[k] = new QPushButton(captions[k], Window());
        buttons->addWidget(CmdSetup[k]);
        platform::Connect(CmdSetup[k], &QPushButton::clicked, "click", [this, k] { CmdSetup_Click(k); });
    }
    outer->addLayout(buttons);
    BuildSetupBox();
    outer->addWidget(Frame1);
    BuildScoreBox();
    outer->addWidget(fraScores);
    auto* ends = new QHBoxLayout;
    CmdApply = new QPushButton(QStringLiteral("Save Player"), Window());
    cmdDone = new QPushButton(QStringLiteral("&Done"), Window());
    CmdCancel = new QPushButton(QStringLiteral("&Cancel"), Window());
    ends->addWidget(CmdApply);
    ends->addStretch(1);
    ends->addWidget(cmdDone);
    ends->addWidget(CmdCancel);
    outer->addLayout(ends);
    platform::Connect(CmdApply, &QPushButton::clicked, "click", [this] { CmdApply_Click(); });
    platform::Connect(cmdDone, &QPushButton::clicked, "click", [this] { cmdDone_Click(); });
    platform::Connect(CmdCancel, &QPushButton::clicked, "click", [this] { CmdCancel_Click(); });
    Escape = [this] { CmdCancel->click(); };
    SetClientSizePx(460, 560);
}

void FrmMultiNET::BuildSetupBox() {
    Frame1 = new QGroupBox(Window());
    auto* g = new QGridLayout(Frame1);
    lblOppName = new QLabel(Frame1);
    TxtOpponent[0] = new QLineEdit(Frame1);
    TxtOpponent[0]->setToolTip(QStringLiteral("Change your name NOW if you need too!"));
    TxtOpponent[1] = new QLineEdit(Frame1);
    TxtOpponent[1]->setToolTip(
        QStringLiteral("You can leave this blank or enter the name YOU want to call your opponent."));
    lblNameNote = new QLabel(
        QStringLiteral("Leave this blank if you would like to use the name your Opponent is using."), Frame1);
    lblNameNote->setWordWrap(true);
    lblOppSet2 = new QLabel(QStringLiteral("Chat Comment File:"), Frame1);
    CboComment = new QComboBox(Frame1);
    CboOpponent = new QComboBox(Frame1);
    lblAvatar = new QLabel(Frame1);
    imgOppAvatar = new QLabel(Frame1);
    imgOppAvatar->setFixedSize(96, 96);
    imgOppAvatar->setFrameShape(QFrame::Box);
    imgOppAvatar->setAlignment(Qt::AlignCenter);
    HScrollAvatar = new QScrollBar(Qt::Horizontal, Frame1);
    ckNoPlayerAvatar = new QCheckBox(QStringLiteral("Player Avatar"), Frame1);
    ckShowAvatar = new QCheckBox(QStringLiteral("Show Avatar"), Frame1);
    Command1 = new QPushButton(QStringLiteral("&Add new Avatar"), Frame1);
    cmdExport = new QPushButton(QStringLiteral("&Export Avatar"), Frame1);
    cmdExport->setToolTip(QStringLiteral("Export an avatar to send to  a friend"));
    cmdSounds = new QPushButton(QStringLiteral("Change &Sounds"), Frame1);
    g->addWidget(lblOppName, 0, 0);
    g->addWidget(TxtOpponent[0], 0, 1, 1, 2);
    g->addWidget(TxtOpponent[1], 0, 1, 1, 2);
    g->addWidget(lblNameNote, 2, 0, 1, 3);
    g->addWidget(lblOppSet2, 3, 0);
    g->addWidget(CboComment, 3, 1);
    g->addWidget(CboOpponent, 3, 2);
    g->addWidget(lblAvatar, 4, 0);
    g->addWidget(imgOppAvatar, 4, 1, 3, 1);
    g->addWidget(ckNoPlayerAvatar, 4, 2);
    g->addWidget(ckShowAvatar, 5, 2);
    g->addWidget(HScrollAvatar, 7, 1);
    g->addWidget(Command1, 8, 0);
    g->addWidget(cmdExport, 8, 1);
    g->addWidget(cmdSounds, 8, 2);
    platform::Connect(HScrollAvatar, &QScrollBar::valueChanged, "change",
                      [this](int v) { HScrollAvatar_Change(v); });
    platform::Connect(ckNoPlayerAvatar, &QCheckBox::clicked, "click", [this] { ckNoPlayerAvatar_Click(); });
    platform::Connect(ckShowAvatar, &QCheckBox::clicked, "click", [this] { ckShowAvatar_Click(); });
    platform::Connect(Command1, &QPushButton::clicked, "click", [this] { Command1_Click(); });
    platform::Connect(cmdExport, &QPushButton::clicked, "click", [this] { cmdExport_Click(); });
    platform::Connect(cmdSounds, &QPushButton::clicked, "click", [this] { cmdSounds_Click(); });
    platform::Connect(CboComment, &QComboBox::activated, "click", [this](int) { CboComment_Click(); });
    platform::Connect(CboOpponent, &QComboBox::activated, "click", [this](int) { Changed(); });
    for (int i = 0; i < 2; ++i)
        platform::Connect(TxtOpponent[i], &QLineEdit::textEdited, "change",
                          [this, i] { TxtOpponent_Edited(i); });
}

void FrmMultiNET::BuildScoreBox() {
    fraScores = new QGroupBox(QStringLiteral("Net Score File"), Window());
    auto* v = new QVBoxLayout(fraScores);
    optNetScore[0] = new QRadioButton(QStringLiteral("Use Player's Default Score File"), fraScores);
    optNetScore[1] = new QRadioButton(QStringLiteral("Use Competition Score File:"), fraScores);
    lblCompete =
        new QLabel(QStringLiteral("Select existing competition or type in new competition name:"), fraScores);
    lblCompete->setWordWrap(true);
    Combo1 = new QComboBox(fraScores);
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    lblScoreFile = new QLabel(fraScores);
    for (QWidget* w : {static_cast<QWidget*>(optNetScore[0]), static_cast<QWidget*>(optNetScore[1]),
                       static_cast<QWidget*>(lblCompete), static_cast<QWidget*>(Combo1),
                       static_cast<QWidget*>(lblScoreFile)})
        v->addWidget(w);
    for (int i = 0; i < 2; ++i)
        platform::Connect(optNetScore[i], &QRadioButton::clicked, "click",
                          [this, i] { optNetScore_Click(i); });
    platform::Connect(Combo1, &QComboBox::activated, "click", [this](int i) { Combo1_Click(i); });
    // Only what the player types; the list set in code is not an edit.
    platform::Connect(Combo1->lineEdit(), &QLineEdit::textEdited, "change",
                      [this](const QString& t) { Combo1_Change(t); });
}
