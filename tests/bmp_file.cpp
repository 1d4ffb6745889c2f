// Test support: the shipped files' bytes, the damage any file can take, and edits of the font's
// tables. BMP files of every depth and header come from tools/bmp_writer.cpp.
#include "bmp_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

Bytes FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ShippedFile(const char* name) {
    return FileBytes(SourceDir() / "graphics" / name);
}

void Damage::ApplyTo(const ScratchGraphics& scratch, const std::string& name) const {
    if (apply) {
        scratch.Write(name, apply(ShippedFile(name.c_str())));
    } else {
        scratch.Remove(name);
    }
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
