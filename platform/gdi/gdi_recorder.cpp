#include "platform/gdi/gdi_record_internal.h"

#include <cstdio>

namespace gdi {

Recorder* active_recorder = nullptr;

Recorder* set_recorder(Recorder* recorder)
{
    Recorder* previous = active_recorder;
    active_recorder = recorder;
    return previous;
}

void emit(const char* name, std::initializer_list<CallArg> args, CallArg result)
{
    Call call;
    call.name = name;
    for (const CallArg& a : args) {
        if (call.arg_count == Call::max_args)
            break;
        call.args[call.arg_count++] = a;
    }
    call.result = result;
    active_recorder->record(call);
}

bool CallArg::operator==(const CallArg& other) const
{
    if (type != other.type)
        return false;
    switch (type) {
    case Type::integer:
        return integer == other.integer;
    case Type::pointer:
        return pointer == other.pointer;
    case Type::rect:
        return rect.left == other.rect.left && rect.top == other.rect.top &&
               rect.right == other.rect.right && rect.bottom == other.rect.bottom;
    case Type::none:
    case Type::null_rect:
        return true;
    }
    return false;
}

static std::string arg_text(const CallArg& a)
{
    char buffer[80];
    switch (a.type) {
    case CallArg::Type::integer:
        snprintf(buffer, sizeof buffer, "%lld", a.integer);
        break;
    case CallArg::Type::pointer:
        if (a.pointer)
            snprintf(buffer, sizeof buffer, "%p", a.pointer);
        else
            snprintf(buffer, sizeof buffer, "null");
        break;
    case CallArg::Type::rect:
        snprintf(buffer, sizeof buffer, "{%ld,%ld,%ld,%ld}", static_cast<long>(a.rect.left),
                 static_cast<long>(a.rect.top), static_cast<long>(a.rect.right),
                 static_cast<long>(a.rect.bottom));
        break;
    case CallArg::Type::null_rect:
        snprintf(buffer, sizeof buffer, "null");
        break;
    case CallArg::Type::none:
        buffer[0] = 0;
        break;
    }
    return buffer;
}

std::string Call::text() const
{
    std::string s = name;
    s += '(';
    for (int i = 0; i < arg_count; ++i) {
        if (i)
            s += ", ";
        s += arg_text(args[i]);
    }
    s += ") -> ";
    s += arg_text(result);
    return s;
}

} // namespace gdi
