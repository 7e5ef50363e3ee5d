// The set-up every host starts from: the classes built, a base object, a tool space that takes
// tools, a palette (ToolTray or a subclass) initialised on the base and given the space, and the
// bitmaps its tools show. Everything is owned here and freed in the one safe order: the palette
// first (with its tools), then what it borrowed.
//     ToolSpacePalette stage;                                    // throws ToolTrayError
//     stage.SetSize(tooltray::Pixels(120), tooltray::Pixels(62));
//     HBITMAP icon = stage.AddBitmap(16, 16, pixels);
//     stage.Tray().CreateToolChecked(1, icon, 0);
#ifndef TOOLTRAY_HOST_TOOL_SPACE_PALETTE_H
#define TOOLTRAY_HOST_TOOL_SPACE_PALETTE_H

#include "tooltray_handles.h"

#include <string>
#include <utility>
#include <vector>

// The colour the kit's hosts paint behind the tools (the class paints only the tools): a COLORREF,
// RGB(212, 208, 200), written out so that this header needs no Win32 names.
constexpr uint32_t kPaletteBackground = 0x00C8D0D4;

class ToolSpacePalette {
public:
    // paletteClass: null for ToolTray, or a subclass of it. Throws ToolTrayError naming what
    // could not be built or made.
    explicit ToolSpacePalette(SOMClass* paletteClass = nullptr,
                              Environment* ev = GetGlobalEnvironment())
    {
        SOMClass* trayClass = BuildToolTrayClass();
        SOMClass* spaceClass = KxToolSpaceObjNewClass(1, 0);
        if (!spaceClass)
            throw ToolTrayError(std::string("cannot build the KxToolSpaceObj class: ") +
                                GetLastBuildError());
        base_ = NewOwnedObject("KxObject");
        space_ = NewOwnedObject(spaceClass);
        palette_ = PaletteHandle::Create(paletteClass ? paletteClass : trayClass, base_.get(), ev);
        palette_.SetToolSpaceObj(space_.get());
    }

    const PaletteHandle& Tray() const { return palette_; }
    SOMObject* Base() const { return base_.get(); }
    KxToolSpaceObj* Space() const { return space_.get(); }

    // The palette's size, (0, 0) to (width, height); only the width steers layout.
    void SetSize(tooltray::Pixels width, tooltray::Pixels height) const
    {
        const KxRect size(0, 0, tooltray::Fixed(width).Raw(), tooltray::Fixed(height).Raw());
        palette_.SetSize(&size);
    }
    void SetToolSize(tooltray::Fixed width, tooltray::Fixed height) const
    {
        palette_.SetToolWidth(width);
        palette_.SetToolHeight(height);
    }

    // Keeps a bitmap alive as long as the palette, and answers it for CreateTool.
    HBITMAP Keep(BitmapHandle bitmap)
    {
        bitmaps_.push_back(std::move(bitmap));
        return bitmaps_.back().get();
    }
    HBITMAP AddBitmap(int width, int height, const uint32_t* pixels)
    {
        return Keep(MakeBitmap(width, height, pixels));
    }

private:
    // Declared in the order of need: destroyed in reverse, the palette before what it borrows.
    std::vector<BitmapHandle> bitmaps_;
    ObjectHandle base_;
    ObjectHandle space_;
    PaletteHandle palette_;
};

#endif // TOOLTRAY_HOST_TOOL_SPACE_PALETTE_H
