// The document hosts' command line (tooltray-document and tooltray-document.exe).
#ifndef HOST_DOCUMENT_OPTIONS_H
#define HOST_DOCUMENT_OPTIONS_H

#include <string>

struct DocumentOptions {
    std::string layoutFile; // empty after parsing only when no per-user directory is known
    std::string iconDir;    // empty: the built-in icons and names
    bool printLayout = false;
    bool printClient = false;
    int width = 640; // the document window's client size
    int height = 420;
    bool help = false;
};

extern const char* const kDocumentUsage;

// The per-user layout file: $XDG_CONFIG_HOME/tooltray/document-layout (else
// ~/.config/tooltray/document-layout), or %APPDATA%\ToolTray\document-layout.txt on Windows;
// empty when the environment names no such directory.
std::string DefaultLayoutFile();

// Parses argv[1..argc). On a bad argument returns false and sets `error` to one line.
bool ParseDocumentOptions(int argc, const char* const* argv, DocumentOptions& options,
                          std::string& error);

#endif // HOST_DOCUMENT_OPTIONS_H
