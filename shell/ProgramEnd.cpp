#include "shell/ProgramEnd.h"
#include "common/Shared.h"
#include "engine/TableForm.h"
#include "platform/Controls.h"
#include "shell/SavedGames.h"
#include "shell/Startup.h"

void Program_EndAsked() {
    Boot.EndAsked = true;
    if (Boot.Started) {
        frmGrulm().Window()->close();
        return;
    }
    Com.GameAbort = true;
    Windows_CloseWaited();
}

void Windows_CloseWaited() {
    for (platform::Form* form : platform::Form::All()) {
        if (!form->Waiting() || !form->IsVisible()) continue;
        Sav.DialogCancelled = true;
        form->Hide();
    }
}
