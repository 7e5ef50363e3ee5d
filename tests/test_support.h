// Shared test fixtures: built classes, a palette on a tool space, the runtime's allocator under
// watch, and host subclasses of ToolTray.
#ifndef TESTS_TEST_SUPPORT_H
#define TESTS_TEST_SUPPORT_H

#include "host/tool_space_palette.h"
#include "runtime/win_gdi.h"
#include "runtime/som_class_declaration.h"
#include "tools/tool_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

constexpr KxFixed Fx(int32_t pixels) { return PixelsToFixed(pixels); }

struct PixelRect {
    int32_t left, top, right, bottom;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
std::ostream& operator<<(std::ostream& os, const PixelRect& r);
PixelRect Pixels(const KxRect& r); // each coordinate converted to whole pixels

// Ids of a palette's tools from front (newest) to back.
std::vector<int32_t> ToolIds(const Palette& palette);

// Builds ToolTray and the framework classes once per process.
SOMClass* ToolTrayClass();
SOMClass* ToolSpaceClass();

// A palette initialised as the extension of a base object, with a tool space that accepts tools.
class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new palette of the given class (ToolTray by default), already initialised.
    ToolTray* NewPalette(SOMClass* cls = nullptr);
    void SetPaletteSize(int32_t widthPixels, int32_t heightPixels = 200);
    // Ids of the tools from front (newest) to back.
    std::vector<int32_t> IdsFrontToBack() const { return ToolIds(*palette); }

    Environment* ev = nullptr;
    std::unique_ptr<ToolSpacePalette> stage; // owns base, space and object
    SOMObject* base = nullptr;
    KxToolSpaceObj* space = nullptr;
    ToolTray* object = nullptr;
    std::unique_ptr<Palette> palette;
    std::vector<SOMObject*> extra;
};

// Watches the runtime's allocator while alive: counts allocations and frees, and can make the
// k-th allocation request from now fail (that one only; later requests succeed again).
class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    void FailAllocation(int64_t k); // 1: the next one; 0: none
    int64_t Allocations() const;
    int64_t Frees() const;
    int64_t Live() const { return Allocations() - Frees(); }
    bool FailureHappened() const;
};

// Builds a subclass of ToolTray named `name` that overrides the given methods.
SOMClass* BuildToolTraySubclass(const char* name,
                                std::vector<ClassDeclaration::Override> overrides);

#endif // TESTS_TEST_SUPPORT_H
