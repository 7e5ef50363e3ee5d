// Class descriptions decoded from the input: a sound description, then any of its fields changed
// (counts, versions, sizes, alignment, names, parents, tables, method and override rows). Whatever
// BuildClass answers must be one of two things:
//   built:   FindClass(name) is the class; a new class was built from this very description (its
//            class data filled, every new method resolving to its procedure, instances made and
//            freed, their data aligned as asked), or an existing class of that name is returned
//            for a description equal to its own;
//   refused: a message from GetLastBuildError and in the environment record, no class of that
//            name that was not there before, and the class data records untouched.
// Each input makes up to four descriptions. Their names are new to the process or taken: by the
// framework, or by an earlier description of the same input, so that every input means the same
// whatever ran before it. A built class's description is kept for the rest of the process, as the
// runtime requires.
#include "fuzz/fuzz_checks.h"
#include "fuzz/fuzz_input.h"
#include "runtime/kxcore.h"
#include "runtime/som_description.h"
#include "tooltray/tooltray.h"

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kMaxMethods = 6;
constexpr int kMaxOverrides = 4;
constexpr int kNewNames = 100000; // then names come round again, and are taken
int g_calls = 0;                  // calls of the procedures below
void SOMLINK ProcA(SOMObject*, Environment*) { ++g_calls; }
void SOMLINK ProcB(SOMObject*, Environment*) { ++g_calls; }
void SOMLINK InitOverride(SOMObject*) { ++g_calls; }

somMethodProc Proc(int which)
{
    switch (which) {
    case 0:
        return reinterpret_cast<somMethodProc>(&ProcA);
    case 1:
        return reinterpret_cast<somMethodProc>(&ProcB);
    default:
        return nullptr;
    }
}

// A name and the cells that make it a NameId; `absent` gives a null NameId, `nullCell` a NameId
// whose cell holds null.
struct Name {
    std::string text;
    const char* cell = nullptr;
    NameId id = nullptr;
    void Set(const std::string& s, bool absent = false, bool nullCell = false)
    {
        text = s;
        cell = nullCell ? nullptr : text.c_str();
        id = absent ? nullptr : &cell;
    }
    const char* Text() const { return id && *id ? *id : nullptr; }
};

// Everything one description points into. Never moved once filled.
struct Storage {
    ClassDescription d{};
    Name className, parentName;
    Name methodNames[kMaxMethods], descriptors[kMaxMethods], overrideNames[kMaxOverrides];
    MethodCallInfo calls[kMaxMethods]{};
    MethodStubInfo stubs[kMaxMethods]{};
    // One zeroed row past the most a description uses: a count changed to one more than the rows
    // filled then reads a row with no name, which must be refused, instead of running into the
    // next member. The runtime cannot know a table's length; a count past the table is the
    // describer's fault, not something a check can catch.
    MethodEntry methods[kMaxMethods + 1]{};
    OverrideEntry overrides[kMaxOverrides + 1]{};
    somMToken classData[1 + kMaxMethods + 2]{}; // the class object, the tokens, spare cells
    somCClassDataStructure aux{};
};

std::vector<std::unique_ptr<Storage>>& Kept()
{
    static std::vector<std::unique_ptr<Storage>> kept;
    return kept;
}

std::string NewName()
{
    static int next = 0;
    return "FuzzClass" + std::to_string(next++ % kNewNames);
}

// Existing classes to take names and parents from.
const char* const kTakenNames[] = {"SOMObject",   "KxObject",       "KxRefCntObject",
                                   "KxExtension", "KxToolSpaceObj", "ToolTray"};
const char* const kMethodNames[] = {"Alpha", "Beta", "Gamma", "Delta", "somInit", "GetSize", ""};
const char* const kOverrideNames[] = {"SOMObject::somInit",
                                      "SOMObject::somUninit",
                                      "KxObject::IsInitialized",
                                      "ToolTray::GetSize",
                                      "NoSuchClass::Method",
                                      "SOMObject::noSuch",
                                      "somInit",
                                      "",
                                      "SOMObject::",
                                      "::somInit"};

