#include "table/TableState.h"

TableState Tbl;
std::function<void(int kind)> DisplayChangeHook;

void Table_ResetState() {
    Tbl = TableState{};
}

void Display_Change(int kind) {
    if (DisplayChangeHook) DisplayChangeHook(kind);
}
