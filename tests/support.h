// Test support: the real game started in-process on SDL's dummy video driver, and its pixels.
#pragma once

#include "bmp_writer.h"
#include "game/game.h"
#include "media/files.h"
#include "media/media.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

const Color LIGHT_GREY = {225, 225, 225};
const Color DARK_GREY = {64, 64, 64};
const Color WHITE = {255, 255, 255};
const Color BLACK = {0, 0, 0};
// Rows 1 to 29 hold only the score line; the Life line starts at row 30.
const int SCORE_ROWS_END = 30;
// The player's sprite at the start: its middle column and row; its top at the bottom edge.
const int PLAYER_MIDDLE_X = PLAYER_PADDLE_X + PADDLE_WIDTH / 2;
const int PLAYER_MIDDLE_Y = PLAYER_PADDLE_Y + PADDLE_HEIGHT / 2;
const int PLAYER_LOWEST_Y = SCREEN_HEIGHT - PADDLE_HEIGHT;

std::filesystem::path SourceDir();
// The game's pictures, in the order it loads them, and whether it needs each to start.
struct GamePicture {
    const char* name;
    bool required;
};
extern const std::vector<GamePicture> GAME_PICTURES;
// Whether the game needs this file of graphics/ to start: all but the optional pictures.
bool IsRequired(const std::string& name);
// The colour of a pixel, read as the game reads its pictures.
Color PixelAt(SDL_Surface* surface, int x, int y);
// Whether the frame shows this whole-window picture (the background, the end image) at
// (100, 480), where no sprite or text is ever drawn.
bool ShowsPicture(SDL_Surface* frame, SDL_Surface* picture);
// The game's shipped pictures, read by SDL as they are on disk.
struct ShippedPictures {
    ShippedPictures();
    ~ShippedPictures();
    SDL_Surface *background, *player, *enemy, *endImage;
};
// How many pixels of the surface, within the rectangle, have exactly this colour.
int CountColor(SDL_Surface* surface, Color color, SDL_Rect area);
// The pixels a line of text covers when the game's font renders it, relative to its corner.
std::vector<SDL_Rect> TextPixels(const char* text);
// How many of the text's pixels at (x, y) on the surface have the colour, within rows [top,
// bottom).
int TextPixelsInColor(SDL_Surface* surface, const char* text, int x, int y, Color color, int top,
                      int bottom);
// Whether the HUD shows "Player Score: N" in the colour, or "Life: N" in light grey, and nothing
// else in that colour in the line's rows: but for ZARN_TEXT_TOLERANCE pixels, where the game
// draws with another FreeType (Windows').
::testing::AssertionResult ShowsScore(SDL_Surface* picture, int score, Color color = LIGHT_GREY);
::testing::AssertionResult ShowsLife(SDL_Surface* picture, int life);
int TextTolerance();

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
