// Zarn Game: the player's update, the rules of play.
#include "game.h"

#include "media/media.h"

#include <algorithm>
#include <cstdlib>

void RunGame() {
    UpdatePlayer();
}

// A pad plays as the keys and the mouse do: its D-pad or left stick holds Up or Down, and its
// right stick moves the pointer before the rules read it.
void UpdatePlayer() {
    Uint8* keys = SDL_GetKeyState(NULL);
    int dx = 0;
    int dy = 0;
    PadPointerSteps(&dx, &dy);
    if (dx != 0 || dy != 0) {
        MovePointerBy(dx, dy);
    }
    int x = 0;
    int y = 0;
    GamePointer(&x, &y);
    ApplyPlayerRules(keys[SDLK_UP] || PadHolds(SDL_HAT_UP),
                     keys[SDLK_DOWN] || PadHolds(SDL_HAT_DOWN), x, y);
}

// The speed grows with the square of the tilt past the dead zone: half way there it is a quarter
// of the top speed, which leaves room for fine aiming.
int PointerStep(int tilt) {
    long long past = std::min(std::abs(tilt), STICK_FULL_TILT) - STICK_DEAD_ZONE;
    if (past < 0) {
        return 0;
    }
    const long long range = STICK_FULL_TILT - STICK_DEAD_ZONE;
    int step = 1 + static_cast<int>((POINTER_TOP_SPEED - 1) * past * past / (range * range));
    return tilt < 0 ? -step : step;
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
