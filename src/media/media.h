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
// The game pixel under the pointer, or OFF_THE_GAME both ways where there is none. A pad moves
// the pointer by whole game pixels, from where it is: natively the player's pointer is put
// there too. It leads until the mouse moves it elsewhere, and while it leads the game marks it,
// where a page or a Wayland desktop does not let a program move the player's pointer.
void GamePointer(int* x, int* y);
void MovePointerBy(int dx, int dy);
void NoteMouseMotion(int windowX, int windowY);
bool PadPointerLeads();

// Gamepads (pad.cpp). How the pads report their sticks and D-pad: the numbers that SDL gives the
// axes and buttons, which differ from one SDL to another. Every layout reads the D-pad from hat 0
// as well, and a pad of another layout still moves the paddle with its hat and its first stick.
struct PadLayout {
    const char* name;
    int paddleAxis;                 // the left stick's vertical axis
    int pointerAxisX, pointerAxisY; // the right stick's axes
    int upButton, downButton;       // the D-pad's buttons, where it reports buttons; else -1
};
enum PadLayoutName { STANDARD_GAMEPAD, SDL_GAME_CONTROLLER, LINUX_GAMEPAD, WINDOWS_JOYSTICK };
extern const PadLayout PAD_LAYOUTS[];
// Each platform's own: the layout its SDL reports pads in.
const PadLayout& PadLayoutHere();
// Before SDL starts: asks SDL for its pads in a layout of the table, and takes that layout.
void StartPads();
// Opens the pads that have come, and forgets those that have gone; called before each drain.
void WatchPads();
void NotePadEvent(const SDL_Event& event);
// Whether any pad holds the D-pad or the left stick that way (SDL_HAT_UP or SDL_HAT_DOWN).
bool PadHolds(Uint8 direction);
// The right sticks' tilts summed over every pad, in game pixels a frame.
void PadPointerSteps(int* dx, int* dy);
void ForgetPads();
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

// Why a file is refused: sets SDL's error text, formatted here (SDL's own formatter knows no
// 64-bit numbers, nor size_t), and returns false.
bool Refuse(const char* format, ...);
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
