// Zarn Game: the steps of one frame and the round timer.
#include "game.h"

#include "media/media.h"

#include <algorithm>

// F11, as in most programs, or Alt+Enter, as in most games.
static bool AsksForFullScreen(const SDL_keysym& key) {
    return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
}

// The only drain of the event queue: the keyboard, pad and pointer state that the update step
// reads is as of here. Switching to full screen and back happens here too, between frames: the
// round goes on as it was.
bool ProgramIsRunning() {
    bool running = true;
    WatchPads();
    SDL_Event event;
    while (SDL_PollEvent(&event)) { // drained to the end, even after a quit request
        NotePadEvent(event);
        if (event.type == SDL_MOUSEMOTION) {
            NoteMouseMotion(event.motion.x, event.motion.y);
        }
        if (event.type == SDL_QUIT) {
            running = false;
        }
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) {
            running = false;
        }
        if (event.type == SDL_KEYDOWN && AsksForFullScreen(event.key.keysym) &&
            !ToggleFullScreen()) {
            running = false; // no window to play in: the loop ends and says why
        }
    }
    return running;
}

void ComposeFrame() {
    ClearFrame();
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

// The end screen stays up for END_SCREEN_HOLD ms, and input waits for the next drain. Meanwhile
// SDL reads the system's messages now and then, so that the desktop does not mark the window as
// not responding (Windows does after 5 s) and shows what was flipped; the events that this
// brings in stay in SDL's queue until then.
void HoldEndScreen() {
    const Uint32 step = 50;
    Uint32 start = SDL_GetTicks();
    Uint32 held = 0;
    while (held < END_SCREEN_HOLD) {
        SDL_PumpEvents();
        SDL_Delay(std::min(step, END_SCREEN_HOLD - held));
        held = SDL_GetTicks() - start;
    }
}

void RunFrame() {
    Sint32 oldTime = SDL_GetTicks();
    ComposeFrame();
    int pad = FramePad(oldTime, SDL_GetTicks());
    if (pad > 0) {
        SDL_Delay(pad);
    }
    ShowFrame(EndSceene);
    if (DrawnEndScreen) {
        HoldEndScreen();
    }
    EndFrame();
    ShowFrame(Backbuffer);
}

void EndFrame() {
    DrawnEndScreen = false;
    Frames++;
    if (Frames == FRAMES_PER_LIFE_STEP) {
        Lives--;
        Frames = 0;
    }
}
