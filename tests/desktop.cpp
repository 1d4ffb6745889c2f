// Test support for the end-to-end tests: a real X server, the real game in it, real input.
#include "desktop.h"
#include "bmp_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

bool Eventually(int timeoutMs, const std::function<bool()>& condition) {
    // An emulated game (the arm64 one under QEMU) is ZARN_SLOWER times slower: so are its bounds.
    static const int slower = std::max(1, atoi(getenv("ZARN_SLOWER") ? getenv("ZARN_SLOWER") : ""));
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs * slower);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        // Each look may copy all the window's pixels: one every frame and a half is enough.
        std::this_thread::sleep_for(std::chrono::milliseconds(3 * FRAME_DELAY / 2));
    }
    return true;
}

// Windows come and go while the tests look at them: a window that vanished between listing
// and asking is no failure, but Xlib's default handler would end the test program.
static int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

XServer::XServer() {
    XSetErrorHandler(IgnoreXError);
    // The X server that the run's Wine keeps its desktop on, where the Windows game is tested.
    const char* shared = getenv("ZARN_X_DISPLAY");
    name_ = shared ? shared : ":" + StartXvfb(&pid_);
    display_ = XOpenDisplay(name_.c_str());
    if (!display_) {
        ADD_FAILURE() << "cannot open the X display " << name_ << " (is xvfb installed?)";
    }
}

