// Zarn Game in a browser: the font. The browser draws the text with the font that the page loads
// under the font file's path as its name, so there is no file for the game to read or check.
#include "media/media.h"

TTF_Font* LoadFont(const char* fileName, int pointSize, const char*) {
    return TTF_OpenFont(fileName, pointSize);
}

void CloseFont(TTF_Font* font) {
    if (font) {
        TTF_CloseFont(font);
    }
}
