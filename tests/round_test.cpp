// The round: placing the sprites, the Life countdown, the end screen and the frame pad.
#include "support.h"

#include <algorithm>

using RoundTest = GameTest;

TEST_F(RoundTest, StartsWithFullLifeNoScoreAndThePlayerInTheMiddle) {
    EXPECT_EQ(PlayerScore, 0);
    EXPECT_EQ(Lives, 30);
    EXPECT_EQ(PlayerPaddleRect.x, 256);
    EXPECT_EQ(PlayerPaddleRect.y, 256);
    EXPECT_EQ(PlayerPaddleRect.w, 20);
    EXPECT_EQ(PlayerPaddleRect.h, 100);
}

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

TEST_F(RoundTest, LifeDropsEveryThirtyFramesAndTheRoundEndsOnTheEndScreen) {
    // The first round: Life 30 for 30 frames, ..., Life 1 for 30 frames, then the end screen.
    for (int frame = 0; frame < 900; ++frame) {
        ASSERT_EQ(Lives, 30 - frame / 30) << "before frame " << frame;
        ASSERT_FALSE(StepFrame()) << "frame " << frame;
    }
    EXPECT_EQ(Lives, 0);
    PlayerScore = 40;
    ComposeFrame();
    EXPECT_TRUE(DrawnEndScreen);
    EXPECT_EQ(Lives, 30);
    EXPECT_EQ(PlayerScore, 0);
    EndFrame();
    EXPECT_FALSE(DrawnEndScreen);

    // The end-screen frame counts toward the new round's first Life step: 900 frames a round.
    int frames = 1;
    while (!StepFrame()) {
        ASSERT_LT(++frames, 2000);
    }
    EXPECT_EQ(frames + 1, 901);
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

// A frame is padded to 33 ms, across the tick counter's wrap too: 2^32 - 10 at the start of a
// frame and 5 at its end is 15 ms.
TEST(FramePad, PadsAFrameTo33MillisecondsAcrossTheTickCountersWrap) {
    const struct {
        Uint32 start, end;
        int pad;
    } cases[] = {
        {1000, 1000, 33},     {1000, 1032, 1},      {1000, 1033, 0},
        {1000, 1040, 0},      {1000, 61000, 0},     {0xFFFFFFF6u, 5, 18},
        {0xFFFFFFF6u, 22, 1}, {0xFFFFFFF6u, 23, 0}, {0x7FFFFFF0u, 0x80000000u, 17},
        {1000, 999, 0}, // a clock that stepped back: no wait
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FramePad(Sint32(c.start), Sint32(c.end)), c.pad) << c.start << " to " << c.end;
    }
}
