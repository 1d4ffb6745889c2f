// Test support: the game's files, whole or damaged.
#pragma once

#include "bmp_writer.h"
#include "support.h"

#include <functional>
#include <vector>

// The file's bytes; a name without a folder is one of the shipped files in graphics/.
Bytes ShippedFile(const char* name);
Bytes FileBytes(const std::filesystem::path& path);

// Damage done to a file: its bytes in, the damaged bytes out; no apply means the file is gone.
struct Damage {
    std::string what;
    std::function<Bytes(const Bytes&)> apply;
    // Puts the shipped file, so damaged, in the scratch copy of graphics/.
    void ApplyTo(const ScratchGraphics& scratch, const std::string& name) const;
};
const Damage MISSING = {"missing", nullptr};
// What befalls any file: gone, empty, cut short, or another kind of file altogether.
extern const std::vector<Damage> ANY_FILE_DAMAGE;

// The font with the bytes at offset `at` of one of its tables replaced.
Bytes WithFontTableBytes(Bytes font, const char* table, size_t at, const Bytes& bytes);
// The font with every pair of its kerning table set to the given value.
Bytes WithKerning(Bytes font, Sint16 value);
