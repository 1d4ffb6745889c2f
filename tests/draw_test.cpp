// The frame as the player sees it: pictures, sprites, the HUD and the end screen, in real pixels.
#include "support.h"

class DrawTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        // The HUD's colours would prove nothing if the pictures used them too.
        for (SDL_Surface* picture : {background, player, enemy, endImage}) {
            ASSERT_EQ(CountColor(picture, LIGHT_GREY, WHOLE), 0);
            ASSERT_EQ(CountColor(picture, DARK_GREY, WHOLE), 0);
        }
        EnemyPaddleRect.x = 400;
        EnemyPaddleRect.y = 150;
    }
    // Ends the round on the next frame, with this final score.
    void LastFrameOfRoundWithScore(int score) {
        Lives = 1;
        Frames = 29;
        EndFrame();
        PlayerScore = score;
    }
    // Whether the whole line of text shows in the colour at (x, y).
    bool ShowsWhole(const char* text, int x, int y, Color color) {
        return TextPixelsInColor(Backbuffer, text, x, y, color, 0, SCREEN_HEIGHT) ==
               int(TextPixels(text).size());
    }
    const SDL_Rect WHOLE = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    ShippedPictures shipped;
    SDL_Surface *background = shipped.background, *player = shipped.player;
    SDL_Surface *enemy = shipped.enemy, *endImage = shipped.endImage;
};

// Every flip the game asks for, counted on its way to SDL: the test program is linked with
// --wrap=SDL_Flip, which sends the game's calls here and names SDL's own __real_SDL_Flip.
static int Flips = 0;
extern "C" int __real_SDL_Flip(SDL_Surface* screen);
extern "C" int __wrap_SDL_Flip(SDL_Surface* screen) {
    ++Flips;
    return __real_SDL_Flip(screen);
}

TEST_F(DrawTest, TheFirstFrameShowsTheBackgroundBothSpritesAndTheHudWithTheScore) {
    ComposeFrame();
    // Background where nothing else is, through the sprites' see-through corners too.
    EXPECT_TRUE(ShowsPicture(Backbuffer, background));
    EXPECT_EQ(PixelAt(Backbuffer, 256, 256), PixelAt(background, 256, 256));
    // Sprites at their own places and their own size.
    EXPECT_EQ(PixelAt(Backbuffer, PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y), PixelAt(player, 10, 50));
    EXPECT_EQ(PixelAt(Backbuffer, 256 + 19, 256 + 99 - 8), PixelAt(player, 19, 91));
    EXPECT_EQ(PixelAt(Backbuffer, 410, 170), PixelAt(enemy, 10, 20));
    EXPECT_EQ(PixelAt(Backbuffer, 420, 170), PixelAt(background, 420, 170));

    // Light-grey text in the HUD's rows only, reading what the game's font makes of the lines.
    EXPECT_EQ(CountColor(Backbuffer, LIGHT_GREY, {0, 0, SCREEN_WIDTH, 70}),
              CountColor(Backbuffer, LIGHT_GREY, WHOLE));
    EXPECT_TRUE(ShowsScore(Backbuffer, 0));
    ASSERT_GT(TextPixels("Life: 30").size(), 100u);
    EXPECT_TRUE(ShowsWhole("Life: 30", 0, 30, LIGHT_GREY));
    EXPECT_EQ(CountColor(Backbuffer, DARK_GREY, WHOLE), 0);

    // Shown before the end screen's hold and after it, as the loop does: flipped once.
    int flips = Flips;
    ShowFrame(EndSceene);
    ShowFrame(Backbuffer);
    EXPECT_EQ(Flips - flips, 1);

    PlayerScore = 1230;
    ComposeFrame();
    EXPECT_TRUE(ShowsScore(Backbuffer, 1230));
    EXPECT_FALSE(ShowsScore(Backbuffer, 0));
}

TEST_F(DrawTest, TheRoundsLastFrameShowsTheEndScreenWithTheFinalScore) {
    LastFrameOfRoundWithScore(70);
    ComposeFrame();
    EXPECT_TRUE(DrawnEndScreen);
    // The end image covers the whole frame, sprites included.
    EXPECT_TRUE(ShowsPicture(Backbuffer, endImage));
    EXPECT_EQ(PixelAt(Backbuffer, PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y),
              PixelAt(endImage, PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y));
    EXPECT_EQ(CountColor(Backbuffer, LIGHT_GREY, WHOLE), 0);
    EXPECT_TRUE(ShowsScore(Backbuffer, 70, DARK_GREY));
    EXPECT_TRUE(ShowsWhole("Out of life", 0, 30, DARK_GREY));

    // The next frame starts the new round.
    EndFrame();
    ComposeFrame();
    EXPECT_FALSE(DrawnEndScreen);
    EXPECT_TRUE(ShowsPicture(Backbuffer, background));
    EXPECT_TRUE(ShowsWhole("Life: 30", 0, 30, LIGHT_GREY));
    EXPECT_TRUE(ShowsScore(Backbuffer, 0));
}

TEST_F(DrawTest, WithoutAnEndImageTheDarkTextsLieOverTheNormalFrame) {
    FreeGame();
    ScratchGraphics scratch;
    scratch.Remove(END_SCREEN_FILE);
    ASSERT_TRUE(InitGame()) << StartupError();
    EnemyPaddleRect.x = 400;
    EnemyPaddleRect.y = 150;
    LastFrameOfRoundWithScore(20);
    ComposeFrame();
    EXPECT_TRUE(DrawnEndScreen);
    EXPECT_TRUE(ShowsPicture(Backbuffer, background));
    EXPECT_EQ(PixelAt(Backbuffer, PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y), PixelAt(player, 10, 50));
    // The dark score line comes last: all of it shows.
    EXPECT_TRUE(ShowsWhole("Player Score: 20", 0, 1, DARK_GREY));
    EXPECT_TRUE(ShowsWhole("Out of life", 0, 30, DARK_GREY));
    // Where "Life: 0" and "Out of life" differ, the light line still shows.
    EXPECT_GT(CountColor(Backbuffer, LIGHT_GREY, {0, 30, SCREEN_WIDTH, 40}), 0);
}

TEST_F(DrawTest, AnEnemyPlacedLowIsCutOffAtTheWindowsEdge) {
    EnemyPaddleRect.x = 100;
    EnemyPaddleRect.y = 439;
    ComposeFrame();
    EXPECT_EQ(PixelAt(Backbuffer, 110, 459), PixelAt(enemy, 10, 20));
    EXPECT_EQ(PixelAt(Backbuffer, 110, 511), PixelAt(enemy, 10, 72));
}
