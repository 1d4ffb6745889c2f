// The browser's frame pacing: at each of the display's refreshes, whether the game's next frame is
// due, and whether the end screen's hold is over. Pure arithmetic on the refreshes' time stamps,
// so that a test can drive it without a clock.
#pragma once

struct Pace {
    double playTime = 0;      // ms the page has been on screen since the game started
    double lastRefresh = -1;  // the browser's time stamp of the last refresh
    double refreshPeriod = 0; // ms, learnt from the time stamps; 0 until the second refresh
    double frameDue = 0;      // when the next frame is due, in playTime
    bool frameUp = false;     // whether a frame of the game's steady play is on screen
    int refreshesUp = 0;      // how many refreshes it has been on screen
    int lastFrameUp = 0;      // how many the frame before it was; 0 if none
    bool gap = false;         // a stall or a hidden page since the last frame
    bool missed = false;      // a refresh missed since the last frame
    int missedInARow = 0;     // refreshes in a row that came later than the learnt period allows
    double played = 0;        // ms of play that the last refresh added
    double holdLeft = 0;      // ms of play that the end screen stays up; 0 when it is not up
};

// A frame's length in the browser: 1000 / FPS exactly. The native loop pads a frame to the whole
// FRAME_DELAY, 33 ms; here the exact length lets a 60, 90, 120, 150, 180 or 240 Hz display show
// every frame for the same number of refreshes.
extern const double FRAME_LENGTH; // ms
// A longer gap between two refreshes is a page that was hidden or a browser that stalled: the
// round does not make it up, as the native loop does not make up a late frame, and counts it as
// one refresh of play.
extern const double LONGEST_REFRESH; // ms

// A refresh at the browser's time stamp `now`, and the play time it adds (`played`). While the
// page is hidden the round stands still: none.
void PaceRefresh(Pace& pace, double now, bool hidden);
// The end screen went up: it stays END_SCREEN_HOLD ms of play, and the frame waits for it.
void PaceHold(Pace& pace);
// At a refresh of a shown page while the end screen is up (holdLeft > 0): whether its hold ends
// now. The frame then ends, and the next is due at once.
bool PaceHoldEnds(Pace& pace);
// Whether the game's next frame is due at this refresh of a shown page; if so, it counts as
// shown from now, and the next one is scheduled.
bool PaceFrameDue(Pace& pace);
