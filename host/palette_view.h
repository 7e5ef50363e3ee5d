// How the hosts show a palette: a background, the tools as the class draws them, and the hot
// tool's focus rectangle over them.
#ifndef HOST_PALETTE_VIEW_H
#define HOST_PALETTE_VIEW_H

#include "host/host_palette.h"
#include "host/image.h"

// Draws into dc over `area` (client pixels, which are palette pixels). hot may be null.
void PaintPalette(HDC dc, const RECT& area, const HostPalette& host, const ToolInfo* hot);

// The same drawing into an image of the given size, through a DIB section.
Image RenderPalette(const HostPalette& host, const ToolInfo* hot, int width, int height);

#endif // HOST_PALETTE_VIEW_H
