#pragma once
// The drawn drop-down list of the table's icon panel and its popup submenus.
#include <QStringList>

// The rows of menu 1 to 4 as shown now: "caption" TAB "shortcut"; a separator is empty.
QStringList Menu_Rows(int menu);
// Installs the list as the panel's Menu_Open and Menu_Close.
void MenuList_Install();
