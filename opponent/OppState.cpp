#include "opponent/OppState.h"
#include "engine/Model.h"

OpponentState Opp;
std::function<void()> Opponent_MoveDone = [] {};

void Opponent_Reset() {
    const int last = Opp.LastRemark, sound = Opp.LastSound;
    Opp = OpponentState{};
    Opp.LastRemark = last;
    Opp.LastSound = sound;
}

int SeatRank(int slot) {
    return Eng.SeatCards(1, slot);
}
int HoldDepth(int pile) {
    return Eng.SeatHoldInfo(pile, 1);
}
int HoldType(int pile) {
    return Eng.SeatHoldInfo(pile, 2);
}
int& PlanTop(int c) {
    return Opp.PlanState(c, 0);
}
int& PlanCount(int c) {
    return Opp.PlanState(c, 1);
}
int HoldTop(int pile) {
    return Eng.SeatCards(1, pile + 6);
}
int HumanRank(int slot) {
    return Eng.PlayerCards(1, slot);
}
