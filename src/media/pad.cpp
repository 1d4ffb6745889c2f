// Zarn Game media: gamepads. The game reads them from SDL's joystick events, as it reads the
// keys from the keyboard's: what each pad holds is noted at the drain, and the update step asks.
#include "media.h"

#include "game/game.h"

#include <cstdlib>

// The layouts the game's builds meet, named by PadLayoutName.
const PadLayout PAD_LAYOUTS[] = {
    // The browser's Gamepad API, its "standard" mapping: axes 0 and 1 the left stick, 2 and 3
    // the right one; buttons 12 and 13 the D-pad's Up and Down.
    {"standard gamepad", 1, 2, 3, 12, 13},
    // sdl12-compat playing pads as SDL's game controllers (SDL12COMPAT_USE_GAME_CONTROLLERS): the
    // axes in SDL_GameControllerAxis order (left x, left y, right x, right y, the triggers) and
    // the buttons in SDL_GameControllerButton order (A, B, X, Y, Back, Guide, Start, the sticks,
    // the shoulders, then the D-pad's Up 11 and Down 12); no hat.
    {"SDL game controller", 1, 2, 3, 11, 12},
    // Classic SDL 1.2 on Linux: the kernel's gamepad layout (Documentation/input/gamepad.rst)
    // as SDL numbers evdev's absolute axes, in code order and without the hats: ABS_X 0, ABS_Y 1,
    // ABS_Z (the left trigger) 2, ABS_RX 3, ABS_RY 4. The D-pad is ABS_HAT0X/Y, SDL's hat 0.
    {"Linux gamepad", 1, 3, 4, -1, -1},
    // Classic SDL 1.2 on Windows reads winmm's axes X, Y, Z, R, U, V in that order (JOYINFOEX's
    // dwXpos to dwVpos). An Xbox pad reports its left stick on X and Y, the triggers on Z, the
    // right stick across on U and up and down on R, and the D-pad as the point-of-view hat,
    // SDL's hat 0.
    {"Windows joystick", 1, 4, 3, -1, -1},
};

// SDL 1.2 numbers pads from 0; a player has no more than this many.
const int MAX_PADS = 8;

struct PadState {
    SDL_Joystick* handle; // where the game opened it
    Uint8 hat;
    bool upButton, downButton;
    int paddleTilt, pointerTiltX, pointerTiltY;
};
static PadState Pads[MAX_PADS];
static const PadLayout* Layout = &PAD_LAYOUTS[LINUX_GAMEPAD];

// sdl12-compat reports pads in one layout whatever the pad, as SDL's game controllers, when
// asked to; the player's own choice stands.
void StartPads() {
    if (!getenv("SDL12COMPAT_USE_GAME_CONTROLLERS")) {
        putenv(const_cast<char*>("SDL12COMPAT_USE_GAME_CONTROLLERS=1"));
    }
    Layout = &PadLayoutHere();
}

// A pad is read as it is when it is opened: in a browser, the press that shows the pad plays.
static void OpenPad(int index) {
    PadState& pad = Pads[index];
    pad.handle = SDL_JoystickOpen(index);
    if (!pad.handle) {
        return;
    }
    const PadLayout& layout = *Layout;
    int axes = SDL_JoystickNumAxes(pad.handle);
    int buttons = SDL_JoystickNumButtons(pad.handle);
    auto axis = [&](int number) {
        return number < axes ? SDL_JoystickGetAxis(pad.handle, number) : 0;
    };
    auto button = [&](int number) {
        return number >= 0 && number < buttons && SDL_JoystickGetButton(pad.handle, number);
    };
    pad.paddleTilt = axis(layout.paddleAxis);
    pad.pointerTiltX = axis(layout.pointerAxisX);
    pad.pointerTiltY = axis(layout.pointerAxisY);
    pad.upButton = button(layout.upButton);
    pad.downButton = button(layout.downButton);
    pad.hat = SDL_JoystickNumHats(pad.handle) > 0 ? SDL_JoystickGetHat(pad.handle, 0) : 0;
}

// SDL lists the pads it found when it started; a browser lists a pad from its first press on,
// and drops it when it is unplugged. A pad that has gone holds nothing.
void WatchPads() {
    int count = SDL_NumJoysticks();
    for (int i = 0; i < MAX_PADS; ++i) {
        bool present = i < count && SDL_JoystickName(i) != NULL;
        if (present && !Pads[i].handle) {
            OpenPad(i);
        } else if (!present && Pads[i].handle) {
            SDL_JoystickClose(Pads[i].handle);
            Pads[i] = PadState();
        }
    }
}

void NotePadEvent(const SDL_Event& event) {
    const PadLayout& layout = *Layout;
    switch (event.type) {
    case SDL_JOYAXISMOTION:
        if (event.jaxis.which < MAX_PADS) {
            PadState& pad = Pads[event.jaxis.which];
            int axis = event.jaxis.axis;
            if (axis == layout.paddleAxis) {
                pad.paddleTilt = event.jaxis.value;
            } else if (axis == layout.pointerAxisX) {
                pad.pointerTiltX = event.jaxis.value;
            } else if (axis == layout.pointerAxisY) {
                pad.pointerTiltY = event.jaxis.value;
            }
        }
        break;
    case SDL_JOYHATMOTION:
        if (event.jhat.which < MAX_PADS && event.jhat.hat == 0) {
            Pads[event.jhat.which].hat = event.jhat.value;
        }
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (event.jbutton.which < MAX_PADS) {
            PadState& pad = Pads[event.jbutton.which];
            bool pressed = event.type == SDL_JOYBUTTONDOWN;
            if (event.jbutton.button == layout.upButton) {
                pad.upButton = pressed;
            } else if (event.jbutton.button == layout.downButton) {
                pad.downButton = pressed;
            }
        }
        break;
    }
}

bool PadHolds(Uint8 direction) {
    for (const PadState& pad : Pads) {
        bool button = direction == SDL_HAT_UP ? pad.upButton : pad.downButton;
        int tilt = direction == SDL_HAT_UP ? -pad.paddleTilt : pad.paddleTilt;
        if ((pad.hat & direction) || button || tilt >= STICK_DEAD_ZONE) {
            return true;
        }
    }
    return false;
}

void PadPointerSteps(int* dx, int* dy) {
    *dx = *dy = 0;
    for (const PadState& pad : Pads) {
        *dx += PointerStep(pad.pointerTiltX);
        *dy += PointerStep(pad.pointerTiltY);
    }
}

// Before SDL stops: a start after this one finds its pads afresh.
void ForgetPads() {
    for (PadState& pad : Pads) {
        if (pad.handle) {
            SDL_JoystickClose(pad.handle);
        }
        pad = PadState();
    }
}
