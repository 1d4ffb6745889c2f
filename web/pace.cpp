// The browser's frame pacing. Frames keep a grid of FRAME_LENGTH ms of play time, and each comes
// at the refresh nearest its place on the grid, so that the game keeps its pace whatever the
// display's rate: a 144 Hz display shows frames for five refreshes or four (34.7 or 27.8 ms, 33.3
// on average), a 50 Hz one for two, two and one.
#include "pace.h"

#include "game/game.h"

#include <algorithm>
#include <cmath>

const double FRAME_LENGTH = 1000.0 / FPS;
const double LONGEST_REFRESH = 250;
// The refresh period is an average of the last few dozen gaps between refreshes: a window moved
// to another display learns its rate within a second.
const double PERIOD_AVERAGING = 1.0 / 16;
// The browser's time stamps jitter by a millisecond or so about the display's refreshes. Where
// the display's rate holds frames whole (60 Hz, 120, 240), the grid follows the refreshes by
// this share of each frame's distance from its place, so that the frames sit mid-way between the
// places where a jittered time stamp would move them a refresh; elsewhere the grid slides past
// the refreshes faster than this share follows them.
const double GRID_FOLLOWING = 1.0 / 32;
// A gap between refreshes this many periods long is a refresh the browser missed, or more: never
// one refresh whose time stamps jittered (a quarter of a refresh either way). It is play time.
const double MISSED_REFRESH = 1.75;
// Only gaps nearer one period than two measure the display's rate: a missed refresh's does not.
const double ONE_REFRESH_AT_MOST = 1.5;
// So many late refreshes in a row are no missed ones but a slower display, the window moved to
// another: its rate is learnt anew.
const int SLOWER_DISPLAY = 30;

void PaceRefresh(Pace& pace, double now, bool hidden) {
    double elapsed = pace.lastRefresh < 0 ? 0 : now - pace.lastRefresh;
    pace.lastRefresh = now;
    bool stalled = hidden || elapsed >= LONGEST_REFRESH;
    bool missed = pace.refreshPeriod > 0 && elapsed > MISSED_REFRESH * pace.refreshPeriod;
    pace.missedInARow = missed && !stalled ? pace.missedInARow + 1 : 0;
    if (pace.missedInARow == SLOWER_DISPLAY) {
        pace.refreshPeriod = 0;
        pace.missedInARow = 0;
    }
    pace.gap = pace.gap || stalled;
    pace.missed = pace.missed || missed;
    if (elapsed > 0 && !stalled &&
        (pace.refreshPeriod == 0 || elapsed < ONE_REFRESH_AT_MOST * pace.refreshPeriod)) {
        pace.refreshPeriod +=
            (elapsed - pace.refreshPeriod) * (pace.refreshPeriod > 0 ? PERIOD_AVERAGING : 1);
    }
    pace.played = 0;
    if (hidden) {
        return;
    }
    if (stalled) {
        elapsed = std::min(elapsed, pace.refreshPeriod > 0 ? pace.refreshPeriod : FRAME_LENGTH);
    }
    pace.played = elapsed;
    pace.playTime += elapsed;
    ++pace.refreshesUp;
}

bool PaceFrameDue(Pace& pace) {
    double period = pace.refreshPeriod > 0 ? pace.refreshPeriod : FRAME_LENGTH;
    double late = pace.playTime - pace.frameDue;
    bool due = late >= -period / 2;
    // Whatever the time stamps, a frame stays up one refresh longer or shorter than the frame
    // before it, at most; a gap or a missed refresh between them ends the frame when it is due.
    if (pace.lastFrameUp > 0 && !pace.gap && !pace.missed) {
        due = (due && pace.refreshesUp >= pace.lastFrameUp - 1) ||
              pace.refreshesUp > pace.lastFrameUp;
    }
    if (!due) {
        return false;
    }
    // A frame after a gap (a hidden page, a stalled browser) starts a new grid: the game does not
    // hurry to make up lost time. Missed refreshes are play time: their frames keep their places,
    // whatever refreshes show them. The grid follows the refreshes' jitter, never a frame late for
    // a missed refresh.
    bool onGrid = !pace.gap && std::abs(late) < LONGEST_REFRESH;
    double following = std::abs(late) < period ? late * GRID_FOLLOWING : 0;
    pace.frameDue = (onGrid ? pace.frameDue + following : pace.playTime) + FRAME_LENGTH;
    pace.lastFrameUp = onGrid && pace.frameUp && !pace.missed ? pace.refreshesUp : 0;
    pace.frameUp = true;
    pace.refreshesUp = 0;
    pace.gap = false;
    pace.missed = false;
    return true;
}

void PaceHold(Pace& pace) {
    pace.holdLeft = END_SCREEN_HOLD;
}

bool PaceHoldEnds(Pace& pace) {
    pace.holdLeft -= pace.played;
    if (pace.holdLeft > 0) {
        return false;
    }
    pace.holdLeft = 0;
    pace.frameDue = pace.playTime;
    pace.frameUp = false; // the end screen's hold is no frame to measure the next one against
    pace.lastFrameUp = 0;
    return true;
}
