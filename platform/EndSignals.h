#pragma once
// A desktop's logout (SIGTERM) or a terminal's Ctrl+C (SIGINT) ends the program the way its
// window's close does: the signal only wakes the event loop, which then runs the close.
#include <functional>

namespace platform {

// From now on the first SIGTERM or SIGINT runs `end` from the event loop; a second one, while
// the first is still being handled, ends the program at once as it would without us.
void EndSignals_Install(std::function<void()> end);

} // namespace platform
