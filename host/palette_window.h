// The window-system half of a live palette host: one per platform (SDL2 on Linux, user32 on
// Windows). It opens a resizable window of the given client size, turns the window system's
// events into PaletteInput calls, redraws what they changed, and returns the exit status once the
// window closes.
#ifndef HOST_PALETTE_WINDOW_H
#define HOST_PALETTE_WINDOW_H

#include "host/host_palette.h"
#include "host/palette_input.h"

#include <algorithm>
#include <cstdio>

int RunPaletteWindow(HostPalette& host, PaletteInput& input, int width, int height,
                     bool printClient);

// Says where the client area is, once per new place or size: "client X Y W H".
class ClientReport {
public:
    explicit ClientReport(bool enabled) : enabled_(enabled) {}
    void Drawn(int x, int y, int width, int height)
    {
        const int now[4] = {x, y, width, height};
        if (!enabled_ || std::equal(now, now + 4, last_))
            return;
        std::copy(now, now + 4, last_);
        std::printf("client %d %d %d %d\n", x, y, width, height);
        std::fflush(stdout);
    }

private:
    bool enabled_;
    int last_[4] = {-1, -1, -1, -1};
};

// Prints what the palette said, a line at a time, flushed at once so a script sees each click.
inline void PrintLines(const InputEffect& effect)
{
    for (const std::string& line : effect.lines)
        std::printf("%s\n", line.c_str());
    if (!effect.lines.empty())
        std::fflush(stdout);
}

#endif // HOST_PALETTE_WINDOW_H
