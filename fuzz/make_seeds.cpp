// Writes the fuzzers' first inputs: small pictures of every depth and header a BMP writer uses,
// and the game's font. make_seeds <picture folder> <font folder>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

static void Put(Bytes& out, unsigned value, int count) {
    for (int i = 0; i < count; ++i) {
        out.push_back((value >> (8 * i)) & 0xff);
    }
}

// A 5 x 3 picture of a few colours, pure white among them, with the given information header.
static Bytes Picture(int headerSize, int depth, bool bitFields, bool topDown) {
    const int width = 5, height = 3;
    bool os2 = headerSize == 12;
    int colours = depth <= 8 ? 1 << depth : 0;
    int entry = os2 ? 3 : 4;
    int masks = bitFields && headerSize == 40 ? 12 : 0;
    int rowBytes = (width * depth + 31) / 32 * 4;
    unsigned offset = 14 + headerSize + masks + colours * entry;
    Bytes out = {'B', 'M'};
    Put(out, offset + rowBytes * height, 4);
    Put(out, 0, 4);
    Put(out, offset, 4);
    Put(out, headerSize, 4);
    if (os2) {
        Put(out, width, 2);
        Put(out, height, 2);
        Put(out, 1, 2);
        Put(out, depth, 2);
    } else {
        Put(out, width, 4);
        Put(out, topDown ? -height : height, 4);
        Put(out, 1, 2);
        Put(out, depth, 2);
        Put(out, bitFields ? 3 : 0, 4);
        Put(out, rowBytes * height, 4);
        Put(out, 2835, 4);
        Put(out, 2835, 4);
        Put(out, colours, 4);
        Put(out, 0, 4);
        Bytes rest;
        unsigned red = depth == 16 ? 0xf800 : 0xff0000, green = depth == 16 ? 0x07e0 : 0xff00,
                 blue = depth == 16 ? 0x1f : 0xff;
        Put(rest, red, 4);
        Put(rest, green, 4);
        Put(rest, blue, 4);
        rest.resize(headerSize == 40 ? masks : headerSize - 40, 0);
        out.insert(out.end(), rest.begin(), rest.end());
    }
    for (int i = 0; i < colours; ++i) {
        Put(out, i == 1 ? 0xffffff : unsigned(i * 0x3f1d07), entry);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < rowBytes; ++x) {
            out.push_back(static_cast<unsigned char>(x == 0 ? 0xff : (x * 37 + y * 11)));
        }
    }
    return out;
}

static void Write(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

int main(int argc, char* argv[]) {
    if (argc != 4) {
        fprintf(stderr, "usage: make_seeds <picture folder> <font folder> <font file>\n");
        return 2;
    }
    fs::create_directories(argv[1]);
    fs::create_directories(argv[2]);
    for (int headerSize : {12, 40, 52, 56, 108, 124}) {
        for (int depth : {1, 4, 8, 16, 24, 32}) {
            for (bool bitFields : {false, true}) {
                if (bitFields && (headerSize == 12 || (depth != 16 && depth != 32))) {
                    continue;
                }
                std::string name = std::to_string(headerSize) + "-" + std::to_string(depth) +
                                   (bitFields ? "-fields" : "") + ".bmp";
                Write(fs::path(argv[1]) / name, Picture(headerSize, depth, bitFields, false));
                if (headerSize == 40) {
                    Write(fs::path(argv[1]) / ("top-down-" + name),
                          Picture(headerSize, depth, bitFields, true));
                }
            }
        }
    }
    fs::copy_file(argv[3], fs::path(argv[2]) / "game.ttf", fs::copy_options::overwrite_existing);
    return 0;
}
