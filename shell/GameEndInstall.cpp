#include "shell/GameEndInstall.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/ScoreFiles.h"
#include "engine/Stale.h"
#include "engine/Stats.h"
#include "engine/TableForm.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "table/CardFlow.h"
#include "table/Flash.h"
#include "table/Piles.h"
#include "table/TableState.h"

namespace {

bool ReadScores(ProfileScores& out) {
    PlayerPrefs rec;
    if (Prof.PlayerRecord < 2 || !Prefs_ReadRecord(Prof.PlayerRecord, &rec)) return false;
    out.Games = rec.Games;
    out.Wins = rec.Wins;
    out.Margin = rec.Margin;
    out.BestRuns = rec.BestRuns;
    return true;
}

bool WriteScores(const ProfileScores& in) {
    PlayerPrefs rec;
    if (Prof.PlayerRecord < 2 || !Prefs_ReadRecord(Prof.PlayerRecord, &rec)) return false;
    rec.Games = in.Games;
    rec.Wins = in.Wins;
    rec.Margin = in.Margin;
    rec.BestRuns = in.BestRuns;
    if (!Prefs_WriteRecord(Prof.PlayerRecord, rec)) return false;
    // The record in memory follows, so a later store of the options keeps the result.
    Prof.Prefs.Games = in.Games;
    Prof.Prefs.Wins = in.Wins;
    Prof.Prefs.Margin = in.Margin;
    Prof.Prefs.BestRuns = in.BestRuns;
    return true;
}

} // namespace

void GameEnd_Install() {
    Stale_Install();
    Hooks.StatsAdd = StatsAdd;
    Hooks.StatsCk = StatsCk;
    StaleHooks.Stock_ShowBack = [] {
        const bool small = Tbl.ScreenWidthTwips < 12001 || Com.LayoutMode >= 2;
        frmGrulm().PicCenter(0).SetPicture(Tbl.Pic.FilePic[small ? 5 : 0]);
    };
    GameEndHooks.Scores_Read = ReadScores;
    GameEndHooks.Scores_Write = WriteScores;
    GameEndHooks.Peek = [] { frmGrulm().Table_Redraw(); };
    GameEndHooks.NoLoseAnimation = [] { return Shl.LoseAnimOff; };
    GameEndHooks.NoWinAnimation = [] { return Shl.WinAnimOff; };
    GameEndHooks.Flash = [](int index) { Flash(index); };
    GameEndHooks.AnimateCardsFlow = [](int mode) { AnimateCardsFlow(mode); };
    GameEndHooks.HoldImages_Refresh = [] { HoldImages_Set(); };
    // Until the personality list is loaded only the main personality is known.
    GameEndHooks.Person_Index = [](const QString& name) {
        return name.trimmed() == QLatin1String(kMainPersonality) ? 0 : -1;
    };
    // The best runs of all time follow the player who logs in.
    auto show = ProfHooks.ShowProfile;
    ProfHooks.ShowProfile = [show](bool startUp) {
        if (show) show(startUp);
        ChangeBestRun(Prof.Prefs.BestRuns);
    };
}
