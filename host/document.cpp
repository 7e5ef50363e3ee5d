#include "host/document.h"

#include "host/column_tray.h"
#include "host/icons.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

// A floating palette's length along its rows (or down its columns) when nothing says otherwise.
constexpr int kFloatingLength = 120;
// Room between the parts and around them.
constexpr int kPartMargin = 10;

constexpr uint16_t kUp = 0;
constexpr uint16_t kDown = 1;

PixelRect RectFromKx(const KxRect& r)
{
    RECT w;
    r.AsWinRect(w);
    return PixelRect{static_cast<int>(w.left), static_cast<int>(w.top),
                     static_cast<int>(w.right - w.left), static_cast<int>(w.bottom - w.top)};
}

std::string Quad(const PixelRect& r)
{
    return std::to_string(r.x) + " " + std::to_string(r.y) + " " + std::to_string(r.width) + " " +
           std::to_string(r.height);
}

// A palette of the part's tools, in the given class (ToolTray when null), before any placement.
PaletteSetup SetupFor(const PartDescription& part, SOMClass* paletteClass)
{
    PaletteSetup setup;
    setup.tools = static_cast<int>(part.tools.size());
    setup.width = setup.height = kFloatingLength;
    for (const ToolDescription& tool : part.tools)
        setup.icons.push_back(tool.icon);
    setup.paletteClass = paletteClass;
    return setup;
}

} // namespace

struct DocumentHost::Part {
    PartDescription description;
    std::unique_ptr<HostPalette> palette;
    std::unique_ptr<PaletteInput> input;
    bool columns = false; // the palette's class: the column layout, or rows
    int32_t current = 0;  // the current shape tool, 0 for none
    std::vector<Stamp> stamps;
    HWND floatingWindow = nullptr;
    std::string reported; // the last layout line said for it

    const Palette& Tray() const { return palette->Tray(); }
    std::set<int32_t> ToggleIds() const
    {
        std::set<int32_t> ids;
        for (size_t i = 0; i < description.tools.size(); ++i)
            if (description.tools[i].toggle)
                ids.insert(static_cast<int32_t>(i + 1));
        return ids;
    }
};

std::vector<PartDescription> SampleParts(const std::vector<Image>& icons,
                                         const std::vector<std::string>& names)
{
    const std::vector<Image> builtIn = icons.empty() ? BuiltInIcons() : std::vector<Image>{};
    const std::vector<std::string> builtInNames =
        icons.empty() ? BuiltInIconNames() : std::vector<std::string>{};
    const std::vector<Image>& set = icons.empty() ? builtIn : icons;
    const std::vector<std::string>& setNames = icons.empty() ? builtInNames : names;
    const auto tool = [&](size_t icon, bool toggle) {
        const size_t at = icon % set.size();
        return ToolDescription{at < setNames.size() ? setNames[at]
                                                    : "Tool " + std::to_string(at + 1),
                               set[at], toggle};
    };
    // Shapes first, then one toggle each; three placements, so that the default layout shows
    // all of them: a row docked at the top, a column at the left, rows floating.
    return {
        PartDescription{
            "sketch",
            {tool(0, false), tool(1, false), tool(2, false), tool(3, false), tool(7, true)},
            false,
            Placement{DockEdge::Top, false}},
        PartDescription{"plan",
                        {tool(4, false), tool(5, false), tool(6, false), tool(8, true)},
                        true,
                        Placement{DockEdge::Left, false}},
        PartDescription{"notes",
                        {tool(9, false), tool(10, false), tool(11, false), tool(7, true)},
                        false,
                        Placement{DockEdge::Right, true}},
    };
}

DocumentHost::~DocumentHost() = default;

std::unique_ptr<DocumentHost> DocumentHost::Create(std::vector<PartDescription> parts,
                                                   std::string layoutFile, bool printLayout,
                                                   std::string& error)
{
    if (parts.empty()) {
        error = "a document needs a part";
        return nullptr;
    }
    std::unique_ptr<DocumentHost> document(new DocumentHost);
    document->layoutFile_ = std::move(layoutFile);
    document->printLayout_ = printLayout;
    for (PartDescription& description : parts) {
        auto part = std::make_unique<Part>();
        part->description = std::move(description);
        part->reported = "palette " + part->description.name + " hidden";
        if (!document->Build(*part, part->description.columns, error))
            return nullptr;
        // The first shape tool is current from the start, shown held down.
        for (size_t i = 0; i < part->description.tools.size() && !part->current; ++i)
            if (!part->description.tools[i].toggle)
                part->current = static_cast<int32_t>(i + 1);
        if (ToolInfo* tool = part->palette->FindTool(part->current))
            part->Tray().SetToolState(tool, kDown);
        document->parts_.push_back(std::move(part));
    }
    return document;
}

