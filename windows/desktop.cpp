// Zarn Game on Windows: what the desktop asks of the game's window. The manifest declares the
// game DPI-aware, so Windows gives it real pixels and leaves the scaling to it.
#include "media/media.h"

#include <SDL_syswm.h>
#include <windows.h>

void AskTheDesktop(Desktop& desktop) {
    HDC screen = GetDC(NULL);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    if (screen) {
        ReleaseDC(NULL, screen);
    }
    // 96 dots an inch is 100 %: at 200 % the window opens at 2x; at 150 % it stays at 1x.
    desktop.scaleFactor = dpi >= 2 * USER_DEFAULT_SCREEN_DPI ? dpi / USER_DEFAULT_SCREEN_DPI : 1;
    // The window and its frame keep clear of the taskbar. SDL's window has a caption and a
    // system menu.
    RECT work;
    RECT frame = {0, 0, 0, 0};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) &&
        AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, FALSE, 0)) {
        desktop.roomWidth = (work.right - work.left) - (frame.right - frame.left);
        desktop.roomHeight = (work.bottom - work.top) - (frame.bottom - frame.top);
    }
}

// SDL 1.2.15 moves its window itself where SDL_VIDEO_WINDOW_POS says; placing it once more
// keeps the game's own promise whatever SDL.dll a player puts beside it.
void PlaceWindow(int x, int y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) > 0) {
        SetWindowPos(info.window, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

const PadLayout& PadLayoutHere() {
    return PAD_LAYOUTS[WINDOWS_JOYSTICK];
}
