// The keys a palette answers, as SDL2 names them: one map for every SDL2 host.
#ifndef HOST_KEY_MAP_SDL_H
#define HOST_KEY_MAP_SDL_H

#include "host/palette_input.h"

#include <SDL.h>

#include <optional>

inline std::optional<PaletteKey> PaletteKeyOf(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LEFT:
        return PaletteKey::Left;
    case SDLK_RIGHT:
        return PaletteKey::Right;
    case SDLK_UP:
        return PaletteKey::Up;
    case SDLK_DOWN:
        return PaletteKey::Down;
    case SDLK_SPACE:
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return PaletteKey::Activate;
    case SDLK_ESCAPE:
        return PaletteKey::Escape;
    default:
        return std::nullopt;
    }
}

#endif // HOST_KEY_MAP_SDL_H
