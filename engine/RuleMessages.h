#pragma once
// The legality tests of the human's plays and discards, and the texts that explain
// the rules: the rule messages, the rules caption and the Internet menu notice.
#include <QString>

// The kinds of rule message in the status label.
enum RuleMessageKind : int {
    kRuleSequence = 1, // a card whose rank does not fit the pile
    kRuleHoldOnly = 2, // a hold-pile top dropped anywhere but on a center pile
    kRuleNotTurn = 3,  // a press on a card while another seat is on turn
    kRuleSideOnly = 4, // the side card dropped anywhere but on a center pile
};

// Pturn after the rules refused the human's move.
inline constexpr int kRefused = 99;

// The play of PlayerCards(SourceSlot) onto center pile TargetPile; a refusal sets Pturn to kRefused.
void Rules_CheckCenter();
// Shows rule message kind 1 to 4 and plays the rule sound.
void Rules_Message(int kind);
// The text of a rule message; kind 1 names "that" pile for a drop, "any" pile otherwise.
QString Rules_MessageText(int kind, bool dropped);
// Rebuilds RulesText and writes the rules and level captions.
void Rules_ShowCaption();
// Builds RulesText from the house rules and the screen width.
void Rules_WildText();
// 1 the message box, 2 the status line, for menus used during an Internet game.
void Net_MenuNotice(int kind);
// The forced-card test of the discard of SourceSlot: true when it may go on.
bool ForcedCard_Check();
// Explains a refused discard ("Ace" or "Two") and puts the dragged card back.
void PlayerGoBack(const QString& rule);
// The rule sound, unless every sound is off.
void Rules_Sound();
