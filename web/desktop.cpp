// Zarn Game in a browser: what the page asks of the game's canvas. The page scales the canvas
// to the screen and to the device's pixels itself, and has its own full-screen button: the game
// keeps its 512 x 512 canvas.
#include "media/media.h"

void AskTheDesktop(Desktop& desktop) {
    desktop.screenWidth = desktop.screenHeight = 0; // no window of the game's own over the screen
    desktop.roomWidth = desktop.roomHeight = 0;
    desktop.scaleFactor = 1;
}

void PlaceWindow(int, int) {} // the page places the canvas

const PadLayout& PadLayoutHere() {
    return PAD_LAYOUTS[STANDARD_GAMEPAD];
}
