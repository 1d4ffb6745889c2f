// End to end: the real game in a real X server, played with real input, watched on screen.
#include "bmp_file.h"
#include "desktop.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

namespace fs = std::filesystem;

class EndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server = new XServer();
        TTF_Init(); // to know what the game's font makes of a line of text
    }
    static void TearDownTestSuite() {
        TTF_Quit();
        delete server;
    }
    void SetUp() override {
        ASSERT_TRUE(server->Connection()) << "no X server";
        background = LoadShippedPicture(BACKGROUND_FILE);
        player = LoadShippedPicture(PLAYER_FILE);
        enemy = LoadShippedPicture(ENEMY_FILE);
        endImage = LoadShippedPicture(END_SCREEN_FILE);
    }
    void TearDown() override {
        for (SDL_Surface* picture : {background, player, enemy, endImage}) {
            SDL_FreeSurface(picture);
        }
    }
    // Checks the game runs on the SDL 1.2 implementation this test run is for.
    void ExpectTheRequestedSdl(const GameProcess& game) {
        const char* expected = getenv("ZARN_EXPECT_SDL");
        ASSERT_NE(expected, nullptr) << "ZARN_EXPECT_SDL names the implementation under test";
        if (std::string(expected) == "wine") {
            EXPECT_TRUE(game.HasLoaded("SDL.dll")) << "the game under Wine has no SDL.dll";
            return;
        }
        // The SDL 1.2 built on SDL2 loads it; where that is the only SDL 1.2, nothing else shows.
        EXPECT_EQ(game.HasLoaded("libSDL2-2.0.so") ? "compat" : "classic", std::string(expected));
    }
    static XServer* server;
    SDL_Surface* background = nullptr;
    SDL_Surface* player = nullptr;
    SDL_Surface* enemy = nullptr;
    SDL_Surface* endImage = nullptr;
};

XServer* EndToEnd::server = nullptr;

// A place for the pointer that is on no marker line: markers lie in 80..459 both ways.
const int REST_X = 5, REST_Y = 500;
const int SCORE_ROWS_END = 30;

struct Place {
    int x = -1, y = -1;
    bool operator==(const Place& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Place& o) const { return !(*this == o); }
};

// How many pixels of a line of text may lie elsewhere than where the test's own SDL_ttf puts
// them: none, unless the game draws with a FreeType of another version (the Windows game's own).
static int TextTolerance() {
    const char* tolerance = getenv("ZARN_TEXT_TOLERANCE");
    return tolerance ? atoi(tolerance) : 0;
}

// Whether the only pixels of the colour in rows [top, bottom) are those of the text at (x, y).
static ::testing::AssertionResult ShowsOnlyText(SDL_Surface* picture, const char* text, int x,
                                                int y, Color color, int top, int bottom) {
    int shown = CountColor(picture, color, {0, Sint16(top), 512, Uint16(bottom - top)});
    int stray = shown - TextPixelsInColor(picture, text, x, y, color, top, bottom);
    if (shown > 0 && stray <= TextTolerance()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << shown << " pixels of " << color << " in rows " << top << ".." << bottom << ", "
           << stray << " not of '" << text << "'";
}

// Where the enemy stands on the screen. The game's rand() is never seeded, but libraries in its
// process (Mesa's, for one) may draw from it first, so the place is read from the window. The
// sprite is compared from its marker band down, which is below the HUD wherever the enemy
// stands, and which alone fixes its height; its pure-white pixels are see-through.
static Place FindEnemy(SDL_Surface* picture, SDL_Surface* enemy) {
    const Color white = {255, 255, 255};
    for (int y = 60; y <= 439; ++y) {
        for (int x = 60; x <= 439; ++x) {
            bool match = true;
            for (int sy = MARKER_OFFSET; sy < enemy->h && y + sy < 512 && match; sy += 6) {
                for (int sx = 1; sx < enemy->w && match; sx += 3) {
                    Color c = PixelAt(enemy, sx, sy);
                    match = c == white || PixelAt(picture, x + sx, y + sy) == c;
                }
            }
            if (match) {
                return {x, y};
            }
        }
    }
    return {};
}

TEST_F(EndToEnd, OpensTheWindowShowsTheGameAndEndsOnEscape) {
    GameProcess game(*server, SourceDir());
    GameWindow window(*server, 10000);
    ASSERT_TRUE(window.Found()) << game.ErrorOutput();
    EXPECT_EQ(window.Width(), 512);
    EXPECT_EQ(window.Height(), 512);
    ExpectTheRequestedSdl(game);

    Picture picture;
    ASSERT_TRUE(Eventually(5000, [&] {
        picture = window.Capture();
        return PixelAt(picture.get(), 100, 480) == PixelAt(background, 100, 480);
    })) << "no background on screen";
    EXPECT_EQ(PixelAt(picture.get(), 266, 306), PixelAt(player, 10, 50));
    EXPECT_NE(FindEnemy(picture.get(), enemy), Place()) << "no enemy in 60..439";
    EXPECT_TRUE(
        ShowsOnlyText(picture.get(), "Player Score: 0", 0, 1, LIGHT_GREY, 0, SCORE_ROWS_END));
    EXPECT_GT(CountColor(picture.get(), LIGHT_GREY, {0, 0, 512, SCORE_ROWS_END}), 100);
    EXPECT_EQ(CountColor(picture.get(), LIGHT_GREY, {0, 0, 512, 512}),
              CountColor(picture.get(), LIGHT_GREY, {0, 0, 512, 70}));

    window.MovePointer(REST_X, REST_Y);
    window.Key("key", "Escape");
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(5000, &status)) << "Escape did not end the game";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(game.ErrorOutput(), "");
    EXPECT_FALSE(WindowTitledZarnGameExists(*server));
}

