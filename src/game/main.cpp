// Zarn Game: the entry and the frame loop.
#include "game.h"

#include "../media/media.h"

#include <cstdio>

int SDL_main(int argc, char* argv[]) {
    (void)argc;
    (void)argv;
    if (!InitGame()) {
        fprintf(stderr, "zarn: %s\n", StartupError());
        FreeGame();
        return 1;
    }
    while (ProgramIsRunning()) {
        Sint32 oldTime = SDL_GetTicks();
        ComposeFrame();
        int pad = FramePad(oldTime, SDL_GetTicks());
        if (pad > 0) {
            SDL_Delay(pad);
        }
        SDL_Flip(EndSceene);
        if (DrawnEndScreen) {
            SDL_Delay(5000); // the end screen stays up; input waits until the next drain
        }
        EndFrame();
        SDL_Flip(Backbuffer);
    }
    FreeGame();
    return 0;
}

#ifndef main
// SDL renames main only where it brings its own process entry; elsewhere this is it.
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