// Starts an Xvfb of the test's own on a free display; returns the display's number.
std::string XServer::StartXvfb(pid_t* pid) {
    int fds[2];
    if (pipe(fds) != 0) {
        return "";
    }
    *pid = fork();
    if (*pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL); // a test killed on time-out takes its server along
        close(fds[0]);
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        dup2(devNull, 2);
        std::string fd = std::to_string(fds[1]);
        // -noreset: SDL opens the display, closes it and opens it again.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1200x24", "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd waitFor = {fds[0], POLLIN, 0};
    char c;
    while (poll(&waitFor, 1, 15000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    return number;
}

XServer::~XServer() {
    if (display_) {
        XCloseDisplay(display_);
    }
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::vector<std::string> GameCommand() {
    std::vector<std::string> command;
    if (const char* runner = getenv("ZARN_GAME_RUNNER")) {
        command.push_back(runner);
    }
    const char* game = getenv("ZARN_GAME");
    command.push_back(game ? game : ZARN_BINARY);
    return command;
}

bool UnderWine() {
    const char* runner = getenv("ZARN_GAME_RUNNER");
    return runner && std::string(runner) == "wine";
}

std::string PathAsTheGameSaysIt(const fs::path& path) {
    if (!UnderWine()) {
        return path.string();
    }
    std::string windows = "Z:" + path.string(); // Wine's drive for the whole file system
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}

GameProcess::GameProcess(const XServer& server, const fs::path& workDir,
                         const std::vector<std::string>& command) {
    // A file of this game's own: a test may run several games at once.
    std::string errorFile = (fs::temp_directory_path() / "zarn-stderr-XXXXXX").string();
    int err = mkstemp(errorFile.data());
    errorFile_ = errorFile;
    if (err < 0) {
        ADD_FAILURE() << "cannot make " << errorFile << ": " << strerror(errno);
    }
    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL); // and its game
        if (chdir(workDir.c_str()) != 0) {
            _exit(126);
        }
        dup2(err, 2);
        close(err);
        setenv("DISPLAY", server.Name().c_str(), 1);
        std::vector<char*> argv;
        for (const std::string& word : command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(err);
}

GameProcess::~GameProcess() {
    if (!ended_ && pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    fs::remove(errorFile_);
}

::testing::AssertionResult GameProcess::Ends(int status, int timeoutMs) {
    int got = 0;
    if (!Eventually(timeoutMs, [&] { return waitpid(pid_, &got, WNOHANG) == pid_; })) {
        return ::testing::AssertionFailure() << "the game did not end: " << ErrorOutput();
    }
    ended_ = true;
    int ended = WIFEXITED(got) ? WEXITSTATUS(got) : 128 + WTERMSIG(got);
    if (ended != status) {
        return ::testing::AssertionFailure() << "status " << ended << ": " << ErrorOutput();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult GameProcess::EndsSaying(int status, const std::string& words) {
    ::testing::AssertionResult ended = Ends(status);
    std::string said = ErrorOutput();
    bool oneLine = said.rfind(words, 0) == 0 && std::count(said.begin(), said.end(), '\n') == 1;
    if (ended && (words.empty() ? !said.empty() : !oneLine)) {
        return ::testing::AssertionFailure() << "it said: " << said;
    }
    return ended;
}

::testing::AssertionResult StartedGame::HasAWindow() const {
    if (!window.Found()) {
        return ::testing::AssertionFailure() << "no window: " << ErrorOutput();
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult StartedGame::Shows(SDL_Surface* background) {
    ::testing::AssertionResult shown = HasAWindow();
    if (shown && !Eventually(5000, [&] {
            first = window.Capture();
            return ShowsPicture(first.get(), background);
        })) {
        return ::testing::AssertionFailure() << "no game in the window";
    }
    return shown;
}

::testing::AssertionResult OpensAndCloses(const XServer& server, const fs::path& dir,
                                          const std::vector<std::string>& command) {
    StartedGame game(server, dir, command);
    ::testing::AssertionResult opened = game.HasAWindow();
    if (!opened) {
        return opened;
    }
    game.window.RequestClose();
    return game.EndsSaying(0, "");
}

bool GameProcess::Running() {
    return !ended_ && waitpid(pid_, nullptr, WNOHANG) == 0;
}

std::string GameProcess::ErrorOutput() const {
    Bytes text = FileBytes(errorFile_);
    return std::string(text.begin(), text.end());
}

// The first line of what /proc says of the process in `file` that holds the text; "" if none.
static std::string ProcLine(pid_t pid, const char* file, const std::string& text) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line) && line.find(text) == std::string::npos) {
    }
    return line;
}

bool GameProcess::HasLoaded(const std::string& fileName) const {
    return !ProcLine(pid_, "maps", "/" + fileName).empty();
}

long GameProcess::ResidentKilobytes() const {
    std::string line = ProcLine(pid_, "status", "VmRSS:");
    return line.empty() ? -1 : std::stol(line.substr(6));
}

static Window FindTitled(Display* display, Window parent, const char* title) {
    Window root, ignored, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count)) {
        return 0;
    }
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            found = std::string(name) == title ? children[i] : 0;
            XFree(name);
        }
    }
    XFree(children); // which may be null
    return found;
}

GameWindow::GameWindow(const XServer& server, int timeoutMs) : server_(server) {
    Display* display = server.Connection();
    Eventually(timeoutMs, [&] {
        window_ = FindTitled(display, DefaultRootWindow(display), WINDOW_TITLE);
        if (!window_) {
            return false;
        }
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window_, &attributes)) {
            return false;
        }
        Window child;
        XTranslateCoordinates(display, window_, DefaultRootWindow(display), 0, 0, &x_, &y_, &child);
        width_ = attributes.width;
        height_ = attributes.height;
        return attributes.map_state == IsViewable;
    });
    if (window_) {
        // What a window manager does for a new window: the keyboard goes to it.
        XSetInputFocus(display, window_, RevertToPointerRoot, CurrentTime);
        XSync(display, False);
    }
}

Picture GameWindow::Capture() const {
    Display* display = server_.Connection();
    Picture picture(
        SDL_CreateRGBSurface(SDL_SWSURFACE, width_, height_, 32, 0xff0000, 0x00ff00, 0x0000ff, 0),
        SDL_FreeSurface);
    XImage* image =
        XGetImage(display, DefaultRootWindow(display), x_, y_, width_, height_, AllPlanes, ZPixmap);
    if (!image) {
        ADD_FAILURE() << "cannot read the window's picture";
        return picture;
    }
    for (int y = 0; y < height_; ++y) {
        Uint32* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(picture->pixels) + y * picture->pitch);
        for (int x = 0; x < width_; ++x) {
            row[x] = Uint32(XGetPixel(image, x, y)) & 0xffffff;
        }
    }
    XDestroyImage(image);
    return picture;
}

