// The browser's frame pacing: at each of the display's refreshes, whether the game's next frame is
// due. Pure arithmetic on the refreshes' time stamps, so that a test can drive it without a clock.
#pragma once

struct Pace {
    double playTime = 0;      // ms the page has been on screen since the game started
    double lastRefresh = -1;  // the browser's time stamp of the last refresh
    double refreshPeriod = 0; // ms, learnt from the time stamps; 0 until the second refresh
    double frameDue = 0;      // when the next frame is due, in playTime
    bool frameUp = false;     // whether a frame of the game's steady play is on screen
    int refreshesUp = 0;      // how many refreshes it has been on screen
    int lastFrameUp = 0;      // how many the frame before it was; 0 if none
    bool gap = false;         // a refresh missed, a stall or a hidden page since the last frame
};

// A frame's length in the browser: 1000 / FPS exactly. The native loop pads a frame to the whole
// FRAME_DELAY, 33 ms; here the exact length lets a 60, 90, 120, 150, 180 or 240 Hz display show
// every frame for the same number of refreshes.
extern const double FRAME_LENGTH; // ms
// A longer gap between two refreshes is a page that was hidden or a browser that stalled: the
// round does not make it up, as the native loop does not make up a late frame.
extern const double LONGEST_REFRESH; // ms

// A refresh at the browser's time stamp `now`: the play time it adds. While the page is hidden
// the round stands still: none.
double PaceRefresh(Pace& pace, double now, bool hidden);
// Whether the game's next frame is due at this refresh of a shown page; if so, it counts as
// shown from now, and the next one is scheduled.
bool PaceFrameDue(Pace& pace);
// The end screen's hold is over: the next frame is due at once.
void PaceRestart(Pace& pace);
