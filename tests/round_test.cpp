// The round: placing the sprites, the Life countdown, the end screen and the frame pad, on the
// game's own clock.
#include "support.h"

#include <algorithm>

// The round's tests run on a clock of their own: the test program is linked with --wrap for
// SDL_GetTicks and SDL_Delay, which sends the game's calls here; a wait moves the clock at once.
static bool OnTheTestsClock = false;
static Uint32 Ticks = 0, LongestDelay = 0;
extern "C" Uint32 __real_SDL_GetTicks();
extern "C" void __real_SDL_Delay(Uint32 ms);
extern "C" Uint32 __wrap_SDL_GetTicks() {
    return OnTheTestsClock ? Ticks : __real_SDL_GetTicks();
}
extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    if (!OnTheTestsClock) {
        return __real_SDL_Delay(ms);
    }
    Ticks += ms;
    LongestDelay = std::max(LongestDelay, ms);
}
class RoundTest : public GameTest {
    void SetUp() override {
        GameTest::SetUp();
        OnTheTestsClock = true;
        Ticks = 1000;
        LongestDelay = 0;
    }
    void TearDown() override {
        OnTheTestsClock = false;
        GameTest::TearDown();
    }
};

TEST_F(RoundTest, ResetPlacesTheEnemyAnywhereIn60To439AndThePlayerBackInTheMiddle) {
    int lowX = 1000, highX = -1, lowY = 1000, highY = -1;
    for (int i = 0; i < 20000; ++i) {
        PlayerPaddleRect.y = 3;
        ResetGame();
        ASSERT_EQ(PlayerPaddleRect.x, 256);
        ASSERT_EQ(PlayerPaddleRect.y, 256);
        ASSERT_EQ(EnemyPaddleRect.w, 20);
        ASSERT_EQ(EnemyPaddleRect.h, 100);
        lowX = std::min<int>(lowX, EnemyPaddleRect.x);
        highX = std::max<int>(highX, EnemyPaddleRect.x);
        lowY = std::min<int>(lowY, EnemyPaddleRect.y);
        highY = std::max<int>(highY, EnemyPaddleRect.y);
    }
    EXPECT_EQ(lowX, 60);
    EXPECT_EQ(highX, 439);
    EXPECT_EQ(lowY, 60);
    EXPECT_EQ(highY, 439);
}

TEST_F(RoundTest, PositionsCarryOverIntoTheNextRound) {
    Lives = 0;
    PlayerPaddleRect.y = 0;
    SDL_Rect enemy = EnemyPaddleRect;
    ASSERT_TRUE(StepFrame());
    EXPECT_EQ(PlayerPaddleRect.y, 0);
    EXPECT_EQ(EnemyPaddleRect.x, enemy.x);
    EXPECT_EQ(EnemyPaddleRect.y, enemy.y);
}

// On the game's clock, where a frame takes no time but its pad: the first round is Life 30 for 30
// frames of 33 ms, ..., Life 1 for 30, then the end screen, held five seconds, shows the final
// score; the next rounds are 900 frames, for the end screen's frame counts toward the first step.
// During the hold SDL reads the system's messages every 50 ms at most; the keys pressed wait for
// the next drain, and Escape ends the game there.
TEST_F(RoundTest, LifeDropsEveryThirtyFramesOf33MillisecondsAndTheEndScreenIsHeld) {
    EXPECT_EQ(PlayerScore, 0);
    for (int frame = 0; frame < 900; ++frame) {
        ASSERT_EQ(Lives, START_LIVES - frame / FRAMES_PER_LIFE_STEP) << "before frame " << frame;
        RunFrame();
        ASSERT_EQ(Ticks, Uint32(1000 + (frame + 1) * FRAME_DELAY));
    }
    PlayerScore = 40;
    SDL_Event escape = {};
    escape.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&escape), 0);
    RunFrame();
    EXPECT_EQ(Ticks, Uint32(1000 + 901 * FRAME_DELAY + END_SCREEN_HOLD));
    EXPECT_LE(LongestDelay, 50u);
    EXPECT_FALSE(ProgramIsRunning());
    EXPECT_EQ(Lives, START_LIVES);
    EXPECT_EQ(PlayerScore, 0);
    int frames = 1;
    for (; Lives == START_LIVES; ++frames) {
        RunFrame();
    }
    EXPECT_EQ(frames, FRAMES_PER_LIFE_STEP);
    EXPECT_EQ(Ticks, Uint32(1000 + 930 * FRAME_DELAY + END_SCREEN_HOLD));
}