bool DocumentHost::Build(Part& part, bool columns, std::string& error)
{
    SOMClass* paletteClass = columns ? ColumnToolTrayNewClass() : nullptr;
    if (columns && !paletteClass) {
        error = std::string("cannot build the column layout: ") + GetLastBuildError();
        return false;
    }
    std::unique_ptr<HostPalette> fresh =
        HostPalette::Create(SetupFor(part.description, paletteClass), error);
    if (!fresh)
        return false;
    if (part.palette) {
        // What the old palette kept moves to the new one: it is the same palette to the user.
        const Palette& from = part.Tray();
        const Palette& to = fresh->Tray();
        const std::vector<ToolInfo*>& oldTools = part.palette->Tools();
        const std::vector<ToolInfo*>& newTools = fresh->Tools();
        for (size_t i = 0; i < oldTools.size() && i < newTools.size(); ++i)
            to.SetToolState(newTools[i], from.GetToolState(oldTools[i]));
        to.SetPos(from.GetPos());
        KxRect floatRect;
        from.GetFloatRect(&floatRect);
        to.SetFloatRect(&floatRect);
        to.SetToolSpaceWnd(from.GetToolSpaceWnd());
        KxRect size;
        from.GetSize(&size);
        to.SetSize(&size);
    }
    // The input refers to the palette: it goes first, and a press held on the old one ends.
    part.input.reset();
    part.palette = std::move(fresh);
    part.input = std::make_unique<PaletteInput>(*part.palette, part.ToggleIds());
    part.columns = columns;
    return true;
}

const std::string& DocumentHost::PartName(int part) const
{
    return parts_.at(part)->description.name;
}
const HostPalette& DocumentHost::PaletteOf(int part) const { return *parts_.at(part)->palette; }
const ToolInfo* DocumentHost::Hot(int part) const { return parts_.at(part)->input->Hot(); }
int32_t DocumentHost::CurrentTool(int part) const { return parts_.at(part)->current; }
const std::vector<Stamp>& DocumentHost::Stamps(int part) const { return parts_.at(part)->stamps; }

bool DocumentHost::SettingOn(int part, int32_t toggleId) const
{
    const Part& p = *parts_.at(part);
    ToolInfo* tool = p.palette->FindTool(toggleId);
    return tool && p.Tray().GetToolState(tool) == kDown;
}

std::vector<int32_t> DocumentHost::Toggles(int part) const
{
    const std::set<int32_t> ids = parts_.at(part)->ToggleIds();
    return {ids.begin(), ids.end()};
}

const Image* DocumentHost::Icon(int part, int32_t tool) const
{
    const std::vector<ToolDescription>& tools = parts_.at(part)->description.tools;
    if (tool < 1 || static_cast<size_t>(tool) > tools.size())
        return nullptr;
    return &tools[static_cast<size_t>(tool) - 1].icon;
}

Placement DocumentHost::PlacementOf(const Part& part) const
{
    const auto pos = static_cast<uint16_t>(part.Tray().GetPos());
    return DecodePos(pos).value_or(part.description.defaultPlacement);
}

PixelRect DocumentHost::FloatRectOf(const Part& part) const
{
    KxRect r;
    part.Tray().GetFloatRect(&r);
    return RectFromKx(r);
}

void DocumentHost::SetFloatRect(Part& part, const PixelRect& r)
{
    const KxRect rect(PixelsToFixed(r.x), PixelsToFixed(r.y), PixelsToFixed(r.Right()),
                      PixelsToFixed(r.Bottom()));
    part.Tray().SetFloatRect(&rect);
}

