// Test support: BMP files made byte by byte, at every depth, whole or damaged.
#include "bmp_file.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

static void Put(Bytes& out, unsigned value, int count) {
    for (int i = 0; i < count; ++i) {
        out.push_back((value >> (8 * i)) & 0xff);
    }
}

Bytes MakeBmp(int bitsPerPixel, int width, int height, const std::vector<Color>& pixels) {
    int rows = std::abs(height);
    std::vector<Color> palette;
    if (bitsPerPixel <= 8) {
        for (const Color& c : pixels) {
            if (std::find(palette.begin(), palette.end(), c) == palette.end()) {
                palette.push_back(c);
            }
        }
    }
    int rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    unsigned pixelOffset = 14 + 40 + 4 * unsigned(palette.size());
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put(out, pixelOffset + rowBytes * rows, 4);
    Put(out, 0, 4);
    Put(out, pixelOffset, 4);
    Put(out, 40, 4);
    Put(out, unsigned(width), 4);
    Put(out, unsigned(height), 4);
    Put(out, 1, 2);
    Put(out, unsigned(bitsPerPixel), 2);
    Put(out, 0, 4); // no compression
    Put(out, rowBytes * rows, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, unsigned(palette.size()), 4);
    Put(out, 0, 4);
    for (const Color& c : palette) {
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
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
                unsigned v = (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3);
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

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ShippedFile(const char* name) {
    return FileBytes(SourceDir() / "graphics" / name);
}

static unsigned BigEndian(const Bytes& b, size_t at, int count) {
    unsigned value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | b.at(at + i);
    }
    return value;
}

// Where a table of a TrueType font starts, from the font's table directory.
static size_t FontTable(const Bytes& font, const char* tag) {
    for (unsigned i = 0, tables = BigEndian(font, 4, 2); i < tables; ++i) {
        size_t entry = 12 + 16 * i;
        if (std::equal(tag, tag + 4, font.begin() + entry)) {
            return BigEndian(font, entry + 8, 4);
        }
    }
    ADD_FAILURE() << "the font has no " << tag << " table";
    return 0;
}

Bytes WithFontTableBytes(Bytes font, const char* table, size_t at, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), font.begin() + FontTable(font, table) + at);
    return font;
}

Bytes WithKerning(Bytes font, Sint16 value) {
    size_t subtable = FontTable(font, "kern") + 4; // after the version and the table count
    size_t pairs = subtable + 6 + 8;               // after the subtable's and the search header
    for (unsigned i = 0, count = BigEndian(font, subtable + 6, 2); i < count; ++i) {
        font.at(pairs + 6 * i + 4) = Uint16(value) >> 8;
        font.at(pairs + 6 * i + 5) = Uint16(value) & 0xff;
    }
    return font;
}

const std::vector<Damage> ANY_FILE_DAMAGE = {
    MISSING,
    {"zero bytes", [](const Bytes&) { return Bytes(); }},
    {"cut short in its header", [](const Bytes& b) { return Bytes(b.begin(), b.begin() + 30); }},
    {"cut short in its data",
     [](const Bytes& b) { return Bytes(b.begin(), b.begin() + b.size() / 2); }},
    {"not the right kind of file",
     [](const Bytes&) {
         const char text[] = "Not a picture, not a font.\n";
         return Bytes(text, text + sizeof text - 1);
     }},
};
