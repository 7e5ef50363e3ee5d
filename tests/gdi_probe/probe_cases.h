// The GDI cases we care about, written once against the Windows API so that the same code runs
// on real GDI (the mingw probe under Wine, whose output is committed as test data) and on our
// portable layer (the replay test). Every result is printed as text: the call, its return value,
// and whole surfaces as hex pixels. Handles are printed symbolically because their values differ.
#ifndef TESTS_GDI_PROBE_PROBE_CASES_H
#define TESTS_GDI_PROBE_PROBE_CASES_H

#include "tests/gdi_probe/focus_rect_cases.h"
#include "tests/gdi_probe/probe_support.h"
#include "tests/gdi_probe/stretch_sweep.h"

#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace gdiprobe {

constexpr uint32_t kBackground = 0xab123456u;
constexpr COLORREF kBrushColor = RGB(0x12, 0x9a, 0xcd);

inline std::string rect_text(const RECT& r)
{
    char buffer[96];
    snprintf(buffer, sizeof buffer, "{%ld,%ld,%ld,%ld}", static_cast<long>(r.left),
             static_cast<long>(r.top), static_cast<long>(r.right), static_cast<long>(r.bottom));
    return buffer;
}

struct NamedRect {
    const char* name;
    RECT rect;
};

inline std::vector<NamedRect> rect_cases()
{
    return {
        {"normal", {1, 2, 5, 6}},
        {"inverted_x", {5, 2, 1, 6}},
        {"inverted_y", {1, 6, 5, 2}},
        {"inverted_xy", {5, 6, 1, 2}},
        {"zero_width", {3, 1, 3, 6}},
        {"zero_height", {1, 3, 6, 3}},
        {"zero_both", {3, 3, 3, 3}},
        {"one_pixel", {3, 3, 4, 4}},
        {"one_wide", {2, 1, 3, 7}},
        {"one_tall", {1, 2, 7, 3}},
        {"two_wide", {2, 1, 4, 7}},
        {"two_tall", {1, 2, 7, 4}},
        {"two_by_two", {2, 2, 4, 4}},
        {"three_by_three", {2, 2, 5, 5}},
        {"one_wide_inverted", {3, 1, 2, 7}},
        {"two_tall_inverted", {1, 4, 7, 2}},
        {"whole", {0, 0, 8, 8}},
        {"past_top_left", {-3, -2, 2, 3}},
        {"past_bottom_right", {6, 5, 20, 20}},
        {"covering", {-5, -5, 13, 13}},
        {"outside_right", {10, 1, 20, 5}},
        {"outside_top_left", {-10, -10, -1, -1}},
        {"touching_right", {8, 0, 12, 8}},
        {"huge", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
        {"huge_inverted", {INT_MAX, INT_MAX, INT_MIN, INT_MIN}},
        {"wide_band", {-1000000, 2, 1000000, 4}},
        {"min_left", {INT_MIN, 0, 4, 4}},
        {"max_right", {0, 0, INT_MAX, 1}},
        {"inverted_to_min", {3, 1, INT_MIN, 3}},
        {"inverted_from_max", {INT_MAX, 5, 6, 7}},
        {"min_to_max_minus", {INT_MIN, 6, INT_MIN + 4, 7}},
    };
}

inline std::vector<ProbeCase> rect_op_cases()
{
    std::vector<ProbeCase> cases;
    for (const NamedRect& nr : rect_cases()) {
        for (int op = 0; op < 2; ++op) {
            const char* opname = op ? "FrameRect" : "FillRect";
            RECT rect = nr.rect;
            cases.push_back({std::string(opname) + "." + nr.name, [rect, op, opname](Out& out) {
                                 MemoryDib s = make_memory_dib(8, 8, kBackground);
                                 HBRUSH brush = CreateSolidBrush(kBrushColor);
                                 int r = op ? FrameRect(s.dc, &rect, brush)
                                            : FillRect(s.dc, &rect, brush);
                                 out.line("%s %s -> %d", opname, rect_text(rect).c_str(), r);
                                 dump(out, s);
                                 DeleteObject(brush);
                                 free_memory_dib(s);
                             }});
        }
    }
    // Brush and DC handles that are not what they should be.
    for (int op = 0; op < 2; ++op) {
        const char* opname = op ? "FrameRect" : "FillRect";
        cases.push_back(
            {std::string(opname) + ".bad_handles", [op](Out& out) {
                 MemoryDib s = make_memory_dib(4, 4, kBackground);
                 RECT rect = {0, 0, 3, 3};
                 auto call = [&](HDC dc, HBRUSH brush) {
                     return op ? FrameRect(dc, &rect, brush) : FillRect(dc, &rect, brush);
                 };
                 HBRUSH deleted = CreateSolidBrush(RGB(1, 2, 3));
                 DeleteObject(deleted);
                 out.line("null brush -> %d", call(s.dc, nullptr));
                 out.line("deleted brush -> %d", call(s.dc, deleted));
                 out.line("garbage brush -> %d",
                          call(s.dc, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(0x5a5a1234))));
                 out.line("bitmap as brush -> %d", call(s.dc, reinterpret_cast<HBRUSH>(s.bitmap)));
                 dump(out, s);
                 HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
                 out.line("null dc -> %d", call(nullptr, brush));
                 HDC gone = CreateCompatibleDC(nullptr);
                 DeleteDC(gone);
                 out.line("deleted dc -> %d", call(gone, brush));
                 out.line("brush as dc -> %d", call(reinterpret_cast<HDC>(brush), brush));
                 out.line("stock brush -> %d",
                          call(s.dc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
                 dump(out, s);
                 DeleteObject(brush);
                 free_memory_dib(s);
             }});
    }
    // A DC that still holds its default bitmap has a 1x1 surface.
    cases.push_back(
        {"FillRect.default_bitmap", [](Out& out) {
             HDC dc = CreateCompatibleDC(nullptr);
             RECT rect = {0, 0, 4, 4};
             HBRUSH brush = CreateSolidBrush(RGB(255, 255, 255));
             out.line("FillRect -> %d", FillRect(dc, &rect, brush));
             out.line("GetPixel 0,0 -> %08x", static_cast<unsigned>(GetPixel(dc, 0, 0)));
             out.line("GetPixel 1,0 -> %08x", static_cast<unsigned>(GetPixel(dc, 1, 0)));
             DeleteObject(brush);
             DeleteDC(dc);
         }});
    return cases;
}

inline std::vector<ProbeCase> rect_helper_cases()
{
    std::vector<ProbeCase> cases;
    cases.push_back({"RectHelpers", [](Out& out) {
                         // Each call is made before its result is printed: argument order is
                         // unspecified.
                         RECT r = {0, 0, 0, 0};
                         int result = SetRect(&r, 5, 6, 1, 2);
                         out.line("SetRect -> %d %s", result, rect_text(r).c_str());
                         result = InflateRect(&r, 2, -3);
                         out.line("InflateRect -> %d %s", result, rect_text(r).c_str());
                         result = OffsetRect(&r, -10, 4);
                         out.line("OffsetRect -> %d %s", result, rect_text(r).c_str());
                         r = {INT_MAX - 1, INT_MIN + 1, 0, 0};
                         result = InflateRect(&r, 5, 5);
                         out.line("InflateRect wrapping -> %d %s", result, rect_text(r).c_str());
                         result = OffsetRect(&r, INT_MAX, INT_MIN);
                         out.line("OffsetRect wrapping -> %d %s", result, rect_text(r).c_str());
                         result = SetRectEmpty(&r);
                         out.line("SetRectEmpty -> %d %s", result, rect_text(r).c_str());
                         out.line("SetRect null -> %d", SetRect(nullptr, 1, 2, 3, 4));
                         out.line("SetRectEmpty null -> %d", SetRectEmpty(nullptr));
                         out.line("InflateRect null -> %d", InflateRect(nullptr, 1, 1));
                         out.line("OffsetRect null -> %d", OffsetRect(nullptr, 1, 1));
                     }});
    return cases;
}

// A byte count as the layout it matches, so that 32-bit and 64-bit builds print the same text:
// BITMAP, DIBSECTION and LOGBRUSH hold pointer-sized fields, so their sizes differ between them.
inline std::string size_text(long long n)
{
    const std::pair<const char*, long long> layouts[] = {
        {"BITMAP", static_cast<long long>(sizeof(BITMAP))},
        {"DIBSECTION", static_cast<long long>(sizeof(DIBSECTION))},
        {"LOGBRUSH", static_cast<long long>(sizeof(LOGBRUSH))}};
    for (const auto& [name, size] : layouts) {
        if (n == size)
            return name;
        if (n == size - 1 || n == size + 1)
            return std::string(name) + (n < size ? "-1" : "+1");
    }
    return std::to_string(n);
}

// Which bytes of a buffer `fill` writes, by running it over two different backgrounds: a written
// byte that happens to equal one background (a pointer's byte, say) still differs from the other.
// The buffer ends as the run over 0xcd left it.
template <typename Fill>
inline std::string bytes_touched(unsigned char* buffer, size_t size, Fill fill)
{
    std::memset(buffer, 0x5a, size);
    fill(buffer);
    std::vector<unsigned char> other(buffer, buffer + size);
    std::memset(buffer, 0xcd, size);
    fill(buffer);
    size_t count = 0, last = 0;
    for (size_t i = 0; i < size; ++i) {
        if (buffer[i] != 0xcd || other[i] != 0x5a) {
            ++count;
            last = i + 1;
        }
    }
    return "touched=" + size_text(static_cast<long long>(count)) +
           " end=" + size_text(static_cast<long long>(last));
}

inline void print_bitmap_object(Out& out, const char* what, HGDIOBJ object, int size,
                                const void* dib_bits)
{
    alignas(16) unsigned char buffer[256];
    int r = 0;
    const std::string touched = bytes_touched(
        buffer, sizeof buffer, [&](unsigned char* b) { r = GetObjectA(object, size, b); });
    out.line("GetObjectA %s size %s -> %s %s", what, size_text(size).c_str(), size_text(r).c_str(),
             touched.c_str());
    if (r >= static_cast<int>(sizeof(BITMAP))) {
        BITMAP bm;
        std::memcpy(&bm, buffer, sizeof bm);
        out.line("  type %ld width %ld height %ld widthBytes %ld planes %u bpp %u bits %s",
                 static_cast<long>(bm.bmType), static_cast<long>(bm.bmWidth),
                 static_cast<long>(bm.bmHeight), static_cast<long>(bm.bmWidthBytes), bm.bmPlanes,
                 bm.bmBitsPixel,
                 bm.bmBits == nullptr    ? "null"
                 : bm.bmBits == dib_bits ? "dib"
                                         : "other");
    }
    if (r >= static_cast<int>(sizeof(DIBSECTION))) {
        DIBSECTION ds;
        std::memcpy(&ds, buffer, sizeof ds);
        out.line("  bih size %lu width %ld height %ld planes %u bpp %u compression %lu image %lu "
                 "used %lu fields %lx %lx %lx section %s offset %lu",
                 static_cast<unsigned long>(ds.dsBmih.biSize), static_cast<long>(ds.dsBmih.biWidth),
                 static_cast<long>(ds.dsBmih.biHeight), ds.dsBmih.biPlanes, ds.dsBmih.biBitCount,
                 static_cast<unsigned long>(ds.dsBmih.biCompression),
                 static_cast<unsigned long>(ds.dsBmih.biSizeImage),
                 static_cast<unsigned long>(ds.dsBmih.biClrUsed),
                 static_cast<unsigned long>(ds.dsBitfields[0]),
                 static_cast<unsigned long>(ds.dsBitfields[1]),
                 static_cast<unsigned long>(ds.dsBitfields[2]), ds.dshSection ? "set" : "null",
                 static_cast<unsigned long>(ds.dsOffset));
    }
}

inline std::vector<ProbeCase> object_cases()
{
    std::vector<ProbeCase> cases;
    cases.push_back({"GetObjectA.dib", [](Out& out) {
                         BITMAPINFO info = dib_info(5, -3);
                         void* bits = nullptr;
                         HBITMAP bmp =
                             CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                         out.line("null out -> %s", size_text(GetObjectA(bmp, 0, nullptr)).c_str());
                         out.line("null out size 8 -> %d", GetObjectA(bmp, 8, nullptr));
                         constexpr int kBitmap = sizeof(BITMAP), kDib = sizeof(DIBSECTION);
                         for (int size : {0, 8, kBitmap - 8, kBitmap - 1, kBitmap, kBitmap + 1, 64,
                                          kDib - 1, kDib, kDib + 1, 200, -1})
                             print_bitmap_object(out, "dib", bmp, size, bits);
                         DeleteObject(bmp);
                         print_bitmap_object(out, "deleted", bmp, 32, bits);
                     }});
    cases.push_back({"GetObjectA.bottom_up_dib", [](Out& out) {
                         BITMAPINFO info = dib_info(3, 2);
                         void* bits = nullptr;
                         HBITMAP bmp =
                             CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
                         print_bitmap_object(out, "dib", bmp, 200, bits);
                         DeleteObject(bmp);
                     }});
    cases.push_back({"GetObjectA.ddb", [](Out& out) {
                         uint32_t pixels[6] = {1, 2, 3, 4, 5, 6};
                         HBITMAP bmp = CreateBitmap(3, 2, 1, 32, pixels);
                         out.line("null out -> %s", size_text(GetObjectA(bmp, 0, nullptr)).c_str());
                         constexpr int kBitmap = sizeof(BITMAP);
                         for (int size : {kBitmap - 8, kBitmap - 1, kBitmap, 200})
                             print_bitmap_object(out, "ddb", bmp, size, nullptr);
                         DeleteObject(bmp);
                     }});
    cases.push_back(
        {"GetObjectA.brush", [](Out& out) {
             HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x20, 0x30));
             out.line("null out -> %s", size_text(GetObjectA(brush, 0, nullptr)).c_str());
             constexpr int kLogBrush = sizeof(LOGBRUSH);
             for (int size : {0, 4, 8, kLogBrush - 4, kLogBrush, kLogBrush + 8, 200}) {
                 alignas(16) unsigned char buffer[256];
                 int r = 0;
                 const std::string touched =
                     bytes_touched(buffer, sizeof buffer,
                                   [&](unsigned char* b) { r = GetObjectA(brush, size, b); });
                 LOGBRUSH lb;
                 std::memcpy(&lb, buffer, sizeof lb);
                 out.line("size %s -> %s %s style %u color %08lx", size_text(size).c_str(),
                          size_text(r).c_str(), touched.c_str(), lb.lbStyle,
                          static_cast<unsigned long>(lb.lbColor));
             }
             DeleteObject(brush);
             unsigned char buffer[64];
             out.line("deleted -> %d", GetObjectA(brush, sizeof buffer, buffer));
         }});
    cases.push_back({"GetObjectA.bad_handles", [](Out& out) {
                         alignas(16) unsigned char buffer[256];
                         HDC dc = CreateCompatibleDC(nullptr);
                         int results[3] = {};
                         const std::string touched =
                             bytes_touched(buffer, sizeof buffer, [&](unsigned char* b) {
                                 results[0] = GetObjectA(nullptr, 32, b);
                                 results[1] = GetObjectA(
                                     reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5a5a1234)),
                                     32, b);
                                 results[2] = GetObjectA(dc, 32, b);
                             });
                         DeleteDC(dc);
                         out.line("null -> %d", results[0]);
                         out.line("garbage -> %d", results[1]);
                         out.line("dc -> %d", results[2]);
                         out.line("%s", touched.c_str());
                     }});
    cases.push_back(
        {"GetStockObject", [](Out& out) {
             for (int i = WHITE_BRUSH; i <= BLACK_BRUSH; ++i) {
                 HGDIOBJ stock = GetStockObject(i);
                 LOGBRUSH lb;
                 std::memset(&lb, 0xcd, sizeof lb);
                 int r = GetObjectA(stock, sizeof lb, &lb);
                 out.line("stock %d %s again %s GetObjectA -> %s style %u color %08lx", i,
                          stock ? "set" : "null", GetStockObject(i) == stock ? "same" : "differs",
                          size_text(r).c_str(), lb.lbStyle, static_cast<unsigned long>(lb.lbColor));
                 MemoryDib s = make_memory_dib(2, 1, kBackground);
                 RECT rect = {0, 0, 1, 1};
                 out.line("  FillRect -> %d", FillRect(s.dc, &rect, static_cast<HBRUSH>(stock)));
                 out.line("  DeleteObject -> %d", DeleteObject(stock));
                 out.line("  again %s", GetStockObject(i) == stock ? "same" : "differs");
                 rect = {1, 0, 2, 1};
                 out.line("  FillRect after delete -> %d",
                          FillRect(s.dc, &rect, static_cast<HBRUSH>(stock)));
                 dump(out, s);
                 free_memory_dib(s);
             }
             for (int i : {-1, 9, 100, INT_MAX, INT_MIN})
                 out.line("stock %d -> %s", i, GetStockObject(i) ? "set" : "null");
         }});
    cases.push_back(
        {"CreateSolidBrush", [](Out& out) {
             // The top byte of a COLORREF is not a colour.
             for (COLORREF c : {0x00000000u, 0x00ffffffu, 0x01020304u, 0xff00ff00u, 0x80123456u}) {
                 MemoryDib s = make_memory_dib(1, 1, kBackground);
                 HBRUSH brush = CreateSolidBrush(c);
                 LOGBRUSH lb;
                 std::memset(&lb, 0xcd, sizeof lb);
                 GetObjectA(brush, sizeof lb, &lb);
                 RECT rect = {0, 0, 1, 1};
                 int r = FillRect(s.dc, &rect, brush);
                 out.line("color %08lx -> %s lb %08lx fill %d pixel %08x GetPixel %08lx",
                          static_cast<unsigned long>(c), brush ? "set" : "null",
                          static_cast<unsigned long>(lb.lbColor), r,
                          static_cast<unsigned>(s.bits[0]),
                          static_cast<unsigned long>(GetPixel(s.dc, 0, 0)));
                 DeleteObject(brush);
                 free_memory_dib(s);
             }
         }});
    cases.push_back({"CreateSolidBrush.colour_kinds", [](Out& out) {
                         // What a fill makes of each kind of COLORREF (the top byte says which).
                         std::vector<COLORREF> colours;
                         for (uint32_t index :
                              {0u,  1u,  2u,  3u,  4u,  5u,  6u,  7u,  8u,  9u,   10u,  11u,
                               12u, 13u, 14u, 15u, 16u, 17u, 18u, 19u, 20u, 255u, 256u, 0x0304u})
                             colours.push_back(0x01000000u | index);
                         for (uint32_t top : {0x02u, 0x03u, 0x04u, 0x10u, 0x11u, 0x20u, 0x7fu,
                                              0x81u, 0xfeu, 0xffu})
                             colours.push_back(top << 24 | 0x00123456u);
                         colours.push_back(0x10000005u);
                         colours.push_back(0xffffffffu);
                         for (COLORREF c : colours) {
                             MemoryDib s = make_memory_dib(1, 1, kBackground);
                             HBRUSH brush = CreateSolidBrush(c);
                             RECT rect = {0, 0, 1, 1};
                             FillRect(s.dc, &rect, brush);
                             GdiFlush();
                             out.line("color %08lx -> pixel %08x", static_cast<unsigned long>(c),
                                      static_cast<unsigned>(s.bits[0]));
                             DeleteObject(brush);
                             free_memory_dib(s);
                         }
                     }});
    return cases;
}

