// Zarn Game's files, named once: the game loads them from here, and every build, package and
// zip, the picture maker and the tests take the list from here too (CMake reads the names).
#pragma once

// Looked up in the working directory.
#define GRAPHICS_DIR "graphics/"

#define BACKGROUND_FILE "background.bmp"
#define BALL_FILE "ball.bmp"
#define PLAYER_FILE "player.bmp"
#define ENEMY_FILE "enemy.bmp"
#define END_SCREEN_FILE "endscreen.bmp"
#define WINDOW_ICON_FILE "icon.bmp"
#define FONT_FILE "alfphabet.ttf"
#define FONT_LICENCE_FILE "alfphabet-LICENSE.txt" // shipped beside the font, never read

// The pictures, in the order the game loads them: PICTURE(handle, file, needed to start). The
// ball is never drawn, but a game without it is an incomplete install; the end image is optional.
#define FOR_EACH_PICTURE(PICTURE)                                                                  \
    PICTURE(BackgroundImage, BACKGROUND_FILE, true)                                                \
    PICTURE(BallImage, BALL_FILE, true)                                                            \
    PICTURE(PlayerPaddleImage, PLAYER_FILE, true)                                                  \
    PICTURE(EnemyPaddleImage, ENEMY_FILE, true)                                                    \
    PICTURE(EndGameScreen, END_SCREEN_FILE, false)

// The icons in dist/icons/, zarn-<size>.png, each drawn anew at its size: the desktop's, the
// browser version's for installing it as an app, and a maskable one for phones' launchers.
#define FOR_EACH_ICON_SIZE(ICON) ICON(48) ICON(64) ICON(128) ICON(256)
#define APP_ICON_SIZE 192
#define MASKABLE_ICON_SIZE 512