TEST_F(EndToEnd, TheWindowsCloseButtonEndsTheGame) {
    GameProcess game(*server, SourceDir());
    GameWindow window(*server, 10000);
    ASSERT_TRUE(window.Found()) << game.ErrorOutput();
    window.RequestClose();
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(5000, &status)) << "the close request did not end the game";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(game.ErrorOutput(), "");
}

TEST_F(EndToEnd, ThePointerOnTheMarkerColumnScoresAndTheArrowKeysMoveThePlayer) {
    GameProcess game(*server, SourceDir());
    GameWindow window(*server, 10000);
    ASSERT_TRUE(window.Found()) << game.ErrorOutput();
    Picture picture;
    Place first;
    ASSERT_TRUE(Eventually(5000, [&] {
        picture = window.Capture();
        first = FindEnemy(picture.get(), enemy);
        return first != Place();
    })) << "no enemy on screen";

    // On the marker column, high up in the window: a hit. The enemy jumps, the score shows 10.
    window.MovePointer(first.x + 20, 40);
    Place second;
    EXPECT_TRUE(Eventually(3000, [&] {
        picture = window.Capture();
        second = FindEnemy(picture.get(), enemy);
        return second != Place() && second != first;
    })) << "the enemy did not move";
    window.MovePointer(REST_X, REST_Y);
    // Once in 380 runs the new place shares the column, and the resting pointer scores again.
    if (second.x != first.x) {
        EXPECT_TRUE(
            ShowsOnlyText(picture.get(), "Player Score: 10", 0, 1, LIGHT_GREY, 0, SCORE_ROWS_END));
    }

    // Holding Down takes the player to the bottom of the window, and no further.
    window.Key("keydown", "Down");
    EXPECT_TRUE(Eventually(5000, [&] {
        picture = window.Capture();
        return PixelAt(picture.get(), 266, 511 - 8) == PixelAt(player, 10, 91);
    })) << "the player did not stop at the bottom edge";
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // ten more frames held down
    window.Key("keyup", "Down");
    picture = window.Capture();
    EXPECT_EQ(PixelAt(picture.get(), 266, 412 + 50), PixelAt(player, 10, 50));
    EXPECT_EQ(PixelAt(picture.get(), 266, 511 - 8), PixelAt(player, 10, 91));
    EXPECT_EQ(PixelAt(picture.get(), 266, 306), PixelAt(background, 266, 306));

    window.Key("key", "Escape");
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(5000, &status));
    EXPECT_EQ(status, 0);
}

