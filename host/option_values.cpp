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

bool OptionCursor::Next()
{
    if (++index_ >= argc_)
        return false;
    name_ = argv_[index_];
    value_ = {};
    inlineValue_ = false;
    if (const size_t eq = name_.find('=');
        name_.substr(0, 2) == "--" && eq != std::string_view::npos) {
        value_ = name_.substr(eq + 1);
        name_ = name_.substr(0, eq);
        inlineValue_ = true;
    }
    return true;
}

bool OptionCursor::TakeValue()
{
    if (inlineValue_)
        return true;
    if (index_ + 1 >= argc_) {
        error_ = std::string(name_) + " needs a value";
        return false;
    }
    value_ = argv_[++index_];
    return true;
}

bool OptionCursor::Bad(const char* what)
{
    if (error_.empty())
        error_ = std::string(name_) + ": '" + std::string(value_) + "' is not " + what;
    return false;
}

bool OptionCursor::Unknown()
{
    error_ = "unknown option '" + std::string(name_) + "' (see --help)";
    return false;
}
