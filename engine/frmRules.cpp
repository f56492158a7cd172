#include "engine/frmRules.h"
#include "common/NetCodes.h"
#include "engine/Model.h"
#include "engine/RuleMessages.h"

#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"

namespace {
FrmRules* g_rules = nullptr;

const QString kSideCaptions[4] = {QStringLiteral("20 cards"), QStringLiteral("26 cards"),
                                  QStringLiteral("15 cards"), QStringLiteral("10 cards")};
// The forced-card boxes by their bit.
constexpr int kForcedBoxes[3] = {kForcedAce, kForcedTwo, kForcedVisible};

// Design sizes, twips: two columns of framed groups.
constexpr double kBoxW = 3000, kFrameW = kBoxW + 240, kCol1 = 120, kCol2 = kCol1 + kFrameW + 120, kRow = 300;
constexpr double kButtonW = 1500, kButtonH = 375;

bool NetPeer() {
    return Com.NetGame != 0 && Com.NetGame != kNetGameConnecting;
}
} // namespace

FrmRules& frmRules() {
    // Kept for the whole run: a nested wait may still be using it.
    if (!g_rules) g_rules = new FrmRules;
    return *g_rules;
}

FrmRules::FrmRules() : platform::Form("frmRules") {
    Window()->setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint);
    SetCaption(QStringLiteral("House Rules"));
    fraSideStack.SetCaption(QStringLiteral("Side Piles"));
    for (int i = 0; i <= 3; ++i)
        optSide.Create(i).SetCaption(kSideCaptions[i]);
    fraForced.SetCaption(QStringLiteral("Forced Cards"));
    chkNoForced.SetCaption(QStringLiteral("No Forced cards"));
    chkForced.Create(1).SetCaption(QStringLiteral("Forced Ace"));
    chkForced.Create(2).SetCaption(QStringLiteral("Forced Two"));
    chkForced.Create(4).SetCaption(QStringLiteral("Force visible cards only (V)"));
    FraWild.SetCaption(QStringLiteral("Wild Card"));
    chkWild.SetCaption(QStringLiteral("Can't use Wild card as Ace"));
    fraShuffle.SetCaption(QStringLiteral("Setup Deck Shuffle"));
    optShuffle.Create(0).SetCaption(QStringLiteral("Shuffle decks together"));
    optShuffle.Create(1).SetCaption(QStringLiteral("Shuffle decks separately"));
    fraCenter.SetCaption(QStringLiteral("Number of Center Piles"));
    optCenter.Create(0).SetCaption(QStringLiteral("3"));
    optCenter.Create(1).SetCaption(QStringLiteral("4"));
    cmdSave.SetCaption(QStringLiteral("&Apply"));
    cmdReturn.SetCaption(QStringLiteral("&Cancel"));
    cmdDefault.SetCaption(QStringLiteral("Restore &Defaults"));
    cmdHelp.SetCaption(QStringLiteral("&Help"));

    optSide.On().Click = [this](int i) { Pending.Side = SideSizeOfOption(i); };
    optShuffle.On().Click = [this](int i) { Pending.Separate = i == 1; };
    optCenter.On().Click = [this](int i) { optCenter_Click(i); };
    chkWild.On().Click = [this](int) { Pending.NoWildAce = chkWild.Value() == 1; };
    chkForced.On().Click = [this](int i) { chkForced_Click(i); };
    chkNoForced.On().Click = [this](int) { chkNoForced_Click(); };
    cmdDefault.On().Click = [this](int) { cmdDefault_Click(); };
    cmdHelp.On().Click = [](int) { Hooks.ShowHelp(QStringLiteral("Contents"), QStringLiteral("Contents")); };
    cmdReturn.On().Click = [this](int) { Unload(); };
    SetEscapeButton(cmdReturn);
    cmdSave.On().Click = [this](int) { cmdSave_Click(); };
    Design();
}

void FrmRules::Design() {
    SetScaleMode(platform::vbTwips);
    auto frame = [](platform::Label& l, double left, double top, int rows) {
        l.SetBorderStyle(1);
        l.SetBackStyle(0);
        l.Move(left, top, kFrameW, rows * kRow + 120);
    };
    // Each choice sits one row below its frame's top, the caption's row.
    auto row = [](platform::Control& c, double left, double top, int n) {
        c.Move(left + 120, top + n * kRow, kBoxW, kRow);
    };
    frame(fraSideStack, kCol1, 120, 5);
    for (int i = 0; i <= 3; ++i)
        row(optSide(i), kCol1, 120, i + 1);
    frame(fraForced, kCol2, 120, 5);
    row(chkNoForced, kCol2, 120, 1);
    for (int b = 0; b < 3; ++b)
        row(chkForced(kForcedBoxes[b]), kCol2, 120, b + 2);
    frame(FraWild, kCol1, 1860, 2);
    row(chkWild, kCol1, 1860, 1);
    frame(fraShuffle, kCol2, 1860, 3);
    for (int i = 0; i <= 1; ++i)
        row(optShuffle(i), kCol2, 1860, i + 1);
    frame(fraCenter, kCol1, 2700, 2);
    for (int i = 0; i <= 1; ++i)
        optCenter(i).Move(kCol1 + 120 + i * 900, 2700 + kRow, 800, kRow);
    cmdSave.Move(kCol2, 3000, kButtonW, kButtonH);
    cmdReturn.Move(kCol2 + kFrameW - kButtonW, 3000, kButtonW, kButtonH);
    cmdDefault.Move(kCol1, 3540, kFrameW, kButtonH);
    cmdHelp.Move(kCol2 + kFrameW - kButtonW, 3540, kButtonW, kButtonH);
    SetClientSizePx(qRound((kCol2 + kFrameW + 120) / platform::kTwipsPerPixel),
                    qRound((3540 + kButtonH + 180) / platform::kTwipsPerPixel));
}

