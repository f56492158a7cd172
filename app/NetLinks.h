#pragma once
// Connects network play to the parts of the program it may not include: saving,
// the profile's opponents, the table's pictures and the move history.
void NetLinks_Install();
