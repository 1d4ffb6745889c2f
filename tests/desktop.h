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
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// The game under test: build/zarn, or the program that ZARN_GAME names, started through
// ZARN_GAME_RUNNER where that is set (zarn.exe through wine).
std::vector<std::string> GameCommand();
// A file's path as the game under test writes it in a message: under Wine, as Windows has it.
std::string PathAsTheGameSaysIt(const std::filesystem::path& path);

// The real game, started in a working directory on the X server: the game under test, or a
// command that runs it (valgrind and its options before it, or an installed launcher).
class GameProcess {
  public:
    GameProcess(const XServer& server, const std::filesystem::path& workDir,
                const std::vector<std::string>& command = GameCommand());
    ~GameProcess();
    pid_t Pid() const { return pid_; }
    // Waits up to timeoutMs for the game to end; true with its exit status if it did.
    bool WaitForExit(int timeoutMs, int* exitStatus);
    bool Running();
    std::string ErrorOutput() const;
    // Whether the running game has a library of this file name loaded (SDL2's, which the SDL
    // 1.2 built on it loads, or SDL.dll under Wine). The test's own LD_LIBRARY_PATH, which
    // chooses the implementation, passes on to the game.
    bool HasLoaded(const std::string& fileName) const;
    // The resident memory of the running game, in kilobytes.
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
    // Waits up to timeoutMs for a window titled "Zarn Game"; check Found().
    GameWindow(const XServer& server, int timeoutMs);
    bool Found() const { return window_ != 0; }
    int X() const { return x_; } // on the screen
    int Y() const { return y_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The window's picture, read from the screen.
    Picture Capture() const;
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

bool WindowTitledZarnGameExists(const XServer& server);

// Keeps asking until the condition holds or timeoutMs has passed.
bool Eventually(int timeoutMs, const std::function<bool()>& condition);
