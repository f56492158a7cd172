#include "engine/GameEnd.h"
#include "common/NetCodes.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Flow.h"
#include "engine/GameOnTable.h"
#include "engine/Model.h"
#include "engine/ScoreFiles.h"
#include "engine/Seats.h"
#include "engine/Stats.h"
#include "engine/TableCodes.h"
#include "engine/TableForm.h"
#include "platform/Services.h"

#include <algorithm>

ScoreState Score;
GameEndHooksT GameEndHooks;

void Score_Reset() {
    Score = ScoreState{};
}

namespace {

// Beyond this many games of one kind the player is asked to clear the score file.
constexpr int kGamesWarning = 32000;
// Game kinds: 0 all games, 1 to 3 by the opponent's level, 4 to 6 by two to four players.
constexpr int kKindAll = 0;
constexpr int kKindLevel = 1;
constexpr int kKindPlayers = 2; // plus NumPlayers
// Personality sounds at the end: the winner's taunt, the human's win, the seat's win.
constexpr int kSoundTaunt = 13;
constexpr int kSoundHumanWon = 14;
constexpr int kSoundSeatWon = 15;

const QString kNl = QStringLiteral("\r\n");

void PlaySeatSound(int entry, bool wait) {
    if (Com.SoundMode != kSoundsAll) return;
    const QString& file = Eng.SeatSounds(entry);
    if (file.trimmed().isEmpty()) return;
    if (wait)
        platform::Svc().sound->PlaySync(file);
    else
        platform::Svc().sound->PlayAsync(file);
}

// Every way out of the game end leaves the table free again.
void Unbusy() {
    Eng.TableBusy = false;
    // A tutorial keeps the panel shut until it closes.
    Com.ShowBusy = Com.TutorialMode;
}

// The local result into the player's record: the three game kinds and the best runs.
// A game started over after its end shows the record as it stands: its result is in it already.
QString RecordLocal() {
    if (!GameEndHooks.Scores_Read(Score.Record)) return QString();
    const bool count = !Eng.Recorded;
    Eng.Recorded = true;
    if (count) {
        DoTheUpdate(kKindAll);
        DoTheUpdate(kKindLevel + std::clamp(Eng.Seat2Rec.RecLevel, 0, 2));
        DoTheUpdate(kKindPlayers + std::clamp(Com.NumPlayers, 2, 4));
    }
    const int games = Score.Record.Games(kKindAll), wins = Score.Record.Wins(kKindAll);
    const QString text = Com.PlayerName + kNl + QStringLiteral("Games Won:") + NumStr(wins) + kNl +
                         QStringLiteral("Games Lost:") + NumStr(games - wins);
    if (!count) return text;
    StatsSave(kStatsHumanSession, kStatsHumanBest, Score.Record.BestRuns);
    StatsSave(kStatsSeatSession, kStatsComputerBest, Score.Record.BestRuns);
    GameEndHooks.Scores_Write(Score.Record);
    GameEndHooks.GameRecorded(Eng.GameId);
    return text;
}

// `winner` is the seat's name that emptied its side pile, empty when the local player did.
void RecordInternet(bool humanWon, const QString& winner) {
    TableForm& f = frmGrulm();
    if (humanWon) Score.NetWins = Saturate16(Score.NetWins + 1LL);
    Score.NetGames = Saturate16(Score.NetGames + 1LL);
    Netl.Scores_Net(humanWon ? QString() : winner.trimmed());
    f.Label9(kLblComment)
        .SetCaption(QStringLiteral("Your scores this NET session:") + kNl + QString::number(Score.NetGames) +
                    QStringLiteral(" games played") + kNl + NumStr(Score.NetWins) +
                    QStringLiteral(" wins, ") + NumStr(Score.NetMargin) + QStringLiteral(" margin"));
    Unbusy();
    Game_Scored();
    // A remote player's program waits here until the host deals again or the link ends.
    if (Com.NetHost == 0) Net_Wait([] { return false; }, {kNetGS, kNetLO});
}

// Who won the game on the table, as its end announces and records it.
struct GameResult {
    bool humanWon = false;
    bool internet = false;
    QString winner;  // a seat's name; empty when the human won
    int person = -1; // the winner's place in the personality list (local games)
};

// The table stops for the end. False without exactly one empty side pile: no winner.
bool GameEnd_Stop() {
    TableForm& f = frmGrulm();
    Eng.TableBusy = true;
    f.Timer1.SetEnabled(false);
    Com.ShowBusy = true;
    f.Piles_EnableRange(f.Picture7, false, 2, 6);
    return (Eng.PlayerSideCount == 0) != (Eng.SeatSideCount == 0);
}

// The winner, its seat stored back, and the statistics of the winning turn.
GameResult GameEnd_Winner() {
    GameResult r;
    r.humanWon = Eng.PlayerSideCount == 0;
    r.internet = Com.NetGame != 0;
    if (!r.humanWon) {
        GoUpdateOpponents();
        r.winner =
            Com.Pturn >= 2 && Com.Pturn <= Com.NumPlayers ? SeatRecordOf(Com.Pturn).RecName : Eng.SeatName;
        if (!r.internet) r.person = GameEndHooks.Person_Index(r.winner.trimmed());
    }
    if (r.humanWon)
        StatsCk(kStatsHumanTurn, kStatsHumanSession);
    else
        StatsCk(kStatsSeatTurn, kStatsSeatSession);
    return r;
}

// The opponents' hands open, the winner's notice and sound.
void GameEnd_Notice(const GameResult& r) {
    TableForm& f = frmGrulm();
    Com.Pturn = 0;
    f.Label9(kLblMessage).SetCaption(QStringLiteral(" "));
    if (!r.internet) f.Label9(kLblComment).SetCaption(QStringLiteral(" "));
    Com.PeekOn = true;
    GameEndHooks.Peek();
    int margin = 0;
    DoTheMargin(margin);
    QString text;
    if (r.humanWon) {
        PlaySeatSound(kSoundHumanWon, false);
        text = GameEnd_HumanWonText(margin);
    } else {
        text = GameEnd_SeatWonText(r.winner, margin);
        PlaySeatSound(kSoundSeatWon, true);
    }
    // Whatever layout ran last, the whole notice shows.
    GameEndHooks.Notice_Fit();
    f.Label9(kLblMessage).SetCaption(text);
}

// The result into the player's record or the network score files; the local games' text.
QString GameEnd_Record(const GameResult& r) {
    if (r.internet) {
        RecordInternet(r.humanWon, r.winner);
        return QString();
    }
    const QString gamesText = RecordLocal();
    Game_Scored();
    return gamesText;
}

// The table free again: the hold places live, the turn count back to the start.
void GameEnd_Release() {
    TableForm& f = frmGrulm();
    Eng.TableBusy = false;
    f.Piles_EnableRange(f.Picture7, true, 7, 10);
    Eng.TurnCount = 0;
    GameEndHooks.HoldImages_Refresh();
}

// A local game's farewell: the winner's taunt and animation, the scores, the DEAL button.
// False when another game took the table meanwhile.
bool GameEnd_Local(const GameResult& r, const QString& gamesText, const GameOnTable& mine) {
    TableForm& f = frmGrulm();
    if (!r.humanWon && !GameEndHooks.NoLoseAnimation()) {
        PlaySeatSound(kSoundTaunt, false);
        // A winner missing from the personality list gets the sound but no animation.
        if (r.person >= 0 && !GameEndHooks.Flash(r.person, mine)) return false;
    }
    f.Label9(kLblComment).SetCaption(gamesText);
    f.cmdDeal.SetVisible(true);
    if (r.humanWon && !GameEndHooks.NoWinAnimation())
        GameEndHooks.AnimateCardsFlow(static_cast<int>(platform::Rnd() * 2) + 1);
    return true;
}

} // namespace

