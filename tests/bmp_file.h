// Test support: BMP files made byte by byte, at every depth, whole or damaged.
#pragma once

#include "support.h"

#include <vector>

using Bytes = std::vector<unsigned char>;

// A BMP of the given depth holding the pixels row by row, top row first. Depths of 8 bits or
// fewer get a palette of the pixels' colours; 16 bits is 5-5-5. A negative height stores the
// rows top-down.
Bytes MakeBmp(int bitsPerPixel, int width, int height, const std::vector<Color>& pixels);

// The shipped file's bytes.
Bytes ShippedFile(const char* name);
