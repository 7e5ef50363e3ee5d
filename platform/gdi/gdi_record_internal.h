// How the library's entry points report to the recorder.
#ifndef PLATFORM_GDI_GDI_RECORD_INTERNAL_H
#define PLATFORM_GDI_GDI_RECORD_INTERNAL_H

#include "platform/gdi/gdi_recorder.h"

#include <initializer_list>

namespace gdi {

extern Recorder* active_recorder;

// One predictable branch when nothing records.
inline bool recording() { return __builtin_expect(active_recorder != nullptr, 0); }

void emit(const char* name, std::initializer_list<CallArg> args, CallArg result);

inline CallArg arg(int value) { return CallArg::of(value); }
inline CallArg arg(unsigned value) { return CallArg::of(value); }
inline CallArg arg(const void* handle) { return CallArg::of_pointer(handle); }
inline CallArg arg(const RECT* rect) { return CallArg::of_rect(rect); }

} // namespace gdi

#endif // PLATFORM_GDI_GDI_RECORD_INTERNAL_H
