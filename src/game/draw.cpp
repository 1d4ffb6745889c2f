// Zarn Game: composing the frame, the HUD and the end screen.
#include "game.h"

#include "media/media.h"

#include <cstdio>

// Where a pad has put the pointer: a white dot ringed in black, and four short arms, so that the
// pixel it points at shows on any picture.
static void DrawPointerMark() {
    int x = 0;
    int y = 0;
    GamePointer(&x, &y);
    const int arm[][4] = {{0, 0, 1, 1}, {-5, 0, 3, 1}, {3, 0, 3, 1}, {0, -5, 1, 3}, {0, 3, 1, 3}};
    for (int outline = 1; outline >= 0; --outline) {
        Uint32 colour = outline ? SDL_MapRGB(Backbuffer->format, 0, 0, 0)
                                : SDL_MapRGB(Backbuffer->format, 255, 255, 255);
        for (const auto& part : arm) {
            SDL_Rect rect = {Sint16(x + part[0] - outline), Sint16(y + part[1] - outline),
                             Uint16(part[2] + 2 * outline), Uint16(part[3] + 2 * outline)};
            SDL_FillRect(Backbuffer, &rect, colour);
        }
    }
}

void DrawGame() {
    DrawImage(BackgroundImage, Backbuffer, 0, 0);
    DrawImage(PlayerPaddleImage, Backbuffer, PlayerPaddleRect.x, PlayerPaddleRect.y);
    DrawImage(EnemyPaddleImage, Backbuffer, EnemyPaddleRect.x, EnemyPaddleRect.y);

    char playerHUD[64];
    char livesHUD[64];
    snprintf(playerHUD, sizeof playerHUD, "Player Score: %d", PlayerScore);
    snprintf(livesHUD, sizeof livesHUD, "Life: %d", Lives);
    DrawText(Backbuffer, playerHUD, 0, 1, GameFont, 225, 225, 225);
    DrawText(Backbuffer, livesHUD, 0, 30, GameFont, 225, 225, 225);
    if (PadPointerLeads()) {
        DrawPointerMark();
    }

    if (Lives == 0) {
        // The round's last frame: the end screen goes over the frame, with the final score.
        DrawImage(EndGameScreen, EndSceene, 0, 0);
        DrawnEndScreen = true;
        DrawText(EndSceene, "Out of life", 0, 30, GameFont, 64, 64, 64);
        DrawText(Backbuffer, playerHUD, 0, 1, GameFont, 64, 64, 64);
    }
}
