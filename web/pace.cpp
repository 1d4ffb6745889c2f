// The browser's frame pacing. Frames keep a grid of FRAME_LENGTH ms of play time, and each comes
// at the refresh nearest its place on the grid, so that the game keeps its pace whatever the
// display's rate: a 144 Hz display shows frames for five refreshes or four (34.7 or 27.8 ms, 33.3
// on average), a 50 Hz one for two, two and one.
#include "pace.h"

#include "game/game.h"

#include <algorithm>
#include <cmath>

const double FRAME_LENGTH = 1000.0 / FPS;
const double LONGEST_REFRESH = 100;
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
// one refresh whose time stamps jittered (at 240 Hz a millisecond is a quarter of a refresh).
const double MISSED_REFRESH = 1.75;

double PaceRefresh(Pace& pace, double now, bool hidden) {
    double elapsed = pace.lastRefresh < 0 ? 0 : now - pace.lastRefresh;
    pace.lastRefresh = now;
    pace.gap = pace.gap || hidden || elapsed >= LONGEST_REFRESH ||
               (pace.refreshPeriod > 0 && elapsed > MISSED_REFRESH * pace.refreshPeriod);
    if (elapsed > 0 && elapsed < LONGEST_REFRESH) {
        pace.refreshPeriod +=
            (elapsed - pace.refreshPeriod) * (pace.refreshPeriod > 0 ? PERIOD_AVERAGING : 1);
    }
    if (hidden) {
        return 0;
    }
    elapsed = std::min(elapsed, LONGEST_REFRESH);
    pace.playTime += elapsed;
    ++pace.refreshesUp;
    return elapsed;
}

bool PaceFrameDue(Pace& pace) {
    double period = pace.refreshPeriod > 0 ? pace.refreshPeriod : FRAME_LENGTH;
    double late = pace.playTime - pace.frameDue;
    bool due = late >= -period / 2;
    // Whatever the time stamps, a frame stays up one refresh longer or shorter than the frame
    // before it, at most; a gap between them ends the frame at once.
    if (pace.lastFrameUp > 0 && !pace.gap) {
        due = (due && pace.refreshesUp >= pace.lastFrameUp - 1) ||
              pace.refreshesUp > pace.lastFrameUp;
    }
    if (!due) {
        return false;
    }
    // A frame after a gap, or more than a refresh off its place (after the end screen's hold),
    // starts a new grid: the game does not hurry to make up lost time.
    bool onGrid = !pace.gap && std::abs(late) < period;
    pace.frameDue = (onGrid ? pace.frameDue + late * GRID_FOLLOWING : pace.playTime) + FRAME_LENGTH;
    pace.lastFrameUp = onGrid && pace.frameUp ? pace.refreshesUp : 0;
    pace.frameUp = true;
    pace.refreshesUp = 0;
    pace.gap = false;
    return true;
}

void PaceRestart(Pace& pace) {
    pace.frameDue = pace.playTime;
    pace.frameUp = false; // the end screen's hold is no frame to measure the next one against
    pace.lastFrameUp = 0;
}
