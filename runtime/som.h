// The object runtime as the class library and its hosts see it: objects, classes, method tokens,
// method resolution, the environment record and the runtime's allocator.
//
// A class is built once from a constant description (som_description.h). Building it fills the
// class's data record (class object, then one token per new method) and its auxiliary record
// (parent method tables, instance-data procedure). A call is then: read the token from the class
// data, ResolveMethod(object, token), call the procedure with the object first.
#ifndef TOOLTRAY_RUNTIME_SOM_H
#define TOOLTRAY_RUNTIME_SOM_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#  if defined(SOM_BUILDING)
#    define SOM_API __declspec(dllexport)
#  else
#    define SOM_API __declspec(dllimport)
#  endif
#else
#  define SOM_API __attribute__((visibility("default")))
#endif

// Every procedure the runtime hands out uses the platform's default C calling convention; the
// 32-bit argument byte counts in class descriptions are carried for the record, not used to
// marshal calls.
#define SOMLINK

// Nothing unwinds out of the runtime: every entry point catches what it must and reports failure
// as documented, so C++ callers see the promise in the declaration.
#ifdef __cplusplus
#  define SOM_NOEXCEPT noexcept
#else
#  define SOM_NOEXCEPT
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SOMClass SOMClass;              // class object, opaque
typedef struct SOMObject SOMObject;            // every instance starts with a SOMObject header
typedef struct somMethodTokenRec* somMToken;   // method token, opaque, never null once built
typedef struct somParentTables* somMethodTabs; // a class's view of its parents' tables, opaque

typedef void(SOMLINK* somMethodProc)(void);             // a procedure of unknown signature
typedef void*(SOMLINK* somDataProc)(SOMObject* object); // instance-data procedure

// Exception kinds of the environment record.
enum { SOM_NO_EXCEPTION = 0, SOM_USER_EXCEPTION = 1, SOM_SYSTEM_EXCEPTION = 2 };

// The per-call error record. Methods pass it along; the runtime sets it when a host-facing call
// fails (exceptionId names the call, exceptionParam is the message text).
typedef struct Environment {
    int32_t major;
    const char* exceptionId;
    const char* exceptionParam;
} Environment;

// The object header. Instance data of each class in the chain follows it.
struct SOMObject {
    const struct somMethodTable* mtab;
};

// Class data record: the class object, then one token per new method in method-table order.
typedef struct somClassDataStructure {
    SOMClass* classObject;
    somMToken tokens[1]; // as many as the class has new methods
} somClassDataStructure;

// Auxiliary class data record.
typedef struct somCClassDataStructure {
    somMethodTabs parentMethodTables;
    somDataProc instanceDataToken;
} somCClassDataStructure;

struct ClassDescription; // som_description.h

// ---- Building and finding classes -------------------------------------------------------------

// Builds the class the description describes, or returns the class already built from this same
// description. A name already taken by a class built from another description is refused.
// inheritMask 1 inherits from the single parent. A nonzero requested major version must equal the
// class's; the requested minor version must not exceed the class's. On failure returns null,
// builds nothing, and records the reason (naming class and field) for GetLastBuildError and in
// the calling thread's environment record.
SOM_API SOMClass* BuildClass(int32_t inheritMask, const struct ClassDescription* description,
                             int32_t majorVersion, int32_t minorVersion) SOM_NOEXCEPT;

// The calling thread's reason for the last failed BuildClass, or "" after a successful one.
SOM_API const char* GetLastBuildError(void) SOM_NOEXCEPT;

// The description a class was built from (null for the root class, which the runtime builds
// itself, and for a null class).
SOM_API const struct ClassDescription* DescriptionOf(const SOMClass* classObject) SOM_NOEXCEPT;

SOM_API SOMClass* FindClass(const char* name) SOM_NOEXCEPT; // null when no class has that name
SOM_API const char* ClassName(const SOMClass* classObject) SOM_NOEXCEPT; // null for a null class
SOM_API SOMClass* ClassOf(const SOMObject* object) SOM_NOEXCEPT;         // null for a null object
SOM_API SOMClass* ParentOf(const SOMClass* classObject) SOM_NOEXCEPT;    // null for the root class
// Nonzero when object's class is classObject or descends from it.
SOM_API int32_t IsInstanceOf(const SOMObject* object, const SOMClass* classObject) SOM_NOEXCEPT;

// ---- Method resolution ------------------------------------------------------------------------

// The procedure that implements token's method for object's actual class: O(1), one index by the
// token. Null (with the environment's exception set) when the object is null or its class does
// not have that method.
SOM_API somMethodProc ResolveMethod(const SOMObject* object, somMToken token) SOM_NOEXCEPT;

// The implementation of token's method in parent number parentNumber (from 1) of the class whose
// auxiliary record holds parentTables. Null when no such parent or method exists.
SOM_API somMethodProc ResolveParentMethod(somMethodTabs parentTables, int32_t parentNumber,
                                          somMToken token) SOM_NOEXCEPT;

// The qualified name of a token's method ("KxObject::IsInitialized"), null for a null token.
SOM_API const char* MethodName(somMToken token) SOM_NOEXCEPT;

// ---- Objects ----------------------------------------------------------------------------------

// Allocates a zero-filled instance and runs somInit through method resolution. Null when the
// class is null or memory is short.
SOM_API SOMObject* NewObject(SOMClass* classObject) SOM_NOEXCEPT;
// Runs somUninit through method resolution, then frees the object. A null object is ignored.
SOM_API void FreeObject(SOMObject* object) SOM_NOEXCEPT;

// ---- Environment ------------------------------------------------------------------------------

SOM_API Environment* GetGlobalEnvironment(void) SOM_NOEXCEPT;      // the calling thread's record
SOM_API void ExceptionFree(Environment* environment) SOM_NOEXCEPT; // back to SOM_NO_EXCEPTION

// ---- Allocation -------------------------------------------------------------------------------

// The runtime's allocator, which classes use for what their instances own. Hosts may replace it
// to count or to fail allocations; null hooks restore malloc and free. Replace it only while no
// allocation is under way, and with hooks whose free also frees blocks of the allocator they
// replace (typically wrappers of malloc and free).
typedef void*(SOMLINK* somMallocProc)(size_t size);
typedef void(SOMLINK* somFreeProc)(void* block);
SOM_API void* SOMMalloc(size_t size) SOM_NOEXCEPT; // null when memory is short
SOM_API void SOMFree(void* block) SOM_NOEXCEPT;    // null is ignored
SOM_API void SetAllocator(somMallocProc mallocProc, somFreeProc freeProc) SOM_NOEXCEPT;

// ---- The root class ---------------------------------------------------------------------------

// SOMObject's class data: somInit (token 0), somUninit (token 1).
typedef struct SOMObjectClassDataStructure {
    SOMClass* classObject;
    somMToken somInit;
    somMToken somUninit;
} SOMObjectClassDataStructure;

SOM_API SOMObjectClassDataStructure* resolve_SOMObjectClassData(void) SOM_NOEXCEPT;

typedef void(SOMLINK* somTD_SOMObject_somInit)(SOMObject* self);
typedef void(SOMLINK* somTD_SOMObject_somUninit)(SOMObject* self);

#ifdef __cplusplus
} // extern "C"

// Resolves token on object and calls the result as Proc with the object first.
template <typename Proc, typename Object, typename... Args>
inline auto somCall(Object* object, somMToken token, Args... args)
{
    return reinterpret_cast<Proc>(ResolveMethod(object, token))(object, args...);
}
#endif

#endif // TOOLTRAY_RUNTIME_SOM_H
