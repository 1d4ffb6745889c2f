// Zarn Game media: SDL bring-up, the pictures and the font, and the two drawing primitives.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <vector>

// Both handles denote the window's display surface: the normal frame is drawn through
// Backbuffer, the end screen through EndSceene.
extern SDL_Surface* Backbuffer;
extern SDL_Surface* EndSceene;

extern SDL_Surface* BackgroundImage;
extern SDL_Surface* BallImage;
extern SDL_Surface* PlayerPaddleImage;
extern SDL_Surface* EnemyPaddleImage;
extern SDL_Surface* EndGameScreen; // optional: the game plays on without it
extern TTF_Font* GameFont;

bool InitSDL();

// The window. The game draws a SCREEN_WIDTH x SCREEN_HEIGHT frame in game pixels; the window shows
// it at a whole-number scale, every game pixel a square block, and full screen centred on black.
// What the player asked for, before InitSDL opens the window: a scale (0: the one the desktop
// asks for) and whether to start full screen.
extern int RequestedScale;
extern bool RequestedFullScreen;
// What the desktop offers a window: the screen's size, the room a window and its frame may take
// (0 when not known), and the whole-number scale factor the desktop asks programs to use.
struct Desktop {
    int screenWidth, screenHeight;
    int roomWidth, roomHeight;
    int scaleFactor;
};
// Each platform's own: fills in what its desktop says beyond the screen's size, and puts the
// game's window with its top-left corner at (x, y) of the screen.
void AskTheDesktop(Desktop& desktop);
void PlaceWindow(int x, int y);
// The largest scale from 1 up to wanted at which the frame fits the room.
int ChooseScale(int roomWidth, int roomHeight, int wanted);
bool OpenGameWindow();
bool ToggleFullScreen(); // false, with the reason noted, when no window could be opened
void CloseGameWindow();
// Clears the frame for drawing, and shows it: at 1x in a window, the frame is the window's own.
void ClearFrame();
void ShowFrame(SDL_Surface* frame);
void PutFrameInWindow(); // the scaling step of ShowFrame alone, for the benchmark
// The game pixel under the pointer, or OFF_THE_GAME both ways where there is none.
void GamePointer(int* x, int* y);
SDL_Surface* LoadImage(const char* fileName);
// The font, checked that it can draw the characters safely; NULL, with SDL_ttf's error set, if not.
TTF_Font* LoadFont(const char* fileName, int pointSize, const char* characters);
void CloseFont(TTF_Font* font);
void SetWindowIcon(const char* fileName);
bool LoadFiles();
void FreeFiles();

void DrawImage(SDL_Surface* image, SDL_Surface* destSurface, int x, int y);
void DrawText(SDL_Surface* surface, const char* string, int x, int y, TTF_Font* font, Uint8 r,
              Uint8 g, Uint8 b);

// What made the game fail (errors.cpp), as one line for the player, or "" when nothing did; and its
// exit status: 2 when the command line asked for what cannot be, else 1.
const char* StartupError();
int StartupErrorStatus();
void NoteStartupError(const char* format, ...);
void NoteCommandLineError(const char* format, ...);
void ClearStartupError(); // a new start: nothing has failed yet
// The line as the player sees it, "zarn: <what>: <why>"; and it said on standard error, for every
// build, which returns the exit status.
const char* StartupErrorLine();
int ReportStartupError();

// The steps of loading, for the tests and the fuzzers. Each failure sets SDL's error text.
// Reads the whole file, refusing one longer than maxBytes.
bool ReadWholeFile(const char* fileName, long long maxBytes, std::vector<Uint8>& bytes);
// Whether SDL can safely decode the BMP: a header that exists, a depth and compression SDL
// reads, and every byte its headers, palette and rows claim.
bool BmpIsSound(const Uint8* data, size_t size);
SDL_Surface* ImageFromBytes(const Uint8* data, size_t size);
// The value of the pixel whose bytes start at p, in either byte order.
Uint32 PixelValue(const Uint8* p, int bytesPerPixel);
// Opens a TrueType or OpenType font from bytes that must stay in place while it is open.
TTF_Font* FontFromBytes(const std::vector<Uint8>& bytes, int pointSize);
// Whether the font's line is of a sane height, and each of the characters, alone and beside
// each other with their kerning, stays within a generous box around the line.
bool FontIsSound(TTF_Font* font, const char* characters);
