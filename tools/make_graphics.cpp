// Draws Zarn Game's pictures into a directory: `make_graphics graphics` remakes the shipped ones.
#include "game/game.h"
#include "media/files.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct Rgb {
    double r, g, b;
};

// Pure white is the see-through colour of every picture.
static const Rgb SEE_THROUGH = {255, 255, 255};

static Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

static double Smooth(double edge0, double edge1, double v) {
    double t = std::clamp((v - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// A repeatable pseudo-random value in 0..1 for a grid cell.
static double Hash(int x, int y) {
    Uint32 h = static_cast<Uint32>(x) * 374761393u + static_cast<Uint32>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return ((h ^ (h >> 16)) & 0xffffff) / double(0xffffff);
}

using Painter = std::function<Rgb(double x, double y)>;

// Sprites are sampled once per pixel so that their edges stay crisp against the colour key;
// full-screen pictures are averaged over 4 x 4 samples for smooth shapes.
static bool Save(const std::string& path, int width, int height, int samples,
                 const Painter& paint) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
    if (!surface) {
        fprintf(stderr, "make_graphics: %s: %s\n", path.c_str(), SDL_GetError());
        return false;
    }
    for (int y = 0; y < height; ++y) {
        Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            Rgb sum = {0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    Rgb c = paint(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            double n = samples * samples;
            Uint32 pixel = SDL_MapRGB(surface->format, Uint8(std::lround(sum.r / n)),
                                      Uint8(std::lround(sum.g / n)), Uint8(std::lround(sum.b / n)));
            SDL_memcpy(row + x * 3, &pixel, 3);
        }
    }
    bool saved = SDL_SaveBMP(surface, path.c_str()) == 0;
    if (!saved) {
        fprintf(stderr, "make_graphics: %s: %s\n", path.c_str(), SDL_GetError());
    }
    SDL_FreeSurface(surface);
    return saved;
}

// Night sky over a glowing grid: dark enough for the light-grey HUD to read on it.
static Rgb Background(double x, double y) {
    const double horizon = 330;
    Rgb sky = Mix({6, 8, 26}, {34, 12, 52}, y / horizon);
    if (y < horizon) {
        // A low sun, striped and dimmed so that the sprites stand out in front of it.
        double dx = x - 256, dy = y - horizon;
        double d = std::sqrt(dx * dx + dy * dy);
        if (d < 96) {
            Rgb sun = Mix({150, 70, 40}, {110, 22, 70}, (y - (horizon - 96)) / 96);
            bool gap = y > horizon - 48 && std::fmod(horizon - y, 12) < 3 + (horizon - y) / -16 + 3;
            if (!gap) {
                sky = Mix(sky, sun, Smooth(96, 92, d));
            }
        }
        sky = Mix(sky, {60, 20, 70}, Smooth(60, 0, horizon - y) * 0.6); // haze at the horizon
        int cx = int(x) / 8, cy = int(y) / 8;
        double star = Hash(cx, cy);
        if (star > 0.93 && y < horizon - 40) {
            double sxp = cx * 8 + 1 + Hash(cy, cx) * 6, syp = cy * 8 + 1 + Hash(cx + 7, cy) * 6;
            double r = std::hypot(x - sxp, y - syp);
            double bright = (star - 0.93) / 0.07;
            sky = Mix(sky, {170, 180, 230}, Smooth(1.2, 0.2, r) * (0.35 + 0.5 * bright));
        }
        return sky;
    }
    // The floor: lines that run to a vanishing point in the middle of the horizon.
    Rgb floor = Mix({22, 8, 40}, {10, 4, 22}, (y - horizon) / (SCREEN_HEIGHT - horizon));
    double depth = 40.0 / (y - horizon + 4);
    double across = (x - 256) * depth / 40.0;
    double lineX = std::fabs(across - std::round(across * 2) / 2) / depth * 2.5;
    double lineZ = std::fabs(std::fmod(depth * 8 + 100, 1.0) - 0.5);
    double glow = std::max(Smooth(1.4, 0.0, lineX), Smooth(0.5 - 0.06 / depth, 0.5, lineZ));
    double fade = Smooth(0, 120, y - horizon);
    return Mix(floor, {170, 36, 140}, glow * (0.25 + 0.35 * fade));
}

// A paddle with rounded ends, lit from the middle; outside it is see-through.
static Rgb Paddle(double x, double y, Rgb edge, Rgb core, Rgb outline) {
    const double w = PADDLE_WIDTH, h = PADDLE_HEIGHT, radius = 7;
    double qx = std::max(std::fabs(x - w / 2) - (w / 2 - radius), 0.0);
    double qy = std::max(std::fabs(y - h / 2) - (h / 2 - radius), 0.0);
    double inside = radius - std::hypot(qx, qy);
    if (inside < 0) {
        return SEE_THROUGH;
    }
    if (inside < 1.2) {
        return outline;
    }
    return Mix(edge, core, 1 - std::fabs(x - w * 0.42) / (w / 2));
}

static Rgb Player(double x, double y) {
    Rgb c = Paddle(x, y, {0, 96, 150}, {120, 236, 255}, {0, 50, 84});
    bool groove = y > 38 && y < 62 && std::fmod(y - 38, 8) < 2 && x > 4 && x < 16;
    return groove ? Mix(c, {0, 60, 100}, 0.6) : c;
}

// The enemy wears a golden band on its marker row, MARKER_OFFSET pixels below its top.
static Rgb Enemy(double x, double y) {
    Rgb c = Paddle(x, y, {130, 14, 30}, {255, 96, 64}, {70, 0, 16});
    if (c.r == SEE_THROUGH.r && c.g == SEE_THROUGH.g && c.b == SEE_THROUGH.b) {
        return c;
    }
    double band = std::fabs(y - MARKER_OFFSET - 0.5);
    return band < 1.5 ? Mix({255, 214, 72}, c, band / 1.5) : c;
}

static Rgb Ball(double x, double y) {
    double r = std::hypot(x - 8, y - 8);
    if (r > 7.5) {
        return SEE_THROUGH;
    }
    return Mix({255, 244, 168}, {224, 128, 16}, std::hypot(x - 6, y - 6) / 10);
}

// Light and without pure white: the run-out hourglass on soft paper, for dark-grey text.
static Rgb EndScreen(double x, double y) {
    Rgb c = Mix({242, 232, 216}, {218, 208, 234}, (x + y) / 1024);
    double ring = std::fmod(std::hypot(x - 256, y - 290) + 1000, 36);
    c = Mix(c, {226, 196, 206}, Smooth(3, 0, std::fabs(ring - 18)) * 0.35);

    const double cx = 256, cy = 290, half = 110;
    double dy = y - cy;
    double ady = std::fabs(dy);
    if (ady <= half) {
        double width = 6 + 70 * ady / half;
        double dx = std::fabs(x - cx);
        if (dx < width + 3) {
            Rgb glass = Mix({206, 222, 236}, {184, 204, 226}, dx / (width + 3));
            if (dy > 40 && dx < width - 2) {
                glass = Mix({226, 172, 92}, {196, 138, 60}, (dy - 40) / 70); // all the sand is down
            }
            double rim = Smooth(2.5, 1.0, std::fabs(dx - width));
            c = Mix(glass, {96, 104, 128}, rim);
        }
    }
    // The wooden caps at both ends.
    double capY = std::fabs(ady - half - 7);
    if (capY < 8 && std::fabs(x - cx) < 96) {
        c = Mix({134, 90, 58}, {92, 58, 36}, capY / 8);
    }
    return {std::min(c.r, 250.0), std::min(c.g, 250.0), std::min(c.b, 250.0)};
}

static bool IsSeeThrough(Rgb c) {
    return c.r == SEE_THROUGH.r && c.g == SEE_THROUGH.g && c.b == SEE_THROUGH.b;
}

// The icon, drawn on a 64 x 64 grid at any size: both paddles in front of the game's sky, on a
// rounded tile. Returns the colour and how much of the sample the tile covers (0 or 1).
static Rgb Icon(double x, double y, double* cover) {
    const double size = 64, radius = 12;
    double qx = std::max(std::fabs(x - size / 2) - (size / 2 - radius), 0.0);
    double qy = std::max(std::fabs(y - size / 2) - (size / 2 - radius), 0.0);
    *cover = std::hypot(qx, qy) <= radius ? 1 : 0;
    const double scale = 0.4; // the paddles at 8 x 40
    Rgb player = Player((x - 16) / scale, (y - 12) / scale);
    Rgb enemy = Enemy((x - 40) / scale, (y - 12) / scale);
    if (x >= 16 && x < 24 && y >= 12 && y < 52 && !IsSeeThrough(player)) {
        return player;
    }
    if (x >= 40 && x < 48 && y >= 12 && y < 52 && !IsSeeThrough(enemy)) {
        return enemy;
    }
    return Background(x * 8, y * 8);
}

// The icon as a maskable one for phones' launchers, which cut any shape they like out of it:
// no see-through corners, and the paddles shrunk into the circle that every shape keeps
// (80 % of the width).
static Rgb MaskableIcon(double x, double y, double* cover) {
    Rgb c = Icon(32 + (x - 32) / 0.8, 32 + (y - 32) / 0.8, cover);
    *cover = 1;
    return c;
}

using IconPainter = Rgb (*)(double x, double y, double* cover);

// Writes the rows of a square RGBA picture as a PNG; false, with libpng's complaint on standard
// error, if it could not.
static bool WritePng(FILE* file, int size, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, NULL, NULL, NULL);
    png_infop info = png ? png_create_info_struct(png) : NULL;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, NULL);
    png_destroy_write_struct(&png, &info);
    return true;
}

// A PNG with an alpha channel, written by libpng at zlib's highest compression. Each size is
// drawn anew, not scaled from another.
static bool SaveIcon(const std::string& path, int size, IconPainter paint = Icon) {
    const int samples = 4;
    const double grid = 64.0 / size;
    std::vector<png_byte> pixels;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum = {0, 0, 0};
            double covered = 0;
            for (int s = 0; s < samples * samples; ++s) {
                double cover = 0;
                Rgb c = paint((x + (s % samples + 0.5) / samples) * grid,
                              (y + (s / samples + 0.5) / samples) * grid, &cover);
                sum = {sum.r + c.r * cover, sum.g + c.g * cover, sum.b + c.b * cover};
                covered += cover;
            }
            double n = std::max(covered, 1.0);
            pixels.push_back(png_byte(std::lround(sum.r / n)));
            pixels.push_back(png_byte(std::lround(sum.g / n)));
            pixels.push_back(png_byte(std::lround(sum.b / n)));
            pixels.push_back(png_byte(std::lround(255 * covered / (samples * samples))));
        }
    }
    std::vector<png_bytep> rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(&pixels[size_t(y) * size * 4]);
    }

    FILE* file = fopen(path.c_str(), "wb");
    bool saved = file && WritePng(file, size, rows.data());
    if (file) {
        saved = fclose(file) == 0 && saved;
    }
    if (!saved) {
        fprintf(stderr, "make_graphics: cannot write %s\n", path.c_str());
    }
    return saved;
}

