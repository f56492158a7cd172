#include "shell/SaveSettings.h"
#include "common/Records.h"
#include "common/Shared.h"
#include "common/TextForm.h"
#include "engine/Model.h"
#include "engine/TableForm.h"
#include "platform/RecordFile.h"
#include "shell/Profile.h"
#include "shell/ShellState.h"
#include "table/TableState.h"

namespace {
// Booleans go into the record's integers as -1 and 0.
int SettingFlag(bool b) {
    return b ? -1 : 0;
}

// The status bar as the player left it; the peek display is another matter.
bool StatusBarShown() {
    return HasTableForm() ? frmGrulm().StatusBar1.Visible() : Prof.StatusBarShown;
}

template <typename Change> void Update(platform::RecordFile& scores, int recno, Change change) {
    ScoreRecord r = ScoreRecord::Decode(scores.Read(recno));
    change(r);
    scores.Write(recno, r.Encode());
}
} // namespace

void SaveSettings(platform::RecordFile& scores) {
    if (!scores.IsOpen() || scores.RecordLength() != ScoreRecord::kSize) return;

    Update(scores, 1, [](ScoreRecord& r) {
        r.Text = NumStr(Shl.FontColour);
        r.D = Eng.Level;
    });
    Update(scores, 12, [](ScoreRecord& r) {
        r.Text = Shl.LastAvatar;
        r.A = SettingFlag(Shl.LoseAnimOff);
        r.B = SettingFlag(Shl.FontBackdrop);
        r.C = 0;
        r.D = Com.DeckStyle;
    });
    Update(scores, 13, [](ScoreRecord& r) {
        r.Text = Shl.NetPlayerName;
        r.A = Shl.LastBackground;
        r.B = Com.SpeedIndex;
        r.C = Com.SoundMode;
    });
    Update(scores, 16, [](ScoreRecord& r) {
        r.Text = NumStr(Com.DeckColour);
        r.A = Com.BackStyle;
        r.B = SettingFlag(StatusBarShown());
        r.C = SettingFlag(Shl.AvatarShown);
        r.D = SettingFlag(Shl.MoveLogOn);
    });
    Update(scores, 17, [](ScoreRecord& r) {
        r.Text = NumStr(Com.MatColour);
        r.A = Com.CommentFontSize;
        r.B = SettingFlag(Shl.WinAnimOff);
        r.D = Tbl.PersonIndex;
    });
    Update(scores, 18, [](ScoreRecord& r) {
        r.Text = NumStr(Com.AnimSteps);
        r.A = Com.SideSize;
        r.B = Com.ForcedCards;
        r.C = SettingFlag(Com.DecksSeparate);
        r.D = SettingFlag(Com.NoWildAce);
    });
}
