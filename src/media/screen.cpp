// Zarn Game media: the window, and the game's frame shown in it at a whole-number scale.
#include "media.h"

#include "files.h"
#include "game/game.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

SDL_Surface* Backbuffer = NULL;
SDL_Surface* EndSceene = NULL;
int RequestedScale = 0;
bool RequestedFullScreen = false;

// The display surface. At 1x in a window the game draws straight into it; otherwise the game
// draws into a frame of its own, and ShowFrame puts each of its pixels into the window as a
// Scale x Scale block, the frame's corner at (OffsetX, OffsetY).
static SDL_Surface* Window = NULL;
static SDL_Surface* ScaledFrame = NULL;
static int Scale = 1;
static int OffsetX = 0;
static int OffsetY = 0;
static bool FullScreen = false;
static bool FrameIsNew = false; // drawn since ShowFrame last put it into the window
// The pointer a pad moves, in game pixels, while it leads.
static bool PadLeads = false;
static int PadPointerX = 0;
static int PadPointerY = 0;

// The desktop as it was when the game started: the screen, and the room a window may take.
static Desktop TheDesktop;
static int WindowedScale = 1;

int ChooseScale(int roomWidth, int roomHeight, int wanted) {
    int fits = 1;
    while (fits < wanted && (fits + 1) * SCREEN_WIDTH <= roomWidth &&
           (fits + 1) * SCREEN_HEIGHT <= roomHeight) {
        fits++;
    }
    return fits;
}

static bool ScreenIsKnown() {
    return TheDesktop.screenWidth > 0 && TheDesktop.screenHeight > 0;
}

// The largest scale a window may have here: any, when the desktop does not say its size.
static int LargestWindowedScale() {
    if (TheDesktop.roomWidth <= 0 || TheDesktop.roomHeight <= 0) {
        return INT_MAX;
    }
    return ChooseScale(TheDesktop.roomWidth, TheDesktop.roomHeight, INT_MAX);
}

static bool OpenWindow(bool fullScreen) {
    int width = WindowedScale * SCREEN_WIDTH;
    int height = WindowedScale * SCREEN_HEIGHT;
    Uint32 flags = SDL_SWSURFACE;
    int scale = WindowedScale;
    // Full screen is a borderless window over the whole desktop at its own resolution: SDL's own
    // full screen would change the video mode, and the player's desktop with it.
    if (fullScreen) {
        width = TheDesktop.screenWidth;
        height = TheDesktop.screenHeight;
        flags |= SDL_NOFRAME;
        scale = ChooseScale(width, height, INT_MAX);
    }
    // SDL reads from its environment where its window goes; the window that comes back from
    // full screen stays where it is.
    if (fullScreen) {
        putenv(const_cast<char*>("SDL_VIDEO_WINDOW_POS=0,0"));
    } else if (FullScreen) {
        putenv(const_cast<char*>("SDL_VIDEO_WINDOW_POS="));
    }
    if (!Window) {
        SetWindowIcon(GRAPHICS_DIR WINDOW_ICON_FILE); // SDL takes it before the window opens
    }
    // One mode request serves both handles: a second request may free the first one's surface.
    // The same window takes the new size: the switch costs a frame, not a new window.
    Window = SDL_SetVideoMode(width, height, 32, flags);
    if (!Window) {
        NoteStartupError("cannot open a %dx%d window: %s", width, height, SDL_GetError());
        return false;
    }
    if (fullScreen) {
        PlaceWindow(0, 0); // not every SDL 1.2 moves a window it only resizes
    }
    FullScreen = fullScreen;
    Scale = scale;
    OffsetX = (width - scale * SCREEN_WIDTH) / 2;
    OffsetY = (height - scale * SCREEN_HEIGHT) / 2;
    SDL_FreeSurface(ScaledFrame);
    ScaledFrame = NULL;
    if (scale == 1 && !FullScreen) {
        Backbuffer = Window;
    } else {
        const SDL_PixelFormat* format = Window->format;
        ScaledFrame = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32,
                                           format->Rmask, format->Gmask, format->Bmask, 0);
        if (!ScaledFrame) {
            NoteStartupError("cannot make the game's frame: %s", SDL_GetError());
            return false;
        }
        SDL_FillRect(Window, NULL, 0); // the bars around the game stay black
        Backbuffer = ScaledFrame;
    }
    EndSceene = Backbuffer;
    return true;
}

bool OpenGameWindow() {
    const SDL_VideoInfo* video = SDL_GetVideoInfo(); // before a window: the desktop's own mode
    TheDesktop.screenWidth = TheDesktop.roomWidth = video ? video->current_w : 0;
    TheDesktop.screenHeight = TheDesktop.roomHeight = video ? video->current_h : 0;
    TheDesktop.scaleFactor = 1;
    AskTheDesktop(TheDesktop);
    int largest = LargestWindowedScale();
    if (RequestedScale > largest) {
        NoteCommandLineError(
            "--scale %d is larger than this screen holds; the largest it holds is %d",
            RequestedScale, largest);
        return false;
    }
    WindowedScale = RequestedScale > 0 ? RequestedScale
                                       : ChooseScale(TheDesktop.roomWidth, TheDesktop.roomHeight,
                                                     TheDesktop.scaleFactor);
    return OpenWindow(RequestedFullScreen && ScreenIsKnown());
}

