// ToolInfo: one button of a palette. Hosts hold ToolInfo pointers as tool handles; the palette
// owns the record from AddToolInfo until RemoveToolInfo. Hosts treat it as opaque: they read a
// tool through the class's methods and the kit's Palette::ToolBounds, never its fields.
#ifndef TOOLTRAY_TOOL_INFO_H
#define TOOLTRAY_TOOL_INFO_H

#include "../geometry/kx_geometry.h"
#include "../runtime/win_handles.h"

#include <cstddef>
#include <new>

struct ToolInfo {
    int32_t id;     // the caller's identifier; not required to be unique
    KxRect bounds;  // palette coordinates, 16.16
    HBITMAP bitmap; // borrowed: never deleted by the palette
    uint16_t state; // 1 is drawn as pressed

    ToolInfo() noexcept : id(0), bitmap(nullptr), state(0) {} // bounds left unset
    virtual ~ToolInfo();                                      // frees the record, nothing else

    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* block) noexcept;
    static void operator delete(void* block, const std::nothrow_t&) noexcept;
};

#endif // TOOLTRAY_TOOL_INFO_H
