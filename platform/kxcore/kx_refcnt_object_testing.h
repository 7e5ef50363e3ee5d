// Test hook of KxRefCntObject, outside the framework's public header and present only in the
// framework's test build (kxcore_testing): sets a counted object's reference count directly, so
// tests reach the limit without 2^31 Acquire calls.
#ifndef PLATFORM_KXCORE_KX_REFCNT_OBJECT_TESTING_H
#define PLATFORM_KXCORE_KX_REFCNT_OBJECT_TESTING_H

#include "runtime/kxcore.h"

extern "C" KXCORE_API void KxRefCntObjectSetRefCountForTesting(KxRefCntObject* object,
                                                               int32_t count);

#endif // PLATFORM_KXCORE_KX_REFCNT_OBJECT_TESTING_H
