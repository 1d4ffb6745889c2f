// Test support for the end-to-end tests: a real X server, the real game in it, real input.
#pragma once

#include "support.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/types.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// An Xvfb of our own, started on a free display and stopped at the end; or the one that
// ZARN_X_DISPLAY names, left running.
class XServer {
  public:
    XServer();
    ~XServer();
    const std::string& Name() const { return name_; } // ":N"
    Display* Connection() const { return display_; }

  private:
    static std::string StartXvfb(pid_t* pid);
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// The game under test: build/zarn, or the program that ZARN_GAME names, started through
// ZARN_GAME_RUNNER where that is set (zarn.exe through wine, the arm64 game through QEMU).
std::vector<std::string> GameCommand();
bool UnderWine();
// A file's path as the game under test writes it in a message: under Wine, as Windows has it.
std::string PathAsTheGameSaysIt(const std::filesystem::path& path);

// How long a game is given for what it does at once: open its window, act on a key or the
// pointer, end once told to. Natively a fraction of a second; sanitized or under Wine, on a busy
// machine, seconds, which the bound allows ten times over. It costs nothing when the game is quick.
const int GAME_WAIT_MS = 60000;

// The real game, started in a working directory on the X server: the game under test, or a
// command that runs it (valgrind and its options before it, or an installed launcher).
class GameProcess {
  public:
    GameProcess(const XServer& server, const std::filesystem::path& workDir,
                const std::vector<std::string>& command = GameCommand());
    ~GameProcess();
    // Whether the game ends within timeoutMs with this status; and, with EndsSaying, having said
    // one line that starts with the words, or with no words nothing. What it said, if not.
    ::testing::AssertionResult Ends(int status, int timeoutMs = GAME_WAIT_MS);
    ::testing::AssertionResult EndsSaying(int status, const std::string& words);
    bool Running();
    std::string ErrorOutput() const;
    // Whether the running game has loaded a library of this file name (SDL2's, or SDL.dll under
    // Wine). The test's LD_LIBRARY_PATH, which chooses the SDL 1.2, passes on to the game.
    bool HasLoaded(const std::string& fileName) const;
    long ResidentKilobytes() const;

  private:
    pid_t pid_ = -1;
    bool ended_ = false;
    std::filesystem::path errorFile_;
};

// A picture read back from the screen, as a surface that the pixel helpers of support.h read.
using Picture = std::shared_ptr<SDL_Surface>;

// The game's window as the X server shows it.
class GameWindow {
  public:
    // Waits up to timeoutMs for a window titled "Zarn Game"; check Found(). With 0, looks once.
    GameWindow(const XServer& server, int timeoutMs);
    bool Found() const { return window_ != 0; }
    int X() const { return x_; } // on the screen
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Picture Capture() const; // read from the screen
    // Real input through the XTEST extension, in window coordinates.
    void MovePointer(int x, int y) const;
    void Key(const char* action, const char* key) const; // action: key, keydown, keyup
    // What a window manager sends when the player clicks the close button.
    void RequestClose() const;

  private:
    const XServer& server_;
    Window window_ = 0;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

// The game started on the X server with its window: where each end-to-end test that plays begins.
class StartedGame : public GameProcess {
  public:
    StartedGame(const XServer& server, const std::filesystem::path& workDir,
                const std::vector<std::string>& command = GameCommand(),
                int windowMs = GAME_WAIT_MS)
        : GameProcess(server, workDir, command), window(server, windowMs) {}
    // Whether its window came up; what the game said if it did not.
    ::testing::AssertionResult HasAWindow() const;
    // Whether it came up and showed the game's first frame within 5 s; that picture is `first`.
    ::testing::AssertionResult Shows(SDL_Surface* background);
    GameWindow window;
    Picture first;
};

// Whether the game that the command starts in the folder opens its window, and ends with status 0
// and nothing said when the window's close button is clicked.
::testing::AssertionResult OpensAndCloses(const XServer& server, const std::filesystem::path& dir,
                                          const std::vector<std::string>& command = GameCommand());

// Keeps asking until the condition holds or timeoutMs has passed (ZARN_SLOWER times that for an
// emulated game).
bool Eventually(int timeoutMs, const std::function<bool()>& condition);
// The bound of a wait for what takes the game so many frames: ten times their time, so that it
// holds on a machine ten times slower.
constexpr int WithinFrames(int frames) {
    return 10 * frames * FRAME_DELAY;
}

// A place for the pointer that is on no marker line: markers lie in 80..459 both ways.
const int REST_X = 5, REST_Y = 500;

struct Place {
    int x = -1, y = -1;
    bool operator==(const Place& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Place& o) const { return !(*this == o); }
};

// Where the enemy stands in the game's picture; Place() if nowhere.
Place FindEnemy(SDL_Surface* picture, SDL_Surface* enemy);
// Where the player's paddle stands: its column is fixed, so only its top is looked for; -1 if
// nowhere.
int PlayerTop(SDL_Surface* picture, SDL_Surface* player);
// What the game's picture shows as the Life line, 0 to 30; -1 if none.
int LifeShown(SDL_Surface* picture);
// The ink of the Life line of a window at 1x, where no sprite moves it: it changes at every Life
// step, and only then. Cheap to read, unlike LifeShown.
std::string LifeLine(const Picture& picture);
// Waits for the next Life step: proof that frames ran.
bool HudChanges(const GameWindow& window);

// Each test has an X server of its test program's own, the shipped pictures to compare the
// window with, and the game's font (through TTF_Init) to know what a line of text looks like.
class EndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override { ASSERT_TRUE(server->Connection()) << "no X server"; }
    // Checks the game runs on the SDL 1.2 implementation this test run is for.
    void ExpectTheRequestedSdl(const GameProcess& game);
    static XServer* server;
    ShippedPictures pictures;
    SDL_Surface* background = pictures.background;
    SDL_Surface* player = pictures.player;
    SDL_Surface* enemy = pictures.enemy;
    SDL_Surface* endImage = pictures.endImage;
};
