// BMP files made byte by byte, at every depth and with every header a BMP writer uses.
#include "bmp_writer.h"

#include <algorithm>
#include <cstdlib>

std::ostream& operator<<(std::ostream& out, const Color& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

static void Put(Bytes& out, unsigned value, int count) {
    for (int i = 0; i < count; ++i) {
        out.push_back((value >> (8 * i)) & 0xff);
    }
}

Bytes MakeBmp(int bitsPerPixel, int width, int height, const std::vector<Color>& pixels,
              int headerSize, bool bitFields) {
    int rows = std::abs(height);
    bool os2 = headerSize == 12, wide16 = bitFields && bitsPerPixel == 16;
    std::vector<Color> palette;
    for (const Color& c : pixels) {
        if (bitsPerPixel <= 8 && std::find(palette.begin(), palette.end(), c) == palette.end()) {
            palette.push_back(c);
        }
    }
    if (os2 && bitsPerPixel <= 8) {
        palette.resize(size_t(1) << bitsPerPixel, Color{0, 0, 0}); // it has no colour count
    }
    int rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    int masks = bitFields && headerSize == 40 ? 12 : 0; // after the header, else inside it
    unsigned pixelOffset = 14 + headerSize + masks + (os2 ? 3 : 4) * unsigned(palette.size());
    Bytes out = {'B', 'M'};
    Put(out, pixelOffset + rowBytes * rows, 4);
    Put(out, 0, 4);
    Put(out, pixelOffset, 4);
    Put(out, headerSize, 4);
    Put(out, unsigned(width), os2 ? 2 : 4);
    Put(out, unsigned(height), os2 ? 2 : 4);
    Put(out, 1, 2);
    Put(out, unsigned(bitsPerPixel), 2);
    if (!os2) {
        Put(out, bitFields ? 3 : 0, 4); // the compression: none, or bit fields
        Put(out, rowBytes * rows, 4);
        Put(out, 2835, 4);
        Put(out, 2835, 4);
        Put(out, unsigned(palette.size()), 4);
        Put(out, 0, 4);
        size_t end = out.size() + std::max(masks, headerSize - 40);
        Put(out, wide16 ? 0xf800 : bitsPerPixel == 16 ? 0x7c00 : 0xff0000, 4);
        Put(out, wide16 ? 0x07e0 : bitsPerPixel == 16 ? 0x03e0 : 0xff00, 4);
        Put(out, bitsPerPixel == 16 ? 0x1f : 0xff, 4);
        out.resize(end, 0);
    }
    for (const Color& c : palette) {
        Put(out, unsigned(c.b | c.g << 8 | c.r << 16), os2 ? 3 : 4);
    }
    for (int stored = 0; stored < rows; ++stored) {
        int y = height < 0 ? stored : rows - 1 - stored; // bottom-up unless the height is negative
        Bytes row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const Color& c = pixels[y * width + x];
            if (bitsPerPixel <= 8) {
                unsigned index = std::find(palette.begin(), palette.end(), c) - palette.begin();
                int bit = x * bitsPerPixel;
                row[bit / 8] |= index << (8 - bitsPerPixel - bit % 8);
            } else if (bitsPerPixel == 16) {
                unsigned v = wide16 ? (c.r >> 3) << 11 | (c.g >> 2) << 5 | (c.b >> 3)
                                    : (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3);
                row[x * 2] = v & 0xff;
                row[x * 2 + 1] = v >> 8;
            } else {
                int bytes = bitsPerPixel / 8;
                row[x * bytes] = c.b;
                row[x * bytes + 1] = c.g;
                row[x * bytes + 2] = c.r;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}
