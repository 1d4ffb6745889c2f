// End to end on a big screen: the game scaled by whole numbers, in a window or over the whole
// screen, and the pointer finding its game pixel.
#include "desktop.h"

#include <algorithm>
#include <memory>
#include <utility>

// The game's own picture from the window's, where each game pixel is a scale x scale block with
// its corner at (left, top); blocks not of one colour are counted in *mixed.
static Picture GamePixels(const Picture& window, int scale, int left, int top, int* mixed) {
    Picture game(SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32, 0xff0000,
                                      0x00ff00, 0x0000ff, 0),
                 SDL_FreeSurface);
    *mixed = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(game->pixels) + y * game->pitch);
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            Color c = PixelAt(window.get(), left + x * scale, top + y * scale);
            for (int k = 1; k < scale * scale; ++k) {
                *mixed += PixelAt(window.get(), left + x * scale + k % scale,
                                  top + y * scale + k / scale) != c;
            }
            row[x] = Uint32(c.r << 16 | c.g << 8 | c.b);
        }
    }
    return game;
}

// A big screen: the game scaled by whole numbers, in a window or over the whole screen.
class BigScreen : public EndToEnd {
  protected:
    // Where the window shows the game: its scale, and its picture's corner.
    struct {
        int scale = 1, left = 0, top = 0;
    } at;
    // The game's picture in the window now; blocks not of one colour are counted in `mixed`.
    Picture Seen(const GameWindow& window) {
        return GamePixels(window.Capture(), at.scale, at.left, at.top, &mixed);
    }
    // The game's picture in the window, once it shows the game.
    Picture ShowsTheGame(const GameWindow& window) {
        Picture game;
        EXPECT_TRUE(
            Eventually(5000, [&] { return ShowsPicture((game = Seen(window)).get(), background); }))
            << "no game at " << at.scale << "x at (" << at.left << ", " << at.top << ")";
        EXPECT_EQ(mixed, 0) << "game pixels that are not " << at.scale << "x blocks";
        return game;
    }
    // With the pointer where it is, the player moves down, then up, by whole steps of
    // PLAYER_SPEED game pixels, or to an edge: frames have run with the pointer there. Each move
    // is measured from where the player has come to rest: a key let go may still move it a frame.
    void MovePlayerDownAndUp(const GameWindow& window) {
        ShowsTheGame(window);
        auto playerTop = [&] { return PlayerTop(Seen(window).get(), player); };
        for (int direction : {1, -1}) {
            const char* key = direction > 0 ? "Down" : "Up";
            SCOPED_TRACE(key);
            int before = playerTop(), after = -1;
            EXPECT_TRUE(Eventually(GAME_WAIT_MS, [&] {
                int now = playerTop();
                return std::exchange(before, now) == now && now >= 0;
            })) << "the player does not come to rest";
            window.Key("keydown", key);
            EXPECT_TRUE(Eventually(GAME_WAIT_MS, [&] {
                after = playerTop();
                return after >= 0 && (after - before) * direction > 0;
            })) << "the player did not move";
            window.Key("keyup", key);
            // A slow machine may hold the key long enough to reach an edge.
            if (after != 0 && after != PLAYER_LOWEST_Y) {
                EXPECT_EQ((after - before) % PLAYER_SPEED, 0) << before << " to " << after;
            }
        }
    }
    Place EnemyIn(const GameWindow& window) { return FindEnemy(Seen(window).get(), enemy); }
    int mixed = 0;
};

TEST_F(BigScreen, AtScale2EveryGamePixelIsABlockAndThePointerFindsItsGamePixel) {
    // 1600 x 1200 holds 2x and no more.
    std::vector<std::string> command = GameCommand();
    command.insert(command.end(), {"--scale", "3"});
    {
        GameProcess refused(*server, SourceDir(), command);
        EXPECT_TRUE(refused.EndsSaying(
            2, "zarn: --scale 3 is larger than this screen holds; the largest it holds is 2"));
    }
    command.back() = "2";
    StartedGame game(*server, SourceDir(), command);
    ASSERT_TRUE(game.HasAWindow());
    GameWindow& window = game.window;
    EXPECT_EQ(window.Width(), 1024);
    EXPECT_EQ(window.Height(), 1024);
    window.MovePointer(2 * REST_X, 2 * REST_Y);
    at.scale = 2;
    Picture picture = ShowsTheGame(window);
    EXPECT_EQ(PixelAt(picture.get(), PLAYER_MIDDLE_X, PLAYER_MIDDLE_Y), PixelAt(player, 10, 50));
    EXPECT_TRUE(ShowsScore(picture.get(), 0));
    Place enemyAt = FindEnemy(picture.get(), enemy);
    ASSERT_NE(enemyAt, Place()) << "no enemy in 60..439";

    // The screen column left of the marker column is the game column left of it: no hit.
    int marker = enemyAt.x + MARKER_OFFSET;
    window.MovePointer(2 * marker - 1, 2 * 40);
    MovePlayerDownAndUp(window);
    EXPECT_EQ(EnemyIn(window), enemyAt) << "the column left of the marker scored";

    // Each of the marker column's two screen columns scores.
    for (int half : {0, 1}) {
        SCOPED_TRACE("screen column " + std::to_string(half) + " of the marker's two");
        marker = enemyAt.x + MARKER_OFFSET;
        window.MovePointer(2 * marker + half, 2 * 40);
        Place moved;
        EXPECT_TRUE(Eventually(GAME_WAIT_MS, [&] {
            moved = EnemyIn(window);
            return moved != Place() && moved != enemyAt;
        })) << "no hit";
        window.MovePointer(2 * REST_X, 2 * REST_Y);
        enemyAt = moved;
    }

    window.Key("key", "Escape");
    EXPECT_TRUE(game.EndsSaying(0, ""));
}

