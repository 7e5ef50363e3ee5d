// Text for the document hosts: a 5x7 bitmap font of printable ASCII, drawn with FillRect. Part
// names and tooltips need only a line of plain text, and an embedded font draws the same pixels
// under every GDI and in every front end (the live tests compare pixels), needs no font package
// on a bare X server, and has no size or hinting to settle.
#ifndef HOST_BITMAP_FONT_H
#define HOST_BITMAP_FONT_H

#include "runtime/win_gdi.h"

#include <string_view>

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Pixels across a line of text; characters outside printable ASCII show as '?', a byte each.
int BitmapTextWidth(std::string_view text);
// Draws the text with its top-left corner at (x, y), only its set pixels, in `colour`.
void DrawBitmapText(HDC dc, int x, int y, std::string_view text, COLORREF colour);

#endif // HOST_BITMAP_FONT_H
