// Zarn Game: the rules' constants, the round's state and the game's steps.
#pragma once

#include <SDL.h>

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
const int END_SCREEN_HOLD = 5000; // ms
// Every character the HUD can show: its lines, the end screen's, and any score or Life.
const char* const HUD_CHARACTERS = "Player Score: Life: Out of life 0123456789-";

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
void StartRound(); // score 0, Life 30

// One frame: the loop in main runs these in order.
bool ProgramIsRunning();
void ComposeFrame(); // clear, update, draw, restart the round when Life is out
int FramePad(Sint32 oldTime, Sint32 now);
void HoldEndScreen();
void EndFrame(); // after the flip and any hold: one frame nearer the next Life step

void RunGame();
void DrawGame();
void UpdatePlayer();
// The rules of play for one frame, given what the keys and the pointer say.
void ApplyPlayerRules(bool upHeld, bool downHeld, int pointerX, int pointerY);

// The game's entry. Where SDL's headers rename main, SDL's wrapper calls it.
int SDL_main(int argc, char* argv[]);
