// Zarn Game: composing the frame, the HUD and the end screen.
#include "game.h"

#include "media/media.h"

#include <cstdio>

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

    if (Lives == 0) {
        // The round's last frame: the end screen goes over the frame, with the final score.
        DrawImage(EndGameScreen, EndSceene, 0, 0);
        DrawnEndScreen = true;
        DrawText(EndSceene, "Out of life", 0, 30, GameFont, 64, 64, 64);
        DrawText(Backbuffer, playerHUD, 0, 1, GameFont, 64, 64, 64);
    }
}