void DocumentHost::Restore(const SavedLayout& layout)
{
    for (const std::unique_ptr<Part>& part : parts_) {
        const auto saved = layout.find(part->description.name);
        if (saved == layout.end() || !DecodePos(saved->second.pos))
            continue;
        part->Tray().SetPos(static_cast<int16_t>(saved->second.pos));
        SetFloatRect(*part, saved->second.floatRect);
    }
}

SavedLayout DocumentHost::Saved() const
{
    SavedLayout layout;
    for (const std::unique_ptr<Part>& part : parts_)
        layout[part->description.name] =
            SavedPalette{static_cast<uint16_t>(part->Tray().GetPos()), FloatRectOf(*part)};
    return layout;
}

void DocumentHost::SetDocumentWindow(HWND window)
{
    documentWindow_ = window;
    for (const std::unique_ptr<Part>& part : parts_)
        if (!PlacementOf(*part).floating)
            part->Tray().SetToolSpaceWnd(window);
}

void DocumentHost::SetFloatingWindow(int part, HWND window)
{
    Part& p = *parts_.at(part);
    p.floatingWindow = window;
    if (PlacementOf(p).floating)
        p.Tray().SetToolSpaceWnd(window);
}

void DocumentHost::LayOut(Part& part, DocumentEffect& effect)
{
    const Placement placement = PlacementOf(part);
    const bool columns =
        placement.floating ? part.description.columns : IsColumnEdge(placement.edge);
    if (columns != part.columns) {
        std::string error;
        if (!Build(part, columns, error))
            effect.errors.push_back("tooltray-document: " + error);
    }
    if (placement.floating) {
        const PixelRect r = FloatRectOf(part);
        part.palette->Resize(r.width, std::max(1, r.height - kGripSize));
    } else {
        SizeForDock(*part.palette, part.columns);
    }
    part.Tray().SetToolSpaceWnd(placement.floating ? part.floatingWindow : documentWindow_);
}

void DocumentHost::SizeForDock(HostPalette& palette, bool columns) const
{
    if (columns) {
        // Down the whole client area, and as wide as the columns the tools need there.
        const int height = std::max(1, client_.height - kGripSize);
        palette.Resize(client_.width, height);
        palette.Resize(std::max(1, palette.ToolsExtent().width), height);
    } else {
        const int width = std::max(1, client_.width - kGripSize);
        palette.Resize(width, client_.height);
        palette.Resize(width, std::max(1, palette.ToolsExtent().height));
    }
}

int DocumentHost::DockDepth(const Part& part, DockEdge edge) const
{
    const bool columns = IsColumnEdge(edge);
    std::unique_ptr<HostPalette> scratch;
    const HostPalette* palette = part.palette.get();
    if (columns != part.columns || PlacementOf(part).floating) {
        // Laid out as it would be there, in a palette of that class made for the asking.
        SOMClass* paletteClass = columns ? ColumnToolTrayNewClass() : nullptr;
        std::string error;
        if (columns && !paletteClass)
            return 0;
        scratch = HostPalette::Create(SetupFor(part.description, paletteClass), error);
        if (!scratch)
            return 0;
        SizeForDock(*scratch, columns);
        palette = scratch.get();
    }
    const PixelSize size = palette->Size();
    return columns ? size.width : size.height;
}

DocumentEffect DocumentHost::Place(const PixelRect& screen, const PixelRect& client)
{
    DocumentEffect effect;
    screen_ = screen;
    client_ = client;
    for (size_t i = 0; i < parts_.size(); ++i) {
        Part& part = *parts_[i];
        if (part.Tray().GetPos() == 0) {
            // Never placed: the part's default, floating at the client area's right, each part a
            // little lower than the one before so that none hides another's grip.
            part.Tray().SetPos(static_cast<int16_t>(EncodePos(part.description.defaultPlacement)));
            if (part.columns != part.description.columns) {
                std::string error;
                if (!Build(part, part.description.columns, error))
                    effect.errors.push_back("tooltray-document: " + error);
            }
            part.palette->Resize(kFloatingLength, kFloatingLength);
            const PixelSize extent = part.palette->ToolsExtent();
            const int width = part.description.columns ? extent.width : kFloatingLength;
            const int height =
                (part.description.columns ? kFloatingLength : extent.height) + kGripSize;
            SetFloatRect(part, PixelRect{client.Right() - width - 2 * kPartMargin,
                                         client.y + 4 * kPartMargin * static_cast<int>(i + 1),
                                         width, height});
        }
        SetFloatRect(part, KeepOnScreen(FloatRectOf(part), screen));
        LayOut(part, effect);
    }
    placed_ = true;
    effect.placement = effect.repaint = true;
    Report(effect);
    return effect;
}

