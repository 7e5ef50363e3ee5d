// BuildClass: checks the whole description first, one named check per rule, and only then builds.
// A failed check leaves nothing behind: no class in the table, no write to the class data.
#include "platform/som/class_table.h"
#include "runtime/som_description.h"

#include <cstring>
#include <new>
#include <set>

namespace {

const char* NameOf(NameId id) { return id && *id && **id ? *id : nullptr; }
const char* NameAt(const NameId* cell) { return cell ? NameOf(*cell) : nullptr; }

std::string Quote(const char* s) { return s ? "\"" + std::string(s) + "\"" : "null"; }

// Everything the checks learn and the build then uses.
struct Plan {
    const ClassDescription* d = nullptr;
    std::string name;
    SOMClass* parent = nullptr;
    uint32_t alignment = 1;
    uint32_t dataOffset = 0;
    uint32_t instanceSize = 0;
    std::vector<std::string> qualifiedNames; // of the new methods
    std::vector<uint32_t> overrideSlots;     // slot each override writes over
};

using Error = std::string; // empty: the check passed

std::string Field(const Plan& p, const std::string& field) { return p.name + ": " + field + ": "; }

Error CheckLayoutLevel(const Plan& p)
{
    if (p.d->layoutLevel != SOM_DESCRIPTION_LAYOUT_LEVEL)
        return Field(p, "layoutLevel") + "is " + std::to_string(p.d->layoutLevel) +
               ", this runtime reads level " + std::to_string(SOM_DESCRIPTION_LAYOUT_LEVEL);
    return {};
}

Error CheckCounts(const Plan& p)
{
    const ClassDescription& d = *p.d;
    if (d.numMethods < 0)
        return Field(p, "numMethods") + "is negative (" + std::to_string(d.numMethods) + ")";
    if (d.numOverrides < 0)
        return Field(p, "numOverrides") + "is negative (" + std::to_string(d.numOverrides) + ")";
    for (int i = 0; i < 3; ++i)
        if (d.numFurtherTables[i] != 0)
            return Field(p, "numFurtherTables[" + std::to_string(i) + "]") + "is " +
                   std::to_string(d.numFurtherTables[i]) + ", this runtime supports none";
    if (d.maxMethods < d.numMethods)
        return Field(p, "maxMethods") + std::to_string(d.maxMethods) + " is less than numMethods " +
               std::to_string(d.numMethods);
    if (d.numMethodTokens != d.numMethods)
        return Field(p, "numMethodTokens") + std::to_string(d.numMethodTokens) +
               " differs from numMethods " + std::to_string(d.numMethods);
    return {};
}

Error CheckTables(const Plan& p)
{
    const ClassDescription& d = *p.d;
    if (!d.classData)
        return Field(p, "classData") + "is null";
    if (!d.auxClassData)
        return Field(p, "auxClassData") + "is null";
    if (d.numMethods > 0 && !d.methods)
        return Field(p, "methods") + "is null but numMethods is " + std::to_string(d.numMethods);
    if (d.numOverrides > 0 && !d.overrides)
        return Field(p, "overrides") + "is null but numOverrides is " +
               std::to_string(d.numOverrides);
    return {};
}

Error CheckParent(Plan& p, const som::ClassTable& table)
{
    const ClassDescription& d = *p.d;
    if (d.numParents != 1)
        return Field(p, "numParents") + "is " + std::to_string(d.numParents) +
               ", this runtime builds classes with exactly one parent";
    const char* parentName = d.parentNames ? NameOf(d.parentNames[0]) : nullptr;
    if (!parentName)
        return Field(p, "parentNames[0]") + "is null";
    p.parent = table.Find(parentName);
    if (!p.parent)
        return Field(p, "parentNames[0]") + "names " + Quote(parentName) +
               ", which is not a built class";
    return {};
}

Error CheckVersion(const std::string& name, int32_t haveMajor, int32_t haveMinor, int32_t major,
                   int32_t minor)
{
    // Major 0 asks for any version; otherwise the major must match and the class must be at least
    // as new as the minor asked for.
    if (major != 0 && major != haveMajor)
        return name + ": majorVersion: " + std::to_string(major) + " requested, class has " +
               std::to_string(haveMajor);
    if (minor > haveMinor)
        return name + ": minorVersion: " + std::to_string(minor) + " requested, class has " +
               std::to_string(haveMinor);
    return {};
}

Error CheckInstanceLayout(Plan& p)
{
    const ClassDescription& d = *p.d;
    if (d.instanceDataSize < 0)
        return Field(p, "instanceDataSize") + "is negative (" + std::to_string(d.instanceDataSize) +
               ")";
    const int32_t a = d.instanceAlignment;
    if (a <= 0 || a > 4096 || (a & (a - 1)) != 0)
        return Field(p, "instanceAlignment") + std::to_string(a) +
               " is not a power of two up to 4096";
    // A description's alignment only ever adds to the runtime's own (kInstanceAlignment).
    p.alignment = std::max<uint32_t>(static_cast<uint32_t>(a), som::kInstanceAlignment);
    const uint64_t offset =
        (uint64_t{p.parent->instanceSize} + p.alignment - 1) / p.alignment * p.alignment;
    const uint64_t end = offset + static_cast<uint64_t>(d.instanceDataSize);
    const uint64_t size =
        (end + som::kInstanceAlignment - 1) / som::kInstanceAlignment * som::kInstanceAlignment;
    if (size > INT32_MAX)
        return Field(p, "instanceDataSize") + "makes instances larger than 2 GiB";
    p.dataOffset = static_cast<uint32_t>(offset);
    p.instanceSize = static_cast<uint32_t>(size);
    return {};
}

Error CheckMethods(Plan& p)
{
    const ClassDescription& d = *p.d;
    // Token i's cell follows the class object and i earlier tokens (CheckTables made sure the
    // record exists).
    auto* const tokenCells =
        reinterpret_cast<somMToken*>(static_cast<char*>(d.classData) + sizeof(SOMClass*));
    std::set<std::string, std::less<>> seen;
    for (int32_t i = 0; i < d.numMethods; ++i) {
        const MethodEntry& m = d.methods[i];
        const std::string at = "methods[" + std::to_string(i) + "]";
        const char* name = NameAt(m.name);
        if (!name)
            return Field(p, at + ".name") + "is null";
        const std::string label = at + " (" + name + ")";
        if (m.tokenSlot != tokenCells + i)
            return Field(p, label + ".tokenSlot") + "is not token " + std::to_string(i) +
                   " of the class data";
        const std::string expected = "::" + p.name + "::" + name;
        const char* descriptor = NameAt(m.descriptor);
        if (!descriptor || expected != descriptor)
            return Field(p, label + ".descriptor") + "is " + Quote(descriptor) + ", expected " +
                   Quote(expected.c_str());
        if (!m.procedure)
            return Field(p, label + ".procedure") + "is null";
        if (!seen.insert(name).second)
            return Field(p, label + ".name") + "duplicates an earlier method of the class";
        p.qualifiedNames.push_back(expected.substr(2));
    }
    return {};
}

// The slot of the inherited method with that qualified name, or -1.
int64_t FindInherited(const SOMClass* parent, std::string_view qualifiedName)
{
    const somMethodTable* t = parent->methods;
    for (uint32_t i = 0; i < t->count; ++i)
        if (t->slots[i].token->qualifiedName == qualifiedName)
            return i;
    return -1;
}

Error CheckOverrides(Plan& p)
{
    const ClassDescription& d = *p.d;
    std::set<uint32_t> seen;
    for (int32_t i = 0; i < d.numOverrides; ++i) {
        const OverrideEntry& o = d.overrides[i];
        const std::string at = "overrides[" + std::to_string(i) + "]";
        const char* name = NameAt(o.name);
        if (!name)
            return Field(p, at + ".name") + "is null";
        std::string_view qualified = name;
        if (qualified.substr(0, 2) == "::")
            qualified.remove_prefix(2);
        const int64_t slot = FindInherited(p.parent, qualified);
        if (slot < 0)
            return Field(p, at + ".name") + Quote(name) + " names no method of an ancestor";
        if (!o.procedure)
            return Field(p, at + " (" + name + ").procedure") + "is null";
        if (!seen.insert(static_cast<uint32_t>(slot)).second)
            return Field(p, at + ".name") + Quote(name) + " is overridden twice";
        p.overrideSlots.push_back(static_cast<uint32_t>(slot));
    }
    return {};
}

Error CheckCapacity(const Plan& p, const som::ClassTable& table)
{
    if (table.Size() >= som::kMaxClasses)
        return p.name + ": the runtime already holds its limit of " +
               std::to_string(som::kMaxClasses) + " classes";
    const uint64_t slots = uint64_t{p.parent->methods->count} + uint64_t(p.d->numMethods);
    if (slots > UINT32_MAX / 2)
        return Field(p, "numMethods") + "makes the method table too large";
    return {};
}

// Builds the checked plan. Null when memory is short; nothing is then registered.
std::unique_ptr<SOMClass> Build(const Plan& p, uint32_t dataProcIndex) noexcept
try {
    const ClassDescription& d = *p.d;
    auto cls = std::make_unique<SOMClass>();
    cls->name = p.name;
    cls->parent = p.parent;
    cls->description = &d;
    cls->instanceSize = p.instanceSize;
    cls->dataOffset = p.dataOffset;
    cls->objectAlignment = std::max(p.parent->objectAlignment, p.alignment);
    cls->dataProcIndex = dataProcIndex;
    cls->majorVersion = d.majorVersion;
    cls->minorVersion = d.minorVersion;
    cls->parents.count = 1;
    cls->parents.tables[0] = p.parent->methods;

    // The table starts as a copy of the parent's; new methods follow; overrides are written over.
    const somMethodTable* inherited = p.parent->methods;
    const uint32_t count = inherited->count + static_cast<uint32_t>(d.numMethods);
    cls->methods = som::NewMethodTable(cls.get(), count);
    if (!cls->methods)
        return nullptr;
    std::memcpy(cls->methods->slots, inherited->slots,
                inherited->count * sizeof(inherited->slots[0]));
    for (int32_t i = 0; i < d.numMethods; ++i) {
        const uint32_t index = inherited->count + static_cast<uint32_t>(i);
        auto token = std::make_unique<somMethodTokenRec>(
            somMethodTokenRec{index, cls.get(), p.qualifiedNames[static_cast<size_t>(i)]});
        cls->methods->slots[index] = {token.get(), d.methods[i].procedure};
        cls->ownTokens.push_back(std::move(token));
    }
    for (size_t i = 0; i < p.overrideSlots.size(); ++i)
        cls->methods->slots[p.overrideSlots[i]].procedure = d.overrides[i].procedure;
    return cls;
} catch (const std::bad_alloc&) {
    return nullptr;
}

SOMClass* Fail(const std::string& message)
{
    som::SetBuildError(message);
    return nullptr;
}

// BuildClass, free to throw std::bad_alloc while it checks and builds: until the class is in the
// table nothing is registered or written, and after that nothing allocates.
SOMClass* CheckAndBuild(int32_t inheritMask, const ClassDescription* description,
                        int32_t majorVersion, int32_t minorVersion)
{
    if (!som::RootClass())
        throw std::bad_alloc();
    if (!description)
        return Fail("BuildClass: the class description is null");
    Plan p;
    p.d = description;
    const char* name = NameOf(description->className);
    if (!name)
        return Fail("BuildClass: className is null");
    p.name = name;

    auto& table = som::ClassTable::Instance();
    std::lock_guard lock(table.Lock());

    // A class built from this very description is handed back as it is; its class data stay
    // untouched. The name taken by another description (another library's class, or a host's) is
    // refused: that class's tokens are not the ones this description's class data would need.
    if (SOMClass* existing = table.Find(p.name)) {
        if (existing->description != description)
            return Fail(p.name + ": className: " + Quote(name) +
                        " is already the name of a class built from another description");
        if (Error e = CheckVersion(p.name, existing->majorVersion, existing->minorVersion,
                                   majorVersion, minorVersion);
            !e.empty())
            return Fail(e);
        som::ClearBuildError();
        return existing;
    }

    if (inheritMask != SOM_INHERIT_FIRST_PARENT)
        return Fail(p.name + ": inheritMask: is " + std::to_string(inheritMask) +
                    ", this runtime inherits from the first parent only (1)");
    Error e = CheckLayoutLevel(p);
    if (e.empty())
        e = CheckCounts(p);
    if (e.empty())
        e = CheckTables(p);
    if (e.empty())
        e = CheckParent(p, table);
    if (e.empty())
        e = CheckVersion(p.name, description->majorVersion, description->minorVersion, majorVersion,
                         minorVersion);
    if (e.empty())
        e = CheckInstanceLayout(p);
    if (e.empty())
        e = CheckMethods(p);
    if (e.empty())
        e = CheckOverrides(p);
    if (e.empty())
        e = CheckCapacity(p, table);
    if (!e.empty())
        return Fail(e);

    const uint32_t dataProcIndex = table.Size();
    std::unique_ptr<SOMClass> cls = Build(p, dataProcIndex);
    if (!cls)
        return Fail(p.name + ": out of memory while building the class");
    SOMClass* built = cls.get();
    try {
        table.Insert(std::move(cls));
    } catch (const std::bad_alloc&) {
        return Fail(p.name + ": out of memory while registering the class");
    }

    // Published last, once the class is complete.
    auto* aux = static_cast<somCClassDataStructure*>(description->auxClassData);
    aux->parentMethodTables = &built->parents;
    aux->instanceDataToken = som::DataProc(dataProcIndex, built->dataOffset);
    auto* classData = static_cast<somClassDataStructure*>(description->classData);
    for (int32_t i = 0; i < description->numMethods; ++i)
        *description->methods[i].tokenSlot = built->ownTokens[static_cast<size_t>(i)].get();
    classData->classObject = built;
    som::ClearBuildError();
    return built;
}

} // namespace

extern "C" SOMClass* BuildClass(int32_t inheritMask, const ClassDescription* description,
                                int32_t majorVersion, int32_t minorVersion) noexcept
{
    try {
        return CheckAndBuild(inheritMask, description, majorVersion, minorVersion);
    } catch (const std::bad_alloc&) {
        // Also when memory ran out while the reason for another failure was being written.
        som::SetBuildErrorText("BuildClass: out of memory");
    } catch (...) {
        som::SetBuildErrorText("BuildClass: the class table could not be locked");
    }
    return nullptr;
}
