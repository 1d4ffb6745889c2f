// Zarn Game in a browser: loading one picture. The page fetches the pictures and the browser
// decodes them, so the native game's checks of a file's bytes are the browser's business here.
#include "media/media.h"

// The picture the page holds under the path the game asks for (pictures.js); NULL if none.
extern "C" SDL_Surface* ZarnPicture(const char* fileName);

SDL_Surface* LoadImage(const char* fileName) {
    SDL_Surface* imageLoaded = ZarnPicture(fileName);
    if (!imageLoaded) {
        return NULL;
    }
    // The browser's SDL converts only to a format with alpha, which the colour key then clears.
    SDL_Surface* processedImage = SDL_DisplayFormatAlpha(imageLoaded);
    SDL_FreeSurface(imageLoaded);
    if (processedImage) {
        Uint32 colorKey = SDL_MapRGB(processedImage->format, 255, 255, 255);
        SDL_SetColorKey(processedImage, SDL_SRCCOLORKEY, colorKey);
    }
    return processedImage;
}

// The page carries the game's icon.
void SetWindowIcon(const char*) {}
