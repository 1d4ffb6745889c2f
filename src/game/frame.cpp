// Zarn Game: the steps of one frame and the round timer.
#include "game.h"

#include "media/media.h"

// The only event pump: the keyboard and pointer state that the update step reads is as of here.
bool ProgramIsRunning() {
    bool running = true;
    SDL_Event event;
    while (SDL_PollEvent(&event)) { // drained to the end, even after a quit request
        if (event.type == SDL_QUIT) {
            running = false;
        }
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
            running = false;
        }
    }
    return running;
}

void ComposeFrame() {
    SDL_FillRect(Backbuffer, NULL, 0);
    SDL_FillRect(EndSceene, NULL, 0);
    RunGame();
    DrawGame();
    if (Lives == 0) {
        StartRound(); // this frame was drawn with the round's final values
    }
}

// How long to wait so that a frame lasts FRAME_DELAY ms. The difference wraps like the tick
// counter does, so the counter's wrap after 49.7 days does not stall the game.
int FramePad(Sint32 oldTime, Sint32 now) {
    Sint32 frameTime = static_cast<Sint32>(static_cast<Uint32>(now) - static_cast<Uint32>(oldTime));
    if (frameTime < 0 || frameTime >= FRAME_DELAY) {
        return 0; // a late frame is not made up later
    }
    return FRAME_DELAY - frameTime;
}

void EndFrame() {
    DrawnEndScreen = false;
    Frames++;
    if (Frames == FPS) {
        Lives--;
        Frames = 0;
    }
}
