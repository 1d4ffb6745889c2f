// Test support: the real game started in-process on SDL's dummy video driver, and its pixels.
#pragma once

#include "game/game.h"
#include "media/files.h"
#include "media/media.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

struct Color {
    int r, g, b;
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& out, const Color& c);

const Color LIGHT_GREY = {225, 225, 225};
const Color DARK_GREY = {64, 64, 64};

std::filesystem::path SourceDir();
// The game's pictures, in the order it loads them, and whether it needs each to start.
struct GamePicture {
    const char* name;
    bool required;
};
extern const std::vector<GamePicture> GAME_PICTURES;
// Whether the game needs this file of graphics/ to start: all but the optional pictures.
bool IsRequired(const std::string& name);
Color PixelAt(SDL_Surface* surface, int x, int y);
// A picture from the repo's graphics/, read by SDL as it is on disk.
SDL_Surface* LoadShippedPicture(const char* name);
// How many pixels of the surface, within the rectangle, have exactly this colour.
int CountColor(SDL_Surface* surface, Color color, SDL_Rect area);
// The pixels a line of text covers when the game's font renders it, relative to its corner.
std::vector<SDL_Rect> TextPixels(const char* text);
// How many of the text's pixels at (x, y) on the surface have the colour, within rows [top,
// bottom).
int TextPixelsInColor(SDL_Surface* surface, const char* text, int x, int y, Color color, int top,
                      int bottom);

// A copy of graphics/ in a scratch directory, which the test may break; the game runs in it.
class ScratchGraphics {
  public:
    ScratchGraphics();
    ~ScratchGraphics();
    std::filesystem::path File(const std::string& name) const { return dir_ / "graphics" / name; }
    void Remove(const std::string& name) const;
    void Write(const std::string& name, const std::vector<unsigned char>& bytes) const;
    const std::filesystem::path& Dir() const { return dir_; }

  private:
    std::filesystem::path dir_;
};

// Each test starts the game from the repo's root and ends it.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Runs one frame as the loop does, without waiting for the pad or the end screen's hold.
// Returns whether the end screen was drawn.
bool StepFrame();
