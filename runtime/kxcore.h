// The document framework's core classes as the class library and hosts see them. Each class has a
// class data record (class object, then one token per new method, in the order below: callers rely
// on positions), an accessor for it, and a NewClass entry point that builds it and its parents.
#ifndef TOOLTRAY_RUNTIME_KXCORE_H
#define TOOLTRAY_RUNTIME_KXCORE_H

#include "../geometry/kx_geometry.h"
#include "som.h"
#include "win_handles.h"

#if defined(_WIN32)
#  if defined(KXCORE_BUILDING)
#    define KXCORE_API __declspec(dllexport)
#  else
#    define KXCORE_API __declspec(dllimport)
#  endif
#else
#  define KXCORE_API __attribute__((visibility("default")))
#endif

typedef SOMObject KxObject;
typedef SOMObject KxRefCntObject;
typedef SOMObject KxExtension;
typedef SOMObject KxToolSpaceObj;

extern "C" {

typedef struct KxObjectClassDataStructure {
    SOMClass* classObject;
    somMToken InitObject;
    somMToken IsInitialized;
} KxObjectClassDataStructure;

typedef struct KxRefCntObjectClassDataStructure {
    SOMClass* classObject;
    somMToken InitRefCntObject;
    somMToken Acquire;
    somMToken Release;
    somMToken GetRefCount;
} KxRefCntObjectClassDataStructure;

typedef struct KxExtensionClassDataStructure {
    SOMClass* classObject;
    somMToken InitExtension;
    somMToken GetBase;
} KxExtensionClassDataStructure;

typedef struct KxToolSpaceObjClassDataStructure {
    SOMClass* classObject;
    somMToken InitToolSpaceObj;
    somMToken GetWindow;
    somMToken SetWindow;
    somMToken GetBounds;
    somMToken SetBounds;
    somMToken SetAcceptsTools;
    somMToken AcceptsTools; // the seventh method: nonzero while the space takes new tools
} KxToolSpaceObjClassDataStructure;

KXCORE_API SOMClass* KxObjectNewClass(int32_t majorVersion, int32_t minorVersion) noexcept;
KXCORE_API SOMClass* KxRefCntObjectNewClass(int32_t majorVersion, int32_t minorVersion) noexcept;
KXCORE_API SOMClass* KxExtensionNewClass(int32_t majorVersion, int32_t minorVersion) noexcept;
KXCORE_API SOMClass* KxToolSpaceObjNewClass(int32_t majorVersion, int32_t minorVersion) noexcept;

KXCORE_API KxObjectClassDataStructure* resolve_KxObjectClassData(void) noexcept;
KXCORE_API KxRefCntObjectClassDataStructure* resolve_KxRefCntObjectClassData(void) noexcept;
KXCORE_API KxExtensionClassDataStructure* resolve_KxExtensionClassData(void) noexcept;
KXCORE_API KxToolSpaceObjClassDataStructure* resolve_KxToolSpaceObjClassData(void) noexcept;

// Method procedures: the object first, the environment record second.
typedef void(SOMLINK* somTD_KxObject_InitObject)(KxObject*, Environment*);
typedef uint8_t(SOMLINK* somTD_KxObject_IsInitialized)(KxObject*, Environment*);
typedef void(SOMLINK* somTD_KxRefCntObject_InitRefCntObject)(KxRefCntObject*, Environment*);
typedef void(SOMLINK* somTD_KxRefCntObject_Acquire)(KxRefCntObject*, Environment*);
typedef void(SOMLINK* somTD_KxRefCntObject_Release)(KxRefCntObject*, Environment*);
typedef int32_t(SOMLINK* somTD_KxRefCntObject_GetRefCount)(KxRefCntObject*, Environment*);
typedef void(SOMLINK* somTD_KxExtension_InitExtension)(KxExtension*, Environment*, SOMObject* base);
typedef SOMObject*(SOMLINK* somTD_KxExtension_GetBase)(KxExtension*, Environment*);
typedef void(SOMLINK* somTD_KxToolSpaceObj_InitToolSpaceObj)(KxToolSpaceObj*, Environment*);
typedef HWND(SOMLINK* somTD_KxToolSpaceObj_GetWindow)(KxToolSpaceObj*, Environment*);
typedef void(SOMLINK* somTD_KxToolSpaceObj_SetWindow)(KxToolSpaceObj*, Environment*, HWND);
typedef void(SOMLINK* somTD_KxToolSpaceObj_GetBounds)(KxToolSpaceObj*, Environment*, KxRect*);
typedef void(SOMLINK* somTD_KxToolSpaceObj_SetBounds)(KxToolSpaceObj*, Environment*, const KxRect*);
typedef void(SOMLINK* somTD_KxToolSpaceObj_SetAcceptsTools)(KxToolSpaceObj*, Environment*, int32_t);
typedef int32_t(SOMLINK* somTD_KxToolSpaceObj_AcceptsTools)(KxToolSpaceObj*, Environment*);

} // extern "C"

#endif // TOOLTRAY_RUNTIME_KXCORE_H
