// Zarn Game in a browser: the entry, and the frame loop run from the display's refreshes.
// The native loop waits in SDL_Delay; a page must not block, so here the browser calls back at
// every refresh and the loop takes the same steps, each when it is due.
#include "game/game.h"
#include "media/media.h"
#include "pace.h"

#include <emscripten.h>
#include <emscripten/html5.h>

// When each frame is due, and when the end screen's hold ends, from the refreshes' time stamps
// (pace.cpp). A hidden page gets no refreshes, or ignores them: the round stands still, the end
// screen's hold too.
static Pace FramePace;

static bool PageIsHidden() {
    EmscriptenVisibilityChangeEvent visibility;
    return emscripten_get_visibility_status(&visibility) == EMSCRIPTEN_RESULT_SUCCESS &&
           visibility.hidden;
}

// The last of the game: the page's onExit shows "Play again" over its last picture. Called
// from a timer, whose wrapper lets exit end the program quietly.
static void End(void*) {
    emscripten_force_exit(0);
}

// The end of a frame, after any hold: one frame nearer the next Life step.
static void FinishFrame() {
    EndFrame();
    ShowFrame(Backbuffer);
}

// One frame, as the native loop's pass takes it, but for the pad: the frame came when it was due.
// False when the game is over.
static bool PlayFrame() {
    if (!ProgramIsRunning()) {
        return false;
    }
    ComposeFrame();
    ShowFrame(EndSceene);
    if (DrawnEndScreen) {
        PaceHold(FramePace); // the frame's end waits for the hold
    } else {
        FinishFrame();
    }
    return true;
}

static EM_BOOL Refresh(double now, void*) {
    bool hidden = PageIsHidden();
    PaceRefresh(FramePace, now, hidden);
    if (hidden) {
        return EM_TRUE;
    }
    if (FramePace.holdLeft > 0) {
        if (!PaceHoldEnds(FramePace)) {
            return EM_TRUE;
        }
        FinishFrame(); // the next frame starts at once, as natively
    }
    if (!PaceFrameDue(FramePace)) {
        return EM_TRUE;
    }
    if (!PlayFrame()) {
        FreeGame();
        emscripten_async_call(End, NULL, 0);
        return EM_FALSE;
    }
    return EM_TRUE;
}

int main() {
    if (!InitGame()) {
        int status = ReportStartupError();
        FreeGame();
        return status;
    }
    emscripten_request_animation_frame_loop(Refresh, NULL);
    emscripten_exit_with_live_runtime();
}