inline void describe_bitmap(Out& out, const char* what, HGDIOBJ object)
{
    BITMAP bm;
    std::memset(&bm, 0, sizeof bm);
    int r = GetObjectA(object, sizeof bm, &bm);
    out.line("%s: GetObjectA -> %s width %ld height %ld widthBytes %ld bpp %u", what,
             size_text(r).c_str(), static_cast<long>(bm.bmWidth), static_cast<long>(bm.bmHeight),
             static_cast<long>(bm.bmWidthBytes), bm.bmBitsPixel);
}

inline std::vector<ProbeCase> dc_cases()
{
    std::vector<ProbeCase> cases;
    cases.push_back(
        {"SelectObject.bitmaps", [](Out& out) {
             HDC dc = CreateCompatibleDC(nullptr);
             HDC other = CreateCompatibleDC(dc);
             out.line("CreateCompatibleDC -> %s %s", dc ? "set" : "null", other ? "set" : "null");
             BITMAPINFO info = dib_info(4, -4);
             void* bits = nullptr;
             HBITMAP a = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
             HBITMAP b = CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
             auto name = [&](HGDIOBJ h) -> const char* {
                 if (!h)
                     return "null";
                 if (h == a)
                     return "a";
                 if (h == b)
                     return "b";
                 return "other";
             };
             HGDIOBJ original = SelectObject(dc, a);
             out.line("select a -> %s", name(original));
             describe_bitmap(out, "original", original);
             HGDIOBJ original2 = SelectObject(other, b);
             out.line("select b into other -> %s, same default %s", name(original2),
                      original2 == original ? "yes" : "no");
             out.line("select a again -> %s", name(SelectObject(dc, a)));
             out.line("select b into dc while in other -> %s", name(SelectObject(dc, b)));
             out.line("select a into other while in dc -> %s", name(SelectObject(other, a)));
             out.line("select null -> %s", name(SelectObject(dc, nullptr)));
             out.line("select garbage -> %s",
                      name(SelectObject(
                          dc, reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x5a5a1234)))));
             out.line("select dc -> %s", name(SelectObject(dc, other)));
             out.line("select into null dc -> %s", name(SelectObject(nullptr, a)));
             out.line("select original back -> %s", name(SelectObject(dc, original)));
             out.line("now select b -> %s", name(SelectObject(other, original)));
             out.line("select b into dc -> %s", name(SelectObject(dc, b)));
             out.line("DeleteObject original while selected? -> %d", DeleteObject(original));
             describe_bitmap(out, "original after delete", original);
             HBITMAP c = CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
             HBITMAP deleted = CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
             DeleteObject(deleted);
             out.line("select deleted -> %s", name(SelectObject(dc, deleted)));
             out.line("DeleteObject a (unselected) -> %d", DeleteObject(a));
             out.line("DeleteObject a again -> %d", DeleteObject(a));
             out.line("select stale a -> %s", name(SelectObject(other, a)));
             out.line("DeleteObject b while selected -> %d", DeleteObject(b));
             describe_bitmap(out, "b after delete while selected", b);
             out.line("select c (replacing b) -> %s", name(SelectObject(dc, c)));
             describe_bitmap(out, "b after deselect", b);
             out.line("DeleteObject b now -> %d", DeleteObject(b));
             out.line("DeleteDC -> %d %d", DeleteDC(dc), DeleteDC(other));
             describe_bitmap(out, "c after its DC died", c);
             out.line("DeleteObject c -> %d", DeleteObject(c));
             out.line("DeleteDC stale -> %d", DeleteDC(dc));
             out.line("DeleteDC null -> %d", DeleteDC(nullptr));
             out.line("DeleteObject null -> %d", DeleteObject(nullptr));
             out.line("DeleteObject garbage -> %d",
                      DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x5a5a1234))));
         }});
    cases.push_back({"SelectObject.brushes", [](Out& out) {
                         HDC dc = CreateCompatibleDC(nullptr);
                         HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
                         HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
                         auto name = [&](HGDIOBJ h) -> const char* {
                             if (!h)
                                 return "null";
                             if (h == red)
                                 return "red";
                             if (h == blue)
                                 return "blue";
                             for (int i = 0; i <= 4; ++i)
                                 if (h == GetStockObject(i)) {
                                     static const char* names[] = {"WHITE", "LTGRAY", "GRAY",
                                                                   "DKGRAY", "BLACK"};
                                     return names[i];
                                 }
                             return "other";
                         };
                         out.line("select red -> %s", name(SelectObject(dc, red)));
                         out.line("select blue -> %s", name(SelectObject(dc, blue)));
                         out.line("DeleteObject blue while selected -> %d", DeleteObject(blue));
                         LOGBRUSH lb;
                         std::memset(&lb, 0, sizeof lb);
                         out.line("blue after delete: GetObjectA -> %s",
                                  size_text(GetObjectA(blue, sizeof lb, &lb)).c_str());
                         out.line("select stock gray -> %s",
                                  name(SelectObject(dc, GetStockObject(GRAY_BRUSH))));
                         out.line("blue after deselect: GetObjectA -> %s",
                                  size_text(GetObjectA(blue, sizeof lb, &lb)).c_str());
                         out.line("DeleteObject red -> %d", DeleteObject(red));
                         out.line("select stale red -> %s", name(SelectObject(dc, red)));
                         out.line("DeleteObject dc -> %d", DeleteObject(dc));
                         out.line("DeleteDC after DeleteObject -> %d", DeleteDC(dc));
                     }});
    cases.push_back({"StretchBltMode", [](Out& out) {
                         HDC dc = CreateCompatibleDC(nullptr);
                         out.line("new dc -> %d", GetStretchBltMode(dc));
                         for (int mode : {WHITEONBLACK, COLORONCOLOR, HALFTONE, BLACKONWHITE, 0, 5,
                                          -1, 0x10001, COLORONCOLOR}) {
                             int previous = SetStretchBltMode(dc, mode);
                             out.line("set %d -> %d now %d", mode, previous, GetStretchBltMode(dc));
                         }
                         out.line("null dc get -> %d set -> %d", GetStretchBltMode(nullptr),
                                  SetStretchBltMode(nullptr, COLORONCOLOR));
                         HBRUSH brush = CreateSolidBrush(0);
                         out.line("brush get -> %d set -> %d",
                                  GetStretchBltMode(reinterpret_cast<HDC>(brush)),
                                  SetStretchBltMode(reinterpret_cast<HDC>(brush), COLORONCOLOR));
                         DeleteObject(brush);
                         HDC other = CreateCompatibleDC(dc);
                         out.line("compatible dc -> %d", GetStretchBltMode(other));
                         DeleteDC(other);
                         DeleteDC(dc);
                         out.line("deleted dc get -> %d set -> %d", GetStretchBltMode(dc),
                                  SetStretchBltMode(dc, COLORONCOLOR));
                         out.line("GdiFlush -> %d", GdiFlush());
                     }});
    cases.push_back({"GetPixel", [](Out& out) {
                         MemoryDib s = make_memory_dib(3, 2, 0);
                         for (int i = 0; i < 6; ++i)
                             s.bits[i] = 0x11223344u * (i + 1);
                         for (int y = -1; y <= 2; ++y)
                             for (int x = -1; x <= 3; ++x)
                                 out.line("%d,%d -> %08lx", x, y,
                                          static_cast<unsigned long>(GetPixel(s.dc, x, y)));
                         out.line("INT_MIN -> %08lx",
                                  static_cast<unsigned long>(GetPixel(s.dc, INT_MIN, INT_MIN)));
                         out.line("null dc -> %08lx",
                                  static_cast<unsigned long>(GetPixel(nullptr, 0, 0)));
                         free_memory_dib(s);
                     }});
    cases.push_back(
        {"CreateBitmap", [](Out& out) {
             const uint32_t pixels[6] = {0x11111111u, 0x22222222u, 0x33333333u,
                                         0xff445566u, 0x00778899u, 0x80aabbccu};
             HBITMAP bmp = CreateBitmap(3, 2, 1, 32, pixels);
             HDC dc = CreateCompatibleDC(nullptr);
             out.line("create -> %s select -> %s", bmp ? "set" : "null",
                      SelectObject(dc, bmp) ? "set" : "null");
             for (int y = 0; y < 2; ++y)
                 for (int x = 0; x < 3; ++x)
                     out.line("  %d,%d -> %08lx", x, y,
                              static_cast<unsigned long>(GetPixel(dc, x, y)));
             MemoryDib s = make_memory_dib(3, 2, kBackground);
             out.line("BitBlt -> %d", BitBlt(s.dc, 0, 0, 3, 2, dc, 0, 0, SRCCOPY));
             dump(out, s);
             free_memory_dib(s);
             DeleteDC(dc);
             DeleteObject(bmp);
             HBITMAP empty = CreateBitmap(2, 2, 1, 32, nullptr);
             describe_bitmap(out, "no bits", empty);
             dc = CreateCompatibleDC(nullptr);
             SelectObject(dc, empty);
             out.line("  pixel -> %08lx", static_cast<unsigned long>(GetPixel(dc, 1, 1)));
             DeleteDC(dc);
             DeleteObject(empty);
             HBITMAP zero = CreateBitmap(0, 0, 1, 32, nullptr);
             out.line("0x0 -> %s", zero ? "set" : "null");
             if (zero)
                 describe_bitmap(out, "0x0", zero);
             HBITMAP negative = CreateBitmap(-1, 2, 1, 32, nullptr);
             out.line("-1x2 -> %s", negative ? "set" : "null");
             if (negative)
                 describe_bitmap(out, "-1x2", negative);
             DeleteObject(negative);
             dc = CreateCompatibleDC(nullptr);
             HBITMAP fresh = CreateBitmap(1, 1, 1, 32, nullptr);
             HGDIOBJ default_bitmap = SelectObject(dc, fresh);
             out.line("0x0 is the default bitmap: %s", zero == default_bitmap ? "yes" : "no");
             DeleteDC(dc);
             DeleteObject(fresh);
             out.line("3x0 -> %s",
                      CreateBitmap(3, 0, 1, 32, nullptr) == zero ? "default" : "other");
             HBITMAP planes = CreateBitmap(2, 2, 2, 32, nullptr);
             out.line("2 planes -> %s", planes ? "set" : "null");
             if (planes)
                 describe_bitmap(out, "2 planes", planes);
             DeleteObject(planes);
         }});
    cases.push_back(
        {"CreateDIBSection", [](Out& out) {
             BITMAPINFO info = dib_info(2, 2);
             void* bits = nullptr;
             HBITMAP up = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
             uint32_t* p = static_cast<uint32_t*>(bits);
             p[0] = 0x00000001u;
             p[1] = 0x00000002u;
             p[2] = 0x00000003u;
             p[3] = 0x00000004u;
             HDC dc = CreateCompatibleDC(nullptr);
             SelectObject(dc, up);
             out.line("bottom-up: %08lx %08lx / %08lx %08lx",
                      static_cast<unsigned long>(GetPixel(dc, 0, 0)),
                      static_cast<unsigned long>(GetPixel(dc, 1, 0)),
                      static_cast<unsigned long>(GetPixel(dc, 0, 1)),
                      static_cast<unsigned long>(GetPixel(dc, 1, 1)));
             RECT rect = {0, 0, 1, 1};
             HBRUSH brush = CreateSolidBrush(RGB(0xaa, 0xbb, 0xcc));
             FillRect(dc, &rect, brush);
             GdiFlush();
             out.line("after fill top-left: %08x %08x %08x %08x", p[0], p[1], p[2], p[3]);
             MemoryDib s = make_memory_dib(2, 2, kBackground);
             out.line("BitBlt to top-down -> %d", BitBlt(s.dc, 0, 0, 2, 2, dc, 0, 0, SRCCOPY));
             dump(out, s);
             out.line("StretchBlt to top-down -> %d",
                      StretchBlt(s.dc, 0, 0, 2, 2, dc, 0, 0, 1, 2, SRCCOPY));
             dump(out, s);
             free_memory_dib(s);
             DeleteObject(brush);
             DeleteDC(dc);
             DeleteObject(up);
             for (auto [w, h, bpp] :
                  {std::tuple{0, 2, 32}, std::tuple{2, 0, 32}, std::tuple{-2, 2, 32}}) {
                 BITMAPINFO bad = dib_info(w, h);
                 bad.bmiHeader.biBitCount = static_cast<WORD>(bpp);
                 void* bad_bits = reinterpret_cast<void*>(1);
                 HBITMAP r = CreateDIBSection(nullptr, &bad, DIB_RGB_COLORS, &bad_bits, nullptr, 0);
                 out.line("%dx%d %dbpp -> %s bits %s", w, h, bpp, r ? "set" : "null",
                          bad_bits ? "set" : "null");
                 if (r)
                     DeleteObject(r);
             }
             out.line("null info -> %s",
                      CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0)
                          ? "set"
                          : "null");
         }});
    return cases;
}

