// A compound document as the document hosts show it, apart from any window system: parts, each
// with its own palette, one part active at a time and only its palette on screen, docked at an
// edge of the document window's client area or floating in a window of its own.
//
// The palette keeps its own placement, read back through its getters whenever it is needed: the
// position code (SetPos, see dock_layout.h), the last floating rectangle (SetFloatRect, the
// floating window's rectangle in screen pixels, kept while docked for the way back), its size
// (SetSize, then ArrangeTools) and the window that carries it (SetToolSpaceWnd: the document
// window while docked, the part's floating window while floating).
//
// A palette's carrier is its area plus a grip, kGripSize pixels deep: above the palette when it
// floats or is docked left or right, left of it when docked at the top or bottom. Left and right
// docks lay the tools out in columns, top and bottom in rows, and a floating palette in its part's
// own layout; the class is a palette's for life, so a change of layout builds the part a new
// palette of the other class and moves the old one's tool states, current tool, position code,
// floating rectangle and window over to it.
//
// Everything is in screen pixels; the front ends say where the screen and the document window's
// client area are (Place) and pass pointer events in screen coordinates, naming the window that
// got them. Each action says one line, for scripts:
//     activate PART           a part became the active one
//     tool PART ID            the part's current tool changed
//     stamp PART ID X Y       the current tool stamped at (X, Y) in the part's own pixels
//     toggle PART ID on|off   a toggle tool changed the setting it stands for
//     dock PART EDGE          the palette was docked at EDGE (top, left, right, bottom)
//     float PART              the palette was left floating (dropped or switched there)
// and with the layout report on, whenever a palette is shown, moved or hidden:
//     palette PART docked EDGE X Y W H
//     palette PART floating X Y W H
//     palette PART hidden
// where X Y W H is the palette's own area (its size, where its tools are drawn), grip excluded.
#ifndef HOST_DOCUMENT_H
#define HOST_DOCUMENT_H

#include "host/dock_layout.h"
#include "host/grip_drag.h"
#include "host/host_palette.h"
#include "host/layout_file.h"
#include "host/palette_input.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

constexpr int kGripSize = 8;

// Which window a pointer event came from: the document window, or the active part's floating
// palette window.
enum class Surface { Document, Floating };

// A part's tools have the ids 1, 2, 3... in the order given.
struct ToolDescription {
    std::string name; // the tooltip
    Image icon;       // what the tool shows, and what it stamps
    bool toggle = false;
};

struct PartDescription {
    std::string name;
    std::vector<ToolDescription> tools;
    bool columns = false; // its own layout, used while floating
    Placement defaultPlacement;
};

// Three parts, their tools taking the icons in turn from `icons` (with `names`) or, when empty,
// from the built-in set.
std::vector<PartDescription> SampleParts(const std::vector<Image>& icons,
                                         const std::vector<std::string>& names);

struct Stamp {
    int32_t tool;
    int x; // the centre, in the part's own pixels
    int y;
};

struct PaletteGeometry {
    bool shown = false;
    Placement placement;
    PixelRect carrier; // the floating window, or the dock inside the document window
    PixelRect grip;
    PixelRect palette; // the palette's own area: its size, at its place on the screen
};

struct Tooltip {
    std::string text;
    PixelRect tool; // the tool's rectangle on the screen
};

// What one event changed.
struct DocumentEffect {
    std::vector<std::string> lines;  // for stdout, one line each
    std::vector<std::string> errors; // for stderr, one line each
    bool repaint = false;            // something drawn changed
    bool placement = false;          // a palette was shown, hidden, moved or resized
    bool close = false;
};

class DocumentHost {
public:
    // layoutFile: where placements are saved when the user changes them; empty saves nothing.
    static std::unique_ptr<DocumentHost> Create(std::vector<PartDescription> parts,
                                                std::string layoutFile, bool printLayout,
                                                std::string& error);
    ~DocumentHost();
    DocumentHost(const DocumentHost&) = delete;
    DocumentHost& operator=(const DocumentHost&) = delete;

