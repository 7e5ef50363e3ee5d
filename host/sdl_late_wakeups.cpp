#include "host/sdl_late_wakeups.h"

#include <SDL.h>
#include <SDL_syswm.h> // last: on X11 it brings Xlib's macros (None, Bool, Status...)

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
XErrorHandler g_previousErrorHandler = nullptr;
// The protocol's SendEvent request (X_SendEvent in <X11/Xproto.h>, whose BOOL clashes with the
// Windows names the host code uses).
constexpr unsigned char kSendEventRequest = 25;

int IgnoreWakeupToGoneWindow(Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow && error->request_code == kSendEventRequest)
        return 0;
    return g_previousErrorHandler ? g_previousErrorHandler(display, error) : 0;
}
#endif

} // namespace

void IgnoreLateWakeups()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    g_previousErrorHandler = XSetErrorHandler(IgnoreWakeupToGoneWindow);
#endif
}