PaletteGeometry DocumentHost::Geometry(int index) const
{
    const Part& part = *parts_.at(index);
    PaletteGeometry g;
    g.shown = placed_ && index == active_;
    g.placement = PlacementOf(part);
    const PixelSize size = part.palette->Size();
    const bool columnDock = !g.placement.floating && IsColumnEdge(g.placement.edge);
    if (g.placement.floating)
        g.carrier = FloatRectOf(part);
    else
        g.carrier =
            SplitForDock(client_, g.placement.edge, columnDock ? size.width : size.height).dock;
    const PixelRect& c = g.carrier;
    if (g.placement.floating || columnDock) { // the grip above the palette
        g.grip = PixelRect{c.x, c.y, c.width, kGripSize};
        g.palette = PixelRect{c.x, c.y + kGripSize, c.width, std::max(0, c.height - kGripSize)};
    } else { // a row docked at the top or bottom: the grip at its left
        g.grip = PixelRect{c.x, c.y, kGripSize, c.height};
        g.palette = PixelRect{c.x + kGripSize, c.y, std::max(0, c.width - kGripSize), c.height};
    }
    return g;
}

PixelRect DocumentHost::DocumentArea() const
{
    const PaletteGeometry g = Geometry(active_);
    if (g.placement.floating)
        return client_;
    const bool columns = IsColumnEdge(g.placement.edge);
    return SplitForDock(client_, g.placement.edge, columns ? g.carrier.width : g.carrier.height)
        .document;
}

PixelRect DocumentHost::PartRect(int part) const
{
    const PixelRect area = DocumentArea();
    const int n = PartCount();
    const int width = std::max(0, (area.width - kPartMargin * (n + 1)) / n);
    return PixelRect{area.x + kPartMargin + part * (width + kPartMargin), area.y + kPartMargin,
                     width, std::max(0, area.height - 2 * kPartMargin)};
}

int DocumentHost::PartAt(int x, int y) const
{
    for (int i = 0; i < PartCount(); ++i)
        if (PartRect(i).Contains(x, y))
            return i;
    return -1;
}

std::optional<PixelRect> DocumentHost::DragPreview() const
{
    if (!drag_)
        return std::nullopt;
    const Part& part = *parts_[static_cast<size_t>(active_)];
    if (drag_->dock)
        return SplitForDock(client_, *drag_->dock, previewDepth_).dock;
    if (PlacementOf(part).floating)
        return std::nullopt;
    return KeepOnScreen(drag_->floating, screen_);
}

void DocumentHost::Report(DocumentEffect& effect)
{
    if (!printLayout_)
        return;
    // Hidden ones first, so that a script reading the lines in order sees one palette at a time.
    std::vector<std::string> hidden, shown;
    for (int i = 0; i < PartCount(); ++i) {
        Part& part = *parts_[static_cast<size_t>(i)];
        const PaletteGeometry g = Geometry(i);
        std::string line = "palette " + part.description.name;
        if (!g.shown)
            line += " hidden";
        else if (g.placement.floating)
            line += " floating " + Quad(g.palette);
        else
            line += std::string(" docked ") + EdgeName(g.placement.edge) + " " + Quad(g.palette);
        if (line == part.reported)
            continue;
        part.reported = line;
        (g.shown ? shown : hidden).push_back(line);
    }
    effect.lines.insert(effect.lines.end(), hidden.begin(), hidden.end());
    effect.lines.insert(effect.lines.end(), shown.begin(), shown.end());
}

void DocumentHost::Save(DocumentEffect& effect)
{
    if (layoutFile_.empty())
        return;
    std::string error;
    if (!WriteLayoutFile(layoutFile_, Saved(), error))
        effect.errors.push_back("tooltray-document: cannot save the layout: " + error);
}

