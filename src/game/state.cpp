// Zarn Game: the round's state, placing the sprites, and the start and end of a run.
#include "game.h"

#include "media/media.h"

#include <cstdlib>

int PlayerScore = 0;
int Lives = 0;
int Frames = 0;
SDL_Rect PlayerPaddleRect;
SDL_Rect EnemyPaddleRect;
bool DrawnEndScreen = false;

void ResetGame() {
    PlayerPaddleRect.x = PLAYER_PADDLE_X;
    PlayerPaddleRect.y = PLAYER_PADDLE_Y;
    PlayerPaddleRect.w = PADDLE_WIDTH;
    PlayerPaddleRect.h = PADDLE_HEIGHT;

    // Never seeded: the enemy's places repeat from run to run. x is drawn before y.
    EnemyPaddleRect.x = rand() % ENEMY_RANGE + ENEMY_MIN;
    EnemyPaddleRect.y = rand() % ENEMY_RANGE + ENEMY_MIN;
    EnemyPaddleRect.w = PADDLE_WIDTH;
    EnemyPaddleRect.h = PADDLE_HEIGHT;
}

void StartRound() {
    PlayerScore = 0;
    Lives = START_LIVES;
}

bool InitGame() {
    if (!InitSDL() || !LoadFiles()) {
        return false;
    }
    SDL_WM_SetCaption(WINDOW_TITLE, NULL);
    StartRound();
    ResetGame();
    return true;
}

// Serves a failed start-up too, when only some of the media are up.
void FreeGame() {
    FreeFiles();
    ForgetPads();
    CloseGameWindow();
    TTF_Quit();
    SDL_Quit();
}