    // Placements from a saved layout, before the first Place; parts it does not name keep their
    // defaults. The floating rectangles are brought on screen by Place.
    void Restore(const SavedLayout& layout);
    // Every part's position code and floating rectangle, as the palettes answer them.
    SavedLayout Saved() const;

    // Where the screen is, and the document window's client area on it; again whenever either
    // changes. Places never-placed palettes by default, brings floating rectangles back on screen
    // and lays the active palette out for its dock or window.
    DocumentEffect Place(const PixelRect& screen, const PixelRect& client);
    // The windows that carry palettes, for SetToolSpaceWnd: the document window, and each part's
    // floating window. The front end says what the handle is (an HWND; an X11 window id).
    void SetDocumentWindow(HWND window);
    void SetFloatingWindow(int part, HWND window);

    int PartCount() const { return static_cast<int>(parts_.size()); }
    const std::string& PartName(int part) const;
    int Active() const { return active_; }
    PixelRect Client() const { return client_; }
    PixelRect DocumentArea() const; // the client area less the active palette's dock
    PixelRect PartRect(int part) const;
    PaletteGeometry Geometry(int part) const;
    const HostPalette& PaletteOf(int part) const;
    const ToolInfo* Hot(int part) const;
    int32_t CurrentTool(int part) const;
    // The state of the part's toggle tools: on when held down (state 1).
    bool SettingOn(int part, int32_t toggleId) const;
    std::vector<int32_t> Toggles(int part) const;
    const std::vector<Stamp>& Stamps(int part) const;
    const Image* Icon(int part, int32_t tool) const;
    // While a grip is dragged: where a drop would dock the palette, or where a docked palette
    // would float; null otherwise (a floating palette's window follows the pointer itself).
    std::optional<PixelRect> DragPreview() const;

    DocumentEffect Activate(int part);
    DocumentEffect Press(Surface surface, int x, int y, uint32_t timeMs);
    DocumentEffect Move(Surface surface, int x, int y, bool buttonDown);
    DocumentEffect Release(Surface surface, int x, int y);
    DocumentEffect Leave(Surface surface, bool buttonDown);
    // The press ends without a release (focus lost, window hidden): nothing clicked or dropped.
    DocumentEffect Cancel();
    DocumentEffect Key(PaletteKey key);
    bool Holding() const; // a press is held, on a tool or a grip

    // The tool under a point of that window and its name; null over anything else or while a
    // press is held.
    std::optional<Tooltip> TooltipAt(Surface surface, int x, int y) const;

private:
    struct Part;
    DocumentHost() = default;

    Placement PlacementOf(const Part& part) const;
    PixelRect FloatRectOf(const Part& part) const;
    void SetPlacement(Part& part, Placement placement, DocumentEffect& effect);
    void SetFloatRect(Part& part, const PixelRect& rect);
    bool Build(Part& part, bool columns, std::string& error);
    void LayOut(Part& part, DocumentEffect& effect);
    void SizeForDock(HostPalette& palette, bool columns) const;
    int DockDepth(const Part& part, DockEdge edge) const; // what docking there would take

    void Report(DocumentEffect& effect);
    void Save(DocumentEffect& effect);
    void PaletteEffect(Part& part, const InputEffect& input, DocumentEffect& effect);
    int PartAt(int x, int y) const;

    std::vector<std::unique_ptr<Part>> parts_;
    int active_ = 0;
    std::string layoutFile_;
    bool printLayout_ = false;
    PixelRect screen_;
    PixelRect client_;
    bool placed_ = false;
    HWND documentWindow_ = nullptr;
    // What a held press is on.
    enum class Held { None, Palette, Grip } held_ = Held::None;
    GripDrag grip_;
    std::optional<DropTarget> drag_;
    PixelRect dragStartFloat_; // a floating palette's rectangle when its drag began
    int previewDepth_ = 0;     // the depth of the dock the drag is over
};

#endif // HOST_DOCUMENT_H
