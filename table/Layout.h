#pragma once
// The table's card places, and a dump of where every control stands.
#include "engine/Model.h"
#include "table/LayoutGameSize.h"
#include "table/TableHooks.h"
#include "table/TableState.h"

#include <functional>

using Places = ControlArray<PictureBox>;

// One line per control, "Name(index) left top width height visible", sorted; tests compare it.
QString Layout_Dump();
