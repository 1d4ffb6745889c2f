// Zarn Game: the player's update, the rules of play.
#include "game.h"

#include "media/media.h"

void RunGame() {
    UpdatePlayer();
}

void UpdatePlayer() {
    Uint8* keys = SDL_GetKeyState(NULL);
    int x = 0;
    int y = 0;
    GamePointer(&x, &y);
    ApplyPlayerRules(keys[SDLK_UP] != 0, keys[SDLK_DOWN] != 0, x, y);
}

void ApplyPlayerRules(bool upHeld, bool downHeld, int pointerX, int pointerY) {
    bool onMarkerColumn = pointerX == EnemyPaddleRect.x + MARKER_OFFSET;
    bool onMarkerRow = pointerY == EnemyPaddleRect.y + MARKER_OFFSET;
    if (onMarkerColumn || onMarkerRow) {
        ResetGame();
        PlayerScore += POINTS_PER_HIT;
    }
    if (upHeld) {
        PlayerPaddleRect.y -= PLAYER_SPEED;
    }
    if (downHeld) {
        PlayerPaddleRect.y += PLAYER_SPEED;
    }
    if (PlayerPaddleRect.y < 0) {
        PlayerPaddleRect.y = 0;
    }
    if (PlayerPaddleRect.y > SCREEN_HEIGHT - PlayerPaddleRect.h) {
        PlayerPaddleRect.y = SCREEN_HEIGHT - PlayerPaddleRect.h;
    }
}