void DocumentHost::SetPlacement(Part& part, Placement placement, DocumentEffect& effect)
{
    part.Tray().SetPos(static_cast<int16_t>(EncodePos(placement)));
    effect.lines.push_back(placement.floating
                               ? "float " + part.description.name
                               : "dock " + part.description.name + " " + EdgeName(placement.edge));
    LayOut(part, effect);
    effect.placement = effect.repaint = true;
    Report(effect);
    Save(effect);
}

void DocumentHost::PaletteEffect(Part& part, const InputEffect& input, DocumentEffect& effect)
{
    if (!input.dirty.empty())
        effect.repaint = true;
    if (!input.clicked)
        return;
    const int32_t id = *input.clicked;
    ToolInfo* tool = part.palette->FindTool(id);
    if (!tool)
        return;
    const std::string prefix = part.description.name + " " + std::to_string(id);
    if (part.ToggleIds().count(id)) {
        effect.lines.push_back("toggle " + prefix +
                               (part.Tray().GetToolState(tool) == kDown ? " on" : " off"));
        effect.repaint = true;
        return;
    }
    if (id == part.current)
        return;
    // One shape tool is current: it alone is shown held down.
    if (ToolInfo* old = part.palette->FindTool(part.current))
        part.Tray().SetToolState(old, kUp);
    part.Tray().SetToolState(tool, kDown);
    part.current = id;
    effect.lines.push_back("tool " + prefix);
    effect.repaint = true;
}

DocumentEffect DocumentHost::Activate(int index)
{
    DocumentEffect effect = Cancel();
    if (index < 0 || index >= PartCount() || index == active_)
        return effect;
    active_ = index;
    LayOut(*parts_[static_cast<size_t>(index)], effect);
    effect.lines.push_back("activate " + PartName(index));
    effect.placement = effect.repaint = true;
    Report(effect);
    return effect;
}

DocumentEffect DocumentHost::Press(Surface surface, int x, int y, uint32_t timeMs)
{
    // A press while one is held means its release was lost: that one ends as cancelled.
    DocumentEffect effect = Cancel();
    if (!placed_)
        return effect;
    Part& part = *parts_[static_cast<size_t>(active_)];
    const PaletteGeometry g = Geometry(active_);
    const bool onPalette = g.placement.floating == (surface == Surface::Floating);
    if (onPalette && g.grip.Contains(x, y)) {
        const PixelRect floatRect = FloatRectOf(part);
        if (grip_.Press(x, y, timeMs, g.carrier, floatRect.width, floatRect.height, kGripSize) ==
            GripDrag::PressKind::DoubleClick) {
            Placement placement = g.placement;
            placement.floating = !placement.floating;
            SetPlacement(part, placement, effect);
        } else {
            held_ = Held::Grip;
            dragStartFloat_ = floatRect;
        }
        return effect;
    }
    if (onPalette && g.palette.Contains(x, y)) {
        held_ = Held::Palette;
        PaletteEffect(part, part.input->Press(x - g.palette.x, y - g.palette.y), effect);
        return effect;
    }
    if (surface != Surface::Document)
        return effect;
    const int hit = PartAt(x, y);
    if (hit < 0)
        return effect;
    if (hit != active_) {
        // The first click in a part activates it, as in any compound document; it stamps nothing.
        return Activate(hit);
    }
    if (part.current) {
        const PixelRect r = PartRect(active_);
        part.stamps.push_back(Stamp{part.current, x - r.x, y - r.y});
        effect.lines.push_back("stamp " + part.description.name + " " +
                               std::to_string(part.current) + " " + std::to_string(x - r.x) + " " +
                               std::to_string(y - r.y));
        effect.repaint = true;
    }
    return effect;
}

DocumentEffect DocumentHost::Move(Surface, int x, int y, bool buttonDown)
{
    DocumentEffect effect;
    Part& part = *parts_[static_cast<size_t>(active_)];
    if (held_ == Held::Grip) {
        if (!buttonDown) // released where no release reached us: no drop
            return Cancel();
        if (const std::optional<DropTarget> target = grip_.Move(x, y, client_)) {
            if (target->dock && (!drag_ || drag_->dock != target->dock))
                previewDepth_ = DockDepth(part, *target->dock);
            drag_ = target;
            if (PlacementOf(part).floating) {
                // The floating window follows the pointer; the drop decides what is kept.
                SetFloatRect(part, KeepOnScreen(target->floating, screen_));
                LayOut(part, effect);
                effect.placement = true;
            }
            effect.repaint = true;
        }
    } else if (held_ == Held::Palette) {
        const PaletteGeometry g = Geometry(active_);
        PaletteEffect(part, part.input->Move(x - g.palette.x, y - g.palette.y, buttonDown), effect);
        if (!buttonDown)
            held_ = Held::None;
    }
    return effect;
}

