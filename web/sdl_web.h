// Zarn Game in a browser: what emscripten's SDL 1.2 implements but its headers do not declare.
// Included ahead of every source file of the browser build.
#pragma once

#include <SDL.h>

extern "C" Uint8* SDL_GetKeyState(int* numkeys);
