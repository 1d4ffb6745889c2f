// Zarn Game media: loading one picture: checked, converted for the display, pure white
// see-through.
#include "media.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// No picture of this game is larger than this on a side; a header that claims more is
// damaged or hostile, and SDL would allocate the whole claimed picture before failing.
static const long long MAX_PICTURE_SIDE = 8192;
// The largest picture file that can be sound: the largest headers and palette, and the largest
// picture at 32 bits per pixel. Anything longer is not read at all.
static const long long MAX_PICTURE_FILE =
    14 + 124 + 256 * 4 + MAX_PICTURE_SIDE * MAX_PICTURE_SIDE * 4;

// The sizes of the information header that BMP writers use: OS/2 1.x, Windows 3, the two
// bit-field variants, Windows 4 and 5. Others exist only in damaged files.
static const Uint32 BMP_HEADER_SIZES[] = {12, 40, 52, 56, 108, 124};
static const int BMP_DEPTHS[] = {1, 4, 8, 16, 24, 32};
static const int OS2_DEPTHS[] = {1, 4, 8, 24};
static const Uint32 BMP_PLAIN = 0, BMP_BIT_FIELDS = 3;

static Uint32 LittleEndian(const Uint8* bytes, int count) {
    Uint32 value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

static long long SignedLittleEndian(const Uint8* bytes) {
    return static_cast<Sint32>(LittleEndian(bytes, 4));
}

template <typename T, size_t N> static bool IsOneOf(T value, const T (&allowed)[N]) {
    for (T a : allowed) {
        if (a == value) {
            return true;
        }
    }
    return false;
}

bool BmpIsSound(const Uint8* data, size_t size) {
    if (size < 18 || data[0] != 'B' || data[1] != 'M') {
        return Refuse("not a BMP picture");
    }
    Uint32 headerSize = LittleEndian(data + 14, 4);
    if (!IsOneOf(headerSize, BMP_HEADER_SIZES)) {
        return Refuse("a BMP header of %u bytes, which no BMP has", headerSize);
    }
    long long headersEnd = 14 + headerSize;
    if (static_cast<long long>(size) < headersEnd) {
        return Refuse("cut short: %zu bytes, less than its headers", size);
    }
    const Uint8* info = data + 14;
    bool os2 = headerSize == 12; // 16-bit sizes, 3-byte palette entries, never compressed
    long long width = os2 ? LittleEndian(info + 4, 2) : SignedLittleEndian(info + 4);
    long long height = os2 ? LittleEndian(info + 6, 2) : SignedLittleEndian(info + 8);
    int depth = static_cast<int>(LittleEndian(info + (os2 ? 10 : 14), 2));
    Uint32 compression = os2 ? BMP_PLAIN : LittleEndian(info + 16, 4);
    // A negative height is a picture stored top-down, and valid.
    if (width <= 0 || height == 0 || width > MAX_PICTURE_SIDE || llabs(height) > MAX_PICTURE_SIDE) {
        return Refuse("the picture claims %lld x %lld pixels", width, llabs(height));
    }
    if (!IsOneOf(depth, BMP_DEPTHS) || (os2 && !IsOneOf(depth, OS2_DEPTHS))) {
        return Refuse("a depth of %d bits per pixel, which no BMP of this header has", depth);
    }
    if (compression == BMP_BIT_FIELDS && (depth == 16 || depth == 32)) {
        if (headerSize == 40) {
            headersEnd += 12; // the three masks follow the short header
        }
    } else if (compression != BMP_PLAIN) {
        return Refuse("compression %u at %d bits per pixel, which the game does not read",
                      compression, depth);
    }
    if (depth <= 8) {
        long long colours = os2 ? 0 : LittleEndian(info + 32, 4);
        if (colours > (1 << depth)) {
            return Refuse("a palette of %lld colours at %d bits per pixel", colours, depth);
        }
        headersEnd += (colours ? colours : 1 << depth) * (os2 ? 3 : 4);
    }
    long long pixelsStart = LittleEndian(data + 10, 4);
    if (pixelsStart < headersEnd) {
        return Refuse("pixels that start at byte %lld, inside its headers", pixelsStart);
    }
    long long rowBytes = (width * depth + 31) / 32 * 4;
    long long claimed = pixelsStart + rowBytes * llabs(height);
    if (static_cast<long long>(size) < claimed) {
        return Refuse("cut short: %zu bytes of the %lld its header claims", size, claimed);
    }
    return true;
}

bool ReadWholeFile(const char* fileName, long long maxBytes, std::vector<Uint8>& bytes) {
    FILE* file = fopen(fileName, "rb");
    if (!file) {
        return Refuse("%s", strerror(errno));
    }
    bool read = false;
    long long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    if (size < 0 || fseek(file, 0, SEEK_SET) != 0) {
        Refuse("cannot read it: %s", strerror(errno));
    } else if (size > maxBytes) {
        Refuse("%lld bytes, more than any file of the game can need", size);
    } else {
        bytes.resize(static_cast<size_t>(size));
        read = fread(bytes.data(), 1, bytes.size(), file) == bytes.size() ||
               Refuse("cannot read it: %s", strerror(errno));
    }
    fclose(file);
    return read;
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

Uint32 PixelValue(const Uint8* p, int bytesPerPixel) {
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
    std::vector<Uint8> bytes;
    if (!ReadWholeFile(fileName, MAX_PICTURE_FILE, bytes)) {
        return NULL;
    }
    return ImageFromBytes(bytes.data(), bytes.size());
}

// The file is read once: the bytes that were checked are the bytes SDL decodes.
static SDL_Surface* DecodeSoundBmp(const Uint8* data, size_t size) {
    if (!BmpIsSound(data, size)) {
        return NULL;
    }
    return SDL_LoadBMP_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
}

SDL_Surface* ImageFromBytes(const Uint8* data, size_t size) {
    SDL_Surface* imageLoaded = DecodeSoundBmp(data, size);
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

// The window's icon. It is decoration only: without a sound icon file the game plays on with the
// desktop's default.
void SetWindowIcon(const char* fileName) {
    std::vector<Uint8> bytes;
    if (!ReadWholeFile(fileName, 1 << 20, bytes)) {
        return;
    }
    SDL_Surface* icon = DecodeSoundBmp(bytes.data(), bytes.size());
    if (icon) {
        SDL_SetColorKey(icon, SDL_SRCCOLORKEY, SDL_MapRGB(icon->format, 255, 255, 255));
        SDL_WM_SetIcon(icon, NULL); // SDL keeps its own copy
        SDL_FreeSurface(icon);
    }
}
