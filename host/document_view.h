// How the document hosts draw, the same in every front end: the document window's client area
// (the parts, their stamps and settings, the docked palette with its grip, the drag preview), a
// floating palette's window, and a tooltip. Each draws into a device context whose (0, 0) is the
// window's client origin; the document says where things are in screen pixels.
#ifndef HOST_DOCUMENT_VIEW_H
#define HOST_DOCUMENT_VIEW_H

#include "host/document.h"

#include <string_view>

void PaintDocument(HDC dc, const DocumentHost& document);
// The part's floating window: its grip, then the palette below it.
void PaintFloating(HDC dc, const DocumentHost& document, int part);

// A tooltip's client size for the text, and its drawing: a border, a pale fill, the text.
PixelSize TooltipSize(std::string_view text);
void PaintTooltip(HDC dc, std::string_view text);

#endif // HOST_DOCUMENT_VIEW_H
