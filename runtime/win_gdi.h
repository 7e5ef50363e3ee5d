// Windows USER and GDI as the class and its hosts use them: the system's own on Windows, our
// portable layer elsewhere. Both offer the same names, types and layouts.
#ifndef TOOLTRAY_RUNTIME_WIN_GDI_H
#define TOOLTRAY_RUNTIME_WIN_GDI_H

#if defined(_WIN32)
#  ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#  endif
#  ifndef NOMINMAX
#    define NOMINMAX
#  endif
#  include <windows.h>
// Relics of 16-bit Windows that <windows.h> defines as empty macros: the portable layer has no
// such macros, and code uses these words as names.
#  undef far
#  undef near
#else
#  include "../platform/gdi/gdi.h"
#endif

#endif // TOOLTRAY_RUNTIME_WIN_GDI_H