static void Xdotool(const XServer& server, const std::string& arguments) {
    std::string command = "DISPLAY=" + server.Name() + " xdotool " + arguments;
    ASSERT_EQ(system(command.c_str()), 0) << command;
}

void GameWindow::MovePointer(int x, int y) const {
    Xdotool(server_, "mousemove " + std::to_string(x_ + x) + " " + std::to_string(y_ + y));
}

void GameWindow::Key(const char* action, const char* key) const {
    Xdotool(server_, std::string(action) + " " + key);
}

void GameWindow::RequestClose() const {
    Display* display = server_.Connection();
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window_;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window_, False, NoEventMask, &event);
    XFlush(display);
}

Place FindEnemy(SDL_Surface* picture, SDL_Surface* enemy) {
    // The game's rand() is never seeded, but libraries in its process (Mesa's, for one) may
    // draw from it first, so the place is read from the picture. The sprite is compared from
    // its marker band down, which is below the HUD wherever the enemy stands, and which alone
    // fixes its height; its pure-white pixels are see-through.
    for (int y = ENEMY_MIN; y < ENEMY_MIN + ENEMY_RANGE; ++y) {
        for (int x = ENEMY_MIN; x < ENEMY_MIN + ENEMY_RANGE; ++x) {
            bool match = true;
            for (int sy = MARKER_OFFSET; sy < enemy->h && y + sy < SCREEN_HEIGHT && match;
                 sy += 6) {
                for (int sx = 1; sx < enemy->w && match; sx += 3) {
                    Color c = PixelAt(enemy, sx, sy);
                    match = c == WHITE || PixelAt(picture, x + sx, y + sy) == c;
                }
            }
            if (match) {
                return {x, y};
            }
        }
    }
    return {};
}

int PlayerTop(SDL_Surface* game, SDL_Surface* player) {
    for (int y = 0; y <= PLAYER_LOWEST_Y; ++y) {
        if (PixelAt(game, PLAYER_MIDDLE_X, y + 50) == PixelAt(player, 10, 50) &&
            PixelAt(game, PLAYER_MIDDLE_X, y + 91) == PixelAt(player, 10, 91) &&
            PixelAt(game, 275, y + 4) == PixelAt(player, 19, 4)) {
            return y;
        }
    }
    return -1;
}

// The fewest digits first: the ink of "Life: 2" is all within that of "Life: 29".
int LifeShown(SDL_Surface* picture) {
    for (int life = 0; life <= START_LIVES; ++life) {
        if (ShowsLife(picture, life)) {
            return life;
        }
    }
    return -1;
}

std::string LifeLine(const Picture& picture) {
    std::string ink;
    for (int y = 40; y < 70; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            ink += PixelAt(picture.get(), x, y) == LIGHT_GREY ? '#' : '.';
        }
    }
    return ink;
}

bool HudChanges(const GameWindow& window) {
    std::string before = LifeLine(window.Capture());
    return Eventually(WithinFrames(FRAMES_PER_LIFE_STEP),
                      [&] { return LifeLine(window.Capture()) != before; });
}

XServer* EndToEnd::server = nullptr;

void EndToEnd::SetUpTestSuite() {
    server = new XServer();
    TTF_Init();
}

void EndToEnd::TearDownTestSuite() {
    TTF_Quit();
    delete server;
}

void EndToEnd::ExpectTheRequestedSdl(const GameProcess& game) {
    const char* expected = getenv("ZARN_EXPECT_SDL");
    ASSERT_NE(expected, nullptr) << "ZARN_EXPECT_SDL names the implementation under test";
    if (std::string(expected) == "wine") {
        EXPECT_TRUE(game.HasLoaded("SDL.dll")) << "the game under Wine has no SDL.dll";
        return;
    }
    // The SDL 1.2 built on SDL2 loads it; where that is the only SDL 1.2, nothing else shows.
    EXPECT_EQ(game.HasLoaded("libSDL2-2.0.so") ? "compat" : "classic", std::string(expected));
}
