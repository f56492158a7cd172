#pragma once
// Puts the help, the tip of the day, the splash and the About window into the
// hooks and menus that reach them.
void Help_Install();