// `earlier`: the names of this input's earlier descriptions.
void Decode(FuzzInput& in, Storage& s, int& requestMajor, int& requestMinor,
            const std::vector<std::string>& earlier)
{
    ClassDescription& d = s.d;
    auto anEarlier = [&] { return earlier[in.Range(0, (int)earlier.size() - 1)]; };
    // The sound description first.
    const int nameKind = in.Range(0, 19);
    if (nameKind < 14 || (nameKind < 16 && earlier.empty()))
        s.className.Set(NewName());
    else if (nameKind < 16)
        s.className.Set(anEarlier());
    else if (nameKind < 18)
        s.className.Set(in.Pick(kTakenNames));
    else
        s.className.Set("", nameKind == 18, nameKind == 19 && in.Chance(50));
    const int parentKind = in.Range(0, 9);
    if (parentKind < 6)
        s.parentName.Set(in.Pick(kTakenNames));
    else if (parentKind < 9)
        s.parentName.Set(earlier.empty() ? "NoSuchClass" : anEarlier());
    else
        s.parentName.Set(in.Chance(50) ? "NoSuchClass" : "", in.Chance(30), in.Chance(30));

    const int numMethods = in.Range(0, kMaxMethods);
    for (int i = 0; i < numMethods; ++i) {
        const std::string method = i < 4 ? kMethodNames[i] : "M" + std::to_string(i);
        s.methodNames[i].Set(method);
        s.descriptors[i].Set("::" + s.className.text + "::" + method);
        s.calls[i] = MethodCallInfo{SOM_RESULT_KIND_DEFAULT, 8, nullptr};
        s.stubs[i] = MethodStubInfo{nullptr, nullptr, &s.calls[i]};
        s.methods[i] = MethodEntry{
            &s.classData[1 + i], &s.methodNames[i].id, &s.descriptors[i].id, Proc(i % 2), -1,
            &s.stubs[i]};
    }
    const int numOverrides = in.Range(0, kMaxOverrides);
    for (int i = 0; i < numOverrides; ++i) {
        s.overrideNames[i].Set(kOverrideNames[i % 2]);
        s.overrides[i] =
            OverrideEntry{&s.overrideNames[i].id, reinterpret_cast<somMethodProc>(&InitOverride)};
    }
    d.layoutLevel = SOM_DESCRIPTION_LAYOUT_LEVEL;
    d.numMethods = numMethods;
    d.numOverrides = numOverrides;
    d.majorVersion = 1;
    d.minorVersion = in.Range(0, 3);
    d.instanceDataSize = in.Pick({0, 4, 8, 12, 64});
    d.maxMethods = numMethods;
    d.numParents = 1;
    d.className = s.className.id;
    d.implicitMetaclass = 1;
    d.parentNames = &s.parentName.id;
    d.classData = s.classData;
    d.auxClassData = &s.aux;
    d.methods = s.methods;
    d.overrides = s.overrides;
    d.instanceAlignment = in.Pick({1, 2, 4, 8, 16});
    d.declaredInitialisers = -1;
    d.numMethodTokens = numMethods;
    requestMajor = in.Pick({0, 0, 1, 2});
    requestMinor = in.Pick({0, 0, 1, 4});

    // Then changes, each anywhere a field can go wrong.
    const int changes = in.Range(0, 4);
    for (int c = 0; c < changes; ++c) {
        const int m = numMethods ? in.Range(0, numMethods - 1) : 0;
        const int o = numOverrides ? in.Range(0, numOverrides - 1) : 0;
        switch (in.Range(0, 25)) {
        case 0:
            d.layoutLevel = in.Pick({0, 3, 5, -1});
            break;
        case 1:
            d.numMethods = in.Pick({-1, numMethods + 1, 1 << 30, -0x7FFFFFFF - 1});
            break;
        case 2:
            d.numOverrides = in.Pick({-1, numOverrides + 1, 1 << 30});
            break;
        case 3:
            d.numFurtherTables[in.Range(0, 2)] = in.Pick({1, -1});
            break;
        case 4:
            d.majorVersion = in.Pick({0, 2, -1});
            d.minorVersion = in.Pick({0, -1, 0x7FFFFFFF});
            break;
        case 5:
            d.instanceDataSize = in.Pick({-1, -4096, 1 << 20, 0x7FFFFFFF, 3, 1});
            break;
        case 6:
            d.maxMethods = in.Pick({numMethods - 1, numMethods + 5, -1, 0x7FFFFFFF});
            break;
        case 7:
            d.numParents = in.Pick({0, 2, -1});
            break;
        case 8:
            d.className = nullptr;
            break;
        case 9:
            d.parentNames = nullptr;
            break;
        case 10:
            d.classData = nullptr;
            break;
        case 11:
            d.auxClassData = nullptr;
            break;
        case 12:
            d.methods = nullptr;
            break;
        case 13:
            d.overrides = nullptr;
            break;
        case 14:
            d.furtherTables[in.Range(0, 4)] = &s.aux;
            break;
        case 15:
            d.instanceAlignment = in.Pick({0, -1, 3, 6, 32, 64, 256, 4096, 1 << 30});
            break;
        case 16:
            d.declaredInitialisers = in.Pick({0, 1, -2});
            d.initialiserList = in.Chance(50) ? &s.aux : nullptr;
            break;
        case 17:
            d.numMethodTokens = in.Pick({numMethods + 1, numMethods - 1, -1});
            break;
        case 18:
            d.explicitMetaclass = in.Chance(50) ? s.parentName.id : nullptr;
            d.implicitMetaclass = in.Pick({0, 1, 2});
            break;
        case 19: // a method's token slot: none, shared with another, or the class object's
            if (numMethods)
                s.methods[m].tokenSlot = in.Pick<somMToken*, 3>(
                    {nullptr, &s.classData[1 + (m + 1) % numMethods], &s.classData[0]});
            break;
        case 20: // a method's name: none, empty, another's, or a taken one
            if (numMethods) {
                const int k = in.Range(0, 3);
                if (k == 0)
                    s.methods[m].name = nullptr;
                else
                    s.methodNames[m].Set(k == 1   ? ""
                                         : k == 2 ? s.methodNames[(m + 1) % numMethods].text
                                                  : std::string(in.Pick(kMethodNames)),
                                         false, k == 1 && in.Chance(50));
            }
            break;
        case 21:
            if (numMethods) {
                if (in.Chance(50))
                    s.methods[m].descriptor = nullptr;
                else
                    s.descriptors[m].Set("", in.Chance(30), in.Chance(30));
            }
            break;
        case 22:
            if (numMethods)
                s.methods[m].procedure = nullptr;
            break;
        case 23:
            if (numMethods) {
                s.methods[m].apply = in.Chance(50) ? nullptr : s.methods[m].apply;
                s.calls[m].argumentBytes = in.Pick({-1, 0, 7, 1 << 20});
                s.calls[m].resultKind = in.Pick({-1, 12, 99});
            }
            break;
        case 24:
            if (numOverrides) {
                if (in.Chance(30))
                    s.overrides[o].name = nullptr;
                else if (!earlier.empty() && in.Chance(30)) // an earlier class's method
                    s.overrideNames[o].Set(anEarlier() + "::" + in.Pick(kMethodNames));
                else
                    s.overrideNames[o].Set(in.Pick(kOverrideNames), false, in.Chance(10));
            }
            break;
        default:
            if (numOverrides)
                s.overrides[o].procedure = nullptr;
            break;
        }
    }
}