bool FrmRules::PeerAtMost(const char* gate) const {
    return Version_AtMost(Com.PeerVersion, gate);
}

void FrmRules::Form_Load() {
    if (NetPeer() && PeerAtMost(kVersionDefaultRules)) {
        platform::MsgBox(QStringLiteral("This feature is not available with this opponent."),
                         platform::vbInformation, QStringLiteral("Playing older version."));
        Unload();
        return;
    }
    Design();
    optSide(SideOptionOf(Com.SideSize)).SetValue(true);
    optShuffle(Com.DecksSeparate ? 1 : 0).SetValue(true);
    // A damaged stored value means no forced card.
    if (Com.ForcedCards > kForcedMax || Com.ForcedCards < 0) Com.ForcedCards = 0;
    chkNoForced.SetValue(Com.ForcedCards == 0 ? 1 : 0);
    for (int bit : kForcedBoxes)
        chkForced(bit).SetEnabled(Com.ForcedCards != 0);
    if (Com.ForcedCards == 0) Eng.RulesText.clear();
    CheckForcedCards();
    chkWild.SetValue(Com.NoWildAce ? 1 : 0);
    optCenter(1).SetEnabled(true);
    if (NetPeer() && PeerAtMost(kOldPeerVersion)) {
        // Older peers know only three piles.
        optCenter(0).SetValue(true);
        optCenter(1).SetEnabled(false);
    } else {
        optCenter(HouseRules_CentersChosen() == 3 ? 0 : 1).SetValue(true);
    }
    // The clicks above stored their own values; the rules in force win.
    Pending = HouseRules_Current();
    Pending.Forced = Forced_FromBoxes(chkForced(kForcedAce).Value() == 1, chkForced(kForcedTwo).Value() == 1,
                                      chkForced(kForcedVisible).Value() == 1);
}

void FrmRules::CheckForcedCards() {
    for (int bit : kForcedBoxes)
        chkForced(bit).SetValue((Com.ForcedCards & bit) != 0 ? 1 : 0);
    Rules_WildText();
}

void FrmRules::optCenter_Click(int index) {
    if (index == 1) {
        Pending.Centers = 4;
    } else if (Com.NumPlayers > 2) {
        platform::MsgBox(QStringLiteral("4 Center Piles are required for more than 2 players"),
                         platform::vbExclamation, QStringLiteral("Number of Centers"));
        optCenter(1).SetValue(true);
    } else {
        Pending.Centers = 3;
    }
}

void FrmRules::ForcedFromBoxes() {
    const bool ace = chkForced(kForcedAce).Value() == 1, two = chkForced(kForcedTwo).Value() == 1;
    platform::CheckBox& visible = chkForced(kForcedVisible);
    visible.SetEnabled(ace || two);
    // "Visible cards only" means nothing without Ace or Two.
    if (!ace && !two) visible.SetValue(0);
    Pending.Forced = Forced_FromBoxes(ace, two, visible.Value() == 1);
}

void FrmRules::chkForced_Click(int) {
    ForcedFromBoxes();
}

void FrmRules::chkNoForced_Click() {
    if (chkNoForced.Value() == 1) {
        for (int bit : kForcedBoxes) {
            chkForced(bit).SetEnabled(false);
            chkForced(bit).SetValue(0);
        }
        Pending.Forced = 0;
    } else {
        chkForced(kForcedAce).SetEnabled(true);
        chkForced(kForcedTwo).SetEnabled(true);
    }
}

void FrmRules::cmdDefault_Click() {
    optSide(0).SetValue(true);
    Pending.Side = kSideDefault;
    optShuffle(0).SetValue(true);
    Pending.Separate = false;
    optCenter(0).SetValue(true);
    chkWild.SetValue(0);
    Pending.NoWildAce = false;
    if (Pending.Forced != 0) chkNoForced.SetValue(1);
}

void FrmRules::cmdSave_Click() {
    const bool before = Rul.RulesChanged;
    if (HouseRules_DealChanges(Pending)) Rul.RulesChanged = true;
    if (Com.NetGame != 0) {
        Rul.RulesChanged = true;
        if (HasTableForm())
            frmGrulm().Label9(kLblComment).SetCaption(QStringLiteral("\r\nStart a New game."));
    }
    if (Rul.RulesChanged) {
        if (Com.NetGame == kNetGameConnecting) {
            platform::MsgBox(QStringLiteral("The new rules will take effect when you start a new game."),
                             platform::vbInformation);
        } else if (platform::MsgBox(QStringLiteral("Start a new game for the changed rules to take effect."),
                                    platform::vbOKCancel,
                                    QStringLiteral("New Rules")) == platform::vbCancel) {
            // Nothing is applied, so the flag keeps what it said before.
            Rul.RulesChanged = before;
            return;
        }
    }
    HouseRules_Store(Pending);
    Unload();
}
