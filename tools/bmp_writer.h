// BMP files made byte by byte, at every depth and with every header a BMP writer uses: the tests'
// pictures and the fuzzers' first inputs.
#pragma once

#include <ostream>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct Color {
    int r, g, b;
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const Color& c);

// A BMP of the given depth holding the pixels row by row, top row first. Depths of 8 bits or
// fewer get a palette of the pixels' colours; 16 bits is 5-5-5, or 5-6-5 with bit fields. A
// negative height stores the rows top-down. The information header is headerSize bytes: 12 is
// OS/2's, 40 Windows', and 52 to 124 its later versions, which hold the bit fields' masks.
Bytes MakeBmp(int bitsPerPixel, int width, int height, const std::vector<Color>& pixels,
              int headerSize = 40, bool bitFields = false);
