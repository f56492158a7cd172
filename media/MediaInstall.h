#pragma once
// Puts the personalities and the media lists into start-up and the profile's
// loading: call once after Startup_Install.
void Media_Install();
