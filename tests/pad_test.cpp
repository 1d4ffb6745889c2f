// Gamepads, fed to the game as SDL's joystick events in the layout of the SDL it runs on: no pad
// exists on the machines that test it.
#include "support.h"

// An axis's event, or a hat's or a button's, which SDL 1.2 lays out alike.
static SDL_Event Pad(Uint8 type, int number, int value, Uint8 which = 0) {
    SDL_Event event = {};
    if (type == SDL_JOYAXISMOTION) {
        event.jaxis = {type, which, Uint8(number), Sint16(value)};
    } else {
        event.jbutton = {type, which, Uint8(number), Uint8(value)};
    }
    return event;
}
// The D-pad pressed or let go as this layout reports it: its buttons, or hat 0.
static SDL_Event Dpad(Uint8 direction, bool pressed = true) {
    const PadLayout& pad = PadLayoutHere();
    int button = direction == SDL_HAT_UP ? pad.upButton : pad.downButton;
    return button < 0 ? Pad(SDL_JOYHATMOTION, 0, pressed ? direction : SDL_HAT_CENTERED)
                      : Pad(pressed ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, button, pressed);
}
// The events drained and a frame played; no pad ends the game.
static void Play(const std::vector<SDL_Event>& events) {
    for (SDL_Event event : events) {
        ASSERT_EQ(SDL_PushEvent(&event), 0);
    }
    ASSERT_TRUE(ProgramIsRunning());
    StepFrame();
}

using PadTest = GameTest;

TEST_F(PadTest, TheDpadOrTheLeftStickHoldsUpOrDownAsTheArrowKeysDo) {
    const int stick = PadLayoutHere().paddleAxis, hat = SDL_JOYHATMOTION, axis = SDL_JOYAXISMOTION;
    std::vector<SDL_Event> otherButtons;
    for (int button = 0; button < 11; ++button) {
        otherButtons.push_back(Pad(SDL_JOYBUTTONDOWN, button, 1));
    }
    const struct {
        const char* what;
        std::vector<SDL_Event> events;
        int moved;
        bool upKey = false;
    } cases[] = {
        {"D-pad up", {Dpad(SDL_HAT_UP)}, -10},
        {"D-pad down", {Dpad(SDL_HAT_DOWN)}, 10},
        {"D-pad down with the Up key", {Dpad(SDL_HAT_DOWN)}, 0, true},
        {"D-pad up with the Up key", {Dpad(SDL_HAT_UP)}, -10, true},
        {"hat down and left", {Pad(hat, 0, SDL_HAT_LEFTDOWN)}, 10},
        {"the second pad", {Pad(hat, 0, SDL_HAT_UP, 1)}, -10},
        {"a ninth pad", {Pad(hat, 0, SDL_HAT_UP, 8)}, 0},
        {"left stick just past the dead zone", {Pad(axis, stick, -8192)}, -10},
        {"left stick at full tilt", {Pad(axis, stick, 32767)}, 10},
        {"left stick within the dead zone", {Pad(axis, stick, -8191)}, 0},
        {"every other button", otherButtons, 0},
        // What SDL reports of a pad unplugged while held: all let go and centred.
        {"unplugged",
         {Dpad(SDL_HAT_UP), Pad(axis, stick, -32768), Dpad(SDL_HAT_UP, false), Pad(axis, stick, 0)},
         0},
    };
    Uint8* keys = SDL_GetKeyState(NULL);
    for (const auto& c : cases) {
        ForgetPads();
        keys[SDLK_UP] = c.upKey;
        PlayerPaddleRect.y = 200;
        Play(c.events);
        Play({});
        EXPECT_EQ(PlayerPaddleRect.y, 200 + 2 * c.moved) << c.what << ", held two frames";
    }
    keys[SDLK_UP] = 0;
}

// A pixel a frame onto the marker column, marked there even at rest; at full tilt into the
// corner and no further; the mouse moved elsewhere takes the pointer back.
TEST_F(PadTest, TheRightStickMovesThePointerOntoTheMarkerAndTheMouseTakesItBack) {
    const int across = PadLayoutHere().pointerAxisX, down = PadLayoutHere().pointerAxisY;
    SDL_WarpMouse(110, 5);
    EnemyPaddleRect.x = 100; // its marker column is 120
    Play({Pad(SDL_JOYAXISMOTION, across, 9830)});
    for (int x = 111; x < 120; ++x) {
        ASSERT_EQ(PlayerScore, 0) << "at " << x;
        Play({});
    }
    EXPECT_EQ(PlayerScore, POINTS_PER_HIT);
    Play({Pad(SDL_JOYAXISMOTION, across, 0)});
    Play({});
    EXPECT_EQ(PixelAt(Backbuffer, 120, 5), WHITE);
    EXPECT_EQ(PixelAt(Backbuffer, 121, 6), BLACK);
    Play({Pad(SDL_JOYAXISMOTION, across, 32767), Pad(SDL_JOYAXISMOTION, down, 32767)});
    for (int frame = 0; frame < FPS / 2; ++frame) {
        Play({});
    }
    int x = 0, y = 0;
    GamePointer(&x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1));
    SDL_Event mouse = {};
    mouse.motion = {SDL_MOUSEMOTION, 0, 0, 40, 50, 0, 0};
    Play({Pad(SDL_JOYAXISMOTION, across, 0), Pad(SDL_JOYAXISMOTION, down, 0), mouse});
    EXPECT_NE(PixelAt(Backbuffer, SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1), WHITE);
}
