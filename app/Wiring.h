#pragma once
// What the program puts in place at start-up between creating the table window and
// showing it: every subsystem's hooks, the menus' extra rows and the start-up's calls
// back. The program and the test processes that play it headless share it.
void Program_Install();