void DoTheMargin(int& margin) {
    long long m = Eng.PlayerSideCount + Eng.Seat2Rec.RecSideCount;
    if (Com.NumPlayers > 2) m += Eng.Seat3Rec.RecSideCount;
    if (Com.NumPlayers == 4) m += Eng.Seat4Rec.RecSideCount;
    margin = Saturate16(m);
}

void DoTheMath() {
    Score.ScoreGames = Saturate16(Score.ScoreGames + 1LL);
    if (Score.ScoreGames > kGamesWarning)
        platform::MsgBox(QStringLiteral("The number of games you've played will soon exceed my memory.\r\n"
                                        "Please clear your score file and start fresh!"),
                         platform::vbInformation, QStringLiteral("Score file overflowing"));
    int margin = 0;
    DoTheMargin(margin);
    Score.LastMargin = margin;
    if (Eng.PlayerSideCount == 0) {
        Score.ScoreWins = Saturate16(Score.ScoreWins + 1LL);
        Score.ScoreMargin = Saturate16(Score.ScoreMargin + static_cast<long long>(margin));
    } else {
        Score.ScoreMargin = Saturate16(Score.ScoreMargin - static_cast<long long>(margin));
    }
}

void DoTheNETMath(bool won) {
    Score.ScoreGames = Saturate16(Score.ScoreGames + 1LL);
    int margin = 0;
    DoTheMargin(margin);
    Score.LastMargin = margin;
    if (won) {
        Score.ScoreWins = Saturate16(Score.ScoreWins + 1LL);
        Score.ScoreMargin = Saturate16(Score.ScoreMargin + static_cast<long long>(margin));
    } else {
        Score.ScoreMargin = Saturate16(Score.ScoreMargin - static_cast<long long>(margin));
    }
}

