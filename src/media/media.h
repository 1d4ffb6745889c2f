// Zarn Game media: SDL bring-up, the pictures and the font, and the two drawing primitives.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

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
SDL_Surface* LoadImage(const char* fileName);
bool LoadFiles();
void FreeFiles();

void DrawImage(SDL_Surface* image, SDL_Surface* destSurface, int x, int y);
void DrawText(SDL_Surface* surface, const char* string, int x, int y, TTF_Font* font, Uint8 r,
              Uint8 g, Uint8 b);

// What made the last start-up fail, as one line for the player, or "" when nothing did.
const char* StartupError();

// False, with SDL's error set, when a BMP file claims dimensions no picture of this game has.
bool BmpDimensionsArePlausible(const char* fileName);
