// Media: the window, the pictures and their colour key, and start-up with missing or bad files.
#include "bmp_file.h"
#include "support.h"

#include <climits>
#include <cstdlib>

TEST(Platform, RunsOnTheSdlItWasAskedFor) {
    const char* expected = getenv("ZARN_EXPECT_SDL");
    if (!expected) {
        GTEST_SKIP() << "ZARN_EXPECT_SDL is not set";
    }
    // The SDL2-based implementation calls itself 1.2.50 or later; the classic one stopped
    // at 1.2.15.
    bool compat = SDL_Linked_Version()->patch >= 50;
    EXPECT_EQ(compat ? "compat" : "classic", std::string(expected));
}

using MediaTest = GameTest;

TEST_F(MediaTest, OpensOne512By512WindowCaptionedZarnGame) {
    ASSERT_NE(Backbuffer, nullptr);
    EXPECT_EQ(EndSceene, Backbuffer);
    EXPECT_EQ(Backbuffer->w, 512);
    EXPECT_EQ(Backbuffer->h, 512);
    EXPECT_EQ(Backbuffer->format->BitsPerPixel, 32);
    char *title = nullptr, *icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    EXPECT_STREQ(title, WINDOW_TITLE);
}

// The largest whole-number scale up to the wanted one that fits the room, and never below 1.
TEST(Scale, IsTheLargestWholeNumberThatFits) {
    const struct {
        int width, height, wanted, chosen;
    } cases[] = {
        {1600, 1200, INT_MAX, 2}, {1920, 1080, INT_MAX, 2},
        {3840, 2160, INT_MAX, 4}, {3840, 2160, 3, 3},
        {1024, 1024, 2, 2},       {1023, 1024, 2, 1},
        {1024, 1023, 2, 1},       {800, 600, 3, 1},
        {300, 200, 1, 1},         {0, 0, 2, 1},
        {5120, 1600, INT_MAX, 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseScale(c.width, c.height, c.wanted), c.chosen)
            << c.width << " x " << c.height << ", up to " << c.wanted;
    }
}

TEST_F(MediaTest, PureWhiteIsSeeThroughAtEveryDepthAndNothingElseIs) {
    const Color red = {255, 0, 0}, backdrop = {0, 0, 128};
    struct Case {
        int depth;
        Color nearWhite;
        int tolerance;
    } cases[] = {
        {1, {254, 255, 255}, 0},  {4, {254, 255, 255}, 0},  {8, {254, 255, 255}, 0},
        {16, {247, 255, 255}, 8}, {24, {254, 255, 255}, 0}, {32, {254, 255, 255}, 0},
    };
    ScratchGraphics scratch;
    for (const Case& c : cases) {
        SCOPED_TRACE("depth " + std::to_string(c.depth));
        Color ink = c.depth == 1 ? c.nearWhite : red;
        // Stored top-down: the first row is white, near-white, ink; the second the other way.
        scratch.Write("test.bmp",
                      MakeBmp(c.depth, 3, -2, {WHITE, c.nearWhite, ink, ink, c.nearWhite, WHITE}));
        SDL_Surface* image = LoadImage("graphics/test.bmp");
        ASSERT_NE(image, nullptr) << SDL_GetError();
        SDL_FillRect(Backbuffer, NULL, SDL_MapRGB(Backbuffer->format, 0, 0, 128));
        DrawImage(image, Backbuffer, 10, 20);
        SDL_FreeSurface(image);

        auto near = [&](Color got, Color want) {
            return std::abs(got.r - want.r) <= c.tolerance &&
                   std::abs(got.g - want.g) <= c.tolerance &&
                   std::abs(got.b - want.b) <= c.tolerance;
        };
        EXPECT_EQ(PixelAt(Backbuffer, 10, 20), backdrop);
        EXPECT_PRED2(near, PixelAt(Backbuffer, 11, 20), c.nearWhite);
        EXPECT_PRED2(near, PixelAt(Backbuffer, 12, 20), ink);
        EXPECT_PRED2(near, PixelAt(Backbuffer, 10, 21), ink);
        EXPECT_EQ(PixelAt(Backbuffer, 12, 21), backdrop);
    }
}

// Start-up in a scratch copy of graphics/ that the test has changed.
static bool StartIn(const ScratchGraphics&) {
    Frames = 0;
    return InitGame();
}

TEST(Startup, WithoutTheFontFailsAfterLoadingEveryPicture) {
    ScratchGraphics scratch;
    scratch.Remove(FONT_FILE);
    EXPECT_FALSE(StartIn(scratch));
    EXPECT_NE(BackgroundImage, nullptr);
    EXPECT_NE(BallImage, nullptr);
    EXPECT_NE(PlayerPaddleImage, nullptr);
    EXPECT_NE(EnemyPaddleImage, nullptr);
    EXPECT_NE(EndGameScreen, nullptr);
    FreeGame(); // the sanitizer build reports anything left unreleased
}