void DoTheUpdate(int kind) {
    ProfileScores& r = Score.Record;
    Score.ScoreGames = r.Games(kind);
    Score.ScoreWins = r.Wins(kind);
    Score.ScoreMargin = r.Margin(kind);
    DoTheMath();
    r.Games(kind) = Score.ScoreGames;
    r.Wins(kind) = Score.ScoreWins;
    r.Margin(kind) = Score.ScoreMargin;
}

QString GameEnd_HumanWonText(int margin) {
    const bool local = Com.NetGame == 0;
    QString text = QStringLiteral("That was your LAST CARD! OK, so you won!!!  ");
    if (Eng.SeatSideCount == 1) {
        text += QStringLiteral("You beat ") + Eng.SeatName + QStringLiteral(" by one card!");
        if (local) text += QStringLiteral(" I DEMAND a rematch!");
        return text;
    }
    if (local && margin < 6) text += QStringLiteral("Whew, that was close!");
    if (local && margin >= 11)
        text += Eng.SeatName + QStringLiteral(" needs") + QStringLiteral(" more memory...");
    if (Com.NumPlayers > 2)
        text +=
            kNl + QStringLiteral("(Your opponents had") + NumStr(margin) + QStringLiteral(" cards left.)");
    else
        text += kNl + QStringLiteral("(") + Eng.SeatName + QStringLiteral(" had") +
                NumStr(Eng.SeatSideCount) + QStringLiteral(" cards left.)");
    return text;
}

QString GameEnd_SeatWonText(const QString& winner, int margin) {
    const bool local = Com.NetGame == 0;
    QString text = QStringLiteral("That was the last card, ") + winner +
                   QStringLiteral(" WON with a margin of ") + NumStr(margin) + QStringLiteral(" ! ");
    const int left = Eng.PlayerSideCount;
    if (left == 1) return text + QStringLiteral("You ONLY had 1 card left! That was CLOSE!");
    if (local && left < 6) text += QStringLiteral("That was pretty close!");
    if (local && left > 11) text += QStringLiteral("Were you SLEEPING?");
    return text + kNl + QStringLiteral("You had") + NumStr(left) + QStringLiteral(" cards left!");
}

void Game_Scored() {
    if (!Eng.GameWinning) return;
    Eng.GameWinning = false;
    Netl.Net_GameScored();
}

void Game_End() {
    // The sounds, the animation and a remote's wait let events run: a new game may take the table.
    const GameOnTable mine;
    if (!GameEnd_Stop()) {
        Unbusy();
        Game_Scored();
        return;
    }
    const GameResult result = GameEnd_Winner();
    GameEnd_Notice(result);
    const QString gamesText = GameEnd_Record(result);
    if (!mine.StillOn()) {
        Unbusy();
        return;
    }
    GameEnd_Release();
    if (!result.internet && Com.NetState != kNetLost && !GameEnd_Local(result, gamesText, mine)) {
        Unbusy();
        return;
    }
    Com.ShowBusy = Com.TutorialMode;
}
