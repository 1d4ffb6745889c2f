// Fuzzer: any bytes as one of the game's pictures, loaded and drawn as the game does.
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SDL_Surface* image = ImageFromBytes(data, size);
    if (image) {
        DrawImage(image, Backbuffer, 0, 0);
        DrawImage(image, Backbuffer, 439, 439); // an enemy low down, cut at the window's edge
        SDL_FreeSurface(image);
    }
    return 0;
}
