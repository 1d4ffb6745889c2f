// Zarn Game media: loading one picture, converted for the display, pure white see-through.
#include "media.h"

#include <cstdio>
#include <cstdlib>

// No picture of this game is larger than this on a side; a header that claims more is
// damaged or hostile, and SDL would allocate the whole claimed picture before failing.
static const long long MAX_PICTURE_SIDE = 8192;

static long long LittleEndian(const unsigned char* bytes, int count) {
    unsigned long value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    if (count == 4) {
        return static_cast<Sint32>(static_cast<Uint32>(value));
    }
    return static_cast<long long>(value);
}

bool BmpDimensionsArePlausible(const char* fileName) {
    FILE* file = fopen(fileName, "rb");
    if (!file) {
        return true; // SDL says best why the file cannot be opened
    }
    unsigned char header[26];
    size_t got = fread(header, 1, sizeof header, file);
    fclose(file);
    if (got < sizeof header || header[0] != 'B' || header[1] != 'M') {
        return true; // not a BMP, or cut short: SDL's loader refuses it without allocating
    }
    long long width = 0;
    long long height = 0;
    if (LittleEndian(header + 14, 4) == 12) { // the old OS/2 header has 16-bit sizes
        width = LittleEndian(header + 18, 2);
        height = LittleEndian(header + 20, 2);
    } else {
        width = LittleEndian(header + 18, 4);
        height = LittleEndian(header + 22, 4);
    }
    // A negative height is a picture stored top-down, and valid.
    if (width <= 0 || height == 0 || width > MAX_PICTURE_SIDE || llabs(height) > MAX_PICTURE_SIDE) {
        // SDL's own formatter knows no 64-bit numbers.
        char why[96];
        snprintf(why, sizeof why, "the picture claims %lld x %lld pixels", width, llabs(height));
        SDL_SetError("%s", why);
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
