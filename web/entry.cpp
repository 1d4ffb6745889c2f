// Zarn Game in a browser: the entry, and the frame loop run from the display's refreshes.
// The native loop waits in SDL_Delay; a page must not block, so here the browser calls back at
// every refresh and the loop takes the same steps, each when it is due.
#include "game/game.h"
#include "media/media.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cstdio>

// A longer gap between two refreshes is a page that was hidden or a browser that stalled: the
// round does not make it up, as the native loop does not make up a late frame.
const double LONGEST_REFRESH = 100; // ms
// A frame is due once FRAME_DELAY ms have passed since the last one was due, so that frames
// keep a 33 ms grid on average and come at the refresh that first reaches it. Never sooner than
// FRAME_DELAY - EARLY ms after the last frame, though: a 144 Hz screen then shows a frame for
// four refreshes or five (28 or 35 ms, 33 on average), while a 60 or 120 Hz screen, whose
// refreshes cannot land on 33 ms, shows each frame for 33.3 ms, never one refresh less.
const double EARLY = 7; // ms
// Sooner, though, where waiting one refresh more would keep the last frame up more than LATE ms
// too long: two refreshes of a 50 Hz screen are 40 ms, so there frames stay two refreshes, two
// and one (40, 40 and 20 ms), and the game keeps its pace.
const double LATE = 3; // ms
// The refresh period is the shortest gap between refreshes lately: it may grow by this share a
// refresh, so that a refresh the browser skips now and then does not count, while a window moved
// to a slower screen learns it within a few dozen.
const double REFRESH_PERIOD_GROWTH = 1.01;

// Milliseconds of play: the time the page has been on screen since the game started. A hidden
// page gets no refreshes, or ignores them: the round stands still, the end screen's hold too.
static double PlayTime = 0;
static double LastRefresh = -1;  // the browser's time stamp of the last refresh
static double RefreshPeriod = 0; // ms; 0 until the second refresh
static double FrameDue = 0;      // when the next frame is due, in PlayTime
static double HoldLeft = 0;      // how long the end screen stays up; 0 when it is not up

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
        HoldLeft = END_SCREEN_HOLD; // the frame's end waits for the hold
    } else {
        FinishFrame();
    }
    return true;
}

static EM_BOOL Refresh(double now, void*) {
    double elapsed = LastRefresh < 0 ? 0 : std::min(now - LastRefresh, LONGEST_REFRESH);
    LastRefresh = now;
    if (elapsed > 0) {
        RefreshPeriod =
            RefreshPeriod > 0 ? std::min(elapsed, RefreshPeriod * REFRESH_PERIOD_GROWTH) : elapsed;
    }
    if (PageIsHidden()) {
        return EM_TRUE;
    }
    PlayTime += elapsed;
    if (HoldLeft > 0) {
        HoldLeft -= elapsed;
        if (HoldLeft > 0) {
            return EM_TRUE;
        }
        HoldLeft = 0;
        FinishFrame(); // the next frame starts at once, as natively
        FrameDue = PlayTime;
    }
    if (PlayTime < FrameDue) {
        return EM_TRUE;
    }
    if (!PlayFrame()) {
        FreeGame();
        emscripten_async_call(End, NULL, 0);
        return EM_FALSE;
    }
    double soonest = std::min(FRAME_DELAY - EARLY, FRAME_DELAY + LATE - RefreshPeriod);
    FrameDue = std::max(FrameDue + FRAME_DELAY, PlayTime + soonest);
    return EM_TRUE;
}

int main() {
    if (!InitGame()) {
        fprintf(stderr, "zarn: %s\n", StartupError());
        FreeGame();
        return StartupErrorStatus();
    }
    emscripten_request_animation_frame_loop(Refresh, NULL);
    emscripten_exit_with_live_runtime();
}
