#pragma once
// Whole games between computer seats without a visible window, under the test clock:
// what the benchmark and the win-share tool share.
#include <array>
#include <memory>

class FrmGrulm;

struct GameResult {
    int winner = 0; // seat 1 to 4; 0 after a stalemate
    int turns = 0;
    bool ended = false;
};

class HeadlessTable {
  public:
    HeadlessTable();
    ~HeadlessTable();
    // Seats 1 to players at the given levels (seat 1 played by the same code).
    void Seats(int players, const std::array<int, 4>& levels);
    // New levels for the same table, seat 1 first.
    void Levels(const std::array<int, 4>& levels);
    GameResult Play(unsigned seed);

  private:
    std::unique_ptr<FrmGrulm> form_;
};
