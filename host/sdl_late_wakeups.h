// SDL2 on X11: an event SDL queues while it waits (the close button's, or Escape's) makes it send
// itself a wake-up message on a second X connection, addressed to one of its windows. The server
// may read it only once that connection closes in SDL_Quit, after the windows are gone, and
// Xlib's default answer to the BadWindow that comes back is to end the process with status 1:
// seen with the document's close button while a floating palette shows, and with the palette's
// Escape under load. A message to a window already gone carries nothing a program needs.
#ifndef HOST_SDL_LATE_WAKEUPS_H
#define HOST_SDL_LATE_WAKEUPS_H

// Lets exactly that error pass (BadWindow on SendEvent); any other goes to the handler there was
// before. Call it before SDL_Init: SDL puts back at its end the handler it found at its start.
// Without X11 it does nothing.
void IgnoreLateWakeups();

#endif // HOST_SDL_LATE_WAKEUPS_H