bool ToggleFullScreen() {
    if (!ScreenIsKnown()) {
        return true; // no screen of its own to cover: the browser's page goes full screen itself
    }
    return OpenWindow(!FullScreen);
}

// A start after this one (the tests, the benchmark) opens its window afresh.
void CloseGameWindow() {
    SDL_FreeSurface(ScaledFrame);
    ScaledFrame = NULL;
    Window = NULL; // SDL frees the display surface itself
    FullScreen = false;
    Scale = 1;
    OffsetX = OffsetY = 0;
    PadLeads = false;
}

// Both handles are cleared to black; where they are the one surface, one fill clears both.
void ClearFrame() {
    SDL_FillRect(Backbuffer, NULL, 0);
    if (EndSceene != Backbuffer) {
        SDL_FillRect(EndSceene, NULL, 0);
    }
    FrameIsNew = true;
}

// Every game pixel as a Scale x Scale block: each row is widened once, then copied down.
void PutFrameInWindow() {
    if (Backbuffer == Window) {
        return; // at 1x in a window the game draws in the window itself
    }
    if (Scale == 1) {
        SDL_Rect at = {Sint16(OffsetX), Sint16(OffsetY), 0, 0};
        SDL_BlitSurface(ScaledFrame, NULL, Window, &at);
        return;
    }
    if (SDL_MUSTLOCK(Window) && SDL_LockSurface(Window) < 0) {
        return; // the window keeps its last picture
    }
    size_t rowBytes = size_t(SCREEN_WIDTH) * Scale * sizeof(Uint32);
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        const Uint32* from = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(ScaledFrame->pixels) + y * ScaledFrame->pitch);
        Uint8* top = static_cast<Uint8*>(Window->pixels) + (OffsetY + y * Scale) * Window->pitch;
        Uint32* to = reinterpret_cast<Uint32*>(top) + OffsetX;
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            for (int k = 0; k < Scale; ++k) {
                *to++ = from[x];
            }
        }
        for (int k = 1; k < Scale; ++k) {
            memcpy(top + k * Window->pitch + OffsetX * sizeof(Uint32),
                   top + OffsetX * sizeof(Uint32), rowBytes);
        }
    }
    if (SDL_MUSTLOCK(Window)) {
        SDL_UnlockSurface(Window);
    }
}

// The loop shows each frame twice, before and after the end screen's hold, and the window keeps
// it meanwhile: a frame is put on the screen once, and a scaled one scaled once.
void ShowFrame(SDL_Surface* frame) {
    if (!FrameIsNew) {
        return;
    }
    if (frame != Window) {
        PutFrameInWindow();
    }
    SDL_Flip(Window);
    FrameIsNew = false;
}

// The game pixel under this point of the window, or false over the bars around the game.
static bool GamePixelAt(int windowX, int windowY, int* x, int* y) {
    int gameX = windowX - OffsetX;
    int gameY = windowY - OffsetY;
    if (gameX < 0 || gameY < 0 || gameX >= Scale * SCREEN_WIDTH || gameY >= Scale * SCREEN_HEIGHT) {
        return false;
    }
    *x = gameX / Scale;
    *y = gameY / Scale;
    return true;
}

void GamePointer(int* x, int* y) {
    if (PadLeads) {
        *x = PadPointerX;
        *y = PadPointerY;
        return;
    }
    int windowX = 0;
    int windowY = 0;
    SDL_GetMouseState(&windowX, &windowY);
    if (!GamePixelAt(windowX, windowY, x, y)) {
        *x = OFF_THE_GAME;
        *y = OFF_THE_GAME;
    }
}

// From where the pointer is, or from the middle when it is off the game; never off the game.
// The player's pointer goes to the middle of the game pixel's block.
void MovePointerBy(int dx, int dy) {
    int x = 0;
    int y = 0;
    GamePointer(&x, &y);
    if (x == OFF_THE_GAME) {
        x = SCREEN_WIDTH / 2;
        y = SCREEN_HEIGHT / 2;
    }
    PadPointerX = std::clamp(x + dx, 0, SCREEN_WIDTH - 1);
    PadPointerY = std::clamp(y + dy, 0, SCREEN_HEIGHT - 1);
    PadLeads = true;
    SDL_WarpMouse(Uint16(OffsetX + PadPointerX * Scale + Scale / 2),
                  Uint16(OffsetY + PadPointerY * Scale + Scale / 2));
}

// The mouse takes the pointer back when it moves it to another game pixel. A move to the pad's
// own pixel is the warp's echo, which SDL reports as any move.
void NoteMouseMotion(int windowX, int windowY) {
    int x = OFF_THE_GAME;
    int y = OFF_THE_GAME;
    GamePixelAt(windowX, windowY, &x, &y);
    if (x != PadPointerX || y != PadPointerY) {
        PadLeads = false;
    }
}

bool PadPointerLeads() {
    return PadLeads;
}