// Source patterns: "id" makes every pixel distinct; "and"/"or" give each column and row its own
// bit so that the combination of source pixels behind each destination pixel can be read off.
inline uint32_t pattern_pixel(int pattern, int x, int y, int width, int height)
{
    if (pattern == 0)
        return 0x80000000u | static_cast<uint32_t>(y + 1) << 16 |
               static_cast<uint32_t>(x + 1) << 8 | 0x5au;
    uint32_t bits;
    if (height == 1)
        bits = 1u << x;
    else if (width == 1)
        bits = 1u << y;
    else
        bits = (1u << x) | (0x10000u << y);
    return pattern == 1 ? ~bits : bits;
}

struct StretchGeometry {
    const char* name;
    int src_w, src_h;   // source bitmap
    int sx, sy, sw, sh; // source rectangle
    int dst_w, dst_h;   // destination surface
    int dx, dy, dw, dh; // destination rectangle
};

inline std::vector<StretchGeometry> stretch_geometries()
{
    return {
        {"h16to25", 16, 1, 0, 0, 16, 1, 25, 1, 0, 0, 25, 1},
        {"h25to16", 25, 1, 0, 0, 25, 1, 16, 1, 0, 0, 16, 1},
        {"h3to7", 3, 1, 0, 0, 3, 1, 7, 1, 0, 0, 7, 1},
        {"h7to3", 7, 1, 0, 0, 7, 1, 3, 1, 0, 0, 3, 1},
        {"h1to5", 1, 1, 0, 0, 1, 1, 5, 1, 0, 0, 5, 1},
        {"h5to1", 5, 1, 0, 0, 5, 1, 1, 1, 0, 0, 1, 1},
        {"h4to4", 4, 1, 0, 0, 4, 1, 4, 1, 0, 0, 4, 1},
        {"h10to3", 10, 1, 0, 0, 10, 1, 3, 1, 0, 0, 3, 1},
        {"h3to10", 3, 1, 0, 0, 3, 1, 10, 1, 0, 0, 10, 1},
        {"h8to2", 8, 1, 0, 0, 8, 1, 2, 1, 0, 0, 2, 1},
        {"h2to8", 2, 1, 0, 0, 2, 1, 8, 1, 0, 0, 8, 1},
        {"h24to7", 24, 1, 0, 0, 24, 1, 7, 1, 0, 0, 7, 1},
        {"h7to24", 7, 1, 0, 0, 7, 1, 24, 1, 0, 0, 24, 1},
        {"h9to8", 9, 1, 0, 0, 9, 1, 8, 1, 0, 0, 8, 1},
        {"h8to9", 8, 1, 0, 0, 8, 1, 9, 1, 0, 0, 9, 1},
        {"h31to30", 31, 1, 0, 0, 31, 1, 30, 1, 0, 0, 30, 1},
        {"h5to2", 5, 1, 0, 0, 5, 1, 2, 1, 0, 0, 2, 1},
        {"h2to5", 2, 1, 0, 0, 2, 1, 5, 1, 0, 0, 5, 1},
        {"h11to4", 11, 1, 0, 0, 11, 1, 4, 1, 0, 0, 4, 1},
        {"h2to1", 2, 1, 0, 0, 2, 1, 1, 1, 0, 0, 1, 1},
        {"h3to1", 3, 1, 0, 0, 3, 1, 1, 1, 0, 0, 1, 1},
        {"h4to1", 4, 1, 0, 0, 4, 1, 1, 1, 0, 0, 1, 1},
        {"h6to1", 6, 1, 0, 0, 6, 1, 1, 1, 0, 0, 1, 1},
        {"h9to1", 9, 1, 0, 0, 9, 1, 1, 1, 0, 0, 1, 1},
        {"h30to1", 30, 1, 0, 0, 30, 1, 1, 1, 0, 0, 1, 1},
        {"h12to2", 12, 1, 0, 0, 12, 1, 2, 1, 0, 0, 2, 1},
        {"h13to2", 13, 1, 0, 0, 13, 1, 2, 1, 0, 0, 2, 1},
        {"h20to3", 20, 1, 0, 0, 20, 1, 3, 1, 0, 0, 3, 1},
        {"h17to4", 17, 1, 0, 0, 17, 1, 4, 1, 0, 0, 4, 1},
        {"h29to5", 29, 1, 0, 0, 29, 1, 5, 1, 0, 0, 5, 1},
        {"h6to5", 6, 1, 0, 0, 6, 1, 5, 1, 0, 0, 5, 1},
        {"v16to25", 1, 16, 0, 0, 1, 16, 1, 25, 0, 0, 1, 25},
        {"v25to16", 1, 25, 0, 0, 1, 25, 1, 16, 0, 0, 1, 16},
        {"v3to7", 1, 3, 0, 0, 1, 3, 1, 7, 0, 0, 1, 7},
        {"v7to3", 1, 7, 0, 0, 1, 7, 1, 3, 0, 0, 1, 3},
        {"v11to4", 1, 11, 0, 0, 1, 11, 1, 4, 0, 0, 1, 4},
        {"sub_src_offset", 7, 1, 1, 0, 3, 1, 9, 1, 2, 0, 5, 1},
        {"sub_src_shrink", 12, 1, 2, 0, 9, 1, 6, 1, 1, 0, 4, 1},
        {"mirror_dest_x", 5, 1, 0, 0, 5, 1, 8, 1, 7, 0, -7, 1},
        {"mirror_dest_x_shrink", 9, 1, 0, 0, 9, 1, 6, 1, 5, 0, -4, 1},
        {"mirror_src_x", 5, 1, 5, 0, -5, 1, 8, 1, 0, 0, 7, 1},
        {"mirror_src_x_shrink", 9, 1, 9, 0, -9, 1, 6, 1, 0, 0, 4, 1},
        {"mirror_both_x", 5, 1, 5, 0, -5, 1, 8, 1, 7, 0, -7, 1},
        {"mirror_same_size", 5, 1, 0, 0, 5, 1, 5, 1, 5, 0, -5, 1},
        {"mirror_src_same_size", 5, 1, 5, 0, -5, 1, 5, 1, 0, 0, 5, 1},
        {"mirror_dest_y", 1, 5, 0, 0, 1, 5, 1, 8, 0, 7, 1, -7},
        {"mirror_src_y_shrink", 1, 9, 0, 9, 1, -9, 1, 6, 0, 0, 1, 4},
        {"src_past_left", 5, 1, -2, 0, 8, 1, 12, 1, 0, 0, 12, 1},
        {"src_past_right", 5, 1, 2, 0, 6, 1, 12, 1, 0, 0, 12, 1},
        {"src_past_both_shrink", 5, 1, -3, 0, 12, 1, 6, 1, 0, 0, 6, 1},
        {"src_wholly_outside", 5, 1, 6, 0, 3, 1, 6, 1, 0, 0, 6, 1},
        {"src_past_bottom_2d", 4, 4, 0, 1, 4, 5, 6, 6, 0, 0, 6, 6},
        {"dst_past_left", 5, 1, 0, 0, 5, 1, 8, 1, -3, 0, 12, 1},
        {"dst_past_right", 5, 1, 0, 0, 5, 1, 8, 1, 2, 0, 12, 1},
        {"dst_past_left_shrink", 12, 1, 0, 0, 12, 1, 6, 1, -2, 0, 5, 1},
        {"dst_wholly_outside", 5, 1, 0, 0, 5, 1, 6, 1, 6, 0, 3, 1},
        {"dst_past_top_2d", 4, 4, 0, 0, 4, 4, 6, 6, 1, -2, 5, 7},
        {"dst_huge", 4, 1, 0, 0, 4, 1, 8, 1, -1000000, 0, 2000000, 1},
        {"dst_overflowing", 4, 1, 0, 0, 4, 1, 8, 1, INT_MAX - 2, 0, 10, 1},
        {"dst_min", 4, 1, 0, 0, 4, 1, 8, 1, INT_MIN, 0, 6, 1},
        {"zero_dest", 4, 1, 0, 0, 4, 1, 4, 1, 0, 0, 0, 1},
        {"zero_src", 4, 1, 0, 0, 0, 1, 4, 1, 0, 0, 4, 1},
        {"sq5x4to3x7", 5, 4, 0, 0, 5, 4, 3, 7, 0, 0, 3, 7},
        {"sq3x7to5x4", 3, 7, 0, 0, 3, 7, 5, 4, 0, 0, 5, 4},
        {"sq6x6to4x4", 6, 6, 0, 0, 6, 6, 4, 4, 0, 0, 4, 4},
        {"sq4x4to6x6", 4, 4, 0, 0, 4, 4, 6, 6, 0, 0, 6, 6},
        {"sq16x16to5x5", 16, 16, 0, 0, 16, 16, 5, 5, 0, 0, 5, 5},
        {"sq2x2to7x5_mirror", 2, 2, 2, 0, -2, 2, 7, 5, 0, 5, 7, -5},
    };
}

