// Lets tests see every USER/GDI call a caller makes, with its arguments by value and its result.
// Not part of the Windows API: the recorder and the guard check are in the layer's test build
// (gdi_testing) only, never in the shipped library.
#ifndef PLATFORM_GDI_GDI_RECORDER_H
#define PLATFORM_GDI_GDI_RECORDER_H

#include "platform/gdi/gdi.h"

#include <initializer_list>
#include <string>

namespace gdi {

struct GDI_API CallArg {
    enum class Type : unsigned char { kNone, kInteger, kRect, kNullRect, kPointer };
    Type type = Type::kNone;
    long long integer = 0;         // ints, modes, colours, sizes, results
    RECT rect = {0, 0, 0, 0};      // a rectangle's four values at the time of the call
    const void* pointer = nullptr; // handles and out-parameters

    static CallArg Of(long long value)
    {
        CallArg a;
        a.type = Type::kInteger;
        a.integer = value;
        return a;
    }
    static CallArg OfPointer(const void* p)
    {
        CallArg a;
        a.type = Type::kPointer;
        a.pointer = p;
        return a;
    }
    static CallArg OfRect(const RECT* r)
    {
        CallArg a;
        if (r) {
            a.type = Type::kRect;
            a.rect = *r;
        } else {
            a.type = Type::kNullRect;
        }
        return a;
    }
    bool operator==(const CallArg& other) const;
};

struct GDI_API Call {
    static constexpr int kMaxArgs = 11; // StretchBlt
    const char* name = "";
    int argCount = 0;
    CallArg args[kMaxArgs];
    CallArg result;

    // "FillRect(0x1000a, {1,2,3,4}, 0x2000b) -> 1"
    std::string Text() const;
};

class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void Record(const Call& call) = 0;
};

// Whether the guard words around every live bitmap's pixels are as written: a check for tests
// that no operation wrote outside a surface.
GDI_API bool GuardsIntact();

// Installs a recorder (null to stop) and returns the one it replaces.
GDI_API Recorder* SetRecorder(Recorder* recorder);

} // namespace gdi

#endif // PLATFORM_GDI_GDI_RECORDER_H
