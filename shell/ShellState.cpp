#include "shell/ShellState.h"

ShellState Shl;

void Shell_Reset() {
    Shl = ShellState{};
}