TEST_F(BigScreen, FullScreenCentresTheGameOnBlackAndF11OrAltEnterSwitchMidRound) {
    std::vector<std::string> command = GameCommand();
    command.push_back("--fullscreen");
    GameProcess game(*server, SourceDir(), command);
    auto window = std::make_unique<GameWindow>(*server, GAME_WAIT_MS);
    ASSERT_TRUE(window->Found()) << game.ErrorOutput();
    // 1600 x 1200 holds the game at 2x, 1024 x 1024, with 288 and 88 pixels of black around it.
    const int left = 288, top = 88;
    at = {2, left, top};
    EXPECT_EQ(window->X(), 0);
    EXPECT_EQ(window->Y(), 0);
    EXPECT_EQ(window->Width(), 1600);
    EXPECT_EQ(window->Height(), 1200);
    window->MovePointer(5, 5);
    Picture game2x = ShowsTheGame(*window);
    Picture screen = window->Capture();
    for (SDL_Rect bar : {SDL_Rect{0, 0, left, 1200}, SDL_Rect{1600 - left, 0, left, 1200},
                         SDL_Rect{left, 0, 1024, top}, SDL_Rect{left, 1200 - top, 1024, top}}) {
        EXPECT_EQ(CountColor(screen.get(), BLACK, bar), bar.w * bar.h)
            << "bar at (" << bar.x << ", " << bar.y << ")";
    }
    Place enemyAt = FindEnemy(game2x.get(), enemy);
    ASSERT_NE(enemyAt, Place()) << "no enemy in 60..439";

    // On the bar at the marker row's height: no game pixel, no hit. In the game: a hit.
    int markerRow = top + 2 * (enemyAt.y + MARKER_OFFSET);
    window->MovePointer(left - 1, markerRow);
    MovePlayerDownAndUp(*window);
    EXPECT_EQ(EnemyIn(*window), enemyAt) << "the bar scored";
    window->MovePointer(left + 2 * REST_X, markerRow);
    EXPECT_TRUE(Eventually(GAME_WAIT_MS, [&] {
        Place moved = EnemyIn(*window);
        return moved != Place() && moved != enemyAt;
    })) << "no hit on the marker row";
    window->MovePointer(5, 5);
    int life = LifeShown(ShowsTheGame(*window).get());

    // Out of full screen, in again from wherever the desktop put the window, and out: the round
    // goes on with its score and Life.
    struct Switch {
        const char* key;
        int width, scale, left, top;
    };
    for (const Switch& to :
         {Switch{"F11", SCREEN_WIDTH, 1, 0, 0}, Switch{"F11", 1600, 2, left, top},
          Switch{"alt+Return", SCREEN_WIDTH, 1, 0, 0}}) {
        SCOPED_TRACE(std::string(to.key) + " to " + std::to_string(to.width) + " wide");
        window->Key("key", to.key);
        ASSERT_TRUE(Eventually(5000, [&] {
            window = std::make_unique<GameWindow>(*server, 1000);
            return window->Found() && window->Width() == to.width &&
                   (to.scale == 1 || (window->X() == 0 && window->Y() == 0));
        })) << "no such window";
        window->MovePointer(5, 5);
        at = {to.scale, to.left, to.top};
        Picture shown = ShowsTheGame(*window);
        EXPECT_TRUE(ShowsScore(shown.get(), 10));
        int lifeNow = LifeShown(shown.get());
        EXPECT_TRUE(lifeNow <= life && lifeNow >= life - 5) << life << " before, " << lifeNow;
        life = lifeNow;
    }
    window->Key("key", "Escape");
    EXPECT_TRUE(game.EndsSaying(0, ""));
}