DocumentEffect DocumentHost::Release(Surface, int x, int y)
{
    DocumentEffect effect;
    Part& part = *parts_[static_cast<size_t>(active_)];
    if (held_ == Held::Palette) {
        held_ = Held::None;
        const PaletteGeometry g = Geometry(active_);
        PaletteEffect(part, part.input->Release(x - g.palette.x, y - g.palette.y), effect);
        return effect;
    }
    if (held_ != Held::Grip)
        return effect;
    held_ = Held::None;
    const bool wasDragging = grip_.Dragging();
    const std::optional<DropTarget> drop = grip_.Release(x, y, client_);
    drag_.reset();
    if (wasDragging)
        effect.repaint = true;
    if (!drop)
        return effect;
    Placement placement = PlacementOf(part);
    if (drop->dock) {
        // The way back is where it floated before this drag, not where the drag passed.
        SetFloatRect(part, dragStartFloat_);
        placement = Placement{*drop->dock, false};
    } else {
        SetFloatRect(part, KeepOnScreen(drop->floating, screen_));
        placement.floating = true;
    }
    SetPlacement(part, placement, effect);
    return effect;
}

DocumentEffect DocumentHost::Leave(Surface, bool buttonDown)
{
    DocumentEffect effect;
    if (buttonDown)
        return effect; // the press goes on outside; the pointer events still say where
    if (held_ == Held::Palette) {
        Part& part = *parts_[static_cast<size_t>(active_)];
        held_ = Held::None;
        PaletteEffect(part, part.input->Leave(false), effect);
    } else if (held_ == Held::Grip) {
        return Cancel();
    }
    return effect;
}

DocumentEffect DocumentHost::Cancel()
{
    DocumentEffect effect;
    Part& part = *parts_[static_cast<size_t>(active_)];
    if (held_ == Held::Palette)
        PaletteEffect(part, part.input->Cancel(), effect);
    if (held_ == Held::Grip) {
        if (grip_.Dragging() && PlacementOf(part).floating) {
            SetFloatRect(part, dragStartFloat_);
            LayOut(part, effect);
            effect.placement = true;
        }
        if (grip_.Dragging())
            effect.repaint = true;
        grip_.Cancel();
        drag_.reset();
    }
    held_ = Held::None;
    return effect;
}

DocumentEffect DocumentHost::Key(PaletteKey key)
{
    DocumentEffect effect;
    if (key == PaletteKey::Escape) {
        effect = Cancel();
        effect.close = true;
        return effect;
    }
    if (held_ != Held::None)
        return effect;
    Part& part = *parts_[static_cast<size_t>(active_)];
    PaletteEffect(part, part.input->Key(key), effect);
    return effect;
}

bool DocumentHost::Holding() const { return held_ != Held::None; }

std::optional<Tooltip> DocumentHost::TooltipAt(Surface surface, int x, int y) const
{
    if (held_ != Held::None || !placed_)
        return std::nullopt;
    const PaletteGeometry g = Geometry(active_);
    if (g.placement.floating != (surface == Surface::Floating) || !g.palette.Contains(x, y))
        return std::nullopt;
    const Part& part = *parts_[static_cast<size_t>(active_)];
    const KxPoint point(PixelsToFixed(x - g.palette.x), PixelsToFixed(y - g.palette.y));
    ToolInfo* tool = part.Tray().PtInTool(&point);
    if (!tool)
        return std::nullopt;
    const int32_t id = part.Tray().GetToolID(tool);
    if (id < 1 || static_cast<size_t>(id) > part.description.tools.size())
        return std::nullopt;
    const RECT r = HostPalette::Bounds(tool);
    return Tooltip{
        part.description.tools[static_cast<size_t>(id) - 1].name,
        PixelRect{g.palette.x + static_cast<int>(r.left), g.palette.y + static_cast<int>(r.top),
                  static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top)}};
}
