#include "shell/ShellHooks.h"

ProfileHooks ProfHooks;
StartupHooks Startup;

void ShellHooks_Reset() {
    ProfHooks = ProfileHooks{};
    Startup = StartupHooks{};
}
