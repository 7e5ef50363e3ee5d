// How the library's entry points report to the recorder.
#ifndef PLATFORM_GDI_RECORDER_HOOKS_H
#define PLATFORM_GDI_RECORDER_HOOKS_H

#include "platform/gdi/gdi_recorder.h"

#include <initializer_list>

namespace gdi {

extern Recorder* activeRecorder;

// One predictable branch when nothing records.
inline bool Recording() { return __builtin_expect(activeRecorder != nullptr, 0); }

void Emit(const char* name, std::initializer_list<CallArg> args, CallArg result);

inline CallArg Arg(int value) { return CallArg::Of(value); }
inline CallArg Arg(unsigned value) { return CallArg::Of(value); }
inline CallArg Arg(const void* handle) { return CallArg::OfPointer(handle); }
inline CallArg Arg(const RECT* rect) { return CallArg::OfRect(rect); }

// Reports a call, its result and its arguments (each as Arg() takes it). Out of line and cold: an
// entry point that only tests Recording() keeps a small frame.
template <typename Result, typename... Args>
[[gnu::cold, gnu::noinline]] void Report(const char* name, Result result, Args... args)
{
    Emit(name, {Arg(args)...}, Arg(result));
}

} // namespace gdi

#endif // PLATFORM_GDI_RECORDER_HOOKS_H
