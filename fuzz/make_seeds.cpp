// Writes the fuzzers' first inputs: small pictures of every depth and header a BMP writer uses,
// and a copy of the game's font. make_seeds <picture folder> <font folder> <font file>
#include "bmp_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

// A 5 x 3 picture of a few colours, pure white among them, with the given information header.
static Bytes Picture(int headerSize, int depth, bool bitFields, bool topDown) {
    const int width = 5, height = 3;
    std::vector<Color> pixels;
    for (int i = 0; i < width * height; ++i) {
        int k = depth == 1 ? i % 2 : i; // a 1-bit picture has two colours
        pixels.push_back(k == 1 ? Color{255, 255, 255} : Color{k * 37 % 256, k * 11, 255 - k * 17});
    }
    return MakeBmp(depth, width, topDown ? -height : height, pixels, headerSize, bitFields);
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
