// The ToolTray class: its constant description, its class data and the three exported entry
// points. Everything here is constant data the loader relocates; loading runs no code of ours.
#include "runtime/som_description.h"
#include "tooltray/tooltray_private.h"

namespace tooltray {

ToolTrayClassDataStructure ClassData;
ToolTrayCClassDataStructure CClassData;

} // namespace tooltray

namespace {

// Carried in the module's read-only data for anyone inspecting the file; no code reads it.
[[gnu::used]] const char kModuleDescription[] = "ToolTray Class Library";

const char* const kClassName = "ToolTray";
const char* const kParentName = "KxExtension";
const NameId kParentNames[1] = {&kParentName};

#define NAME(index, name, bytes, kind) #name,
const char* const kMethodNames[] = {TOOLTRAY_METHODS(NAME)};
#undef NAME
#define DESCRIPTOR(index, name, bytes, kind) "::ToolTray::" #name,
const char* const kDescriptors[] = {TOOLTRAY_METHODS(DESCRIPTOR)};
#undef DESCRIPTOR
#define NAME_ID(index, name, bytes, kind) &kMethodNames[index],
const NameId kMethodNameIds[] = {TOOLTRAY_METHODS(NAME_ID)};
#undef NAME_ID
#define DESCRIPTOR_ID(index, name, bytes, kind) &kDescriptors[index],
const NameId kDescriptorIds[] = {TOOLTRAY_METHODS(DESCRIPTOR_ID)};
#undef DESCRIPTOR_ID
#define CALL_INFO(index, name, bytes, kind) {kind, bytes, nullptr},
const MethodCallInfo kCallInfo[] = {TOOLTRAY_METHODS(CALL_INFO)};
#undef CALL_INFO
#define STUB_INFO(index, name, bytes, kind) {nullptr, nullptr, &kCallInfo[index]},
const MethodStubInfo kStubInfo[] = {TOOLTRAY_METHODS(STUB_INFO)};
#undef STUB_INFO

#define METHOD_ENTRY(index, name, bytes, kind)       \
  {&tooltray::ClassData.name,                        \
   &kMethodNameIds[index],                           \
   &kDescriptorIds[index],                           \
   reinterpret_cast<somMethodProc>(&tooltray::name), \
   -1,                                               \
   &kStubInfo[index]},
const MethodEntry kMethods[] = {TOOLTRAY_METHODS(METHOD_ENTRY)};
#undef METHOD_ENTRY
constexpr int32_t kMethodCount = kToolTrayMethodCount;

const char* const kOverrideNames[] = {"SOMObject::somInit", "SOMObject::somUninit",
                                      "KxExtension::InitExtension", "KxRefCntObject::Release"};
const NameId kOverrideNameIds[] = {&kOverrideNames[0], &kOverrideNames[1], &kOverrideNames[2],
                                   &kOverrideNames[3]};
const OverrideEntry kOverrides[] = {
    {&kOverrideNameIds[0], reinterpret_cast<somMethodProc>(&tooltray::somInit)},
    {&kOverrideNameIds[1], reinterpret_cast<somMethodProc>(&tooltray::somUninit)},
    {&kOverrideNameIds[2], reinterpret_cast<somMethodProc>(&tooltray::InitExtension)},
    {&kOverrideNameIds[3], reinterpret_cast<somMethodProc>(&tooltray::Release)},
};

const ClassDescription kDescription = {
    SOM_DESCRIPTION_LAYOUT_LEVEL,
    kMethodCount,
    4, // overrides
    {0, 0, 0},
    1,
    0, // version 1.0
    // The runtime allocates what this says, so it is the real size: 80 bytes where references
    // take 4, more where they are wider.
    static_cast<int32_t>(sizeof(ToolTrayData)),
    kMethodCount,
    1, // parents
    &kClassName,
    nullptr, // no explicit metaclass
    1,       // implicit metaclass
    kParentNames,
    &tooltray::ClassData,
    &tooltray::CClassData,
    kMethods,
    kOverrides,
    {nullptr, nullptr, nullptr, nullptr, nullptr},
    1,  // instance-data alignment
    -1, // declared initialisers
    nullptr,
    {0, 0, 0, 0, 0, 0},
    kMethodCount,
};

} // namespace

extern "C" {

SOMClass* ToolTrayNewClass(int32_t majorVersion, int32_t minorVersion) noexcept
{
    // KxExtensionNewClass's answer is not ours to judge; what matters is whether the framework's
    // own KxExtension now exists. When another description took its name first, the parent that
    // BuildClass would find is not the class whose tokens InitExtension and Release resolve, so
    // nothing is built on it.
    KxExtensionNewClass(0, 0);
    if (!resolve_KxExtensionClassData()->classObject)
        return nullptr;
    // Handed back as the runtime answered: it fills the class data before it reports success and
    // reports every refusal itself.
    return BuildClass(SOM_INHERIT_FIRST_PARENT, &kDescription, majorVersion, minorVersion);
}

ToolTrayClassDataStructure* resolve_ToolTrayClassData(void) noexcept
{
    return &tooltray::ClassData;
}
ToolTrayCClassDataStructure* resolve_ToolTrayCClassData(void) noexcept
{
    return &tooltray::CClassData;
}

} // extern "C"