const char* NameOf(const NameId* cell) { return cell && *cell && **cell ? **cell : nullptr; }
bool SameText(const char* a, const char* b)
{
    return (!a && !b) || (a && b && std::strcmp(a, b) == 0);
}

// Whether two descriptions say the same thing: same name, parent, versions, instance layout and
// the same methods and overrides with the same procedures.
bool Equivalent(const ClassDescription& a, const ClassDescription& b)
{
    if (a.numMethods != b.numMethods || a.numOverrides != b.numOverrides ||
        a.majorVersion != b.majorVersion || a.minorVersion != b.minorVersion ||
        a.instanceDataSize != b.instanceDataSize || a.instanceAlignment != b.instanceAlignment ||
        !SameText(NameOf(&a.className), NameOf(&b.className)) ||
        !SameText(NameOf(a.parentNames), NameOf(b.parentNames)) ||
        (a.numMethods > 0 && (!a.methods || !b.methods)) ||
        (a.numOverrides > 0 && (!a.overrides || !b.overrides)))
        return false;
    for (int i = 0; i < a.numMethods; ++i)
        if (!SameText(NameOf(a.methods[i].name), NameOf(b.methods[i].name)) ||
            a.methods[i].procedure != b.methods[i].procedure)
            return false;
    for (int i = 0; i < a.numOverrides; ++i)
        if (!SameText(NameOf(a.overrides[i].name), NameOf(b.overrides[i].name)) ||
            a.overrides[i].procedure != b.overrides[i].procedure)
            return false;
    return true;
}

bool Untouched(const Storage& s)
{
    for (somMToken t : s.classData)
        if (t)
            return false;
    return !s.aux.parentMethodTables && !s.aux.instanceDataToken;
}

