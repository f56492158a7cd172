#include "engine/TableForm.h"

namespace {
TableForm* g_table = nullptr;
}

TableForm::TableForm() : platform::Form("frmGrulm") {}

TableForm::~TableForm() {
    if (g_table == this) g_table = nullptr;
}

TableForm& frmGrulm() {
    if (!g_table) throw std::logic_error("the table window does not exist");
    return *g_table;
}

bool HasTableForm() {
    return g_table != nullptr;
}

void SetTableForm(TableForm* form) {
    g_table = form;
}
