// The per-thread environment record and the reason for the last failed BuildClass.
#include "platform/som/som_private.h"

namespace {

thread_local Environment t_environment{SOM_NO_EXCEPTION, nullptr, nullptr};
thread_local std::string t_buildError;

} // namespace

namespace som {

void RaiseSystemException(const char* call, const char* message)
{
    t_environment.major = SOM_SYSTEM_EXCEPTION;
    t_environment.exceptionId = call;
    t_environment.exceptionParam = message;
}

void SetBuildError(std::string message)
{
    t_buildError = std::move(message);
    RaiseSystemException("BuildClass", t_buildError.c_str());
}

void ClearBuildError() { t_buildError.clear(); }

} // namespace som

extern "C" {

Environment* GetGlobalEnvironment(void) { return &t_environment; }

void ExceptionFree(Environment* environment)
{
    if (environment)
        *environment = Environment{SOM_NO_EXCEPTION, nullptr, nullptr};
}

const char* GetLastBuildError(void) { return t_buildError.c_str(); }

} // extern "C"
