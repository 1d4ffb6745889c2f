// Test support: the real game started in-process on SDL's dummy video driver, and its pixels.
#include "support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

fs::path SourceDir() {
    return ZARN_SOURCE_DIR;
}

#define GAME_PICTURE(handle, file, required) {file, required},
const std::vector<GamePicture> GAME_PICTURES = {FOR_EACH_PICTURE(GAME_PICTURE)};
#undef GAME_PICTURE

bool IsRequired(const std::string& name) {
    auto picture = std::find_if(GAME_PICTURES.begin(), GAME_PICTURES.end(),
                                [&](const GamePicture& p) { return name == p.name; });
    return picture == GAME_PICTURES.end() || picture->required;
}

Color PixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch +
                     x * surface->format->BytesPerPixel;
    Uint32 value = PixelValue(p, surface->format->BytesPerPixel);
    SDL_UnlockSurface(surface);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    return {r, g, b};
}

bool ShowsPicture(SDL_Surface* frame, SDL_Surface* picture) {
    return PixelAt(frame, 100, 480) == PixelAt(picture, 100, 480);
}

static SDL_Surface* LoadShippedPicture(const char* name) {
    SDL_Surface* picture = SDL_LoadBMP((SourceDir() / "graphics" / name).string().c_str());
    EXPECT_NE(picture, nullptr) << SDL_GetError();
    return picture;
}

ShippedPictures::ShippedPictures()
    : background(LoadShippedPicture(BACKGROUND_FILE)), player(LoadShippedPicture(PLAYER_FILE)),
      enemy(LoadShippedPicture(ENEMY_FILE)), endImage(LoadShippedPicture(END_SCREEN_FILE)) {}

ShippedPictures::~ShippedPictures() {
    for (SDL_Surface* picture : {background, player, enemy, endImage}) {
        SDL_FreeSurface(picture);
    }
}

int CountColor(SDL_Surface* surface, Color color, SDL_Rect area) {
    int count = 0;
    for (int y = area.y; y < area.y + area.h && y < surface->h; ++y) {
        for (int x = area.x; x < area.x + area.w && x < surface->w; ++x) {
            count += PixelAt(surface, x, y) == color;
        }
    }
    return count;
}

std::vector<SDL_Rect> TextPixels(const char* text) {
    std::vector<SDL_Rect> pixels;
    TTF_Font* font =
        TTF_OpenFont((SourceDir() / GRAPHICS_DIR FONT_FILE).string().c_str(), HUD_FONT_SIZE);
    if (!font) {
        ADD_FAILURE() << "cannot open the font: " << TTF_GetError();
        return pixels;
    }
    SDL_Color ink = {10, 20, 30, 0};
    SDL_Surface* line = TTF_RenderText_Solid(font, text, ink);
    TTF_CloseFont(font);
    if (!line) {
        ADD_FAILURE() << "cannot render \"" << text << "\": " << TTF_GetError();
        return pixels;
    }
    for (int y = 0; y < line->h; ++y) {
        for (int x = 0; x < line->w; ++x) {
            if (PixelAt(line, x, y) == Color{10, 20, 30}) {
                pixels.push_back({Sint16(x), Sint16(y), 1, 1});
            }
        }
    }
    SDL_FreeSurface(line);
    return pixels;
}

int TextPixelsInColor(SDL_Surface* surface, const char* text, int x, int y, Color color, int top,
                      int bottom) {
    int count = 0;
    for (const SDL_Rect& p : TextPixels(text)) {
        int px = x + p.x, py = y + p.y;
        if (py >= top && py < bottom && px < surface->w) {
            count += PixelAt(surface, px, py) == color;
        }
    }
    return count;
}

int TextTolerance() {
    const char* tolerance = getenv("ZARN_TEXT_TOLERANCE");
    return tolerance ? atoi(tolerance) : 0;
}

// Whether the only pixels of the colour in rows [top, bottom) are those of the text at (x, y).
static ::testing::AssertionResult ShowsOnlyText(SDL_Surface* picture, const std::string& line,
                                                int x, int y, Color color, int top, int bottom) {
    const char* text = line.c_str();
    int shown =
        CountColor(picture, color, {0, Sint16(top), Uint16(picture->w), Uint16(bottom - top)});
    int stray = shown - TextPixelsInColor(picture, text, x, y, color, top, bottom);
    if (shown > 0 && stray <= TextTolerance()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << shown << " pixels of " << color << " in rows " << top << ".." << bottom << ", "
           << stray << " not of '" << text << "'";
}

::testing::AssertionResult ShowsScore(SDL_Surface* picture, int score, Color color) {
    return ShowsOnlyText(picture, "Player Score: " + std::to_string(score), 0, 1, color, 0,
                         SCORE_ROWS_END);
}

::testing::AssertionResult ShowsLife(SDL_Surface* picture, int life) {
    return ShowsOnlyText(picture, "Life: " + std::to_string(life), 0, 30, LIGHT_GREY, 40, 70);
}

// Enters a directory: the game reads graphics/ from its working directory.
static void Enter(const fs::path& dir) {
    std::error_code error;
    fs::current_path(dir, error);
    if (error) {
        ADD_FAILURE() << "cannot enter " << dir << ": " << error.message();
    }
}

ScratchGraphics::ScratchGraphics() {
    std::random_device random;
    do {
        dir_ = fs::temp_directory_path() / ("zarn-test-" + std::to_string(random()));
    } while (!fs::create_directory(dir_));
    fs::copy(SourceDir() / "graphics", dir_ / "graphics");
    Enter(dir_);
}

ScratchGraphics::~ScratchGraphics() {
    Enter(SourceDir());
    fs::remove_all(dir_);
}

void ScratchGraphics::Remove(const std::string& name) const {
    fs::remove(File(name));
}

void ScratchGraphics::Write(const std::string& name,
                            const std::vector<unsigned char>& bytes) const {
    std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void GameTest::SetUp() {
    Enter(SourceDir());
    Frames = 0;
    DrawnEndScreen = false;
    ASSERT_TRUE(InitGame()) << StartupError();
}

void GameTest::TearDown() {
    FreeGame();
}

bool StepFrame() {
    ComposeFrame();
    bool endScreen = DrawnEndScreen;
    EndFrame();
    return endScreen;
}