// A BMP whose header lies about its size.
static Bytes WithSize(const Bytes& bmp, Uint32 width, Uint32 height) {
    Bytes out = bmp;
    for (int i = 0; i < 4; ++i) {
        out[18 + i] = (width >> (8 * i)) & 0xff;
        out[22 + i] = (height >> (8 * i)) & 0xff;
    }
    return out;
}

static const std::vector<Damage> BMP_SIZE_DAMAGE = {
    {"claiming 60000 x 60000 pixels", [](const Bytes& b) { return WithSize(b, 60000, 60000); }},
    {"claiming a width of 0", [](const Bytes& b) { return WithSize(b, 0, 100); }},
    {"claiming a negative width", [](const Bytes& b) { return WithSize(b, Uint32(-20), 100); }},
    {"claiming a height of 0", [](const Bytes& b) { return WithSize(b, 20, 0); }},
    {"claiming 8193 rows top-down", [](const Bytes& b) { return WithSize(b, 20, Uint32(-8193)); }},
};

// The font's own numbers changed so that SDL_ttf would draw outside a line's surface, or draw
// nothing at all: units per em and the line's ascent and descent, 2048 and 1901 / -483.
static Bytes WithNegativeAscent(const Bytes& b) {
    return WithFontTableBytes(b, "hhea", 4, {0xfe, 0x00});
}
static Bytes WithLine60000PixelsHigh(const Bytes& b) {
    return WithFontTableBytes(WithFontTableBytes(b, "hhea", 4, {0x7f, 0xff}), "head", 18,
                              {0x00, 0x10});
}
static Bytes WithGlyphsFarAboveALowLine(const Bytes& b) {
    return WithFontTableBytes(b, "hhea", 4, {0x02, 0x00, 0xff, 0x80});
}
static const std::vector<Damage> FONT_DAMAGE = {
    {"garbage", [](const Bytes&) { return Bytes(4096, 0x5a); }},
    {"cut short", [](const Bytes& b) { return Bytes(b.begin(), b.begin() + 64); }},
    {"with a negative ascent", WithNegativeAscent},
    {"with a line 60000 pixels high", WithLine60000PixelsHigh},
    {"with glyphs far above a low line", WithGlyphsFarAboveALowLine},
    {"with a kerning of -32768 for every pair",
     [](const Bytes& b) { return WithKerning(b, -32768); }},
    {"with a kerning of 32767 for every pair",
     [](const Bytes& b) { return WithKerning(b, 32767); }},
};

// The file, so damaged in turn, in place of the shipped one: a required one is refused and named,
// and the game plays on without the optional end image.
static void ExpectRefused(const char* name, const std::vector<Damage>& damages) {
    for (const Damage& damage : damages) {
        SCOPED_TRACE(std::string(name) + " " + damage.what);
        ScratchGraphics scratch;
        damage.ApplyTo(scratch, name);
        bool optional = !IsRequired(name);
        EXPECT_EQ(StartIn(scratch), optional) << StartupError();
        if (optional) {
            EXPECT_EQ(EndGameScreen, nullptr);
        } else {
            EXPECT_EQ(std::string(StartupError())
                          .rfind("cannot load " + scratch.File(name).string() + ": ", 0),
                      0u)
                << StartupError();
        }
        FreeGame();
    }
}

// Every required file, missing or damaged, fails start-up and is named; the end image is
// optional, and the game plays on without it.
TEST(Startup, RefusesMissingOrDamagedFilesWithoutCrashing) {
    for (const GamePicture& picture : GAME_PICTURES) {
        ExpectRefused(picture.name, ANY_FILE_DAMAGE);
        ExpectRefused(picture.name, BMP_SIZE_DAMAGE);
    }
    ExpectRefused(FONT_FILE, ANY_FILE_DAMAGE);
    ExpectRefused(FONT_FILE, FONT_DAMAGE);
}

// Files made to crash or exhaust the libraries under the game, kept in tests/damaged/: the
// pictures stand in for the enemy, the rest for the font. Each is refused before SDL reads it.
TEST(Startup, RefusesFilesMadeToCrashTheLibraries) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() / "tests/damaged")) {
        Bytes bytes = FileBytes(entry.path());
        bool picture = entry.path().extension() == ".bmp";
        ExpectRefused(picture ? ENEMY_FILE : FONT_FILE,
                      {{entry.path().filename().string(), [&](const Bytes&) { return bytes; }}});
        ++files;
    }
    EXPECT_GE(files, 5);
}
