// SOMObject, the root of every class: somInit and somUninit, both doing nothing, so a class that
// needs neither inherits harmless defaults.
#include "platform/som/class_table.h"

namespace {

SOMObjectClassDataStructure g_classData;

void SOMLINK RootInit(SOMObject*) {}
void SOMLINK RootUninit(SOMObject*) {}

SOMClass* BuildRoot()
{
    auto cls = std::make_unique<SOMClass>();
    cls->name = "SOMObject";
    cls->instanceSize = sizeof(SOMObject);
    cls->dataOffset = sizeof(SOMObject);
    cls->majorVersion = 1;
    cls->methods = som::NewMethodTable(cls.get(), 2);
    if (!cls->methods)
        std::abort(); // nothing works without the root; only reachable when memory is gone at start
    const somMethodProc procs[2] = {reinterpret_cast<somMethodProc>(&RootInit),
                                    reinterpret_cast<somMethodProc>(&RootUninit)};
    const char* const names[2] = {"SOMObject::somInit", "SOMObject::somUninit"};
    for (uint32_t i = 0; i < 2; ++i) {
        auto token = std::make_unique<somMethodTokenRec>(somMethodTokenRec{i, cls.get(), names[i]});
        cls->methods->slots[i] = {token.get(), procs[i]};
        cls->ownTokens.push_back(std::move(token));
    }
    SOMClass* root = cls.get();
    g_classData.classObject = root;
    g_classData.somInit = root->ownTokens[0].get();
    g_classData.somUninit = root->ownTokens[1].get();

    auto& table = som::ClassTable::Instance();
    std::lock_guard lock(table.Lock());
    table.Insert(std::move(cls));
    return root;
}

} // namespace

namespace som {

SOMClass* RootClass()
{
    static SOMClass* const root = BuildRoot();
    return root;
}

} // namespace som

extern "C" SOMObjectClassDataStructure* resolve_SOMObjectClassData(void)
{
    som::RootClass();
    return &g_classData;
}
