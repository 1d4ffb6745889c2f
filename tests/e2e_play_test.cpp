// End to end, a round as a player plays it: the real game in a real X server, played with real
// input, watched on screen.
#include "desktop.h"

#include <algorithm>
#include <cstring>

TEST_F(EndToEnd, OpensTheWindowShowsTheGameAndEndsOnEscape) {
    StartedGame game(*server, SourceDir());
    ASSERT_TRUE(game.Shows(background));
    GameWindow& window = game.window;
    EXPECT_EQ(window.Width(), SCREEN_WIDTH);
    EXPECT_EQ(window.Height(), SCREEN_HEIGHT);
    ExpectTheRequestedSdl(game);
    Picture picture = game.first;
    EXPECT_EQ(PixelAt(picture.get(), PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y), PixelAt(player, 10, 50));
    EXPECT_NE(FindEnemy(picture.get(), enemy), Place()) << "no enemy in 60..439";
    EXPECT_TRUE(ShowsScore(picture.get(), 0));
    EXPECT_GT(CountColor(picture.get(), LIGHT_GREY, {0, 0, SCREEN_WIDTH, SCORE_ROWS_END}), 100);
    EXPECT_EQ(CountColor(picture.get(), LIGHT_GREY, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}),
              CountColor(picture.get(), LIGHT_GREY, {0, 0, SCREEN_WIDTH, 70}));

    window.MovePointer(REST_X, REST_Y);
    window.Key("key", "Escape");
    EXPECT_TRUE(game.EndsSaying(0, "")) << "Escape did not end the game";
    EXPECT_FALSE(GameWindow(*server, 0).Found());

    // Built for another processor and emulated, the game draws the native game's first frame,
    // pixel for pixel: the same pictures, the same font, the same unseeded rand.
    if (getenv("ZARN_GAME_RUNNER") && !UnderWine()) {
        StartedGame native(*server, SourceDir(), {ZARN_BINARY});
        ASSERT_TRUE(native.Shows(background));
        EXPECT_EQ(memcmp(picture->pixels, native.first->pixels, picture->pitch * picture->h), 0);
        native.window.Key("key", "Escape");
        EXPECT_TRUE(native.Ends(0));
    }
}

TEST_F(EndToEnd, TheWindowsCloseButtonEndsTheGame) {
    EXPECT_TRUE(OpensAndCloses(*server, SourceDir()));
}

TEST_F(EndToEnd, ThePointerOnTheMarkerColumnScoresAndTheArrowKeysMoveThePlayer) {
    StartedGame game(*server, SourceDir());
    ASSERT_TRUE(game.Shows(background));
    GameWindow& window = game.window;
    Picture picture;
    Place first = FindEnemy(game.first.get(), enemy);
    ASSERT_NE(first, Place()) << "no enemy on screen";

    // On the marker column, high up in the window: a hit. The enemy jumps, the score shows 10.
    window.MovePointer(first.x + MARKER_OFFSET, 40);
    Place second;
    EXPECT_TRUE(Eventually(GAME_WAIT_MS, [&] {
        picture = window.Capture();
        second = FindEnemy(picture.get(), enemy);
        return second != Place() && second != first;
    })) << "the enemy did not move";
    window.MovePointer(REST_X, REST_Y);
    // Once in 380 runs the new place shares the column, and the resting pointer scores again.
    if (second.x != first.x) {
        EXPECT_TRUE(ShowsScore(picture.get(), 10));
    }

    // Holding Down takes the player to the bottom of the window, and no further however long
    // it is held: until the HUD shows that more frames have run.
    window.Key("keydown", "Down");
    EXPECT_TRUE(Eventually(5000, [&] {
        picture = window.Capture();
        return PixelAt(picture.get(), PLAYER_MIDDLE_X, SCREEN_HEIGHT - 1 - 8) ==
               PixelAt(player, 10, 91);
    })) << "the player did not stop at the bottom edge";
    EXPECT_TRUE(HudChanges(window)) << "no frame ran";
    window.Key("keyup", "Down");
    picture = window.Capture();
    EXPECT_EQ(PlayerTop(picture.get(), player), PLAYER_LOWEST_Y);
    EXPECT_EQ(PixelAt(picture.get(), PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y),
              PixelAt(background, PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y));

    window.Key("key", "Escape");
    EXPECT_TRUE(game.Ends(0));
}

// Life counts down to its last step, the end screen shows the round's final score, and a new
// round follows. That a step is FRAMES_PER_LIFE_STEP frames and the hold END_SCREEN_HOLD ms of the
// game's clock, keys waiting meanwhile, the in-process tests prove.
TEST_F(EndToEnd, TheEndScreenIsHeldAfterTheLastLifeStepAndANewRoundFollows) {
    StartedGame game(*server, SourceDir());
    ASSERT_TRUE(game.HasAWindow());
    GameWindow& window = game.window;
    window.MovePointer(REST_X, REST_Y);
    Picture picture;
    int lowestLife = START_LIVES;
    std::string line;
    auto endScreen = [&] {
        picture = window.Capture();
        if (std::string now = LifeLine(picture); now != line) {
            int life = LifeShown(picture.get());
            lowestLife = life > 0 ? std::min(lowestLife, life) : lowestLife;
            line = now;
        }
        return ShowsPicture(picture.get(), endImage);
    };
    ASSERT_TRUE(Eventually(WithinFrames(START_LIVES * FRAMES_PER_LIFE_STEP), endScreen))
        << "no end screen; Life went down to " << lowestLife;
    EXPECT_EQ(lowestLife, 1) << "the end screen came before Life's last step";
    EXPECT_LE(
        int(TextPixels("Out of life").size()) -
            TextPixelsInColor(picture.get(), "Out of life", 0, 30, DARK_GREY, 0, SCREEN_HEIGHT),
        TextTolerance());
    EXPECT_TRUE(ShowsScore(picture.get(), 0, DARK_GREY));
    EXPECT_EQ(CountColor(picture.get(), LIGHT_GREY, {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT}), 0);

    EXPECT_TRUE(Eventually(WithinFrames(END_SCREEN_HOLD / FRAME_DELAY + 1), [&] {
        picture = window.Capture();
        return ShowsPicture(picture.get(), background) && LifeShown(picture.get()) == START_LIVES;
    })) << "no new round after the end screen";
    window.Key("key", "Escape");
    EXPECT_TRUE(game.Ends(0));
}
