// The Windows handle types the class and the framework name in their signatures (HWND, HDC,
// HBITMAP), and nothing else of Windows: a host that includes the class or the kit beside other
// system headers (X11's define BOOL otherwise) gets no Win32 names it did not ask for. The
// drawing header, runtime/win_gdi.h, has the rest.
#ifndef TOOLTRAY_RUNTIME_WIN_HANDLES_H
#define TOOLTRAY_RUNTIME_WIN_HANDLES_H

#if defined(_WIN32)
// The system's handles are declared by <windows.h> itself, whose names come with them there.
#  include "win_gdi.h"
#else
// The portable layer's handles, declared once here and used by its own header.
#  define TOOLTRAY_DECLARE_HANDLE(name) \
    struct name##__ {                   \
      int unused;                       \
    };                                  \
    typedef struct name##__* name
TOOLTRAY_DECLARE_HANDLE(HWND);
TOOLTRAY_DECLARE_HANDLE(HDC);
TOOLTRAY_DECLARE_HANDLE(HBITMAP);
#  undef TOOLTRAY_DECLARE_HANDLE
#endif

#endif // TOOLTRAY_RUNTIME_WIN_HANDLES_H
