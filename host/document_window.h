// The window-system half of the document host: one per platform (SDL2 on Linux, user32 on
// Windows). It opens the document window and the floating palettes' windows, tells the document
// where they are, turns the window system's events into DocumentHost calls, shows what their
// effects name, and returns the exit status once the document window closes (0 for Escape or
// the close button).
#ifndef HOST_DOCUMENT_WINDOW_H
#define HOST_DOCUMENT_WINDOW_H

#include "host/document.h"
#include "host/document_options.h"

#include <cstdio>

int RunDocumentWindow(DocumentHost& document, const DocumentOptions& options);

// Prints an effect's lines on stdout and its errors on stderr, flushed at once for scripts.
inline void PrintEffect(const DocumentEffect& effect)
{
    for (const std::string& line : effect.lines)
        std::printf("%s\n", line.c_str());
    if (!effect.lines.empty())
        std::fflush(stdout);
    for (const std::string& line : effect.errors)
        std::fprintf(stderr, "%s\n", line.c_str());
}

#endif // HOST_DOCUMENT_WINDOW_H
