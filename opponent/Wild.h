#pragma once
// Where the seat's side King goes. At the top level the choice may be a plan that uses
// the King on the way: the turn loop plays it first, and the King follows when the plan
// ends with it.
struct WildChoice {
    int pile = 0;      // the center for the King, or of the plan
    bool plan = false; // a plan on `pile` is to be played first
};
WildChoice Move_Wild();
