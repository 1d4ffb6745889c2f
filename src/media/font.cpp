// Zarn Game media: opening the font, and checking it before the HUD trusts it with a frame.
#include "media.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

// A 30-point line is about 35 pixels; SDL_ttf draws a line into one surface of its height.
static const int MIN_LINE_HEIGHT = 10;
static const int MAX_LINE_HEIGHT = 120;
static const long long MAX_FONT_FILE = 16 << 20;

// FreeType reads the open font from these bytes for as long as it is open: the game has one.
static std::vector<Uint8> openFontBytes;

TTF_Font* FontFromBytes(const std::vector<Uint8>& bytes, int pointSize) {
    // TrueType, Apple's TrueType and OpenType with CFF outlines. FreeType opens other formats
    // too, bitmap fonts among them, that SDL_ttf cannot draw safely.
    static const char* const signatures[] = {"\x00\x01\x00\x00", "true", "OTTO"};
    bool sfnt = bytes.size() >= 12 && std::any_of(std::begin(signatures), std::end(signatures),
                                                  [&](const char* signature) {
                                                      return !memcmp(bytes.data(), signature, 4);
                                                  });
    if (!sfnt) {
        Refuse("not a TrueType or OpenType font");
        return NULL;
    }
    return TTF_OpenFontRW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1,
                          pointSize);
}

// SDL_ttf draws a line into a surface as wide as it measures the line, and writes each glyph
// where the glyph's metrics and the kerning put it, without checking. A glyph or a kerning pair
// far outside the line's box writes outside that surface.
bool FontIsSound(TTF_Font* font, const char* characters) {
    int height = TTF_FontHeight(font);
    int ascent = TTF_FontAscent(font);
    if (height < MIN_LINE_HEIGHT || height > MAX_LINE_HEIGHT || ascent <= 0 || ascent > height) {
        return Refuse("a line of %d pixels with an ascent of %d", height, ascent);
    }
    int slack = height / 2;
    std::string drawn;
    for (const char* c = characters; *c; ++c) {
        if (drawn.find(*c) == std::string::npos) {
            drawn += *c;
        }
    }
    for (char c : drawn) {
        int minX, maxX, minY, maxY, advance;
        if (TTF_GlyphMetrics(font, static_cast<Uint8>(c), &minX, &maxX, &minY, &maxY, &advance)) {
            return false; // SDL_ttf says why
        }
        if (advance < 0 || advance > 2 * height || minX < -slack || maxX > advance + slack ||
            maxY > ascent + slack || minY < ascent - height - slack) {
            return Refuse("the glyph '%c' lies outside its line", c);
        }
    }
    for (char first : drawn) {
        for (char second : drawn) {
            const char pair[] = {first, second, '\0'};
            int kerned = 0, plain = 0, lineHeight = 0;
            TTF_SetFontKerning(font, 0);
            TTF_SizeText(font, pair, &plain, &lineHeight);
            TTF_SetFontKerning(font, 1);
            TTF_SizeText(font, pair, &kerned, &lineHeight);
            if (abs(kerned - plain) > slack) {
                return Refuse("the kerning of \"%s\" moves it %d pixels", pair, kerned - plain);
            }
        }
    }
    return true;
}

TTF_Font* LoadFont(const char* fileName, int pointSize, const char* characters) {
    TTF_Font* font = NULL;
    if (ReadWholeFile(fileName, MAX_FONT_FILE, openFontBytes)) {
        font = FontFromBytes(openFontBytes, pointSize);
    }
    if (font && !FontIsSound(font, characters)) {
        TTF_CloseFont(font); // keeps the error that FontIsSound set
        font = NULL;
    }
    if (!font) {
        std::vector<Uint8>().swap(openFontBytes);
    }
    return font;
}

void CloseFont(TTF_Font* font) {
    if (font) {
        TTF_CloseFont(font);
    }
    std::vector<Uint8>().swap(openFontBytes);
}
