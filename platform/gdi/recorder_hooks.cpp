#include "platform/gdi/recorder_hooks.h"

namespace gdi {

Recorder* activeRecorder = nullptr;

void Emit(const char* name, std::initializer_list<CallArg> args, CallArg result)
{
    Call call;
    call.name = name;
    for (const CallArg& a : args) {
        if (call.argCount == Call::kMaxArgs)
            break;
        call.args[call.argCount++] = a;
    }
    call.result = result;
    activeRecorder->Record(call);
}

} // namespace gdi
