// The rules of play: scoring with the pointer, moving with the arrow keys.
#include "game/game.h"

#include <gtest/gtest.h>

class PlayerTest : public ::testing::Test {
  protected:
    void SetUp() override { PlaceEnemy(); }
    // A fresh start with the enemy at a known place: its marker column is 120, its row 320.
    void PlaceEnemy() {
        PlayerScore = 0;
        ResetGame();
        EnemyPaddleRect.x = 100;
        EnemyPaddleRect.y = 300;
    }
};

// A pointer coordinate far from the marker column and row.
const int AWAY = 5;

TEST_F(PlayerTest, ThePointerScoresOnTheMarkerColumnOrRowOnly) {
    const struct {
        int x, y;
        bool scores;
    } cases[] = {
        {120, AWAY, true},  {120, 511, true},   {AWAY, 320, true},  {480, 320, true},
        {119, AWAY, false}, {121, AWAY, false}, {AWAY, 319, false}, {AWAY, 321, false},
        {100, 300, false}, // the enemy's own corner is no target
    };
    for (const auto& c : cases) {
        PlaceEnemy();
        ApplyPlayerRules(false, false, c.x, c.y);
        EXPECT_EQ(PlayerScore, c.scores ? 10 : 0) << "at (" << c.x << ", " << c.y << ")";
    }
}

TEST_F(PlayerTest, AHitPlacesBothSpritesAnewAndScoresOnce) {
    PlayerPaddleRect.y = 40;
    ApplyPlayerRules(false, false, 120, 320); // on the column and the row at once
    EXPECT_EQ(PlayerScore, 10);
    EXPECT_EQ(PlayerPaddleRect.y, 256);
    EXPECT_FALSE(EnemyPaddleRect.x == 100 && EnemyPaddleRect.y == 300);
}

TEST_F(PlayerTest, AfterAHitTheKeysMoveThePlayerFromTheMiddle) {
    PlayerPaddleRect.y = 400;
    ApplyPlayerRules(true, false, 120, AWAY);
    EXPECT_EQ(PlayerPaddleRect.y, 246);
}

TEST_F(PlayerTest, ArrowKeysMoveTenPixelsAndStopAtTheWindowsEdges) {
    struct Case {
        int y;
        bool up, down;
        int expected;
    } cases[] = {
        {256, true, false, 246}, {256, false, true, 266}, {256, true, true, 256},
        {6, true, false, 0},     {0, true, false, 0},     {406, false, true, 412},
        {412, false, true, 412}, {412, true, false, 402},
    };
    for (const Case& c : cases) {
        PlayerPaddleRect.y = c.y;
        ApplyPlayerRules(c.up, c.down, AWAY, AWAY);
        EXPECT_EQ(PlayerPaddleRect.y, c.expected)
            << "from " << c.y << " up " << c.up << " down " << c.down;
        EXPECT_EQ(PlayerPaddleRect.x, 256);
    }
}

// A stick's tilt, -32768 to 32767, to the pointer's move in game pixels a frame: none within
// the dead zone, one just past it, and at full tilt across the window in half a second (15 frames).
TEST(PointerStep, GrowsFromOnePixelPastTheDeadZoneToTheWindowInHalfASecond) {
    const int cases[][2] = {{0, 0},        {8191, 0},   {-8191, 0},   {8192, 1},
                            {-8192, -1},   {9830, 1},   {16384, 4},   {20480, 9},
                            {-24576, -16}, {32767, 35}, {-32768, -35}};
    for (const auto& c : cases) {
        EXPECT_EQ(PointerStep(c[0]), c[1]) << "tilt " << c[0];
    }
}
