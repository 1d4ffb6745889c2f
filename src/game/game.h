// Zarn Game: the rules' constants, the round's state and the game's steps.
#pragma once

#include <SDL.h>

constexpr char WINDOW_TITLE[] = "Zarn Game";

// Geometry and pace of play.
const int SCREEN_WIDTH = 512;
const int SCREEN_HEIGHT = 512;
const int PADDLE_WIDTH = 20;
const int PADDLE_HEIGHT = 100;
const int PLAYER_PADDLE_X = 256;
const int PLAYER_PADDLE_Y = 256;
const int PLAYER_SPEED = 10;
const int FPS = 30;
const int FRAME_DELAY = 1000 / FPS;

// The rules of a round.
const int START_LIVES = 30;           // Life at the start of a round
const int FRAMES_PER_LIFE_STEP = FPS; // Life drops by one every second or so
const int POINTS_PER_HIT = 10;
// The enemy's marker: the column just right of its 20-pixel body, and the row 20 pixels below
// its top.
const int MARKER_OFFSET = 20;
// The enemy's top-left corner lands anywhere in ENEMY_MIN..ENEMY_MIN + ENEMY_RANGE - 1, both ways.
const int ENEMY_MIN = 60;
const int ENEMY_RANGE = 380;
const int END_SCREEN_HOLD = 5000; // ms
// Where the pointer is when no game pixel is under it (over the bars around a full-screen game):
// on no column or row of the game, so it scores nothing.
const int OFF_THE_GAME = -1;
// A pad's sticks report -32768 to 32767 each way. A tilt within a quarter of that is none. Past
// it, the right stick moves the pointer a game pixel a frame, so that it can rest on a marker's
// single column or row, and faster the further it goes: across the window in half a second at
// full tilt.
const int STICK_DEAD_ZONE = 8192;
const int STICK_FULL_TILT = 32767;
const int POINTER_TOP_SPEED = (SCREEN_WIDTH + FPS / 2 - 1) / (FPS / 2); // rounded up
// The HUD's font size in points; its lines stand at (0, 1) and (0, 30).
const int HUD_FONT_SIZE = 30;
// Every character the HUD can show: its lines, the end screen's, and any score or Life.
constexpr char HUD_CHARACTERS[] = "Player Score: Life: Out of life 0123456789-";

// The round's state, shared by the loop, the update step and the draw step.
extern int PlayerScore;
extern int Lives;
extern int Frames; // frames counted toward the next Life step
extern SDL_Rect PlayerPaddleRect;
extern SDL_Rect EnemyPaddleRect;
extern bool DrawnEndScreen; // the end screen was composed this frame and must be held

// Start and end of a run.
bool InitGame();
void FreeGame();

// The round.
void ResetGame();  // player back to the middle, enemy to a new random place
void StartRound(); // score 0, full Life

// One frame: the loop in main drains the events, then runs the rest in order.
bool ProgramIsRunning();
void RunFrame();     // all of a frame after the drain, paced to FRAME_DELAY ms
void ComposeFrame(); // clear, update, draw, restart the round when Life is out
int FramePad(Sint32 oldTime, Sint32 now);
void HoldEndScreen();
void EndFrame(); // after the flip and any hold: one frame nearer the next Life step

void RunGame();
void DrawGame();
void UpdatePlayer();
// The rules of play for one frame, given what the keys and the pointer say.
void ApplyPlayerRules(bool upHeld, bool downHeld, int pointerX, int pointerY);
// How far a stick tilted this much moves the pointer in a frame, in game pixels, signed.
int PointerStep(int tilt);

// The game's entry. Where SDL's headers rename main, SDL's wrapper calls it.
int SDL_main(int argc, char* argv[]);
