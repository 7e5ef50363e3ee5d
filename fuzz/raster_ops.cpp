// Raster calls on the portable GDI layer decoded from the input: FillRect, FrameRect, StretchBlt in
// every mode and BitBlt among three DIB sections that the input selects into two DCs, swaps,
// deletes (selected or not) and replaces in any order, with stale handles thrown in. After every
// call the guard words around every bitmap must be intact, and every bitmap must hold what a plain
// per-pixel reference says: the reference is computed where it applies (see Compared below) and
// otherwise taken over from the bitmaps as they now are.
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_input.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/gdi_recorder.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include <vector>

namespace {

constexpr int kBitmaps = 3;
constexpr int kDcs = 2;
constexpr int kMaxSteps = 300;
constexpr int64_t kReferenceLimit = 1 << 20; // see Compared

// The cases the reference covers. The rest still run, for crashes and writes outside a bitmap,
// but their pixels are not predicted: mirrored (negative) destinations, destinations of one pixel
// on an axis, HALFTONE (which GDI maps after clipping), and coordinates so large that the reference's
// 64-bit products could overflow. Widen here when the layer covers more.
bool Compared(int64_t x, int64_t y, int64_t w, int64_t h, int64_t sx, int64_t sy, int64_t sw,
              int64_t sh, int mode)
{
    const bool unstretched = w == sw && h == sh;
    if (w < 2 || h < 2 || sw == 0 || sh == 0)
        return false;
    for (int64_t v : {x, y, w, h, sx, sy, sw, sh})
        if (v < -kReferenceLimit || v > kReferenceLimit)
            return false;
    return unstretched || mode == BLACKONWHITE || mode == WHITEONBLACK || mode == COLORONCOLOR;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// The source pixels behind destination pixel j (counted from the first) on one axis of D
// destination and S source pixels, both positive: [first, last] relative to the source's first.
void SourceRun(int64_t j, int64_t d, int64_t s, int64_t& first, int64_t& last)
{
    if (d >= s) { // nearest pixel centre, ties to the lower pixel
        first = last = FloorDiv((2 * j + 1) * s - 1, 2 * d);
        return;
    }
    // Shrinking: destination pixel k stands for the run ending at e(k), starting after e(k - 1).
    auto e = [&](int64_t k) { return FloorDiv((2 * k + 2) * s - d, 2 * d); };
    first = e(j - 1) + 1;
    last = e(j);
}

// One axis of a stretch as the rule reads it: |w| destination pixels from x and |sw| source pixels
// from sx, each walking right (down), or left (up) for a negative extent. A mirrored source that
// reaches past its bitmap (`limit` pixels) moves along the destination: destination index j shows
// what index j + shift would, where L and R are the source pixels cut at the left and right of
// (sx + sw, sx], shift = floor(R * D / S) - ceil(L * D / S), and the first term is 0 when L is 0
// and R is 1 (only positive destinations are compared).
struct Axis {
    int64_t x, w, sx, sw, limit;

    int64_t Shift() const
    {
        if (sw > 0 || w < 0)
            return 0;
        const int64_t d = w, s = -sw;
        const int64_t l = std::clamp<int64_t>(-(sx + sw + 1), 0, s);
        const int64_t r = std::clamp<int64_t>(sx + 1 - limit, 0, s);
        if (l + r >= s)
            return 0;
        return (l > 0 || r > 1 ? r * d / s : 0) - (l * d + s - 1) / s;
    }

    int64_t Pixel(int64_t j) const { return w < 0 ? x - j : x + j; }
    // The destination indices [lo, hi) whose pixels lie in [0, size).
    void DestRange(int64_t size, int64_t& lo, int64_t& hi) const
    {
        const int64_t d = w < 0 ? -w : w;
        lo = std::max<int64_t>(0, w < 0 ? x - size + 1 : -x);
        hi = std::min<int64_t>(d, w < 0 ? x + 1 : size - x);
    }
    // The source pixels behind destination index j that lie in [0, size): the first and the last
    // in the run's order, as absolute positions. False when there are none.
    bool SourcePixels(int64_t j, int64_t size, int64_t& first, int64_t& last) const
    {
        const int64_t d = w < 0 ? -w : w;
        j += Shift();
        if (j < 0 || j >= d)
            return false;
        int64_t f = 0, l = 0;
        SourceRun(j, d, sw < 0 ? -sw : sw, f, l);
        // Indices i whose pixel sx + i (or sx - i) is inside.
        const int64_t lo = sw < 0 ? sx - size + 1 : -sx, hi = sw < 0 ? sx : size - 1 - sx;
        f = std::max(f, lo);
        l = std::min(l, hi);
        if (f > l)
            return false;
        first = sw < 0 ? sx - f : sx + f;
        last = sw < 0 ? sx - l : sx + l;
        return true;
    }
};

int32_t WrapAdd(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

struct Bitmap {
    HBITMAP handle = nullptr;
    uint32_t* bits = nullptr;
    int width = 0, height = 0;
    bool bottomUp = false;
    bool deleted = false; // DeleteObject said yes; the pixels live on while a DC holds them
    int dc = -1;          // the DC that holds it
    std::vector<uint32_t> expected;

    bool Live() const { return handle && (!deleted || dc >= 0); }
    uint32_t& At(int x, int y) const
    {
        return bits[static_cast<size_t>(bottomUp ? height - 1 - y : y) * width + x];
    }
    uint32_t& Expected(int x, int y) { return expected[static_cast<size_t>(y) * width + x]; }
};

struct Dc {
    HDC handle = nullptr;
    int bitmap = -1; // -1: the default one-pixel bitmap
};

class Run {
public:
    explicit Run(FuzzInput& in) : in_(in) {}

    std::string Go()
    {
        for (int i = 0; i < kBitmaps; ++i)
            MakeBitmap(i);
        std::string failure;
        for (int i = 0; i < kDcs && failure.empty(); ++i) {
            dcs_[i].handle = CreateCompatibleDC(nullptr);
            failure = Select(i, i);
        }
        for (COLORREF& c : colours_)
            c = RGB(in_.Byte(), in_.Byte(), in_.Byte());
        for (int i = 0; i < 2; ++i)
            brushes_[i] = CreateSolidBrush(colours_[i]);
        deadBrush_ = CreateSolidBrush(RGB(9, 9, 9));
        DeleteObject(deadBrush_);
        for (step_ = 0; step_ < kMaxSteps && !in_.AtEnd() && failure.empty(); ++step_) {
            compared_ = false;
            failure = Step();
            if (failure.empty() && !gdi::GuardsIntact())
                failure = Fail("wrote outside a bitmap");
            if (failure.empty())
                failure = compared_ ? CompareAll() : "";
            if (!compared_)
                TakeOverAll();
        }
        const std::string cleanup = CleanUp();
        return failure.empty() ? cleanup : failure;
    }

private:
    std::string Fail(const std::string& what) const
    {
        std::ostringstream out;
        out << "step " << step_ << " (" << call_ << "): " << what;
        return out.str();
    }

    void MakeBitmap(int i)
    {
        Bitmap& b = bitmaps_[i];
        b = Bitmap{};
        b.width = in_.Range(1, 20);
        b.height = in_.Range(1, 20);
        b.bottomUp = in_.Chance(50);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = b.width;
        info.bmiHeader.biHeight = b.bottomUp ? b.height : -b.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        b.handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        b.bits = static_cast<uint32_t*>(bits);
        if (!b.handle)
            return;
        // Distinct values with every byte in use, so AND, OR and a wrong pick all show.
        const uint32_t seed = in_.U32();
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                b.At(x, y) =
                    (seed ^ static_cast<uint32_t>(y * 131 + x * 7 + i * 1000)) * 2654435761u;
        TakeOver(b);
    }

    void TakeOver(Bitmap& b)
    {
        b.expected.assign(static_cast<size_t>(b.width) * b.height, 0);
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                b.Expected(x, y) = b.At(x, y);
    }
    void TakeOverAll()
    {
        for (Bitmap& b : bitmaps_)
            if (b.Live())
                TakeOver(b);
    }

    std::string CompareAll()
    {
        for (int i = 0; i < kBitmaps; ++i) {
            Bitmap& b = bitmaps_[i];
            if (!b.Live())
                continue;
            for (int y = 0; y < b.height; ++y)
                for (int x = 0; x < b.width; ++x)
                    if (b.At(x, y) != b.Expected(x, y)) {
                        std::ostringstream out;
                        out << "bitmap " << i << " (" << b.width << "x" << b.height << ") pixel "
                            << x << "," << y << " is " << std::hex << b.At(x, y)
                            << ", the reference says " << b.Expected(x, y);
                        return Fail(out.str());
                    }
        }
        return {};
    }

    // The DC's bitmap when the reference can paint on it, else null.
    Bitmap* Target(int dc)
    {
        return dcs_[dc].handle && dcs_[dc].bitmap >= 0 ? &bitmaps_[dcs_[dc].bitmap] : nullptr;
    }

    // Any handle the calls may see, null and stale ones included; `index` says which of ours it
    // is (-1: none of ours).
    HDC AnyDc(int& index)
    {
        const int k = in_.Range(0, 9);
        index = k < 8 ? k % kDcs : -1;
        if (index >= 0)
            return dcs_[index].handle;
        if (k == 8 || staleDcs_.empty())
            return nullptr;
        return staleDcs_[in_.Range(0, (int)staleDcs_.size() - 1)];
    }

    int32_t Coordinate()
    {
        static const int32_t extremes[] = {INT_MIN, INT_MIN + 1, -1000000, INT_MAX - 1, INT_MAX};
        switch (in_.Range(0, 9)) {
        case 0:
            return in_.Pick(extremes);
        case 1:
            return in_.I32();
        default:
            return in_.Range(-6, 26);
        }
    }
    int32_t Extent()
    {
        switch (in_.Range(0, 9)) {
        case 0:
            return Coordinate();
        case 1:
        case 2:
            return in_.Range(-25, 1);
        default:
            return in_.Range(2, 30);
        }
    }

    // Fills [x0, x1) x [y0, y1) of the reference, clipped.
    static void Paint(Bitmap& b, int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t pixel)
    {
        for (int64_t y = std::max<int64_t>(y0, 0); y < std::min<int64_t>(y1, b.height); ++y)
            for (int64_t x = std::max<int64_t>(x0, 0); x < std::min<int64_t>(x1, b.width); ++x)
                b.Expected(static_cast<int>(x), static_cast<int>(y)) = pixel;
    }
    // PatBlt's rule: an inverted side is swapped and moves one right (down), in 32-bit arithmetic.
    static void PatPaint(Bitmap& b, int32_t l, int32_t t, int32_t r, int32_t bottom, uint32_t pixel)
    {
        const int64_t x0 = l > r ? WrapAdd(r, 1) : l, x1 = l > r ? WrapAdd(l, 1) : r;
        const int64_t y0 = t > bottom ? WrapAdd(bottom, 1) : t,
                      y1 = t > bottom ? WrapAdd(t, 1) : bottom;
        Paint(b, x0, y0, x1, y1, pixel);
    }

    // The brush and its pixel; known is false for brushes whose colour the reference does not
    // model (none, deleted, not a brush).
    HBRUSH AnyBrush(uint32_t& pixel, bool& known)
    {
        known = true;
        switch (in_.Range(0, 7)) {
        case 0:
        case 1: {
            const int i = in_.Range(0, 1);
            const COLORREF c = colours_[i];
            pixel = static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c);
            return brushes_[i];
        }
        case 2:
            pixel = 0xffffff;
            return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        case 3:
            pixel = 0;
            return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        case 4:
            pixel = 0x808080;
            return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        default:
            known = false;
            // Not a bitmap: FillRect selects what it is given, as GDI does, and a bitmap would change
            // the DC's selection behind the reference's back.
            return in_.Pick<HBRUSH, 3>(
                {nullptr, deadBrush_, reinterpret_cast<HBRUSH>(dcs_[0].handle)});
        }
    }

    std::string Step()
    {
        switch (in_.Range(0, 11)) {
        case 0:
        case 1:
            return Rect(false);
        case 2:
            return Rect(true);
        case 3:
        case 4:
        case 5:
            return Stretch(false);
        case 6:
            return Stretch(true);
        case 7:
            return SelectStep();
        case 8:
            return DeleteBitmapStep();
        case 9:
            return ReplaceDcStep();
        case 10: { // a new bitmap where one was deleted
            call_ = "CreateDIBSection";
            const int i = in_.Range(0, kBitmaps - 1);
            if (bitmaps_[i].handle) // live, or deleted but still held by a DC
                return {};
            MakeBitmap(i);
            return {};
        }
        default: {
            call_ = "SetStretchBltMode";
            int d = 0;
            HDC dc = AnyDc(d);
            SetStretchBltMode(dc, in_.Range(-1, 6));
            compared_ = true; // no pixel may change
            return {};
        }
        }
    }

    std::string Rect(bool frame)
    {
        call_ = frame ? "FrameRect" : "FillRect";
        int d = -1;
        HDC dc = AnyDc(d);
        uint32_t pixel = 0;
        bool known = false;
        HBRUSH brush = AnyBrush(pixel, known);
        const RECT r = {Coordinate(), Coordinate(), Coordinate(), Coordinate()};
        const int result = frame ? FrameRect(dc, &r, brush) : FillRect(dc, &r, brush);
        Bitmap* b = d >= 0 ? Target(d) : nullptr;
        if (!b || !known)
            return {};
        compared_ = true;
        if (!frame) {
            PatPaint(*b, r.left, r.top, r.right, r.bottom, pixel);
            return result == 1 ? "" : Fail("FillRect answered " + std::to_string(result));
        }
        const bool drawn = r.right > r.left && r.bottom > r.top;
        if (drawn) {
            PatPaint(*b, r.left, r.top, r.right, r.top + 1, pixel);
            PatPaint(*b, r.left, r.bottom - 1, r.right, r.bottom, pixel);
            PatPaint(*b, r.left, r.top, r.left + 1, r.bottom, pixel);
            PatPaint(*b, r.right - 1, r.top, r.right, r.bottom, pixel);
        }
        return result == (drawn ? 1 : 0) ? ""
                                         : Fail("FrameRect answered " + std::to_string(result));
    }

    std::string Stretch(bool bitBlt)
    {
        call_ = bitBlt ? "BitBlt" : "StretchBlt";
        int d = -1, s = -1;
        HDC dest = AnyDc(d);
        HDC source = AnyDc(s);
        if (in_.Chance(20)) {
            source = dest;
            s = d;
        }
        if (d >= 0 && in_.Chance(50))
            SetStretchBltMode(dest, in_.Range(BLACKONWHITE, HALFTONE));
        const int32_t x = Coordinate(), y = Coordinate(), w = Extent(), h = Extent();
        const int32_t sx = Coordinate(), sy = Coordinate();
        const int32_t sw = bitBlt ? w : Extent(), sh = bitBlt ? h : Extent();
        const DWORD rop = in_.Chance(95) ? SRCCOPY : in_.U32();
        const BOOL result = bitBlt ? BitBlt(dest, x, y, w, h, source, sx, sy, rop)
                                   : StretchBlt(dest, x, y, w, h, source, sx, sy, sw, sh, rop);
        Bitmap* to = d >= 0 ? Target(d) : nullptr;
        Bitmap* from = s >= 0 ? Target(s) : nullptr;
        const int mode = d >= 0 ? GetStretchBltMode(dest) : 0;
        if (!to || !from || rop != SRCCOPY || !Compared(x, y, w, h, sx, sy, sw, sh, mode))
            return {};
        compared_ = true;
        const int effective = (w == sw && h == sh) ? COLORONCOLOR : mode;
        const std::vector<uint32_t> snapshot = from->expected; // the source as it was
        const Axis ax{x, w, sx, sw, from->width}, ay{y, h, sy, sh, from->height};
        int64_t j0 = 0, j1 = 0, k0 = 0, k1 = 0;
        ax.DestRange(to->width, j0, j1);
        ay.DestRange(to->height, k0, k1);
        bool drawn = false;
        for (int64_t j = j0; j < j1; ++j) {
            int64_t c0 = 0, c1 = 0; // in run order: first and last pixel inside the source
            if (!ax.SourcePixels(j, from->width, c0, c1))
                continue;
            for (int64_t k = k0; k < k1; ++k) {
                int64_t r0 = 0, r1 = 0;
                if (!ay.SourcePixels(k, from->height, r0, r1))
                    continue;
                auto at = [&](int64_t px, int64_t py) {
                    return snapshot[static_cast<size_t>(py) * from->width + px];
                };
                uint32_t v = effective == BLACKONWHITE ? 0xffffffffu : 0;
                for (int64_t py = std::min(r0, r1); py <= std::max(r0, r1); ++py)
                    for (int64_t px = std::min(c0, c1); px <= std::max(c0, c1); ++px)
                        v = effective == BLACKONWHITE ? v & at(px, py) : v | at(px, py);
                if (effective == COLORONCOLOR) // the run's last column, first row
                    v = at(c1, r0);
                to->Expected(static_cast<int>(ax.Pixel(j)), static_cast<int>(ay.Pixel(k))) = v;
                drawn = true;
            }
        }
        // A stretch that draws nothing may fail, as gdi32's does; the GDI replay pins when.
        return result || !drawn ? "" : Fail("answered FALSE");
    }

    // SelectObject answers with the bitmap it replaced, or null when the bitmap is deleted or held
    // by another DC (real GDI's answers, as recorded).
    std::string Select(int d, int b)
    {
        Dc& dc = dcs_[d];
        Bitmap& bm = bitmaps_[b];
        HGDIOBJ previous = SelectObject(dc.handle, bm.handle);
        // The recorded answers do not say whether a DC may select again the bitmap it holds once
        // that was deleted; either answer leaves the DC as it was.
        if (bm.deleted && bm.dc == d)
            return {};
        const bool refused = !bm.handle || bm.deleted || (bm.dc >= 0 && bm.dc != d);
        if (refused && previous)
            return Fail(std::string("selected bitmap ") + std::to_string(b) + " into DC " +
                        std::to_string(d) +
                        (bm.deleted ? ", deleted before"
                                    : ", which DC " + std::to_string(bm.dc) + " holds"));
        if (refused)
            return {};
        if (!previous)
            return Fail("refused a free bitmap");
        if (dc.bitmap >= 0 && previous != bitmaps_[dc.bitmap].handle)
            return Fail("answered another bitmap than the one it replaced");
        Release(d);
        dc.bitmap = b;
        bm.dc = d;
        return {};
    }
    // The DC lets go of its bitmap; a bitmap deleted while selected is gone from now on.
    void Release(int d)
    {
        if (dcs_[d].bitmap < 0)
            return;
        Bitmap& old = bitmaps_[dcs_[d].bitmap];
        old.dc = -1;
        if (old.deleted)
            old = Bitmap{};
        dcs_[d].bitmap = -1;
    }

    std::string SelectStep()
    {
        call_ = "SelectObject";
        const int d = in_.Range(0, kDcs - 1);
        if (!dcs_[d].handle)
            return {};
        switch (in_.Range(0, 5)) {
        case 0: // things that are not bitmaps: a brush changes the DC's brush, the rest nothing
            SelectObject(dcs_[d].handle, in_.Pick<HGDIOBJ, 4>({nullptr, brushes_[0], deadBrush_,
                                                               dcs_[(d + 1) % kDcs].handle}));
            return {};
        default:
            return Select(d, in_.Range(0, kBitmaps - 1));
        }
    }

    std::string DeleteBitmapStep()
    {
        call_ = "DeleteObject";
        const int i = in_.Range(0, kBitmaps - 1);
        Bitmap& b = bitmaps_[i];
        if (!b.handle)
            return {};
        const BOOL result = DeleteObject(b.handle);
        // Deleting again while a DC still holds it: the recorded answers do not say.
        if (b.deleted && b.dc >= 0)
            return {};
        if (result != (b.deleted ? FALSE : TRUE))
            return Fail(b.deleted ? "deleted a bitmap twice" : "refused to delete a bitmap");
        b.deleted = true;
        if (b.dc < 0)
            b = Bitmap{};
        return {};
    }

    std::string ReplaceDcStep()
    {
        call_ = "DeleteDC";
        const int d = in_.Range(0, kDcs - 1);
        if (!dcs_[d].handle)
            return {};
        if (DeleteDC(dcs_[d].handle) != TRUE)
            return Fail("refused to delete a DC");
        Release(d);
        staleDcs_.push_back(dcs_[d].handle);
        dcs_[d].handle = CreateCompatibleDC(nullptr);
        // A stale handle equal to a live one would no longer be stale.
        std::erase(staleDcs_, dcs_[d].handle);
        return {};
    }

    std::string CleanUp()
    {
        std::string failure;
        // In an order the input chooses: DCs first or bitmaps first.
        const bool dcsFirst = in_.Chance(50);
        for (int pass = 0; pass < 2; ++pass) {
            if ((pass == 0) == dcsFirst) {
                for (int d = 0; d < kDcs; ++d)
                    if (dcs_[d].handle) {
                        if (DeleteDC(dcs_[d].handle) != TRUE && failure.empty())
                            failure = "DeleteDC failed at the end";
                        Release(d);
                        dcs_[d].handle = nullptr;
                    }
            } else {
                for (Bitmap& b : bitmaps_)
                    if (b.handle && !b.deleted) {
                        if (DeleteObject(b.handle) != TRUE && failure.empty())
                            failure = "DeleteObject failed at the end";
                        b.deleted = true;
                    }
            }
        }
        for (HBRUSH brush : brushes_)
            DeleteObject(brush);
        if (failure.empty() && !gdi::GuardsIntact())
            failure = "wrote outside a bitmap";
        return failure;
    }

    FuzzInput& in_;
    Bitmap bitmaps_[kBitmaps];
    Dc dcs_[kDcs];
    std::vector<HDC> staleDcs_;
    COLORREF colours_[2] = {};
    HBRUSH brushes_[2] = {};
    HBRUSH deadBrush_ = nullptr;
    int step_ = 0;
    const char* call_ = "";
    bool compared_ = false;
};

} // namespace

std::string CheckRasterOps(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    return Run(in).Go();
}
