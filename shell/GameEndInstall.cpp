#include "shell/GameEndInstall.h"
#include "common/CopyCards.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/GameEnd.h"
#include "engine/ScoreFiles.h"
#include "engine/Stale.h"
#include "engine/Stats.h"
#include "engine/TableForm.h"
#include "shell/Profile.h"
#include "shell/SavedIdentity.h"
#include "shell/ShellState.h"
#include "table/CardFlow.h"
#include "table/Flash.h"
#include "table/LayoutGameSize.h"
#include "table/LayoutPlan.h"
#include "table/Piles.h"
#include "table/TableState.h"

namespace {

// The results a player's record keeps, copied either way.
void MirrorScores(ProfileScores& s, PlayerPrefs& r, bool toRecord) {
    Mirror(r.Games, s.Games, toRecord);
    Mirror(r.Wins, s.Wins, toRecord);
    Mirror(r.Margin, s.Margin, toRecord);
    Mirror(r.BestRuns, s.BestRuns, toRecord);
}

bool ReadScores(ProfileScores& out) {
    PlayerPrefs rec;
    if (Prof.PlayerRecord < 2 || !Prefs_ReadRecord(Prof.PlayerRecord, &rec)) return false;
    MirrorScores(out, rec, false);
    return true;
}

bool WriteScores(const ProfileScores& in) {
    PlayerPrefs rec;
    if (Prof.PlayerRecord < 2 || !Prefs_ReadRecord(Prof.PlayerRecord, &rec)) return false;
    ProfileScores scores = in;
    MirrorScores(scores, rec, true);
    if (!Prefs_WriteRecord(Prof.PlayerRecord, rec)) return false;
    // The record in memory follows, so a later store of the options keeps the result.
    MirrorScores(scores, Prof.Prefs, true);
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
    GameEndHooks.GameRecorded = [](std::int32_t id) { SavedGames_MarkRecorded(id); };
    GameEndHooks.Peek = [] { frmGrulm().Table_Redraw(); };
    GameEndHooks.NoLoseAnimation = [] { return Shl.LoseAnimOff; };
    GameEndHooks.NoWinAnimation = [] { return Shl.WinAnimOff; };
    GameEndHooks.Flash = [](int index, const GameOnTable& mine) { return Flash(index, mine); };
    GameEndHooks.AnimateCardsFlow = [](int mode) { AnimateCardsFlow(mode); };
    GameEndHooks.HoldImages_Refresh = [] { HoldImages_Set(); };
    GameEndHooks.Notice_Fit = [] { Layout_Relay(Layout_ModeAsked()); };
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