// A new class built from s: records filled, methods resolving, instances made and freed.
std::string CheckNewClass(SOMClass* cls, const Storage& s, const char* name)
{
    const ClassDescription& d = s.d;
    if (DescriptionOf(cls) != &d)
        return "the built class does not carry its description";
    if (!SameText(ClassName(cls), name))
        return "the built class has another name";
    if (ParentOf(cls) != FindClass(NameOf(d.parentNames)))
        return "the built class's parent is not the class its description names";
    if (reinterpret_cast<SOMClass*>(s.classData[0]) != cls || !s.aux.instanceDataToken)
        return "class data not filled";
    // Instances only of modest size: a huge one would only measure the allocator.
    if (d.instanceDataSize > 65536)
        return {};
    // A few instances alive at once: whether the allocator happens to return blocks aligned as
    // asked then no longer decides alone whether an unhonoured alignment shows.
    constexpr int kInstances = 4;
    SOMObject* objects[kInstances] = {};
    std::string failure;
    for (SOMObject*& object : objects)
        if (failure.empty() && !(object = NewObject(cls)))
            failure = "NewObject failed for a built class";
    for (int i = 0; i < d.numMethods && failure.empty(); ++i) {
        const somMToken token = *d.methods[i].tokenSlot;
        if (!token)
            failure = "method " + std::to_string(i) + " has no token";
        else if (ResolveMethod(objects[0], token) != d.methods[i].procedure)
            failure = "method " + std::to_string(i) + " resolves to another procedure";
        else
            reinterpret_cast<void(SOMLINK*)(SOMObject*, Environment*)>(
                ResolveMethod(objects[0], token))(objects[0], GetGlobalEnvironment());
    }
    for (SOMObject* object : objects) {
        if (!failure.empty())
            break;
        const auto data = reinterpret_cast<uintptr_t>(s.aux.instanceDataToken(object));
        const auto start = reinterpret_cast<uintptr_t>(object);
        if (data < start + sizeof(SOMObject))
            failure = "instance data overlaps the object header";
        else if (d.instanceAlignment > 1 && data % d.instanceAlignment != 0)
            failure = "instance data at " + std::to_string(data % d.instanceAlignment) +
                      " past a multiple of the asked alignment " +
                      std::to_string(d.instanceAlignment);
        else if (d.instanceDataSize > 0) // the whole of it is the object's
            std::memset(reinterpret_cast<void*>(data), 0xa5,
                        static_cast<size_t>(d.instanceDataSize));
    }
    for (SOMObject* object : objects)
        FreeObject(object);
    return failure;
}

std::string CheckOne(FuzzInput& in, std::vector<std::string>& names)
{
    auto storage = std::make_unique<Storage>();
    Storage& s = *storage;
    int major = 0, minor = 0;
    Decode(in, s, major, minor, names);
    const char* name = NameOf(&s.d.className);
    if (name)
        names.push_back(name);
    SOMClass* before = name ? FindClass(name) : nullptr;

    Environment* ev = GetGlobalEnvironment();
    ExceptionFree(ev);
    SOMClass* cls =
        BuildClass(in.Chance(90) ? SOM_INHERIT_FIRST_PARENT : in.Range(0, 3), &s.d, major, minor);
    const std::string error = GetLastBuildError();
    const std::string who = std::string("class ") + (name ? name : "(no name)") + ": ";

    if (!cls) {
        const bool reported =
            ev->major == SOM_SYSTEM_EXCEPTION && ev->exceptionParam && *ev->exceptionParam;
        ExceptionFree(ev);
        if (error.empty())
            return who + "refused without a message";
        if (!reported)
            return who + "refused without an exception in the environment: " + error;
        if (name && FindClass(name) != before)
            return who + "refused, but a class of that name now exists: " + error;
        if (!Untouched(s))
            return who + "refused, but its class data records were written: " + error;
        return {};
    }
    if (!error.empty())
        return who + "built, but GetLastBuildError still says " + error;
    if (!name)
        return who + "built without a name";
    if (FindClass(name) != cls)
        return who + "built, but FindClass finds another class";
    if (before) {
        if (cls != before)
            return who + "a second class under a taken name";
        const ClassDescription* theirs = DescriptionOf(before);
        if (!theirs || !Equivalent(*theirs, s.d))
            return who + "a taken name gave back the existing class for a different description";
        return {};
    }
    std::string failure = CheckNewClass(cls, s, name);
    Kept().push_back(std::move(storage)); // the class points into it from now on
    return failure.empty() ? "" : who + failure;
}

} // namespace

std::string CheckClassDescription(const uint8_t* data, size_t size)
{
    // Parents to build on: the framework and the palette class.
    static const bool ready = KxToolSpaceObjNewClass(1, 0) && ToolTrayNewClass(1, 0);
    if (!ready)
        return std::string("setting up failed: ") + GetLastBuildError();
    // Several descriptions per input, so that one input can show what a name taken by an earlier
    // description does.
    FuzzInput in(data, size);
    std::vector<std::string> names;
    for (int i = 0; i < 4 && !in.AtEnd(); ++i)
        if (std::string failure = CheckOne(in, names); !failure.empty())
            return "description " + std::to_string(i) + ", " + failure;
    return {};
}
