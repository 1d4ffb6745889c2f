// Zarn Game: the entry and the frame loop.
#include "game.h"

#include "media/media.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

static const char* const USAGE =
    "Usage: zarn [--scale N] [--fullscreen] | -h | --help | --version\n"
    "Zarn Game: steer the blue paddle with the Up and Down arrow keys, and score by putting\n"
    "the mouse pointer exactly on the red enemy's marker column or row before your Life\n"
    "runs out. F11 or Alt+Enter switches to full screen and back. Escape or closing the\n"
    "window ends the game.\n"
    "A gamepad plugged in before the start plays too: the D-pad or the left stick steers,\n"
    "the right stick moves the pointer, slowly when pushed a little.\n"
    "\n"
    "The game reads its pictures and font from graphics/ in the directory it is started in;\n"
    "the installed zarn starts it in its data directory.\n"
    "\n"
    "  --scale N      show every game pixel as an N x N block: the window is N times 512 square\n"
    "                 (by default the desktop's own scale factor, where it sets one)\n"
    "  --fullscreen   start full screen, at the largest whole scale that fits\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Exit status: 0 when the game ends, 1 when it cannot start, 2 for a wrong command line.\n";

// No screen is 16384 pixels high, and SDL 1.2 measures a window in 16 bits: a scale this large
// is refused even where the screen's size is not known.
const int SCALE_NO_SCREEN_HOLDS = 32;

// The digits' number, up to SCALE_NO_SCREEN_HOLDS; -1 if the text is not digits alone.
static int ScaleFrom(const char* text) {
    int scale = 0;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9') {
            return -1;
        }
        scale = std::min(scale * 10 + (*c - '0'), SCALE_NO_SCREEN_HOLDS);
    }
    return *text ? scale : -1;
}

// Reads the options to play with into RequestedScale and RequestedFullScreen; false, with the
// problem noted, if the command line is wrong.
static bool ReadPlayOptions(int argc, char* argv[]) {
    bool scaleGiven = false;
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        bool scale = !strcmp(option, "--scale");
        bool fullScreen = !strcmp(option, "--fullscreen");
        if ((scale && scaleGiven) || (fullScreen && RequestedFullScreen)) {
            NoteCommandLineError("%s is given twice; give it once", option);
            return false;
        }
        if (!scale && !fullScreen) {
            NoteCommandLineError("unexpected argument '%s'; try 'zarn --help'", option);
            return false;
        }
        RequestedFullScreen = RequestedFullScreen || fullScreen;
        if (!scale) {
            continue;
        }
        if (i + 1 == argc) {
            NoteCommandLineError("--scale needs a whole number from 1, such as --scale 2");
            return false;
        }
        const char* number = argv[++i];
        RequestedScale = ScaleFrom(number);
        scaleGiven = true;
        if (RequestedScale < 1) {
            NoteCommandLineError("--scale takes a whole number from 1, not '%s'", number);
            return false;
        }
        if (RequestedScale >= SCALE_NO_SCREEN_HOLDS) {
            NoteCommandLineError("--scale %s is larger than any screen holds", number);
            return false;
        }
    }
    return true;
}

// Asking about the game needs no display, so it is answered before SDL starts. Returns the
// exit status, or -1 when the game is to be played.
static int AnswerCommandLine(int argc, char* argv[]) {
    bool help = argc >= 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"));
    bool version = argc >= 2 && !strcmp(argv[1], "--version");
    if (argc == 2 && help) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (argc == 2 && version) {
        printf("zarn %s\n", ZARN_VERSION);
        return 0;
    }
    if (help || version) { // they take no argument
        NoteCommandLineError("unexpected argument '%s'; try 'zarn --help'", argv[2]);
    } else if (ReadPlayOptions(argc, argv)) {
        return -1;
    }
    return ReportStartupError();
}

int SDL_main(int argc, char* argv[]) {
    int answered = AnswerCommandLine(argc, argv);
    if (answered >= 0) {
        return answered;
    }
    if (!InitGame()) {
        int status = ReportStartupError();
        FreeGame();
        return status;
    }
    while (ProgramIsRunning()) {
        RunFrame();
    }
    // The window lost on a switch to or from full screen ends the game, with what went wrong.
    int status = StartupError()[0] != '\0' ? ReportStartupError() : 0;
    FreeGame();
    return status;
}

#ifndef main
// SDL renames main only where it brings its own process entry; elsewhere this is it.
int main(int argc, char* argv[]) {
    return SDL_main(argc, argv);
}
#endif
