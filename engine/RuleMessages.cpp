#include "engine/RuleMessages.h"
#include "common/Card.h"
#include "common/Shared.h"
#include "common/SoundFiles.h"
#include "common/TextForm.h"
#include "engine/HouseRules.h"
#include "engine/Model.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"

#include <algorithm>

namespace {

// Screens narrower than this (in twips) get the short rule summary.
constexpr int kNarrowTwips = 12000;
constexpr int kSmallDisplayMode = 2;

TableForm* Table() {
    return HasTableForm() ? &frmGrulm() : nullptr;
}

void ClearRuleLines() {
    if (TableForm* f = Table()) {
        f->Label9(kLblMessage).SetCaption(QStringLiteral(" "));
        if (Com.NetGame == 0) f->Label9(kLblComment).SetCaption(QStringLiteral(" "));
    }
}

int ScreenWidthTwips() {
    return platform::Svc().screen->WidthTwips();
}

// The first card of `rank` the forced rule makes the human play before a discard.
bool ForcedCardHeld(int rank) {
    if (Eng.PlayerCards(1, 1) == rank) return true;
    if (Com.ForcedCards < kForcedVisible) {
        for (int slot = 2; slot <= 6; ++slot)
            if (Eng.PlayerCards(1, slot) == rank) return true;
    } else if (Eng.SourceSlot >= 1 && Eng.SourceSlot <= 10 && Eng.PlayerCards(1, Eng.SourceSlot) == rank) {
        return true;
    }
    for (int slot = 7; slot <= 10; ++slot)
        if (Eng.PlayerCards(1, slot) == rank) return true;
    return false;
}

bool SomePileHolds(int count) {
    for (int p = 1; p <= Com.NumCenters; ++p)
        if (Eng.CenterCount(p) == count) return true;
    return false;
}

} // namespace

void Rules_Sound() {
    if (Com.SoundMode != kSoundsOff)
        platform::Svc().sound->PlayAsync(Com.DataPath + QLatin1String(kSoundAlert));
}

QString Rules_MessageText(int kind, bool dropped) {
    switch (kind) {
    case kRuleSequence:
        return QStringLiteral("Center piles are built up in sequence (Ace to Queen). ") +
               (dropped ? QStringLiteral("That card cannot be played to that Center pile yet.")
                        : QStringLiteral("That card cannot be played to any Center pile yet."));
    case kRuleHoldOnly:
        return QStringLiteral(
            "Once a card has been placed on a Hold pile, it can only be played to the Center piles.");
    case kRuleNotTurn:
        return QStringLiteral("Please stop --\r\n     It's NOT your turn!");
    case kRuleSideOnly:
        return QStringLiteral("\r\nYour Side card can only be played to a Center pile.");
    default:
        return QString();
    }
}

void Rules_Message(int kind) {
    const QString text = Rules_MessageText(kind, Eng.DragOn);
    if (TableForm* f = Table()) f->Label9(kLblMessage).SetCaption(text);
    Rules_Sound();
}

void Rules_CheckCenter() {
    ClearRuleLines();
    const int slot = Eng.SourceSlot, pile = Eng.TargetPile;
    // Nothing outside the human's slots or the table's piles can be played.
    if (slot < 1 || slot > 10 || pile < 1 || pile > Com.NumCenters) {
        Com.Pturn = kRefused;
        return;
    }
    const int rank = Eng.PlayerCards(1, slot);
    const int count = Eng.CenterCount(pile);
    // A full pile takes nothing more; play never leaves one on the table.
    if (count >= kPileFull) {
        Com.Pturn = kRefused;
        return;
    }
    if (rank == kRankKing) {
        if (count == 0 && Com.NoWildAce) {
            platform::MsgBox(QStringLiteral("Wild card can not be used as an Ace."), platform::vbInformation,
                             QStringLiteral("Rules Enforced"));
            Com.Pturn = kRefused;
        }
        return;
    }
    if (rank != 0 && rank == count + 1) return;
    if (Com.Pturn != 0) Rules_Message(kRuleSequence);
    Com.Pturn = kRefused;
}

void Rules_WildText() {
    const int width = ScreenWidthTwips();
    const bool narrow =
        width < kNarrowTwips || (width == kNarrowTwips && Com.LayoutMode >= kSmallDisplayMode);
    QString text;
    switch (Com.ForcedCards) {
    case 1:
        text = QStringLiteral("Ace");
        break;
    case 2:
        text = QStringLiteral(", Two");
        break;
    case 3:
        text = narrow ? QStringLiteral("A,T") : QStringLiteral("Ace, Two");
        break;
    case 4:
        Com.ForcedCards = 0;
        break;
    case 5:
        text = QStringLiteral("Ace (V)");
        break;
    case 6:
        text = QStringLiteral("Two (V)");
        break;
    case 7:
        text = narrow ? QStringLiteral("A,T (V)") : QStringLiteral("Ace, Two (V)");
        break;
    default:
        break;
    }
    if (Com.NoWildAce)
        text += width >= kNarrowTwips ? QStringLiteral(" - No Wild Ace") : QStringLiteral(", No Wild A");
    Eng.RulesText = text;
}

void Rules_ShowCaption() {
    Rules_WildText();
    TableForm* f = Table();
    if (!f) return;
    f->lblRules.SetCaption(QStringLiteral("Rules:") + NumStr(Com.SideSize + 1) + QStringLiteral(" cards ") +
                           Eng.RulesText);
    if (Com.NetGame == 0) {
        // A level the record cannot hold is shown as the first.
        int level = Eng.Seat2Rec.RecLevel;
        if (level < 0 || level > 2) level = 0;
        f->lblLevel.SetCaption(QString::fromLatin1(kLevelNames[level]));
    } else {
        f->lblLevel.SetCaption(Com.DecksSeparate ? QStringLiteral("Decks: separate")
                                                 : QStringLiteral("Decks: together"));
    }
}

void Net_MenuNotice(int kind) {
    if (kind == 1) {
        platform::MsgBox(QStringLiteral("Please use the Internet Menu during Internet games."),
                         platform::vbInformation, QStringLiteral("Vornhelm Online"));
    } else if (kind == 2) {
        if (TableForm* f = Table())
            f->Label9(kLblComment)
                .SetCaption(QStringLiteral("Select NEW from the Game Menu to start a new game."));
    }
}

bool ForcedCard_Check() {
    if (Com.ForcedCards == 0) return true;
    if ((Com.ForcedCards & kForcedAce) && SomePileHolds(0) && ForcedCardHeld(1)) {
        PlayerGoBack(QStringLiteral("Ace"));
        return false;
    }
    if ((Com.ForcedCards & kForcedTwo) && SomePileHolds(1) && ForcedCardHeld(2)) {
        PlayerGoBack(QStringLiteral("Two"));
        return false;
    }
    return true;
}

void PlayerGoBack(const QString& rule) {
    platform::MsgBox(QStringLiteral("Forced ") + rule +
                         QStringLiteral(" rule is in effect. You must play your ") + rule,
                     platform::vbInformation, QStringLiteral("Rule Enforced"));
    TableForm* f = Table();
    if (!f) return;
    const int slot = Eng.SourceSlot;
    if (slot >= 1 && slot <= 10 && f->Picture7.Exists(slot)) {
        PictureBox& place = f->Picture7(slot);
        place.SetGeometryPx(Eng.DragHomeLeft, Eng.DragHomeTop, place.WidthPx(), place.HeightPx());
    }
    f->Piles_EnableRange(f->Picture7, true, 1, 10);
}
