// Loads the class library by path, as a host does (dlopen, or LoadLibrary on Windows), and drives
// a palette through the three entry points, tokens and ResolveMethod alone: this program links the
// runtime and the framework, not the library.
#include "runtime/kxcore.h"
#include "runtime/som.h"
#include "tooltray/tooltray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if !defined(_WIN32)
#  include <dlfcn.h>
#endif

namespace {

// ---- The platform's loader ---------------------------------------------------------------------

#if defined(_WIN32)
using Module = HMODULE;

// LoadLibrary wants backslashes; the build hands us a path with forward slashes.
std::string NativePath(std::string path)
{
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool IsLoaded() { return GetModuleHandleA("tooltray.dll") != nullptr; }
Module Open(std::string& error)
{
    Module m = LoadLibraryA(NativePath(TOOLTRAY_LIBRARY).c_str());
    if (!m)
        error = "LoadLibrary failed, error " + std::to_string(GetLastError());
    return m;
}
void* Symbol(Module m, const char* name)
{
    // Through void(*)(): GetProcAddress's generic type converts to any other without a warning.
    return reinterpret_cast<void*>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}
#else
using Module = void*;

std::string NativePath(std::string path) { return path; }
bool IsLoaded()
{
    void* m = dlopen(TOOLTRAY_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    if (m)
        dlclose(m);
    return m != nullptr;
}
Module Open(std::string& error)
{
    Module m = dlopen(TOOLTRAY_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!m)
        error = dlerror();
    return m;
}
void* Symbol(Module m, const char* name) { return dlsym(m, name); }
#endif

// ---- The library as a host holds it -----------------------------------------------------------

// A C host's plain structures with the framework's layouts: the geometry members belong to the
// library under test.
struct Rect {
    int32_t left, top, right, bottom;
};
struct Point {
    int32_t x, y;
};

struct Library {
    bool loadedBefore = IsLoaded();
    std::string error;
    Module handle = Open(error);
    decltype(&ToolTrayNewClass) newClass = nullptr;
    decltype(&resolve_ToolTrayClassData) classData = nullptr;
    decltype(&resolve_ToolTrayCClassData) cClassData = nullptr;

    Library()
    {
        if (!handle)
            return;
        newClass = reinterpret_cast<decltype(newClass)>(Symbol(handle, "ToolTrayNewClass"));
        classData =
            reinterpret_cast<decltype(classData)>(Symbol(handle, "resolve_ToolTrayClassData"));
        cClassData =
            reinterpret_cast<decltype(cClassData)>(Symbol(handle, "resolve_ToolTrayCClassData"));
    }
};

Library& Loaded()
{
    static Library lib;
    return lib;
}

// The names after EXPORTS in the module definition: the library's whole export list.
std::vector<std::string> ExportList()
{
    std::ifstream in(NativePath(TOOLTRAY_DEF));
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

TEST(LibraryLoading, The_library_is_not_loaded_until_the_host_loads_it)
{
    Library& lib = Loaded();
    EXPECT_FALSE(lib.loadedBefore);
    ASSERT_NE(lib.handle, nullptr) << TOOLTRAY_LIBRARY << ": " << lib.error;
    EXPECT_TRUE(IsLoaded());
#if defined(_WIN32)
    // Its imports came with it.
    EXPECT_NE(GetModuleHandleA("gdi32.dll"), nullptr);
    EXPECT_NE(GetModuleHandleA("user32.dll"), nullptr);
#endif
}

TEST(LibraryLoading, Every_exported_name_resolves_and_internal_ones_do_not)
{
    Library& lib = Loaded();
    ASSERT_NE(lib.handle, nullptr);
    const std::vector<std::string> names = ExportList();
    ASSERT_EQ(names.size(), 20u) << "cannot read " << TOOLTRAY_DEF;
    for (const std::string& name : names)
        EXPECT_NE(Symbol(lib.handle, name.c_str()), nullptr) << name;
    // Names with external linkage inside the library stay inside: the class data record.
    EXPECT_EQ(Symbol(lib.handle, "_ZN8tooltray9ClassDataE"), nullptr);
}

TEST(LibraryLoading, Accessors_answer_zeroed_records_before_the_class_is_built)
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

TEST(LibraryLoading, A_palette_is_driven_through_tokens_alone)
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
    somCall<somTD_KxExtension_InitExtension>(tray, resolve_KxExtensionClassData()->InitExtension,
                                             ev, base);

    const Rect size{0, 0, 80 << 16, 60 << 16};
    somCall<somTD_ToolTray_SetSize>(tray, cd->SetSize, ev, reinterpret_cast<const KxRect*>(&size));
    Rect back{};
    somCall<somTD_ToolTray_GetSize>(tray, cd->GetSize, ev, reinterpret_cast<KxRect*>(&back));
    EXPECT_EQ(std::memcmp(&back, &size, sizeof size), 0);
    somCall<somTD_ToolTray_SetToolSpaceObj>(tray, cd->SetToolSpaceObj, ev, space);
    EXPECT_EQ(somCall<somTD_ToolTray_GetToolSpaceObj>(tray, cd->GetToolSpaceObj, ev), space);
    ToolInfo* tools[3];
    for (int32_t id = 1; id <= 3; ++id)
        tools[id - 1] = somCall<somTD_ToolTray_CreateTool>(
            tray, cd->CreateTool, ev, id, static_cast<HBITMAP>(nullptr), uint16_t{0});
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
