// The document's saved layout: each part's palette position code and floating rectangle, in a
// small text file. The first line names the format; then one line per part:
//     tooltray-document-layout 1
//     PART POS X Y W H
// PART is the part's name, POS the position code in hexadecimal (0x0102: floating, last docked
// at the left), X Y W H the floating rectangle in screen pixels (W and H from 1). Blank lines and
// lines starting with '#' are skipped; a line naming a part the document does not have is kept
// out of the layout but is no fault, so a file from a document with other parts still loads.
#ifndef HOST_LAYOUT_FILE_H
#define HOST_LAYOUT_FILE_H

#include "host/dock_layout.h"

#include <cstdint>
#include <map>
#include <string>

struct SavedPalette {
    uint16_t pos = 0;
    PixelRect floatRect;
    friend bool operator==(const SavedPalette&, const SavedPalette&) = default;
};

using SavedLayout = std::map<std::string, SavedPalette>; // by part name

enum class LayoutRead { Loaded, Missing, Bad };

// Missing: no file (error empty). Bad: unreadable or malformed, `error` says which line and what;
// `layout` is then empty, the whole file refused.
LayoutRead ReadLayoutFile(const std::string& path, SavedLayout& layout, std::string& error);
// The text ReadLayoutFile reads, parsed; for the file reader and the tests.
bool ParseLayout(const std::string& text, SavedLayout& layout, std::string& error);
std::string FormatLayout(const SavedLayout& layout);

// Writes a temporary file beside `path`, then renames it over `path`, so that a reader never sees
// a half-written layout; creates the directory first. False with a one-line error.
bool WriteLayoutFile(const std::string& path, const SavedLayout& layout, std::string& error);

#endif // HOST_LAYOUT_FILE_H
