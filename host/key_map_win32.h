// The keys a palette answers, as user32 names them (virtual-key codes): one map for every
// Windows host.
#ifndef HOST_KEY_MAP_WIN32_H
#define HOST_KEY_MAP_WIN32_H

#include "host/palette_input.h"

#include <windows.h>

#include <optional>

inline std::optional<PaletteKey> PaletteKeyOf(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
        return PaletteKey::Left;
    case VK_RIGHT:
        return PaletteKey::Right;
    case VK_UP:
        return PaletteKey::Up;
    case VK_DOWN:
        return PaletteKey::Down;
    case VK_SPACE:
    case VK_RETURN:
        return PaletteKey::Activate;
    case VK_ESCAPE:
        return PaletteKey::Escape;
    default:
        return std::nullopt;
    }
}

#endif // HOST_KEY_MAP_WIN32_H
