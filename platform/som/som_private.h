// Internals of the object runtime: class records, method tables and tokens.
#ifndef PLATFORM_SOM_SOM_PRIVATE_H
#define PLATFORM_SOM_SOM_PRIVATE_H

#include "runtime/som.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace som {

// Every instance, and every class's data within it, starts on a boundary fit for each fundamental
// type of the platform, whatever alignment a description asks for: a class's data may hold any of
// them. That is more than pointer alignment on 32-bit Windows, where int64_t and double need 8
// bytes and pointers 4 (on i386 Linux all need 4; on x86_64 long double needs 16).
constexpr uint32_t kInstanceAlignment =
    std::max({alignof(long long), alignof(double), alignof(long double), alignof(void*),
              alignof(void (*)())});

} // namespace som

// A method token names one slot: the index its method has in the table of the class that
// introduced it and, because tables are copied down the chain, in every descendant's table too.
struct somMethodTokenRec {
    uint32_t index;
    const SOMClass* introducer;
    std::string qualifiedName; // "ToolTray::GetSize"
};

// What every object's header points at. The slots follow the header in the same block, so a
// resolution is one load of the header, one of the token's index and one of the slot.
struct somMethodTable {
    SOMClass* classObject;
    uint32_t count;
    struct Slot {
        somMToken token;
        somMethodProc procedure;
    } slots[]; // count entries
};

// A class's view of its parents' tables, handed out as its parentMethodTables.
struct somParentTables {
    int32_t count;
    const somMethodTable* tables[1];
};

struct SOMClass {
    std::string name;
    SOMClass* parent = nullptr;
    const ClassDescription* description = nullptr; // null for the root
    somMethodTable* methods = nullptr;             // owned, sized for count slots
    std::vector<std::unique_ptr<somMethodTokenRec>> ownTokens;
    somParentTables parents{};
    uint32_t instanceSize = 0; // bytes, header included
    // Where an instance must start: the largest alignment asked for by the class or an ancestor.
    uint32_t objectAlignment = som::kInstanceAlignment;
    uint32_t dataOffset = 0; // where this class's own instance data starts
    uint32_t dataProcIndex = 0;
    int32_t majorVersion = 0;
    int32_t minorVersion = 0;

    ~SOMClass();
};

namespace som {

// What the runtime's allocator is relied on to align blocks to: malloc's promise on every platform
// this runs on (8 bytes on 32-bit Windows). Instances that need more are placed by NewObject.
constexpr uint32_t kAllocatorAlignment = 2 * sizeof(void*);

// The root class, built on first use; null while memory for it is short (a later call tries
// again).
SOMClass* RootClass() noexcept;

// Allocates a method table with room for count slots; null when memory is short.
somMethodTable* NewMethodTable(SOMClass* owner, uint32_t count);

// The instance-data procedure for pool index i, after its offset has been set.
somDataProc DataProc(uint32_t index, uint32_t offset);
constexpr uint32_t kMaxClasses = 1024;

// Records a failure of a host-facing call for GetLastBuildError and the thread's environment.
void SetBuildError(std::string message) noexcept;
void SetBuildErrorText(const char* text) noexcept; // text of static storage
void ClearBuildError() noexcept;
void RaiseSystemException(const char* call, const char* message) noexcept;

} // namespace som

#endif
