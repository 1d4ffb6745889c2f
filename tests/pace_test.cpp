// The browser's frame pacing on simulated displays: every refresh rate from 48 to 500 Hz, their
// time stamps jittered by up to a millisecond (a quarter of a refresh, where that is less) either
// way, busy browsers that miss refreshes, hidden pages and stalls, and the end screen's hold.
#include "game/game.h"
#include "web/pace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

// A page on a display at `hz` for `seconds`; a busy browser misses each refresh with the chance
// `missed`. From hiddenFrom, for hiddenFor seconds, the page is hidden, then the browser stalls
// as long; from holdFrom, the next frame is the end screen. Then what the page did: the refreshes
// with a frame, when the end screen went up and its hold ended, and whether a frame came then.
struct Played {
    int hz;
    double seconds, missed = 0, hiddenFrom = 0, hiddenFor = 0, holdFrom = -1;
    Pace pace = {};
    std::vector<int> frames = {};
    double held = -1, holdEnded = -1;
    bool frameAtOnce = false;
};

static Played Play(Played page) {
    std::mt19937 random(page.hz);
    double period = 1000.0 / page.hz, jitter = std::min(1.0, period / 4);
    std::uniform_real_distribution<double> jittered(-jitter, jitter), chance(0, 1);
    double hiddenFrom = 1000 * page.hiddenFrom, shownFrom = hiddenFrom + 1000 * page.hiddenFor;
    for (int refresh = 0; refresh < page.seconds * page.hz; ++refresh) {
        double now = refresh * period, stamp = 5000 + now + jittered(random);
        bool hidden = now >= hiddenFrom && now < shownFrom;
        if ((now >= shownFrom && now < 2 * shownFrom - hiddenFrom) ||
            chance(random) < page.missed) {
            continue;
        }
        PaceRefresh(page.pace, stamp, hidden);
        bool holding = page.pace.holdLeft > 0;
        if (hidden || (holding && !PaceHoldEnds(page.pace))) {
            continue;
        }
        bool due = PaceFrameDue(page.pace);
        if (holding) {
            page.holdEnded = stamp;
            page.frameAtOnce = due;
        }
        if (due) {
            page.frames.push_back(refresh);
            if (page.holdFrom >= 0 && page.held < 0 && now >= 1000 * page.holdFrom) {
                PaceHold(page.pace);
                page.held = stamp;
            }
        }
    }
    return page;
}

// How many frames came from second `from` to second `to`.
static double FramesIn(const Played& page, double from, double to) {
    return std::count_if(page.frames.begin(), page.frames.end(),
                         [&](int f) { return f >= from * page.hz && f < to * page.hz; });
}
// Whether the frames came 29.9 to 30.4 times a second over the whole play.
static void ExpectThePace(const Played& page) {
    EXPECT_GE(FramesIn(page, 0, page.seconds) / page.seconds, 29.9);
    EXPECT_LE(FramesIn(page, 0, page.seconds) / page.seconds, 30.4);
}

TEST(BrowserPace, EveryRefreshRateKeepsTheGamesPaceAndFramesEvenlyUp) {
    for (int hz = 48; hz <= 500; ++hz) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        Played page = Play({hz, 300});
        std::vector<int>& frames = page.frames;
        ExpectThePace(page);
        // After the first second, in which the rate is learnt: no frame up more than one refresh
        // longer or shorter than the one before, and where 30 frames fit the rate whole, each
        // frame for as many refreshes as every other.
        int evenly = hz % FPS == 0 ? hz / FPS : 0;
        int unevenFrames = 0;
        for (size_t i = 2; i < frames.size(); ++i) {
            int up = frames[i] - frames[i - 1], before = frames[i - 1] - frames[i - 2];
            if (frames[i - 2] >= hz) {
                unevenFrames += std::abs(up - before) > 1 || (evenly && up != evenly);
            }
        }
        EXPECT_EQ(unevenFrames, 0);
    }
}

// A busy browser misses refreshes at random: their time is play all the same, and no measure of
// the display's rate. Below 60 Hz, a third missed leaves barely more refreshes than frames.
TEST(BrowserPace, RefreshesMissedAtRandomKeepThePace) {
    for (int hz : {48, 50, 60, 75, 90, 120, 144, 165, 240, 360, 480, 500}) {
        for (double missed : {0.1, 1.0 / 3}) {
            if (hz < 60 && missed > 0.1) {
                continue;
            }
            SCOPED_TRACE(std::to_string(hz) + " Hz, missing " + std::to_string(missed));
            Played page = Play({hz, 120, missed});
            ExpectThePace(page);
            EXPECT_NEAR(page.pace.refreshPeriod, 1000.0 / hz, 50.0 / hz);
        }
    }
}

TEST(BrowserPace, AHiddenPageOrAStalledBrowserIsNotMadeUp) {
    for (int hz : {50, 60, 144, 480}) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        // Ten seconds, hidden from the third for two, then a stall of two, and a refresh in 37
        // missed.
        Played page = Play({hz, 10, 1.0 / 37, 3, 2});
        // The round stood still: six seconds of play, the stall counted as one refresh, and no
        // frame in the gap; nor, after it, frames in a hurry.
        EXPECT_NEAR(page.pace.playTime, 6000, 3 * 1000.0 / hz);
        EXPECT_NEAR(FramesIn(page, 0, 10), 6 * FPS, 6);
        EXPECT_EQ(FramesIn(page, 3, 7), 0);
        EXPECT_LE(FramesIn(page, 7, 8), FPS + 1);
    }
}

// The end screen stays up END_SCREEN_HOLD ms of play, to the refresh: a hidden page's time and a
// stall do not count, and the next frame comes at once.
TEST(BrowserPace, TheEndScreenIsHeldFiveSecondsOfPlay) {
    for (int hz : {48, 60, 144, 240, 500}) {
        double period = 1000.0 / hz;
        for (double hidden : {0, 2}) {
            SCOPED_TRACE(std::to_string(hz) + " Hz, hidden for " + std::to_string(hidden) + " s");
            Played played = Play({hz, 12, 0, 2, hidden, 1});
            ASSERT_GE(played.holdEnded, 0) << "the hold did not end";
            double shown = played.holdEnded - played.held - 2000 * hidden;
            EXPECT_GE(shown, END_SCREEN_HOLD - period - 1);
            EXPECT_LE(shown, END_SCREEN_HOLD + 2 * period + 1);
            EXPECT_TRUE(played.frameAtOnce);
        }
    }
}
