// Zarn Game media: what made the game fail, kept as one line for the player.
#include "media.h"

#include <cstdarg>
#include <cstdio>

static char startupError[512];
static int startupErrorStatus = 1;

static void NoteError(int status, const char* format, va_list args) {
    vsnprintf(startupError, sizeof startupError, format, args);
    startupErrorStatus = status;
}

void NoteStartupError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    NoteError(1, format, args);
    va_end(args);
}

void NoteCommandLineError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    NoteError(2, format, args);
    va_end(args);
}

void ClearStartupError() {
    startupError[0] = '\0';
}

const char* StartupError() {
    return startupError;
}

int StartupErrorStatus() {
    return startupErrorStatus;
}

const char* StartupErrorLine() {
    static char line[sizeof startupError + 8];
    snprintf(line, sizeof line, "zarn: %s", startupError);
    return line;
}

int ReportStartupError() {
    fprintf(stderr, "%s\n", StartupErrorLine());
    return startupErrorStatus;
}

bool Refuse(const char* format, ...) {
    char why[160];
    va_list args;
    va_start(args, format);
    vsnprintf(why, sizeof why, format, args);
    va_end(args);
    SDL_SetError("%s", why);
    return false;
}
