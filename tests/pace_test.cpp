// The browser's frame pacing on simulated displays: every refresh rate from 48 to 240 Hz, their
// time stamps jittered by up to a millisecond either way, ten minutes of play each.
#include "game/game.h"
#include "web/pace.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// A display at `hz` for `seconds`: the refresh at which each frame came. From hiddenFrom, for
// hiddenFor seconds, the page is hidden; then, for as long again, the browser stalls. A busy
// browser misses every missEvery-th refresh.
static std::vector<int> FramesShown(int hz, double seconds, double hiddenFrom = 0,
                                    double hiddenFor = 0, Pace* pace = nullptr, int missEvery = 0) {
    Pace own;
    pace = pace ? pace : &own;
    std::mt19937 random(hz);
    std::uniform_real_distribution<double> jitter(-1, 1);
    std::vector<int> frames;
    for (int refresh = 0; refresh < seconds * hz; ++refresh) {
        double now = 1000.0 * refresh / hz;
        bool hidden = now >= 1000 * hiddenFrom && now < 1000 * (hiddenFrom + hiddenFor);
        bool stalled =
            (now >= 1000 * (hiddenFrom + hiddenFor) && now < 1000 * (hiddenFrom + 2 * hiddenFor)) ||
            (missEvery && refresh % missEvery == 0);
        if (!stalled && (PaceRefresh(*pace, 5000 + now + jitter(random), hidden), !hidden) &&
            PaceFrameDue(*pace)) {
            frames.push_back(refresh);
        }
    }
    return frames;
}

TEST(BrowserPace, EveryRefreshRateKeepsTheGamesPaceAndFramesEvenlyUp) {
    const double SECONDS = 600;
    for (int hz = 48; hz <= 240; ++hz) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        std::vector<int> frames = FramesShown(hz, SECONDS);
        double stepsPerSecond = frames.size() / SECONDS;
        EXPECT_GE(stepsPerSecond, 29.9);
        EXPECT_LE(stepsPerSecond, 30.4);
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

TEST(BrowserPace, AHiddenPageOrAStalledBrowserIsNotMadeUp) {
    for (int hz : {50, 60, 144}) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        // Ten seconds, hidden from the third for two, then a stall of two, and a refresh in 37
        // missed.
        Pace pace;
        std::vector<int> frames = FramesShown(hz, 10, 3, 2, &pace, 37);
        // The round stood still: six seconds of play, and no frame in the gap.
        EXPECT_NEAR(pace.playTime, 6000, 2 * LONGEST_REFRESH);
        EXPECT_NEAR(frames.size(), 6 * FPS, 6);
        for (size_t i = 1; i < frames.size(); ++i) {
            EXPECT_FALSE(frames[i] > 3 * hz && frames[i] < 7 * hz) << frames[i];
            // Nor, after it, frames in a hurry.
            EXPECT_GE(frames[i] - frames[i - 1], hz / FPS) << "at refresh " << frames[i];
        }
    }
}
