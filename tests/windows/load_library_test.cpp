// Loads tooltray.dll by path with LoadLibrary, as a Windows host does, and drives a palette through
// GetProcAddress and tokens alone: this program does not link the library.
#include "runtime/kxcore.h"
#include "runtime/som.h"
#include "tooltray/tooltray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// As in the dlopen suite: a C host's plain structures with the framework's layouts.
struct Rect {
    int32_t left, top, right, bottom;
};
struct Point {
    int32_t x, y;
};

// LoadLibrary wants backslashes; the build hands us a path with forward slashes.
std::string WindowsPath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

template <typename F>
F Proc(HMODULE module, const char* name)
{
    // Through void(*)(): GetProcAddress's generic type casts to any other without a warning.
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

struct Library {
    HMODULE handle = nullptr;
    bool loadedBefore = false;
    DWORD error = 0;
    decltype(&ToolTrayNewClass) newClass = nullptr;
    decltype(&resolve_ToolTrayClassData) classData = nullptr;
    decltype(&resolve_ToolTrayCClassData) cClassData = nullptr;

    Library()
    {
        loadedBefore = GetModuleHandleA("tooltray.dll") != nullptr;
        handle = LoadLibraryA(WindowsPath(TOOLTRAY_LIBRARY).c_str());
        if (!handle) {
            error = GetLastError();
            return;
        }
        newClass = Proc<decltype(newClass)>(handle, "ToolTrayNewClass");
        classData = Proc<decltype(classData)>(handle, "resolve_ToolTrayClassData");
        cClassData = Proc<decltype(cClassData)>(handle, "resolve_ToolTrayCClassData");
    }
};

Library& Loaded()
{
    static Library lib;
    return lib;
}

// The names after EXPORTS in the module definition file.
std::vector<std::string> DefinitionExports()
{
    std::ifstream in(WindowsPath(TOOLTRAY_DEF));
    std::vector<std::string> names;
    bool exports = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        if (!(words >> word))
            continue;
        if (word == "EXPORTS")
            exports = true;
        else if (exports)
            names.push_back(word);
    }
    return names;
}

TEST(WindowsLoad, The_library_is_not_loaded_until_the_host_loads_it)
{
    Library& lib = Loaded();
    EXPECT_FALSE(lib.loadedBefore);
    ASSERT_NE(lib.handle, nullptr) << "LoadLibrary(" << TOOLTRAY_LIBRARY << ") failed, error "
                                   << lib.error;
    EXPECT_EQ(GetModuleHandleA("tooltray.dll"), lib.handle);
    // Its imports came with it.
    EXPECT_NE(GetModuleHandleA("KXCORE32.dll"), nullptr);
    EXPECT_NE(GetModuleHandleA("som.dll"), nullptr);
    EXPECT_NE(GetModuleHandleA("gdi32.dll"), nullptr);
}

TEST(WindowsLoad, Every_name_of_the_module_definition_resolves)
{
    Library& lib = Loaded();
    ASSERT_NE(lib.handle, nullptr);
    const std::vector<std::string> names = DefinitionExports();
    ASSERT_EQ(names.size(), 20u) << "cannot read " << TOOLTRAY_DEF;
    for (const std::string& name : names)
        EXPECT_NE(GetProcAddress(lib.handle, name.c_str()), nullptr) << name;
    // Names with external linkage inside the DLL stay internal: the class data record.
    EXPECT_EQ(GetProcAddress(lib.handle, "_ZN8tooltray9ClassDataE"), nullptr);
}

TEST(WindowsLoad, Accessors_answer_zeroed_records_before_the_class_is_built)
{
    Library& lib = Loaded();
    ASSERT_NE(lib.handle, nullptr);
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
    // The parent was built first, by the library itself, in the runtime this program shares.
    EXPECT_NE(FindClass("KxExtension"), nullptr);
    EXPECT_EQ(FindClass("ToolTray"), cls);
}

TEST(WindowsLoad, A_palette_is_driven_through_tokens_alone)
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
    ASSERT_NE(base, nullptr);
    ASSERT_NE(space, nullptr);
    ASSERT_NE(tray, nullptr);
    somCall<somTD_KxExtension_InitExtension>(tray, resolve_KxExtensionClassData()->InitExtension, ev, base);

    const Rect size{0, 0, 80 << 16, 60 << 16};
    somCall<somTD_ToolTray_SetSize>(tray, cd->SetSize, ev, reinterpret_cast<const KxRect*>(&size));
    Rect back{};
    somCall<somTD_ToolTray_GetSize>(tray, cd->GetSize, ev, reinterpret_cast<KxRect*>(&back));
    EXPECT_EQ(std::memcmp(&back, &size, sizeof size), 0);
    somCall<somTD_ToolTray_SetToolSpaceObj>(tray, cd->SetToolSpaceObj, ev, space);
    EXPECT_EQ(somCall<somTD_ToolTray_GetToolSpaceObj>(tray, cd->GetToolSpaceObj, ev), space);
    ToolInfo* tools[3];
    for (int32_t id = 1; id <= 3; ++id)
        tools[id - 1] = somCall<somTD_ToolTray_CreateTool>(tray, cd->CreateTool, ev, id,
                                                           static_cast<HBITMAP>(nullptr), uint16_t{0});
    for (ToolInfo* t : tools)
        ASSERT_NE(t, nullptr);
    EXPECT_EQ(somCall<somTD_ToolTray_GetFirstTool>(tray, cd->GetFirstTool, ev), tools[2]);
    EXPECT_EQ(somCall<somTD_ToolTray_GetLastTool>(tray, cd->GetLastTool, ev), tools[0]);
    const Point inside{40 << 16, 16 << 16};
    ToolInfo* hit = somCall<somTD_ToolTray_PtInTool>(tray, cd->PtInTool, ev,
                                                     reinterpret_cast<const KxPoint*>(&inside));
    EXPECT_EQ(somCall<somTD_ToolTray_GetToolID>(tray, cd->GetToolID, ev, hit), 2);
    EXPECT_EQ(ev->major, SOM_NO_EXCEPTION);

    somCall<somTD_KxRefCntObject_Release>(tray, resolve_KxRefCntObjectClassData()->Release, ev);
    FreeObject(space);
    FreeObject(base);
}

} // namespace
