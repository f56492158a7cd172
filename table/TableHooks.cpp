#include "table/TableHooks.h"

#include "common/Shared.h"

namespace {
void NoPlanTables(int) {}
void DropRestart() {
    Com.UndoRequested = false;
}
void NoDisplayChange(int) {}
} // namespace

DisplayHooks DispHooks;
std::function<void(int n)> PlanTables_Redim = NoPlanTables;
std::function<void()> RestartTurnHook = DropRestart;
std::function<void(int kind)> DisplayChangeHook = NoDisplayChange;

void TableHooks_Reset() {
    DispHooks = DisplayHooks{};
    PlanTables_Redim = NoPlanTables;
    RestartTurnHook = DropRestart;
    DisplayChangeHook = NoDisplayChange;
}