inline std::vector<ProbeCase> stretch_cases()
{
    std::vector<ProbeCase> cases;
    static const char* mode_names[] = {"", "BLACKONWHITE", "WHITEONBLACK", "COLORONCOLOR",
                                       "HALFTONE"};
    static const char* pattern_names[] = {"id", "and", "or"};
    for (const StretchGeometry& g : stretch_geometries()) {
        for (int mode = BLACKONWHITE; mode <= HALFTONE; ++mode) {
            for (int pattern = 0; pattern < 3; ++pattern) {
                // The and/or patterns only say something in the mode that combines that way.
                if ((pattern == 1 && mode != BLACKONWHITE) ||
                    (pattern == 2 && mode != WHITEONBLACK))
                    continue;
                std::string name = std::string("StretchBlt.") + g.name + "." + mode_names[mode] +
                                   "." + pattern_names[pattern];
                cases.push_back({name, [g, mode, pattern](Out& out) {
                                     MemoryDib src = make_memory_dib(g.src_w, g.src_h, 0);
                                     for (int y = 0; y < g.src_h; ++y)
                                         for (int x = 0; x < g.src_w; ++x)
                                             src.bits[y * g.src_w + x] =
                                                 pattern_pixel(pattern, x, y, g.src_w, g.src_h);
                                     MemoryDib dst = make_memory_dib(g.dst_w, g.dst_h, 0xeeeeeeeeu);
                                     int previous = SetStretchBltMode(dst.dc, mode);
                                     BOOL r = StretchBlt(dst.dc, g.dx, g.dy, g.dw, g.dh, src.dc,
                                                         g.sx, g.sy, g.sw, g.sh, SRCCOPY);
                                     out.line(
                                         "StretchBlt mode %d (was %d) dst %d,%d %dx%d src %d,%d "
                                         "%dx%d -> %d",
                                         mode, previous, g.dx, g.dy, g.dw, g.dh, g.sx, g.sy, g.sw,
                                         g.sh, r);
                                     dump(out, dst);
                                     free_memory_dib(dst);
                                     free_memory_dib(src);
                                 }});
            }
        }
    }
    // The mode that matters is the destination's; the source DC's is ignored.
    cases.push_back({"StretchBlt.source_mode_ignored", [](Out& out) {
                         MemoryDib src = make_memory_dib(6, 1, 0);
                         for (int x = 0; x < 6; ++x)
                             src.bits[x] = ~(1u << x);
                         SetStretchBltMode(src.dc, COLORONCOLOR);
                         MemoryDib dst = make_memory_dib(2, 1, 0xeeeeeeeeu);
                         out.line("-> %d",
                                  StretchBlt(dst.dc, 0, 0, 2, 1, src.dc, 0, 0, 6, 1, SRCCOPY));
                         dump(out, dst);
                         free_memory_dib(dst);
                         free_memory_dib(src);
                     }});
    cases.push_back(
        {"StretchBlt.bad_handles", [](Out& out) {
             MemoryDib src = make_memory_dib(2, 2, 0x01020304u);
             MemoryDib dst = make_memory_dib(3, 3, 0xeeeeeeeeu);
             out.line("null src -> %d",
                      StretchBlt(dst.dc, 0, 0, 3, 3, nullptr, 0, 0, 2, 2, SRCCOPY));
             out.line("null dst -> %d",
                      StretchBlt(nullptr, 0, 0, 3, 3, src.dc, 0, 0, 2, 2, SRCCOPY));
             HDC gone = CreateCompatibleDC(nullptr);
             DeleteDC(gone);
             out.line("deleted src -> %d",
                      StretchBlt(dst.dc, 0, 0, 3, 3, gone, 0, 0, 2, 2, SRCCOPY));
             out.line("bitmap as src -> %d",
                      StretchBlt(dst.dc, 0, 0, 3, 3, reinterpret_cast<HDC>(src.bitmap), 0, 0, 2, 2,
                                 SRCCOPY));
             out.line("BitBlt null src -> %d", BitBlt(dst.dc, 0, 0, 3, 3, nullptr, 0, 0, SRCCOPY));
             out.line("BitBlt deleted dst -> %d", BitBlt(gone, 0, 0, 3, 3, src.dc, 0, 0, SRCCOPY));
             dump(out, dst);
             free_memory_dib(dst);
             free_memory_dib(src);
         }});
    return cases;
}

