// tooltray-document: a document window with parts, each part's palette docked or floating.
// Builds the document from the command line and the saved layout, then hands it to the window
// system's half.
#include "host/document_window.h"
#include "host/icons.h"
#include "host/layout_file.h"

#include <cstdio>

namespace {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tooltray-document: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    DocumentOptions options;
    std::string error;
    if (!ParseDocumentOptions(argc, argv, options, error))
        return Fail(error);
    if (options.help) {
        std::fputs(kDocumentUsage, stdout);
        return 0;
    }
    std::vector<Image> icons;
    std::vector<std::string> names;
    if (!options.iconDir.empty() && !LoadIcons(options.iconDir, icons, error, &names))
        return Fail(error);
    std::unique_ptr<DocumentHost> document = DocumentHost::Create(
        SampleParts(icons, names), options.layoutFile, options.printLayout, error);
    if (!document)
        return Fail(error);
    if (!options.layoutFile.empty()) {
        // A bad file is said once and left as it is; the palettes start from the default layout
        // and the file is written again only when the user moves one.
        SavedLayout layout;
        switch (ReadLayoutFile(options.layoutFile, layout, error)) {
        case LayoutRead::Loaded:
            document->Restore(layout);
            break;
        case LayoutRead::Bad:
            std::fprintf(stderr, "tooltray-document: %s: %s; using the default layout\n",
                         options.layoutFile.c_str(), error.c_str());
            break;
        case LayoutRead::Missing:
            break;
        }
    }
    return RunDocumentWindow(*document, options);
}
