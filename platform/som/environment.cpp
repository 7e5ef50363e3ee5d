// The per-thread environment record and the reason for the last failed BuildClass.
#include "platform/som/som_private.h"

namespace {

thread_local Environment t_environment{SOM_NO_EXCEPTION, nullptr, nullptr};
thread_local std::string t_buildError;
// What GetLastBuildError returns: t_buildError's text, or a fixed text when there was no memory for
// a message of its own.
thread_local const char* t_buildErrorText = "";

} // namespace

namespace som {

void RaiseSystemException(const char* call, const char* message) noexcept
{
    t_environment.major = SOM_SYSTEM_EXCEPTION;
    t_environment.exceptionId = call;
    t_environment.exceptionParam = message;
}

void SetBuildError(std::string message) noexcept
{
    t_buildError = std::move(message);
    t_buildErrorText = t_buildError.c_str();
    RaiseSystemException("BuildClass", t_buildErrorText);
}

void SetBuildErrorText(const char* text) noexcept
{
    t_buildError.clear();
    t_buildErrorText = text;
    RaiseSystemException("BuildClass", text);
}

void ClearBuildError() noexcept
{
    t_buildError.clear();
    t_buildErrorText = "";
}

} // namespace som

extern "C" {

Environment* GetGlobalEnvironment(void) noexcept { return &t_environment; }

void ExceptionFree(Environment* environment) noexcept
{
    if (environment)
        *environment = Environment{SOM_NO_EXCEPTION, nullptr, nullptr};
}

const char* GetLastBuildError(void) noexcept { return t_buildErrorText; }

} // extern "C"
