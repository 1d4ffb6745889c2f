// Zarn Game media: a look at a BMP's header before SDL reads the picture.
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
