// The hosts' command lines: the walk over their options, and the numbers in them.
#ifndef HOST_OPTION_VALUES_H
#define HOST_OPTION_VALUES_H

#include <string>
#include <string_view>

// Walks the options of a command line, taking "--name value" and "--name=value" alike, and words
// the errors the same way for every host.
class OptionCursor {
public:
    OptionCursor(int argc, const char* const* argv, std::string& error)
        : argc_(argc), argv_(argv), error_(error)
    {}

    // Moves to the next option; false when there is none.
    bool Next();
    std::string_view Name() const { return name_; }
    // The option's value, after '=' or else the next argument; false, with the error said, when
    // the command line ends first.
    bool TakeValue();
    std::string_view Value() const { return value_; }
    // "NAME: 'VALUE' is not WHAT", unless an error has been said already; always false.
    bool Bad(const char* what);
    // "unknown option 'NAME' (see --help)"; always false.
    bool Unknown();

private:
    int argc_;
    const char* const* argv_;
    std::string& error_;
    int index_ = 0;
    std::string_view name_;
    std::string_view value_;
    bool inlineValue_ = false;
};

// A whole decimal number from low to high, nothing else in the text.
bool ParseInt(std::string_view text, int low, int high, int& out);

// "AxB" (or a single number for both when `single` is allowed).
bool ParsePair(std::string_view text, char separator, int low, int high, bool single, int& a,
               int& b);

#endif // HOST_OPTION_VALUES_H
