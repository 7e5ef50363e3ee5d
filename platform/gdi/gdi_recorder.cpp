#include "platform/gdi/gdi_recorder.h"

#include "platform/gdi/handle_table.h"
#include "platform/gdi/recorder_hooks.h"

#include <cstdio>

namespace gdi {

Recorder* SetRecorder(Recorder* recorder)
{
    Recorder* previous = activeRecorder;
    activeRecorder = recorder;
    return previous;
}

bool GuardsIntact()
{
    bool intact = true;
    ForEachObject([&](const GdiObject& object) {
        if (object.kind == Kind::kBitmap && !object.bitmap.GuardsIntact())
            intact = false;
    });
    return intact;
}

bool CallArg::operator==(const CallArg& other) const
{
    if (type != other.type)
        return false;
    switch (type) {
    case Type::kInteger:
        return integer == other.integer;
    case Type::kPointer:
        return pointer == other.pointer;
    case Type::kRect:
        return rect.left == other.rect.left && rect.top == other.rect.top &&
               rect.right == other.rect.right && rect.bottom == other.rect.bottom;
    case Type::kNone:
    case Type::kNullRect:
        return true;
    }
    return false;
}

static std::string ArgText(const CallArg& a)
{
    char buffer[80];
    switch (a.type) {
    case CallArg::Type::kInteger:
        snprintf(buffer, sizeof buffer, "%lld", a.integer);
        break;
    case CallArg::Type::kPointer:
        if (a.pointer)
            snprintf(buffer, sizeof buffer, "%p", a.pointer);
        else
            snprintf(buffer, sizeof buffer, "null");
        break;
    case CallArg::Type::kRect:
        snprintf(buffer, sizeof buffer, "{%ld,%ld,%ld,%ld}", static_cast<long>(a.rect.left),
                 static_cast<long>(a.rect.top), static_cast<long>(a.rect.right),
                 static_cast<long>(a.rect.bottom));
        break;
    case CallArg::Type::kNullRect:
        snprintf(buffer, sizeof buffer, "null");
        break;
    case CallArg::Type::kNone:
        buffer[0] = 0;
        break;
    }
    return buffer;
}

std::string Call::Text() const
{
    std::string s = name;
    s += '(';
    for (int i = 0; i < argCount; ++i) {
        if (i)
            s += ", ";
        s += ArgText(args[i]);
    }
    s += ") -> ";
    s += ArgText(result);
    return s;
}

} // namespace gdi
