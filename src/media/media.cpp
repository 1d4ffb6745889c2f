// Zarn Game media: brings up SDL and the window, loads the pictures and the font, draws.
#include "media.h"

#include "../game/game.h"

#include <cstdarg>
#include <cstdio>

SDL_Surface* Backbuffer = NULL;
SDL_Surface* EndSceene = NULL;
SDL_Surface* BackgroundImage = NULL;
SDL_Surface* BallImage = NULL;
SDL_Surface* PlayerPaddleImage = NULL;
SDL_Surface* EnemyPaddleImage = NULL;
SDL_Surface* EndGameScreen = NULL;
TTF_Font* GameFont = NULL;

static char startupError[512];

static void NoteStartupError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    vsnprintf(startupError, sizeof startupError, format, args);
    va_end(args);
}

const char* StartupError() {
    return startupError;
}

bool InitSDL() {
    startupError[0] = '\0';
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) == -1) {
        NoteStartupError("cannot start SDL: %s", SDL_GetError());
        return false;
    }
    if (TTF_Init() == -1) {
        NoteStartupError("cannot start SDL_ttf: %s", TTF_GetError());
        return false;
    }
    // One mode request serves both handles: a second request may free the first one's surface.
    Backbuffer = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_SWSURFACE);
    EndSceene = Backbuffer;
    if (!Backbuffer) {
        NoteStartupError("cannot open a %dx%d window: %s", SCREEN_WIDTH, SCREEN_HEIGHT,
                         SDL_GetError());
        return false;
    }
    return true;
}

// Classic SDL's converter drops the low bits of 15- and 16-bit colours, which would turn pure
// white into (248, 248, 248) and past the colour key: such pictures go through exact colours.
static SDL_Surface* ToDisplayFormat(SDL_Surface* image) {
    if (image->format->palette || image->format->BytesPerPixel != 2) {
        return SDL_DisplayFormat(image);
    }
    SDL_Surface* exact = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0xff0000,
                                              0x00ff00, 0x0000ff, 0);
    if (!exact) {
        return NULL;
    }
    SDL_LockSurface(image);
    for (int y = 0; y < image->h; ++y) {
        const Uint16* from =
            reinterpret_cast<const Uint16*>(static_cast<Uint8*>(image->pixels) + y * image->pitch);
        Uint32* to =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(exact->pixels) + y * exact->pitch);
        for (int x = 0; x < image->w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(from[x], image->format, &r, &g, &b);
            to[x] = SDL_MapRGB(exact->format, r, g, b);
        }
    }
    SDL_UnlockSurface(image);
    SDL_Surface* converted = SDL_DisplayFormat(exact);
    SDL_FreeSurface(exact);
    return converted;
}

static Uint32 PixelValue(const Uint8* p, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 1:
        return *p;
    case 2:
        return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                               : p[0] << 16 | p[1] << 8 | p[2];
    default:
        return *reinterpret_cast<const Uint32*>(p);
    }
}

static bool HasPixel(SDL_Surface* image, Uint32 value) {
    bool found = false;
    SDL_LockSurface(image);
    for (int y = 0; y < image->h && !found; ++y) {
        const Uint8* row = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < image->w && !found; ++x) {
            found = PixelValue(row + x * image->format->BytesPerPixel,
                               image->format->BytesPerPixel) == value;
        }
    }
    SDL_UnlockSurface(image);
    return found;
}

SDL_Surface* LoadImage(const char* fileName) {
    if (!BmpDimensionsArePlausible(fileName)) {
        return NULL;
    }
    SDL_Surface* imageLoaded = SDL_LoadBMP(fileName);
    if (!imageLoaded) {
        return NULL;
    }
    SDL_Surface* processedImage = ToDisplayFormat(imageLoaded);
    SDL_FreeSurface(imageLoaded);
    if (processedImage) {
        // Pure white is the see-through colour of every picture. A picture without any needs
        // no key, and classic SDL copies an unkeyed picture several times faster.
        Uint32 colorKey = SDL_MapRGB(processedImage->format, 255, 255, 255);
        if (HasPixel(processedImage, colorKey)) {
            SDL_SetColorKey(processedImage, SDL_SRCCOLORKEY, colorKey);
        }
    }
    return processedImage;
}

struct ImageFile {
    SDL_Surface** handle;
    const char* path;
    bool required;
};

// The ball is never drawn, but a game without it is an incomplete install.
static const ImageFile imageFiles[] = {
    {&BackgroundImage, "graphics/background.bmp", true},
    {&BallImage, "graphics/ball.bmp", true},
    {&PlayerPaddleImage, "graphics/player.bmp", true},
    {&EnemyPaddleImage, "graphics/enemy.bmp", true},
    {&EndGameScreen, "graphics/endscreen.bmp", false},
};

static const char* const fontPath = "graphics/alfphabet.ttf";

bool LoadFiles() {
    // Every picture is loaded before any is judged; the first required one missing is reported.
    bool allRequiredLoaded = true;
    for (const ImageFile& file : imageFiles) {
        *file.handle = LoadImage(file.path);
        if (!*file.handle && file.required && allRequiredLoaded) {
            NoteStartupError("cannot load %s: %s", file.path, SDL_GetError());
            allRequiredLoaded = false;
        }
    }
    if (!allRequiredLoaded) {
        return false;
    }
    GameFont = TTF_OpenFont(fontPath, 30);
    if (!GameFont) {
        NoteStartupError("cannot load %s: %s", fontPath, TTF_GetError());
        return false;
    }
    return true;
}

void FreeFiles() {
    for (const ImageFile& file : imageFiles) {
        SDL_FreeSurface(*file.handle);
        *file.handle = NULL;
    }
    if (GameFont) {
        TTF_CloseFont(GameFont);
        GameFont = NULL;
    }
}

void DrawImage(SDL_Surface* image, SDL_Surface* destSurface, int x, int y) {
    if (!image) {
        return; // an optional picture that is not there
    }
    SDL_Rect destRect;
    destRect.x = x;
    destRect.y = y;
    SDL_BlitSurface(image, NULL, destSurface, &destRect);
}

void DrawText(SDL_Surface* surface, const char* string, int x, int y, TTF_Font* font, Uint8 r,
              Uint8 g, Uint8 b) {
    SDL_Color color = {r, g, b, 0};
    SDL_Surface* renderedText = TTF_RenderText_Solid(font, string, color);
    if (!renderedText) {
        return; // a line that cannot be rendered is left out of this frame
    }
    SDL_Rect pos;
    pos.x = x;
    pos.y = y;
    SDL_BlitSurface(renderedText, NULL, surface, &pos);
    SDL_FreeSurface(renderedText);
}