struct BltGeometry {
    const char* name;
    int dx, dy, w, h, sx, sy;
};

inline std::vector<ProbeCase> bitblt_cases()
{
    std::vector<ProbeCase> cases;
    const BltGeometry geometries[] = {
        {"inside", 1, 1, 3, 2, 1, 0},
        {"dst_past_top_left", -2, -1, 4, 4, 0, 0},
        {"dst_past_bottom_right", 3, 4, 4, 4, 0, 0},
        {"src_past_top_left", 0, 0, 4, 4, -2, -1},
        {"src_past_bottom_right", 0, 0, 5, 5, 2, 3},
        {"src_wholly_outside", 0, 0, 3, 3, 6, 0},
        {"negative_extent", 4, 4, -3, -2, 0, 0},
        {"zero", 0, 0, 0, 3, 0, 0},
        {"huge", INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
        {"overflowing", INT_MAX - 1, 0, 10, 2, 0, 0},
        {"src_overflowing", 0, 0, 3, 3, INT_MAX - 1, INT_MAX - 1},
        {"src_min", 0, 0, 3, 3, INT_MIN, 0},
    };
    for (const BltGeometry& g : geometries) {
        cases.push_back({std::string("BitBlt.") + g.name, [g](Out& out) {
                             MemoryDib src = make_memory_dib(5, 5, 0);
                             for (int i = 0; i < 25; ++i)
                                 src.bits[i] = pattern_pixel(0, i % 5, i / 5, 5, 5);
                             MemoryDib dst = make_memory_dib(6, 6, 0xeeeeeeeeu);
                             BOOL r =
                                 BitBlt(dst.dc, g.dx, g.dy, g.w, g.h, src.dc, g.sx, g.sy, SRCCOPY);
                             out.line("BitBlt dst %d,%d %dx%d src %d,%d -> %d", g.dx, g.dy, g.w,
                                      g.h, g.sx, g.sy, r);
                             dump(out, dst);
                             free_memory_dib(dst);
                             free_memory_dib(src);
                         }});
    }
    cases.push_back({"BitBlt.overlap", [](Out& out) {
                         MemoryDib s = make_memory_dib(6, 6, 0);
                         for (int i = 0; i < 36; ++i)
                             s.bits[i] = pattern_pixel(0, i % 6, i / 6, 6, 6);
                         out.line("down-right -> %d",
                                  BitBlt(s.dc, 1, 1, 4, 4, s.dc, 0, 0, SRCCOPY));
                         dump(out, s);
                         out.line("up-left -> %d", BitBlt(s.dc, 0, 0, 5, 5, s.dc, 1, 1, SRCCOPY));
                         dump(out, s);
                         free_memory_dib(s);
                     }});
    return cases;
}

inline std::vector<ProbeCase> all_cases()
{
    std::vector<ProbeCase> cases;
    for (auto* part : {rect_op_cases, rect_helper_cases, object_cases, dc_cases, stretch_cases,
                       bitblt_cases, sweep_cases, halftone_clip_cases, focus_rect_cases}) {
        std::vector<ProbeCase> more = part();
        cases.insert(cases.end(), more.begin(), more.end());
    }
    return cases;
}

} // namespace gdiprobe

#endif // TESTS_GDI_PROBE_PROBE_CASES_H
