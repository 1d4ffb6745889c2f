// Fuzzer: any bytes as the game's font, opened, checked and drawn into the HUD as the game does.
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<Uint8> bytes(data, data + size);
    TTF_Font* font = FontFromBytes(bytes, 30);
    if (font && FontIsSound(font, HUD_CHARACTERS)) {
        DrawText(Backbuffer, "Player Score: -2147483648", 0, 1, font, 225, 225, 225);
        DrawText(Backbuffer, "Life: 30", 0, 30, font, 225, 225, 225);
        DrawText(EndSceene, "Out of life", 0, 30, font, 64, 64, 64);
    }
    if (font) {
        TTF_CloseFont(font);
    }
    return 0;
}