TEST_F(EndToEnd, TheEndScreenIsHeldAndEscapeDuringItEndsTheGameAfterwards) {
    GameProcess game(*server, SourceDir());
    GameWindow window(*server, 10000);
    ASSERT_TRUE(window.Found()) << game.ErrorOutput();
    window.MovePointer(REST_X, REST_Y);
    Picture picture;
    // A round is 30 Life steps. How long one takes here (slow flips, a busy machine) sets how
    // long to wait for the end screen.
    auto lifeShows = [&](const char* text) {
        return Eventually(60000, [&] {
            picture = window.Capture();
            return bool(ShowsOnlyText(picture.get(), text, 0, 30, LIGHT_GREY, 40, 70));
        });
    };
    ASSERT_TRUE(lifeShows("Life: 29")) << "Life did not drop to 29 within a minute";
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(lifeShows("Life: 28")) << "Life did not drop to 28 within a minute";
    auto lifeStep = std::chrono::steady_clock::now() - start;
    int restMs = int(std::chrono::duration_cast<std::chrono::milliseconds>(28 * lifeStep).count());
    ASSERT_TRUE(Eventually(2 * restMs + 10000,
                           [&] {
                               picture = window.Capture();
                               return PixelAt(picture.get(), 100, 480) ==
                                      PixelAt(endImage, 100, 480);
                           }))
        << "no end screen within twice the " << restMs << " ms that the round's rest should take";
    EXPECT_LE(int(TextPixels("Out of life").size()) -
                  TextPixelsInColor(picture.get(), "Out of life", 0, 30, DARK_GREY, 0, 512),
              TextTolerance());
    EXPECT_TRUE(
        ShowsOnlyText(picture.get(), "Player Score: 0", 0, 1, DARK_GREY, 0, SCORE_ROWS_END));
    EXPECT_EQ(CountColor(picture.get(), LIGHT_GREY, {0, 0, 512, 512}), 0);

    // Input waits while the end screen is held; the game ends once the hold is over.
    window.Key("key", "Escape");
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    EXPECT_TRUE(game.Running()) << "the game ended during the end screen's hold";
    EXPECT_EQ(PixelAt(window.Capture().get(), 100, 480), PixelAt(endImage, 100, 480));
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(8000, &status));
    EXPECT_EQ(status, 0);
}

