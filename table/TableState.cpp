#include "table/TableState.h"

TableState Tbl;

void Table_ResetState() {
    Tbl = TableState{};
}

void Display_Change(int kind) {
    DisplayChangeHook(kind);
}
