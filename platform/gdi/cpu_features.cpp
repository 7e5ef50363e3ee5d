#include "platform/gdi/cpu_features.h"

namespace gdi {

#if defined(GDI_HAS_AVX2_PATHS)

namespace {

bool AskAvx2()
{
    __builtin_cpu_init(); // may run before the library's other initialisers
    return __builtin_cpu_supports("avx2");
}

} // namespace

const bool cpuHasAvx2 = AskAvx2();

#endif

} // namespace gdi
