// A portable stand-in for the part of Windows USER and GDI that the palette and its hosts use, with
// the Windows names, types, layouts and semantics. Handles are checked on every call: a null,
// stale or foreign handle makes the call fail the way Windows fails it, never crash.
#ifndef TOOLTRAY_PLATFORM_GDI_GDI_H
#define TOOLTRAY_PLATFORM_GDI_GDI_H

#include "../../runtime/win_handles.h"

#include <stddef.h>
#include <stdint.h>

// The library builds with hidden visibility; what is declared here is its interface.
#define GDI_API __attribute__((visibility("default")))

#define WINAPI

// No exception leaves a call: each reports failure the way Windows does, and a C caller could not
// catch one anyway.
#ifdef __cplusplus
#  define GDI_NOEXCEPT noexcept
#else
#  define GDI_NOEXCEPT
#endif

#ifndef TRUE
#  define TRUE 1
#  define FALSE 0
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t LONG;
// Win32's BOOL is an int. X11's <X11/Xmd.h> takes the name for an 8-bit type: after it, BOOL stays
// X11's, and the calls here still answer int (GdiBool).
typedef int GdiBool;
#ifndef XMD_H
typedef GdiBool BOOL;
#endif
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef void* LPVOID;
typedef DWORD COLORREF;

#define DECLARE_GDI_HANDLE(name) \
  struct name##__ {              \
    int unused;                  \
  };                             \
  typedef struct name##__* name
DECLARE_GDI_HANDLE(HBRUSH);
DECLARE_GDI_HANDLE(HPEN);
DECLARE_GDI_HANDLE(HFONT);
#undef DECLARE_GDI_HANDLE
typedef void* HGDIOBJ;
typedef void* HANDLE;

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagBITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(c) ((BYTE)(c))
#define GetGValue(c) ((BYTE)(((WORD)(c)) >> 8))
#define GetBValue(c) ((BYTE)((c) >> 16))

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4

// Raster operations and stretch modes.
#define SRCCOPY ((DWORD)0x00CC0020)
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4

#define OBJ_BITMAP 7

// GetPixel's answer for a point off the surface.
#define CLR_INVALID ((COLORREF)0xFFFFFFFF)

#define BS_SOLID 0
typedef uintptr_t ULONG_PTR;
typedef struct tagLOGBRUSH {
    UINT lbStyle;
    COLORREF lbColor;
    ULONG_PTR lbHatch;
} LOGBRUSH;

// DIB sections.
#define BI_RGB 0L
#define DIB_RGB_COLORS 0
typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;
typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;
typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;
typedef struct tagDIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    DWORD dsBitfields[3];
    HANDLE dshSection;
    DWORD dsOffset;
} DIBSECTION;

// USER rectangles.
GDI_API GdiBool WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI SetRectEmpty(LPRECT rect) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI InflateRect(LPRECT rect, int dx, int dy) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI OffsetRect(LPRECT rect, int dx, int dy) GDI_NOEXCEPT;
GDI_API int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) GDI_NOEXCEPT;
GDI_API int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI DrawFocusRect(HDC dc, const RECT* rect) GDI_NOEXCEPT;

// GDI objects and device contexts.
GDI_API HGDIOBJ WINAPI GetStockObject(int index) GDI_NOEXCEPT;
GDI_API HBRUSH WINAPI CreateSolidBrush(COLORREF color) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI DeleteObject(HGDIOBJ object) GDI_NOEXCEPT;
GDI_API int WINAPI GetObjectA(HANDLE object, int size, LPVOID out) GDI_NOEXCEPT;
GDI_API HDC WINAPI CreateCompatibleDC(HDC dc) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI DeleteDC(HDC dc) GDI_NOEXCEPT;
GDI_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) GDI_NOEXCEPT;
GDI_API HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                                    const void* bits) GDI_NOEXCEPT;
GDI_API HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                        HANDLE section, DWORD offset) GDI_NOEXCEPT;
GDI_API int WINAPI SetStretchBltMode(HDC dc, int mode) GDI_NOEXCEPT;
GDI_API int WINAPI GetStretchBltMode(HDC dc) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx,
                                  int sy, int sourceWidth, int sourceHeight,
                                  DWORD rop) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx,
                              int sy, DWORD rop) GDI_NOEXCEPT;
GDI_API COLORREF WINAPI GetPixel(HDC dc, int x, int y) GDI_NOEXCEPT;
GDI_API GdiBool WINAPI GdiFlush(void) GDI_NOEXCEPT;

#ifdef __cplusplus
} // extern "C"
#endif

#endif // TOOLTRAY_PLATFORM_GDI_GDI_H
