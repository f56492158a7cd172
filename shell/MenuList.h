#pragma once
// The drawn drop-down list of the table's icon panel and its popup submenus.
#include <QStringList>

class QWidget;

// The rows of menu 1 to 4 as shown now: "caption" TAB "shortcut"; a separator is empty.
QStringList Menu_Rows(int menu);
// Installs the list as the panel's Menu_Open and Menu_Close.
void MenuList_Install();

// The list's window, the top of a row in it, the row lit under the pointer (-1 none) and
// where its shortcut column starts, in pixels of the rows' text.
QWidget* MenuList_Window();
int MenuList_RowTop(int row);
int MenuList_Hovered();
int MenuList_ShortcutColumn();
