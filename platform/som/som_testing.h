// Test hook of the object runtime, outside its public header and present only in its test build
// (som_testing): the shipped runtime does not count, so a parent resolution costs no atomic add.
#ifndef PLATFORM_SOM_SOM_TESTING_H
#define PLATFORM_SOM_SOM_TESTING_H

#include "runtime/som.h"

// How many times ResolveParentMethod has been called in this process: classes that cache parent
// procedures can be seen to resolve each once.
extern "C" SOM_API int64_t ResolveParentMethodCalls(void) SOM_NOEXCEPT;

#endif // PLATFORM_SOM_SOM_TESTING_H
