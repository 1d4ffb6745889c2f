// Test support: BMP files made byte by byte, at every depth, whole or damaged.
#pragma once

#include "support.h"

#include <vector>

using Bytes = std::vector<unsigned char>;

// A BMP of the given depth holding the pixels row by row, top row first. Depths of 8 bits or
// fewer get a palette of the pixels' colours; 16 bits is 5-5-5. A negative height stores the
// rows top-down.
Bytes MakeBmp(int bitsPerPixel, int width, int height, const std::vector<Color>& pixels);

// The file's bytes; a name without a folder is one of the shipped files in graphics/.
Bytes ShippedFile(const char* name);
Bytes FileBytes(const std::filesystem::path& path);

// Damage done to a file: its bytes in, the damaged bytes out; no apply means the file is gone.
struct Damage {
    const char* what;
    Bytes (*apply)(const Bytes&);
};
const Damage MISSING = {"missing", nullptr};
// What befalls any file: gone, empty, cut short, or another kind of file altogether.
extern const std::vector<Damage> ANY_FILE_DAMAGE;

// The font with the bytes at offset `at` of one of its tables replaced.
Bytes WithFontTableBytes(Bytes font, const char* table, size_t at, const Bytes& bytes);
// The font with every pair of its kerning table set to the given value.
Bytes WithKerning(Bytes font, Sint16 value);
