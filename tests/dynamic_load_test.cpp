// Loads the class library by path, as a host does, and drives a palette through tokens and
// ResolveMethod alone: no symbol of the library is linked in.
#include "runtime/kxcore.h"
#include "runtime/som.h"
#include "tooltray/tooltray.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// The host here is written as a C host would be: plain structures with the framework's layouts,
// no geometry members (those belong to the library under test).
struct Rect {
    int32_t left, top, right, bottom;
};
struct Point {
    int32_t x, y;
};

struct Library {
    void* handle = nullptr;
    decltype(&ToolTrayNewClass) newClass = nullptr;
    decltype(&resolve_ToolTrayClassData) classData = nullptr;
    decltype(&resolve_ToolTrayCClassData) cClassData = nullptr;

    Library()
    {
        handle = dlopen(TOOLTRAY_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return;
        newClass = reinterpret_cast<decltype(newClass)>(dlsym(handle, "ToolTrayNewClass"));
        classData = reinterpret_cast<decltype(classData)>(dlsym(handle, "resolve_ToolTrayClassData"));
        cClassData = reinterpret_cast<decltype(cClassData)>(dlsym(handle, "resolve_ToolTrayCClassData"));
    }
};

Library& Loaded()
{
    static Library lib;
    return lib;
}

TEST(DynamicLoad, Accessors_answer_zeroed_records_before_the_class_is_built)
{
    Library& lib = Loaded();
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    ASSERT_NE(lib.newClass, nullptr);
    ASSERT_NE(lib.classData, nullptr);
    ASSERT_NE(lib.cClassData, nullptr);
    ToolTrayClassDataStructure* before = lib.classData();
    ToolTrayCClassDataStructure* cBefore = lib.cClassData();
    ToolTrayClassDataStructure zero{};
    EXPECT_EQ(std::memcmp(before, &zero, sizeof zero), 0);
    EXPECT_EQ(cBefore->instanceDataToken, nullptr);
    EXPECT_EQ(FindClass("ToolTray"), nullptr);

    SOMClass* cls = lib.newClass(1, 0);
    ASSERT_NE(cls, nullptr) << GetLastBuildError();
    EXPECT_EQ(lib.classData(), before);
    EXPECT_EQ(lib.cClassData(), cBefore);
    EXPECT_EQ(before->classObject, cls);
    EXPECT_NE(cBefore->instanceDataToken, nullptr);
    // The parent was built first, by the library itself.
    EXPECT_NE(FindClass("KxExtension"), nullptr);
}

TEST(DynamicLoad, A_palette_is_driven_through_tokens_alone)
{
    Library& lib = Loaded();
    ASSERT_NE(lib.newClass, nullptr);
    SOMClass* cls = lib.newClass(1, 0);
    ASSERT_NE(cls, nullptr);
    const ToolTrayClassDataStructure* cd = lib.classData();
    Environment* ev = GetGlobalEnvironment();

    SOMObject* base = NewObject(FindClass("KxObject"));
    SOMObject* space = NewObject(KxToolSpaceObjNewClass(1, 0));
    ToolTray* tray = NewObject(cls);
    somCall<somTD_KxExtension_InitExtension>(tray, resolve_KxExtensionClassData()->InitExtension, ev, base);

    const Rect size{0, 0, 80 << 16, 60 << 16};
    somCall<somTD_ToolTray_SetSize>(tray, cd->SetSize, ev, reinterpret_cast<const KxRect*>(&size));
    somCall<somTD_ToolTray_SetToolSpaceObj>(tray, cd->SetToolSpaceObj, ev, space);
    ToolInfo* tools[3];
    for (int32_t id = 1; id <= 3; ++id)
        tools[id - 1] = somCall<somTD_ToolTray_CreateTool>(tray, cd->CreateTool, ev, id,
                                                           static_cast<HBITMAP>(nullptr), uint16_t{0});
    for (ToolInfo* t : tools)
        ASSERT_NE(t, nullptr);
    EXPECT_EQ(somCall<somTD_ToolTray_GetFirstTool>(tray, cd->GetFirstTool, ev), tools[2]);
    const Point inside{40 << 16, 16 << 16};
    ToolInfo* hit = somCall<somTD_ToolTray_PtInTool>(tray, cd->PtInTool, ev,
                                                     reinterpret_cast<const KxPoint*>(&inside));
    EXPECT_EQ(somCall<somTD_ToolTray_GetToolID>(tray, cd->GetToolID, ev, hit), 2);

    somCall<somTD_KxRefCntObject_Release>(tray, resolve_KxRefCntObjectClassData()->Release, ev);
    FreeObject(space);
    FreeObject(base);
}

} // namespace
