// DrawFocusRect cases: how real GDI dots and inverts the frame, for every small size, inverted,
// clipped and huge rectangles, a bottom-up DIB, the default bitmap and unusable DCs.
#ifndef TESTS_GDI_PROBE_FOCUS_RECT_CASES_H
#define TESTS_GDI_PROBE_FOCUS_RECT_CASES_H

#include "tests/gdi_probe/probe_support.h"

#include <climits>
#include <string>
#include <vector>

namespace gdiprobe {

// The pixels that differ from `fill`, one per line, in reading order: focus frames touch few.
inline void dump_changed(Out& out, const MemoryDib& s, uint32_t fill)
{
    GdiFlush();
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.bits[y * s.width + x] != fill)
                out.line("%d,%d %08x", x, y, static_cast<unsigned>(s.bits[y * s.width + x]));
}

inline std::vector<ProbeCase> focus_rect_cases()
{
    constexpr uint32_t kFill = 0x5a3c96f0u; // every bit of the pixel, top byte too, is seen
    std::vector<ProbeCase> cases;
    auto add = [&](std::string name, RECT rect, int width, int height) {
        cases.push_back({"DrawFocusRect." + name, [=](Out& out) {
                             MemoryDib s = make_memory_dib(width, height, kFill);
                             RECT r = rect;
                             out.line("DrawFocusRect {%d,%d,%d,%d} -> %d",
                                      static_cast<int>(rect.left), static_cast<int>(rect.top),
                                      static_cast<int>(rect.right), static_cast<int>(rect.bottom),
                                      DrawFocusRect(s.dc, &r));
                             dump_changed(out, s, kFill);
                             free_memory_dib(s);
                         }});
    };
    // Every size up to 6x6 at (1,1), and the same sizes one pixel further right and down, where
    // the dots fall on the other squares of a checkerboard.
    for (int w = 0; w <= 6; ++w)
        for (int h = 0; h <= 6; ++h) {
            const std::string size = std::to_string(w) + "x" + std::to_string(h);
            add("size_" + size, {1, 1, 1 + w, 1 + h}, 9, 9);
            if (w >= 2 && h >= 2)
                add("shifted_" + size, {2, 2, 2 + w, 2 + h}, 9, 9);
        }
    add("inverted_x", {7, 1, 1, 6}, 9, 8);
    add("inverted_y", {1, 6, 7, 1}, 9, 8);
    add("inverted_xy", {7, 6, 1, 1}, 9, 8);
    add("past_top_left", {-3, -3, 4, 5}, 8, 8);
    add("past_bottom_right", {5, 4, 12, 11}, 8, 8);
    add("covering", {-100, -100, 100, 100}, 6, 6);
    add("huge", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 6, 6);
    add("huge_inverted", {INT_MAX, INT_MAX, INT_MIN, INT_MIN}, 6, 6);
    add("from_min_left", {INT_MIN, 0, 4, 4}, 8, 6);
    add("to_max_right", {0, 0, INT_MAX, 3}, 8, 6);
    add("to_max_bottom", {1, -2147483645, 4, INT_MAX}, 8, 6);
    add("inverted_to_min", {3, 1, INT_MIN, 3}, 8, 6);
    add("inverted_from_max", {INT_MAX, 1, 5, 4}, 8, 6);
    add("wide_band", {-1000000, 2, 1000000, 5}, 8, 6);

    cases.push_back({"DrawFocusRect.twice_restores", [](Out& out) {
                         MemoryDib s = make_memory_dib(8, 8, kFill);
                         RECT r{1, 1, 7, 6};
                         out.line("first -> %d", DrawFocusRect(s.dc, &r));
                         out.line("second -> %d", DrawFocusRect(s.dc, &r));
                         dump_changed(out, s, kFill);
                         free_memory_dib(s);
                     }});
    cases.push_back({"DrawFocusRect.bottom_up_dib", [](Out& out) {
                         BITMAPINFO info = dib_info(6, 5); // positive height: rows bottom up
                         void* bits = nullptr;
                         HBITMAP bitmap =
                             CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                         HDC dc = CreateCompatibleDC(nullptr);
                         HGDIOBJ previous = SelectObject(dc, bitmap);
                         RECT r{0, 0, 5, 3};
                         out.line("DrawFocusRect -> %d", DrawFocusRect(dc, &r));
                         GdiFlush();
                         const uint32_t* p = static_cast<const uint32_t*>(bits);
                         for (int i = 0; i < 6 * 5; ++i)
                             if (p[i])
                                 out.line("word %d %08x", i, static_cast<unsigned>(p[i]));
                         SelectObject(dc, previous);
                         DeleteDC(dc);
                         DeleteObject(bitmap);
                     }});
    cases.push_back({"DrawFocusRect.default_bitmap", [](Out& out) {
                         // Every memory DC shares the one default bitmap: start it black.
                         HDC dc = CreateCompatibleDC(nullptr);
                         RECT one{0, 0, 1, 1};
                         FillRect(dc, &one, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
                         out.line("GetPixel -> %06x", static_cast<unsigned>(GetPixel(dc, 0, 0)));
                         RECT r{0, 0, 3, 3};
                         out.line("DrawFocusRect -> %d", DrawFocusRect(dc, &r));
                         out.line("GetPixel -> %06x", static_cast<unsigned>(GetPixel(dc, 0, 0)));
                         RECT shifted{-1, 0, 2, 3};
                         out.line("DrawFocusRect -> %d", DrawFocusRect(dc, &shifted));
                         out.line("GetPixel -> %06x", static_cast<unsigned>(GetPixel(dc, 0, 0)));
                         DeleteDC(dc);
                     }});
    cases.push_back({"DrawFocusRect.unusable_dc", [](Out& out) {
                         RECT r{0, 0, 4, 4};
                         out.line("null -> %d", DrawFocusRect(nullptr, &r));
                         HDC dc = CreateCompatibleDC(nullptr);
                         DeleteDC(dc);
                         out.line("deleted -> %d", DrawFocusRect(dc, &r));
                     }});
    return cases;
}

} // namespace gdiprobe

#endif // TESTS_GDI_PROBE_FOCUS_RECT_CASES_H
