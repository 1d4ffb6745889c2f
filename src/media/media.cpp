// Zarn Game media: brings up SDL and opens the window, loads the pictures and the font, draws.
#include "media.h"

#include "files.h"
#include "game/game.h"

#include <filesystem>
#include <string>

SDL_Surface* BackgroundImage = NULL;
SDL_Surface* BallImage = NULL;
SDL_Surface* PlayerPaddleImage = NULL;
SDL_Surface* EnemyPaddleImage = NULL;
SDL_Surface* EndGameScreen = NULL;
TTF_Font* GameFont = NULL;

bool InitSDL() {
    ClearStartupError();
    StartPads();
    // Video and the pads: SDL_GetTicks and SDL_Delay need no subsystem. The timer subsystem
    // would run a thread for timers the game never sets, and on Windows its callback can still be
    // running in that thread while SDL_Quit frees what it uses. The game plays without pads
    // where they cannot be started; video it cannot do without.
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) == -1 && SDL_Init(SDL_INIT_VIDEO) == -1) {
        NoteStartupError("cannot start SDL: %s", SDL_GetError());
        return false;
    }
    if (TTF_Init() == -1) {
        NoteStartupError("cannot start SDL_ttf: %s", TTF_GetError());
        return false;
    }
    return OpenGameWindow();
}

struct ImageFile {
    SDL_Surface** handle;
    const char* path;
    bool required;
};

#define IMAGE_FILE(handle, file, required) {&handle, GRAPHICS_DIR file, required},
static const ImageFile imageFiles[] = {FOR_EACH_PICTURE(IMAGE_FILE)};
#undef IMAGE_FILE

static const char* const fontPath = GRAPHICS_DIR FONT_FILE;

// The full path of a file the game could not load: the installed game runs in a data directory
// that the player never chose.
static std::string FullPath(const char* path) {
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

bool LoadFiles() {
    // Every picture is loaded before any is judged; the first required one missing is reported.
    bool allRequiredLoaded = true;
    for (const ImageFile& file : imageFiles) {
        *file.handle = LoadImage(file.path);
        if (!*file.handle && file.required && allRequiredLoaded) {
            NoteStartupError("cannot load %s: %s", FullPath(file.path).c_str(), SDL_GetError());
            allRequiredLoaded = false;
        }
    }
    if (!allRequiredLoaded) {
        return false;
    }
    GameFont = LoadFont(fontPath, HUD_FONT_SIZE, HUD_CHARACTERS);
    if (!GameFont) {
        NoteStartupError("cannot load %s: %s", FullPath(fontPath).c_str(), TTF_GetError());
        return false;
    }
    return true;
}

void FreeFiles() {
    for (const ImageFile& file : imageFiles) {
        SDL_FreeSurface(*file.handle);
        *file.handle = NULL;
    }
    CloseFont(GameFont);
    GameFont = NULL;
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
