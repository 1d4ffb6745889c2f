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

TEST(FramePad, PadsAFrameTo33Milliseconds) {
    EXPECT_EQ(FramePad(1000, 1000), 33);
    EXPECT_EQ(FramePad(1000, 1032), 1);
    EXPECT_EQ(FramePad(1000, 1033), 0);
    EXPECT_EQ(FramePad(1000, 1040), 0);
    EXPECT_EQ(FramePad(1000, 61000), 0);
}

TEST(FramePad, SurvivesTheTickCountersWrap) {
    // 2^32 - 10 at the start of the frame, 5 at its end: 15 ms have passed.
    Sint32 justBeforeWrap = static_cast<Sint32>(0xFFFFFFF6u);
    EXPECT_EQ(FramePad(justBeforeWrap, 5), 18);
    EXPECT_EQ(FramePad(justBeforeWrap, 22), 1);
    EXPECT_EQ(FramePad(justBeforeWrap, 23), 0);
    EXPECT_EQ(FramePad(static_cast<Sint32>(0x7FFFFFF0u), static_cast<Sint32>(0x80000000u)), 17);
}
