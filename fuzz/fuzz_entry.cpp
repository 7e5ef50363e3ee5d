// libFuzzer's entry point for one check, named by FUZZ_CHECK when compiling. A failed check aborts
// so that libFuzzer keeps the input as a crash.
#include "fuzz/fuzz_checks.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string failure = FUZZ_CHECK(data, size);
    if (!failure.empty()) {
        std::fprintf(stderr, "check failed: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