// The game's own picture from the window's, where each game pixel is a scale x scale block with
// its corner at (left, top); blocks not of one colour are counted in *mixed.
static Picture GamePixels(const Picture& window, int scale, int left, int top, int* mixed) {
    Picture game(SDL_CreateRGBSurface(SDL_SWSURFACE, 512, 512, 32, 0xff0000, 0x00ff00, 0x0000ff, 0),
                 SDL_FreeSurface);
    *mixed = 0;
    for (int y = 0; y < 512; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(game->pixels) + y * game->pitch);
        for (int x = 0; x < 512; ++x) {
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

// Where the player's paddle stands: its column is fixed, so only its height is looked for.
static int PlayerTop(SDL_Surface* game, SDL_Surface* player) {
    for (int y = 0; y <= 412; ++y) {
        if (PixelAt(game, 266, y + 50) == PixelAt(player, 10, 50) &&
            PixelAt(game, 266, y + 91) == PixelAt(player, 10, 91) &&
            PixelAt(game, 275, y + 4) == PixelAt(player, 19, 4)) {
            return y;
        }
    }
    return -1;
}

// A big screen: the game scaled by whole numbers, in a window or over the whole screen.
class BigScreen : public EndToEnd {
  protected:
    // The game's picture in the window, once it shows the game.
    Picture ShowsTheGame(const GameWindow& window, int scale, int left, int top) {
        Picture game;
        int mixed = 0;
        EXPECT_TRUE(Eventually(5000,
                               [&] {
                                   game = GamePixels(window.Capture(), scale, left, top, &mixed);
                                   return PixelAt(game.get(), 100, 480) ==
                                          PixelAt(background, 100, 480);
                               }))
            << "no game at " << scale << "x at (" << left << ", " << top << ")";
        EXPECT_EQ(mixed, 0) << "game pixels that are not " << scale << " x " << scale << " blocks";
        return game;
    }
    // With the pointer where it is, the player moves down, then up, by whole steps of
    // PLAYER_SPEED game pixels: frames have run with the pointer there.
    void MovePlayerDownAndUp(const GameWindow& window, int scale, int left, int top) {
        for (const char* key : {"Down", "Up"}) {
            SCOPED_TRACE(key);
            int before = PlayerTop(ShowsTheGame(window, scale, left, top).get(), player);
            int after = before;
            window.Key("keydown", key);
            EXPECT_TRUE(Eventually(3000, [&] {
                after = PlayerTop(GamePixels(window.Capture(), scale, left, top, &ignored).get(),
                                  player);
                return after >= 0 && after != before;
            })) << "the player did not move";
            window.Key("keyup", key);
            EXPECT_EQ((after - before) % PLAYER_SPEED, 0) << before << " to " << after;
        }
    }
    Place EnemyIn(const GameWindow& window, int scale, int left, int top) {
        return FindEnemy(GamePixels(window.Capture(), scale, left, top, &ignored).get(), enemy);
    }
    int ignored = 0;
};

TEST_F(BigScreen, AtScale2EveryGamePixelIsABlockAndThePointerFindsItsGamePixel) {
    // 1600 x 1200 holds 2x and no more.
    std::vector<std::string> command = GameCommand();
    command.insert(command.end(), {"--scale", "3"});
    {
        GameProcess refused(*server, SourceDir(), command);
        int status = -1;
        ASSERT_TRUE(refused.WaitForExit(10000, &status));
        EXPECT_EQ(status, 2);
        std::string said = refused.ErrorOutput();
        EXPECT_EQ(said.rfind("zarn: --scale 3 is larger than this screen holds; the largest it "
                             "holds is 2",
                             0),
                  0u)
            << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    command.back() = "2";
    GameProcess game(*server, SourceDir(), command);
    GameWindow window(*server, 10000);
    ASSERT_TRUE(window.Found()) << game.ErrorOutput();
    EXPECT_EQ(window.Width(), 1024);
    EXPECT_EQ(window.Height(), 1024);
    window.MovePointer(2 * REST_X, 2 * REST_Y);
    Picture picture = ShowsTheGame(window, 2, 0, 0);
    EXPECT_EQ(PixelAt(picture.get(), 266, 306), PixelAt(player, 10, 50));
    EXPECT_TRUE(
        ShowsOnlyText(picture.get(), "Player Score: 0", 0, 1, LIGHT_GREY, 0, SCORE_ROWS_END));
    Place enemyAt = FindEnemy(picture.get(), enemy);
    ASSERT_NE(enemyAt, Place()) << "no enemy in 60..439";

    // The screen column left of the marker column is the game column left of it: no hit.
    int marker = enemyAt.x + MARKER_OFFSET;
    window.MovePointer(2 * marker - 1, 2 * 40);
    MovePlayerDownAndUp(window, 2, 0, 0);
    EXPECT_EQ(EnemyIn(window, 2, 0, 0), enemyAt) << "the column left of the marker scored";

    // Each of the marker column's two screen columns scores.
    for (int half : {0, 1}) {
        SCOPED_TRACE("screen column " + std::to_string(half) + " of the marker's two");
        marker = enemyAt.x + MARKER_OFFSET;
        window.MovePointer(2 * marker + half, 2 * 40);
        Place moved;
        EXPECT_TRUE(Eventually(3000, [&] {
            moved = EnemyIn(window, 2, 0, 0);
            return moved != Place() && moved != enemyAt;
        })) << "no hit";
        window.MovePointer(2 * REST_X, 2 * REST_Y);
        enemyAt = moved;
    }

    // F11 from the window, wherever the desktop put it: the whole screen, from its corner.
    window.Key("key", "F11");
    std::unique_ptr<GameWindow> fullScreen;
    EXPECT_TRUE(Eventually(5000,
                           [&] {
                               fullScreen = std::make_unique<GameWindow>(*server, 1000);
                               return fullScreen->Found() && fullScreen->Width() == 1600 &&
                                      fullScreen->X() == 0 && fullScreen->Y() == 0;
                           }))
        << fullScreen->Width() << " wide at (" << fullScreen->X() << ", " << fullScreen->Y() << ")";
    window.Key("key", "Escape");
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(5000, &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(game.ErrorOutput(), "");
}

// What the screen shows as the Life line, 0 to 30; -1 if none.
static int LifeShown(SDL_Surface* game) {
    for (int life = START_LIVES; life >= 0; --life) {
        std::string text = "Life: " + std::to_string(life);
        if (ShowsOnlyText(game, text.c_str(), 0, 30, LIGHT_GREY, 40, 70)) {
            return life;
        }
    }
    return -1;
}

TEST_F(BigScreen, FullScreenCentresTheGameOnBlackAndF11OrAltEnterSwitchMidRound) {
    std::vector<std::string> command = GameCommand();
    command.push_back("--fullscreen");
    GameProcess game(*server, SourceDir(), command);
    auto window = std::make_unique<GameWindow>(*server, 10000);
    ASSERT_TRUE(window->Found()) << game.ErrorOutput();
    // 1600 x 1200 holds the game at 2x, 1024 x 1024, with 288 and 88 pixels of black around it.
    const int left = 288, top = 88;
    EXPECT_EQ(window->X(), 0);
    EXPECT_EQ(window->Y(), 0);
    EXPECT_EQ(window->Width(), 1600);
    EXPECT_EQ(window->Height(), 1200);
    window->MovePointer(5, 5);
    Picture game2x = ShowsTheGame(*window, 2, left, top);
    Picture screen = window->Capture();
    const Color black = {0, 0, 0};
    for (SDL_Rect bar : {SDL_Rect{0, 0, left, 1200}, SDL_Rect{1600 - left, 0, left, 1200},
                         SDL_Rect{left, 0, 1024, top}, SDL_Rect{left, 1200 - top, 1024, top}}) {
        EXPECT_EQ(CountColor(screen.get(), black, bar), bar.w * bar.h)
            << "bar at (" << bar.x << ", " << bar.y << ")";
    }
    Place enemyAt = FindEnemy(game2x.get(), enemy);
    ASSERT_NE(enemyAt, Place()) << "no enemy in 60..439";

    // On the bar at the marker row's height: no game pixel, no hit. In the game: a hit.
    int markerRow = top + 2 * (enemyAt.y + MARKER_OFFSET);
    window->MovePointer(left - 1, markerRow);
    MovePlayerDownAndUp(*window, 2, left, top);
    EXPECT_EQ(EnemyIn(*window, 2, left, top), enemyAt) << "the bar scored";
    window->MovePointer(left + 2 * REST_X, markerRow);
    EXPECT_TRUE(Eventually(3000, [&] {
        Place moved = EnemyIn(*window, 2, left, top);
        return moved != Place() && moved != enemyAt;
    })) << "no hit on the marker row";
    window->MovePointer(5, 5);
    int life = LifeShown(ShowsTheGame(*window, 2, left, top).get());

    // Out of full screen, in again, and out: the round goes on with its score and Life.
    struct Switch {
        const char* key;
        int width, scale, left, top;
    };
    for (const Switch& to : {Switch{"F11", 512, 1, 0, 0}, Switch{"F11", 1600, 2, left, top},
                             Switch{"alt+Return", 512, 1, 0, 0}}) {
        SCOPED_TRACE(std::string(to.key) + " to " + std::to_string(to.width) + " wide");
        window->Key("key", to.key);
        ASSERT_TRUE(Eventually(5000, [&] {
            window = std::make_unique<GameWindow>(*server, 1000);
            return window->Found() && window->Width() == to.width;
        })) << "no such window";
        window->MovePointer(5, 5);
        Picture shown = ShowsTheGame(*window, to.scale, to.left, to.top);
        EXPECT_TRUE(
            ShowsOnlyText(shown.get(), "Player Score: 10", 0, 1, LIGHT_GREY, 0, SCORE_ROWS_END));
        int lifeNow = LifeShown(shown.get());
        EXPECT_TRUE(lifeNow <= life && lifeNow >= life - 5) << life << " before, " << lifeNow;
        life = lifeNow;
    }
    window->Key("key", "Escape");
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(5000, &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(game.ErrorOutput(), "");
}

// The game started on a damaged copy of its files: a required file stops it with one line and
// status 1; without the optional end image it plays on.
static void ExpectRefusedOrPlaysOn(const XServer& server, const ScratchGraphics& scratch,
                                   const std::string& name) {
    GameProcess game(server, scratch.Dir());
    int status = -1;
    if (!IsRequired(name)) {
        GameWindow window(server, 10000);
        EXPECT_TRUE(window.Found()) << game.ErrorOutput();
        window.RequestClose();
        ASSERT_TRUE(game.WaitForExit(10000, &status));
        EXPECT_EQ(status, 0);
        EXPECT_EQ(game.ErrorOutput(), "");
        return;
    }
    ASSERT_TRUE(game.WaitForExit(10000, &status)) << "the game did not end";
    EXPECT_EQ(status, 1);
    std::string message = game.ErrorOutput();
    std::string expected = "zarn: cannot load " + PathAsTheGameSaysIt(scratch.File(name)) + ": ";
    EXPECT_EQ(message.rfind(expected, 0), 0u) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_FALSE(WindowTitledZarnGameExists(server));
}

TEST_F(EndToEnd, AMissingOrDamagedFileEndsTheGameWithOneLineAndStatus1) {
    std::vector<std::string> names = {FONT_FILE};
    for (const GamePicture& picture : GAME_PICTURES) {
        names.push_back(picture.name);
    }
    // Under Wine every start and end costs two seconds of Wine's own (it waits for a window
    // manager that the X server lacks), and the in-process tests under Wine refuse every damage
    // of every file: there, each file once and each damage once.
    bool everyPair = !getenv("ZARN_GAME_RUNNER");
    for (size_t file = 0; file < names.size(); ++file) {
        const std::string& name = names[file];
        for (size_t d = 0; d < ANY_FILE_DAMAGE.size(); ++d) {
            if (!everyPair && d != file % ANY_FILE_DAMAGE.size()) {
                continue;
            }
            const Damage& damage = ANY_FILE_DAMAGE[d];
            SCOPED_TRACE(name + ", " + damage.what);
            ScratchGraphics scratch;
            if (damage.apply) {
                scratch.Write(name, damage.apply(ShippedFile(name.c_str())));
            } else {
                scratch.Remove(name);
            }
            ExpectRefusedOrPlaysOn(*server, scratch, name);
        }
    }
}

TEST_F(EndToEnd, PicturesOfEveryCommonDepthShowWithPureWhiteSeeThrough) {
    // A player picture in red with pure-white corners, stored at each depth in turn.
    const Color white = {255, 255, 255}, red = {255, 0, 0};
    std::vector<Color> pixels(20 * 100, red);
    for (int y : {0, 1, 98, 99}) {
        for (int x : {0, 1, 18, 19}) {
            pixels[y * 20 + x] = white;
        }
    }
    for (int depth : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE("depth " + std::to_string(depth));
        ScratchGraphics scratch;
        scratch.Write(PLAYER_FILE, MakeBmp(depth, 20, 100, pixels));
        GameProcess game(*server, scratch.Dir());
        GameWindow window(*server, 10000);
        ASSERT_TRUE(window.Found()) << game.ErrorOutput();
        Picture picture;
        EXPECT_TRUE(Eventually(5000, [&] {
            picture = window.Capture();
            return PixelAt(picture.get(), 266, 306) == red;
        })) << "the player is not drawn in red";
        EXPECT_EQ(PixelAt(picture.get(), 256, 256), PixelAt(background, 256, 256));
        EXPECT_EQ(PixelAt(picture.get(), 275, 355), PixelAt(background, 275, 355));
        EXPECT_EQ(PixelAt(picture.get(), 258, 258), red);
        window.RequestClose();
        int status = -1;
        ASSERT_TRUE(game.WaitForExit(5000, &status));
        EXPECT_EQ(status, 0);
    }
}

// Started from another folder, the Windows game finds graphics\ beside zarn.exe (the Linux
// program leaves that to its launcher); with none there either, it says where it looked, on
// standard error or, without a console, in a message box, whatever the folder's name.
TEST_F(EndToEnd, StartedFromAnotherFolderTheWindowsGameFindsItsFilesBesideItself) {
    if (!getenv("ZARN_GAME_RUNNER")) {
        GTEST_SKIP() << "the Linux program is started in its files' folder by its launcher";
    }
    fs::path elsewhere = fs::temp_directory_path() / ("zarn-elsewhere-" + std::to_string(getpid()));
    // A whole copy of the game in a folder named outside any one ANSI code page (the manifest
    // makes the game's text UTF-8 for Windows), and a copy of the program with nothing beside it.
    fs::path whole = elsewhere / "Zarn Spiel \u30b2\u30fc\u30e0";
    fs::path bare = elsewhere / "bare";
    std::vector<std::string> command = GameCommand();
    fs::path exe = command.back();
    for (const fs::path& folder : {whole, bare}) {
        fs::create_directories(folder);
        for (const fs::path& file : {exe, exe.parent_path() / "SDL.dll"}) {
            fs::copy_file(file, folder / file.filename());
        }
    }
    fs::copy(exe.parent_path() / "graphics", whole / "graphics");
    {
        command.back() = (whole / exe.filename()).string();
        GameProcess game(*server, elsewhere, command);
        GameWindow window(*server, 10000);
        EXPECT_TRUE(window.Found()) << game.ErrorOutput();
        window.RequestClose();
        int status = -1;
        ASSERT_TRUE(game.WaitForExit(10000, &status));
        EXPECT_EQ(status, 0);
    }
    command.back() = (bare / exe.filename()).string();
    GameProcess game(*server, elsewhere, command);
    int status = -1;
    ASSERT_TRUE(game.WaitForExit(10000, &status)) << "the game did not end";
    EXPECT_EQ(status, 1);
    std::string expected =
        "zarn: cannot load " + PathAsTheGameSaysIt(elsewhere / "graphics" / BACKGROUND_FILE);
    EXPECT_EQ(game.ErrorOutput().rfind(expected, 0), 0u) << game.ErrorOutput();

    // Started as Explorer starts it, with no console to print to: a message box says it.
    GameProcess started(*server, elsewhere, {command[0], "start", "/unix", command.back()});
    GameWindow box(*server, 10000);
    ASSERT_TRUE(box.Found()) << "no message box";
    EXPECT_LT(box.Width(), 512);
    box.RequestClose();
    EXPECT_TRUE(Eventually(5000, [&] { return !WindowTitledZarnGameExists(*server); }));
    fs::remove_all(elsewhere);
}

// What a program wrote as text, with Windows' line ends as Linux has them.
static std::string AsText(const Bytes& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) {
            text += char(bytes[i]);
        }
    }
    return text;
}

// Asking the game about itself needs no display: it answers and ends without starting SDL.
TEST(CommandLine, AnswersWithoutADisplayAndWithoutStartingTheGame) {
    struct Case {
        const char* arguments;
        int status;
        const char* out; // what standard output starts with
        const char* err; // what standard error starts with
    };
    const Case cases[] = {
        {"--help", 0, "Usage: zarn [--scale N] [--fullscreen] | -h | --help | --version\n", ""},
        {"-h", 0, "Usage: zarn [--scale N] [--fullscreen] | -h | --help | --version\n", ""},
        {"--version", 0, "zarn " ZARN_VERSION "\n", ""},
        {"--full-screen", 2, "", "zarn: unexpected argument '--full-screen'; try 'zarn --help'\n"},
        {"--scale 0", 2, "", "zarn: --scale takes a whole number from 1, not '0'\n"},
        {"--scale x", 2, "", "zarn: --scale takes a whole number from 1, not 'x'\n"},
        {"--scale", 2, "", "zarn: --scale needs a whole number from 1, such as --scale 2\n"},
        {"--scale 100000", 2, "", "zarn: --scale 100000 is larger than any screen holds\n"},
        {"--scale 2 --scale 2", 2, "", "zarn: --scale is given twice; give it once\n"},
        {"--fullscreen --fullscreen", 2, "", "zarn: --fullscreen is given twice; give it once\n"},
        {"--help extra", 2, "", "zarn: unexpected argument 'extra'; try 'zarn --help'\n"},
    };
    fs::path out = fs::temp_directory_path() / ("zarn-out-" + std::to_string(getpid()));
    fs::path err = out.string() + ".err";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        // A game that started would play until the time-out ends it with 124.
        std::string command = "env -u DISPLAY timeout 10";
        for (const std::string& word : GameCommand()) {
            command += " " + word;
        }
        command += " " + std::string(c.arguments) + " >" + out.string() + " 2>" + err.string();
        int status = system(command.c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        std::string said = AsText(FileBytes(out)), complained = AsText(FileBytes(err));
        EXPECT_EQ(said.rfind(c.out, 0), 0u) << said;
        EXPECT_EQ(complained, c.err);
    }
    fs::remove(out);
    fs::remove(err);
}
