#include "media/MediaState.h"

MediaState Med;
MediaHooks MedHooks;

void Media_Reset() {
    Med = MediaState{};
    MedHooks = MediaHooks{};
}
