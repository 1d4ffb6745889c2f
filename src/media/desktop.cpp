// Zarn Game media: what the desktop asks of the game's window, on Linux and in a browser.
#include "media.h"

#include <cstdlib>

void AskTheDesktop(Desktop& desktop) {
    // GNOME and other desktops tell X11 programs their whole-number scale factor this way.
    const char* gdkScale = getenv("GDK_SCALE");
    int factor = gdkScale ? atoi(gdkScale) : 1;
    desktop.scaleFactor = factor > 1 ? factor : 1;
}
