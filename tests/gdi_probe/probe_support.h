// What every probe case is built from: the text it prints, and 32-bpp DIB sections in memory DCs
// whose pixels it can set and print. Written against the Windows API, so the same code runs on real
// GDI and on the portable layer.
#ifndef TESTS_GDI_PROBE_PROBE_SUPPORT_H
#define TESTS_GDI_PROBE_PROBE_SUPPORT_H

#include "runtime/win_gdi.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace gdiprobe {

struct Out {
    std::string text;
    // Long sweeps print a digest of what they saw unless the whole text is asked for (when
    // tracking down a difference).
    bool full = false;
    // Lines of any length: a sweep line of a 10x10 destination in hex runs past a thousand
    // characters, and a cut line would hide differences past the cut.
    void line(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        va_list args;
        va_start(args, format);
        va_list again;
        va_copy(again, args);
        const int size = vsnprintf(nullptr, 0, format, args);
        va_end(args);
        if (size > 0) {
            const size_t at = text.size();
            text.resize(at + static_cast<size_t>(size) + 1);
            vsnprintf(&text[at], static_cast<size_t>(size) + 1, format, again);
            text.resize(at + static_cast<size_t>(size));
        }
        va_end(again);
        text += '\n';
    }
};

struct ProbeCase {
    std::string name;
    std::function<void(Out&)> run;
};

// A 32-bpp DIB section selected into a memory DC of its own, with its bits at hand.
struct MemoryDib {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
};

inline BITMAPINFO dib_info(int width, int height)
{
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A top-down 32-bpp DIB section selected into its own memory DC.
inline MemoryDib make_memory_dib(int width, int height, uint32_t fill)
{
    MemoryDib s;
    s.width = width;
    s.height = height;
    BITMAPINFO info = dib_info(width, -height);
    void* bits = nullptr;
    s.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    s.bits = static_cast<uint32_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        s.bits[i] = fill;
    s.dc = CreateCompatibleDC(nullptr);
    s.previous = SelectObject(s.dc, s.bitmap);
    return s;
}

inline void free_memory_dib(MemoryDib& s)
{
    SelectObject(s.dc, s.previous);
    DeleteDC(s.dc);
    DeleteObject(s.bitmap);
    s = MemoryDib{};
}

inline void dump(Out& out, const MemoryDib& s)
{
    GdiFlush();
    out.line("px %dx%d", s.width, s.height);
    for (int y = 0; y < s.height; ++y) {
        std::string row;
        char cell[12];
        for (int x = 0; x < s.width; ++x) {
            snprintf(cell, sizeof cell, x ? " %08x" : "%08x",
                     static_cast<unsigned>(s.bits[y * s.width + x]));
            row += cell;
        }
        out.line("%s", row.c_str());
    }
}

} // namespace gdiprobe

#endif // TESTS_GDI_PROBE_PROBE_SUPPORT_H
