// Numbers on the hosts' command lines.
#ifndef HOST_OPTION_VALUES_H
#define HOST_OPTION_VALUES_H

#include <string_view>

// A whole decimal number from low to high, nothing else in the text.
bool ParseInt(std::string_view text, int low, int high, int& out);

// "AxB" (or a single number for both when `single` is allowed).
bool ParsePair(std::string_view text, char separator, int low, int high, bool single, int& a,
               int& b);

#endif // HOST_OPTION_VALUES_H
