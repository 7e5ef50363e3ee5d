#include "host/option_values.h"

#include <charconv>

bool ParseInt(std::string_view text, int low, int high, int& out)
{
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high)
        return false;
    out = value;
    return true;
}

// "AxB" (or a single number for both when `single` is allowed).
bool ParsePair(std::string_view text, char separator, int low, int high, bool single, int& a,
               int& b)
{
    const size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return single && ParseInt(text, low, high, a) && ParseInt(text, low, high, b);
    return ParseInt(text.substr(0, at), low, high, a) &&
           ParseInt(text.substr(at + 1), low, high, b);
}
