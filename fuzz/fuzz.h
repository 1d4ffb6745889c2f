// Fuzzer support: the game's media brought up on SDL's dummy video driver once per process.
#pragma once

#include "game/game.h"
#include "media/media.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!InitSDL()) {
        abort(); // nothing to fuzz without a display surface
    }
    return 0;
}
