// Icons for the demo palette: a built-in set drawn in code, or PNG files from a directory.
#ifndef HOST_ICONS_H
#define HOST_ICONS_H

#include "host/image.h"

#include <string>
#include <vector>

// Twelve 16x16 icons, distinct in shape and colour.
std::vector<Image> BuiltInIcons();
// Their names, in the same order: what a tooltip says.
std::vector<std::string> BuiltInIconNames();

// Every *.png in dir, in name order. False with a one-line error when the directory cannot be
// read, holds no PNG, or a file is not a readable PNG.
// names, when given, gets each file's name without ".png".
bool LoadIcons(const std::string& dir, std::vector<Image>& icons, std::string& error,
               std::vector<std::string>* names = nullptr);

#endif // HOST_ICONS_H
