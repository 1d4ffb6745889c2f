// Zarn Game media: what the desktop asks of the game's window, and where the window goes, on an
// X11 desktop.
#include "media.h"

#include <SDL_syswm.h>

#include <cstdlib>
#include <cstring>
#include <strings.h>

void AskTheDesktop(Desktop& desktop) {
    // GNOME and other desktops tell X11 programs their whole-number scale factor this way.
    const char* gdkScale = getenv("GDK_SCALE");
    int factor = gdkScale ? atoi(gdkScale) : 1;
    desktop.scaleFactor = factor > 1 ? factor : 1;
}

// Classic SDL 1.2 moves its window where SDL_VIDEO_WINDOW_POS says whenever it sets a mode;
// sdl12-compat before 1.2.68 only resizes the window it has, so the game moves it itself.
void PlaceWindow(int x, int y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11) {
        return; // no X11 window: SDL's dummy video, or another window system
    }
    // The window the window manager handles; sdl12-compat has only the one.
    ::Window topLevel = info.info.x11.wmwindow ? info.info.x11.wmwindow : info.info.x11.window;
    if (info.info.x11.lock_func) {
        info.info.x11.lock_func();
    }
    XMoveWindow(info.info.x11.display, topLevel, x, y);
    XFlush(info.info.x11.display);
    if (info.info.x11.unlock_func) {
        info.info.x11.unlock_func();
    }
}

// sdl12-compat (SDL 1.2.50 and later) plays pads as SDL's game controllers unless the player
// asked it not to; classic SDL 1.2, and sdl12-compat so asked, report what the kernel reports.
const PadLayout& PadLayoutHere() {
    const char* controllers = getenv("SDL12COMPAT_USE_GAME_CONTROLLERS");
    bool asControllers =
        controllers && strcmp(controllers, "0") && strcasecmp(controllers, "false");
    bool compat = SDL_Linked_Version()->patch >= 50;
    return PAD_LAYOUTS[compat && asControllers ? SDL_GAME_CONTROLLER : LINUX_GAMEPAD];
}
