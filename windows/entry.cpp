// Zarn Game on Windows: the process entry. It gives the game what the Linux launcher and a
// terminal give it there: its files, and a place for the one line it says when it cannot start.
#include "game/game.h"
#include "media/media.h"

#include <SDL.h>
#undef main // SDL's header renames the game's entry; this is the process's own

#include <windows.h>

#include <cstdio>
#include <string>

static bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The game reads graphics/ from its working directory. Started from Explorer, a shortcut or a
// console elsewhere, that is not where the game lies, so it moves next to zarn.exe; a working
// directory that has graphics/ of its own (a modded copy, the tests' damaged files) wins.
static void FindTheGamesFiles() {
    char exe[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, exe, MAX_PATH);
    if (IsFolder("graphics") || length == 0 || length == MAX_PATH) {
        return;
    }
    std::string folder(exe, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    if (IsFolder(folder + "graphics")) {
        SetCurrentDirectoryA(folder.c_str());
    }
}

static bool IsUsable(HANDLE handle) {
    return handle != NULL && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// Standard output and error go where whoever started the game sent them (a redirection, a
// test, Wine from a shell), else to the console it was started from. False when there is
// neither: started from Explorer or a shortcut, nobody would see what the game says.
static bool ConnectToAConsole() {
    if (IsUsable(GetStdHandle(STD_ERROR_HANDLE))) {
        return true;
    }
    return AttachConsole(ATTACH_PARENT_PROCESS) && freopen("CONOUT$", "w", stdout) &&
           freopen("CONOUT$", "w", stderr);
}

// Without a console a failed start would be a window that flashes and is gone: a message box
// says what the game would have printed. The manifest makes the game's text UTF-8 for Windows.
static void ShowFailure() {
    MessageBoxA(NULL, StartupErrorLine(), WINDOW_TITLE, MB_OK | MB_ICONERROR);
}

int main(int argc, char* argv[]) {
    bool console = ConnectToAConsole();
    FindTheGamesFiles();
    SDL_SetModuleHandle(GetModuleHandle(NULL));
    int status = SDL_main(argc, argv);
    if (status != 0 && !console) {
        ShowFailure();
    }
    return status;
}
