// The constant description from which BuildClass builds a class.
//
// Every field is one machine word on the 32-bit platform the format was made for: counts and codes
// are 32-bit integers, everything else is an address. Names are given as NameIds: the address of a
// cell that holds the address of a NUL-terminated ASCII name.
#ifndef TOOLTRAY_RUNTIME_SOM_DESCRIPTION_H
#define TOOLTRAY_RUNTIME_SOM_DESCRIPTION_H

#include "som.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef const char* const* NameId;

enum {
    SOM_DESCRIPTION_LAYOUT_LEVEL = 4,
    SOM_INHERIT_FIRST_PARENT = 1,
    SOM_RESULT_KIND_DEFAULT = 0,
    SOM_RESULT_KIND_UNSIGNED_SHORT = 12,
};

typedef struct MethodCallInfo {
    int32_t resultKind;
    int32_t argumentBytes; // the whole argument list on the 32-bit platform, object included
    const void* reserved;  // null
} MethodCallInfo;

typedef struct MethodStubInfo {
    somMethodProc redispatchStub; // null
    somMethodProc applyStub;      // null
    const MethodCallInfo* callInfo;
} MethodStubInfo;

typedef struct MethodEntry {
    somMToken* tokenSlot;     // this method's cell in the class data record
    const NameId* name;       // "GetSize"
    const NameId* descriptor; // "::ToolTray::GetSize"
    somMethodProc procedure;
    intptr_t redispatch; // -1: the apply field below refers to data
    const MethodStubInfo* apply;
} MethodEntry;

typedef struct OverrideEntry {
    const NameId* name; // "SOMObject::somInit"
    somMethodProc procedure;
} OverrideEntry;

typedef struct ClassDescription {
    int32_t layoutLevel;            //  1: SOM_DESCRIPTION_LAYOUT_LEVEL
    int32_t numMethods;             //  2: rows of the method table
    int32_t numOverrides;           //  3: rows of the override table
    int32_t numFurtherTables[3];    //  4-6: 0
    int32_t majorVersion;           //  7
    int32_t minorVersion;           //  8
    int32_t instanceDataSize;       //  9: bytes of the class's own instance data
    int32_t maxMethods;             // 10: at least numMethods
    int32_t numParents;             // 11: 1
    NameId className;               // 12
    NameId explicitMetaclass;       // 13: null
    int32_t implicitMetaclass;      // 14: 1
    const NameId* parentNames;      // 15: numParents NameIds
    void* classData;                // 16: class object, then one token per method
    void* auxClassData;             // 17: somCClassDataStructure
    const MethodEntry* methods;     // 18
    const OverrideEntry* overrides; // 19
    const void* furtherTables[5];   // 20-24: null
    int32_t instanceAlignment;      // 25: a power of two up to 4096, honoured by NewObject
    int32_t declaredInitialisers;   // 26: -1
    const void* initialiserList;    // 27: null
    int32_t reserved[6];            // 28-33: 0
    int32_t numMethodTokens;        // 34: equals numMethods
} ClassDescription;

#ifdef __cplusplus
} // extern "C"
#endif

#endif // TOOLTRAY_RUNTIME_SOM_DESCRIPTION_H
