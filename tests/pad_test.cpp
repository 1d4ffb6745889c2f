// Gamepads, fed to the game as SDL's joystick events in the layout of the SDL it runs on: no pad
// exists on the machines that test it.
#include "support.h"

static SDL_Event PadEvent(Uint8 type, Uint8 which, int number, int value) {
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_JOYAXISMOTION) {
        event.jaxis = {type, which, Uint8(number), Sint16(value)};
    } else if (type == SDL_JOYHATMOTION) {
        event.jhat = {type, which, Uint8(number), Uint8(value)};
    } else {
        event.jbutton = {type, which, Uint8(number), Uint8(value)};
    }
    return event;
}
static SDL_Event Hat(Uint8 value, Uint8 which = 0) {
    return PadEvent(SDL_JOYHATMOTION, which, 0, value);
}
static SDL_Event Axis(int axis, int value) {
    return PadEvent(SDL_JOYAXISMOTION, 0, axis, value);
}
// The D-pad as this layout reports it: its buttons, or hat 0.
static SDL_Event Dpad(Uint8 direction, bool pressed) {
    const PadLayout& pad = PadLayoutHere();
    if (pad.upButton < 0) {
        return Hat(pressed ? direction : SDL_HAT_CENTERED);
    }
    return PadEvent(pressed ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, 0,
                    direction == SDL_HAT_UP ? pad.upButton : pad.downButton, pressed);
}
// The events are drained, and the frame played: the game must still run.
static void Play(const std::vector<SDL_Event>& events) {
    for (SDL_Event event : events) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    ASSERT_TRUE(ProgramIsRunning());
    StepFrame();
}

using PadTest = GameTest;

TEST_F(PadTest, TheDpadOrTheLeftStickMovesThePlayerAsTheArrowKeysDo) {
    const int stick = PadLayoutHere().paddleAxis, right = PadLayoutHere().pointerAxisY;
    std::vector<SDL_Event> otherButtons;
    for (int button = 0; button < 11; ++button) { // none ends the game, nor moves the player
        otherButtons.push_back(PadEvent(SDL_JOYBUTTONDOWN, 0, button, 1));
    }
    const struct {
        const char* what;
        std::vector<SDL_Event> events;
        bool upKey, downKey;
        int moved;
    } cases[] = {
        {"D-pad up", {Dpad(SDL_HAT_UP, true)}, false, false, -10},
        {"D-pad down", {Dpad(SDL_HAT_DOWN, true)}, false, false, 10},
        {"D-pad pressed and let go",
         {Dpad(SDL_HAT_UP, true), Dpad(SDL_HAT_UP, false)},
         false,
         false,
         0},
        {"hat down and left", {Hat(SDL_HAT_LEFTDOWN)}, false, false, 10},
        {"the second pad's hat up", {Hat(SDL_HAT_UP, 1)}, false, false, -10},
        {"a pad beyond the eighth", {Hat(SDL_HAT_UP, 8)}, false, false, 0},
        {"left stick up, just past the dead zone", {Axis(stick, -8192)}, false, false, -10},
        {"left stick down, at full tilt", {Axis(stick, 32767)}, false, false, 10},
        {"left stick within the dead zone",
         {Axis(stick, -8191), Axis(stick, 8191)},
         false,
         false,
         0},
        {"right stick down", {Axis(right, 32767)}, false, false, 0},
        {"D-pad up with the Up key", {Dpad(SDL_HAT_UP, true)}, true, false, -10},
        {"D-pad down with the Up key", {Dpad(SDL_HAT_DOWN, true)}, true, false, 0},
        {"the Down key alone", {}, false, true, 10},
        {"every other button", otherButtons, false, false, 0},
        // What SDL reports of a pad unplugged while held: all centred and let go.
        {"unplugged while held",
         {Hat(SDL_HAT_UP), Axis(stick, -32768), Hat(SDL_HAT_CENTERED), Axis(stick, 0)},
         false,
         false,
         0},
    };
    Uint8* keys = SDL_GetKeyState(NULL);
    for (const auto& c : cases) {
        ForgetPads();
        keys[SDLK_UP] = c.upKey;
        keys[SDLK_DOWN] = c.downKey;
        PlayerPaddleRect.y = 200;
        Play(c.events);
        EXPECT_EQ(PlayerPaddleRect.y, 200 + c.moved) << c.what;
        Play({});
        EXPECT_EQ(PlayerPaddleRect.y, 200 + 2 * c.moved) << c.what << ", held";
    }
    keys[SDLK_UP] = keys[SDLK_DOWN] = 0;
}

// The right stick walks the pointer a pixel a frame onto the marker column, marked where it is
// even at rest; the mouse moved elsewhere takes it back.
TEST_F(PadTest, TheRightStickMovesThePointerOntoTheMarkerAndTheMouseTakesItBack) {
    SDL_WarpMouse(110, 5);
    ASSERT_TRUE(ProgramIsRunning());
    EnemyPaddleRect.x = 100; // its marker column is 120
    EnemyPaddleRect.y = 300;
    Play({Axis(PadLayoutHere().pointerAxisX, 9830)});
    for (int x = 111; x < 120; ++x) {
        ASSERT_EQ(PlayerScore, 0) << "at " << x;
        Play({});
    }
    EXPECT_EQ(PlayerScore, POINTS_PER_HIT);
    Play({Axis(PadLayoutHere().pointerAxisX, 0)}); // at rest, the pointer stays the pad's
    Play({});
    EXPECT_EQ(PixelAt(Backbuffer, 120, 5), WHITE);
    EXPECT_EQ(PixelAt(Backbuffer, 121, 6), BLACK);
    Play({Axis(PadLayoutHere().pointerAxisX, 32767), Axis(PadLayoutHere().pointerAxisY, 32767)});
    Play({});
    int x = 0, y = 0;
    GamePointer(&x, &y);
    EXPECT_EQ(x, 120 + 2 * 35);
    EXPECT_EQ(y, 5 + 2 * 35);
    for (int frame = 0; frame < 15; ++frame) {
        Play({});
    }
    GamePointer(&x, &y);
    EXPECT_EQ(x, SCREEN_WIDTH - 1) << "kept on the game";
    EXPECT_EQ(y, SCREEN_HEIGHT - 1);
    SDL_Event mouse = {};
    mouse.type = SDL_MOUSEMOTION;
    mouse.motion.x = 40;
    mouse.motion.y = 50;
    Play({Axis(PadLayoutHere().pointerAxisX, 0), Axis(PadLayoutHere().pointerAxisY, 0), mouse});
    EXPECT_FALSE(PadPointerLeads());
    EXPECT_NE(PixelAt(Backbuffer, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1), WHITE);
}