// The window's icon, 32 x 32 at one sample a pixel, pure white around the tile.
static Rgb WindowIcon(double x, double y) {
    double cover = 0;
    Rgb c = Icon(x * 2, y * 2, &cover);
    return cover > 0 ? c : SEE_THROUGH;
}

// How each picture of the game is drawn: its size, and samples per pixel each way.
struct Drawing {
    int width, height, samples;
    Painter paint;
};
static const Drawing BackgroundImageDrawing = {SCREEN_WIDTH, SCREEN_HEIGHT, 4, Background};
static const Drawing BallImageDrawing = {16, 16, 1, Ball};
static const Drawing PlayerPaddleImageDrawing = {PADDLE_WIDTH, PADDLE_HEIGHT, 1, Player};
static const Drawing EnemyPaddleImageDrawing = {PADDLE_WIDTH, PADDLE_HEIGHT, 1, Enemy};
static const Drawing EndGameScreenDrawing = {SCREEN_WIDTH, SCREEN_HEIGHT, 4, EndScreen};

// Every picture the game loads, and the window's icon, 32 x 32.
#define DRAWN(handle, file, required) {file, handle##Drawing},
static const struct {
    const char* file;
    Drawing drawing;
} PICTURES[] = {FOR_EACH_PICTURE(DRAWN){WINDOW_ICON_FILE, {32, 32, 1, WindowIcon}}};

#define SIZE(size) size,
static const int ICON_SIZES[] = {FOR_EACH_ICON_SIZE(SIZE)};

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: make_graphics GRAPHICS_DIRECTORY [ICON_DIRECTORY]\n");
        return 2;
    }
    bool ok = true;
    for (const auto& picture : PICTURES) {
        const Drawing& d = picture.drawing;
        ok = ok &&
             Save(std::string(argv[1]) + "/" + picture.file, d.width, d.height, d.samples, d.paint);
    }
    if (argc == 3) {
        std::string icons = std::string(argv[2]) + "/zarn-";
        for (int size : ICON_SIZES) {
            ok = ok && SaveIcon(icons + std::to_string(size) + ".png", size);
        }
        ok = ok && SaveIcon(icons + std::to_string(APP_ICON_SIZE) + ".png", APP_ICON_SIZE) &&
             SaveIcon(icons + "maskable-" + std::to_string(MASKABLE_ICON_SIZE) + ".png",
                      MASKABLE_ICON_SIZE, MaskableIcon);
    }
    return ok ? 0 : 1;
}
