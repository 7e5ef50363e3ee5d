// A palette as the hosts make it: the classes built, a tool-space object, a ToolTray (or the
// column-layout subclass) initialised on a base object and filled with tools carrying icons. The
// hosts learn everything about the layout from the class: the tools' rectangles and the slot
// GetNextToolBounds answers; they keep no copy of its margins.
#ifndef HOST_HOST_PALETTE_H
#define HOST_HOST_PALETTE_H

#include "host/image.h"
#include "host/tool_space_palette.h"
#include "runtime/win_gdi.h"

#include <memory>
#include <string>
#include <vector>

// A width and a height (or an x and a y offset) in pixels.
struct PixelSize {
    int width;
    int height;
};

struct PaletteSetup {
    int tools = 12;
    int width = 120; // palette size in pixels, before scaling
    int height = 200;
    int toolWidth = 25;
    int toolHeight = 25;
    int scale = 1;                    // multiplies the palette size, the tool size and the icons
    std::vector<Image> icons;         // empty: the built-in set
    SOMClass* paletteClass = nullptr; // ToolTray or a subclass of it; null: ToolTray
};

class HostPalette {
public:
    // Null with a one-line reason when the classes or objects cannot be made.
    static std::unique_ptr<HostPalette> Create(const PaletteSetup& setup, std::string& error);
    HostPalette(const HostPalette&) = delete;
    HostPalette& operator=(const HostPalette&) = delete;

    const Palette& Tray() const { return stage_.Tray(); }
    int Scale() const { return scale_; }

    // SetSize in pixels, then ArrangeTools: the tools re-flow for the new size.
    void Resize(int width, int height);
    PixelSize Size() const; // the palette's size in pixels

    // The tools in reading order (oldest first), as the class placed them.
    const std::vector<ToolInfo*>& Tools() const { return tools_; }
    ToolInfo* FindTool(int32_t id) const;     // the oldest tool with that id, or null
    static RECT Bounds(const ToolInfo* tool); // Palette::ToolBounds in whole pixels

    // The area the tools need: their furthest right and bottom edges plus the offset the class
    // gives its first slot, so the space after the tools matches the space before them.
    PixelSize ToolsExtent() const;

private:
    HostPalette(SOMClass* paletteClass, int scale) : stage_(paletteClass), scale_(scale) {}

    ToolSpacePalette stage_;
    int scale_;
    PixelSize firstSlot_{
        0, 0}; // offset of the top-left corner of the slot the class gives the first tool
    std::vector<ToolInfo*> tools_;
};

// An image enlarged by an integer factor, each pixel repeated factor × factor times.
Image ScaleImage(const Image& image, int factor);

#endif // HOST_HOST_PALETTE_H
