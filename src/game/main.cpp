// Zarn Game: the entry and the frame loop.
#include "game.h"

#include "media/media.h"

#include <cstdio>
#include <cstring>

static const char* const USAGE =
    "Usage: zarn [-h | --help | --version]\n"
    "Zarn Game: steer the blue paddle with the Up and Down arrow keys, and score by putting\n"
    "the mouse pointer exactly on the red enemy's marker column or row before your Life\n"
    "runs out. Escape or closing the window ends the game.\n"
    "\n"
    "The game reads its pictures and font from graphics/ in the directory it is started in;\n"
    "the installed zarn starts it in its data directory.\n"
    "\n"
    "  -h, --help   print this help and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Exit status: 0 when the game ends, 1 when it cannot start, 2 for a wrong command line.\n";

// Asking about the game needs no display, so it is answered before SDL starts. Returns the
// exit status, or -1 when the game is to be played.
static int AnswerCommandLine(int argc, char* argv[]) {
    if (argc < 2) {
        return -1;
    }
    bool help = !strcmp(argv[1], "--help") || !strcmp(argv[1], "-h");
    bool version = !strcmp(argv[1], "--version");
    if (argc == 2 && help) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (argc == 2 && version) {
        printf("zarn %s\n", ZARN_VERSION);
        return 0;
    }
    const char* unexpected = help || version ? argv[2] : argv[1]; // an option takes no argument
    fprintf(stderr, "zarn: unexpected argument '%s'; try 'zarn --help'\n", unexpected);
    return 2;
}

int SDL_main(int argc, char* argv[]) {
    int answered = AnswerCommandLine(argc, argv);
    if (answered >= 0) {
        return answered;
    }
    if (!InitGame()) {
        fprintf(stderr, "zarn: %s\n", StartupError());
        FreeGame();
        return 1;
    }
    while (ProgramIsRunning()) {
        Sint32 oldTime = SDL_GetTicks();
        ComposeFrame();
        int pad = FramePad(oldTime, SDL_GetTicks());
        if (pad > 0) {
            SDL_Delay(pad);
        }
        SDL_Flip(EndSceene);
        if (DrawnEndScreen) {
            HoldEndScreen();
        }
        EndFrame();
        SDL_Flip(Backbuffer);
    }
    FreeGame();
    return 0;
}

#ifndef main
// SDL renames main only where it brings its own process entry; elsewhere this is it.
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
