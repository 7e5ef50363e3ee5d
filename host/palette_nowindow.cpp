// The window half for a build without a window system (Linux without SDL2): the program still
// renders with --render, and says why it opens no window.
#include "host/palette_window.h"

int RunPaletteWindow(HostPalette&, PaletteInput&, int, int, bool)
{
    std::fprintf(stderr, "tooltray-palette: built without a window system (Debian: libsdl2-dev); "
                         "--render PATH draws the palette into a PNG\n");
    return 2;
}
