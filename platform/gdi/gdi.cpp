// TEMPORARY placeholder so the rest of the tree links while the GDI layer is being written.
// The GDI layer's author replaces this file wholesale; nothing here is meant to survive.
#include "platform/gdi/gdi.h"
extern "C" {
BOOL SetRect(LPRECT r, int a, int b, int c, int d) { if (!r) return 0; r->left = a; r->top = b; r->right = c; r->bottom = d; return 1; }
BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
BOOL InflateRect(LPRECT r, int dx, int dy) { if (!r) return 0; r->left -= dx; r->top -= dy; r->right += dx; r->bottom += dy; return 1; }
BOOL OffsetRect(LPRECT, int, int) { return 0; }
int FillRect(HDC, const RECT*, HBRUSH) { return 0; }
int FrameRect(HDC, const RECT*, HBRUSH) { return 0; }
HGDIOBJ GetStockObject(int) { return nullptr; }
HBRUSH CreateSolidBrush(COLORREF) { return nullptr; }
BOOL DeleteObject(HGDIOBJ) { return 0; }
int GetObjectA(HANDLE, int, LPVOID) { return 0; }
HDC CreateCompatibleDC(HDC) { return nullptr; }
BOOL DeleteDC(HDC) { return 0; }
HGDIOBJ SelectObject(HDC, HGDIOBJ) { return nullptr; }
HBITMAP CreateBitmap(int, int, UINT, UINT, const void*) { return nullptr; }
HBITMAP CreateDIBSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) { return nullptr; }
int SetStretchBltMode(HDC, int) { return 0; }
int GetStretchBltMode(HDC) { return 0; }
BOOL StretchBlt(HDC, int, int, int, int, HDC, int, int, int, int, DWORD) { return 0; }
BOOL BitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) { return 0; }
COLORREF GetPixel(HDC, int, int) { return 0; }
BOOL GdiFlush(void) { return 1; }
}
