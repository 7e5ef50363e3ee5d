// Allocation failures: whichever allocation of the runtime's allocator fails, the palette reports
// it by null results, keeps its list consistent, and frees everything it allocated.
#include "tests/test_support.h"

namespace {

class PaletteAllocFailure : public PaletteTest {
protected:
    SOMObject* NewInitialised()
    {
        SOMObject* o = NewObject(ToolTrayClass());
        if (o)
            somCall<somTD_KxExtension_InitExtension>(
                o, resolve_KxExtensionClassData()->InitExtension, ev, base);
        return o;
    }
};

TEST_F(PaletteAllocFailure, AddToolInfo_whose_record_cannot_be_allocated_returns_null)
{
    const KxRect r(0, 0, Fx(5), Fx(5));
    ToolInfo* kept = palette->AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0);
    AllocationWatch watch;
    watch.FailAllocation(1);
    EXPECT_EQ(palette->AddToolInfo(2, &r, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_TRUE(watch.FailureHappened());
    EXPECT_EQ(watch.Live(), 0);
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{1}));
    EXPECT_EQ(palette->GetLastTool(), kept);
}

// Regression: a record whose link could not be allocated was returned to the caller although no
// list held it (never drawn, found or freed: a leak and a dangling handle).
TEST_F(PaletteAllocFailure,
       AddToolInfo_whose_link_cannot_be_allocated_frees_the_record_and_returns_null)
{
    const KxRect r(0, 0, Fx(5), Fx(5));
    palette->AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0);
    AllocationWatch watch;
    watch.FailAllocation(2);
    EXPECT_EQ(palette->AddToolInfo(2, &r, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_TRUE(watch.FailureHappened());
    EXPECT_EQ(watch.Allocations(), 1) << "the record was allocated";
    EXPECT_EQ(watch.Live(), 0) << "and freed again";
    EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{1}));
}

TEST_F(PaletteAllocFailure, CreateTool_fails_cleanly_at_each_of_its_allocations)
{
    palette->SetToolSpaceObj(space);
    ASSERT_NE(palette->CreateTool(1, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    int64_t k = 1;
    for (;; ++k) {
        SCOPED_TRACE(testing::Message() << "failing allocation " << k);
        AllocationWatch watch;
        watch.FailAllocation(k);
        ToolInfo* t = palette->CreateTool(2, (HBITMAP) nullptr, (uint16_t)0);
        if (!watch.FailureHappened()) {
            ASSERT_NE(t, nullptr);
            EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{2, 1}));
            EXPECT_EQ(Pixels(t->bounds), (PixelRect{4, 33, 29, 58}))
                << "the placement a success gives";
            break;
        }
        EXPECT_EQ(t, nullptr);
        EXPECT_EQ(watch.Live(), 0);
        EXPECT_EQ(ToolIds(*palette), (std::vector<int32_t>{1}));
    }
    EXPECT_EQ(k, 3) << "a record and a link";
}

TEST_F(PaletteAllocFailure,
       InitExtension_without_memory_for_the_list_leaves_a_palette_without_tools)
{
    AllocationWatch watch;
    SOMObject* o = NewObject(ToolTrayClass());
    ASSERT_NE(o, nullptr);
    watch.FailAllocation(1);
    somCall<somTD_KxExtension_InitExtension>(o, resolve_KxExtensionClassData()->InitExtension, ev,
                                             base);
    ASSERT_TRUE(watch.FailureHappened());
    Palette p(o, ev, resolve_ToolTrayClassData());
    p.SetToolSpaceObj(space);
    const KxRect r(0, 0, Fx(5), Fx(5));
    EXPECT_EQ(p.AddToolInfo(1, &r, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(p.CreateTool(2, (HBITMAP) nullptr, (uint16_t)0), nullptr);
    EXPECT_EQ(p.GetFirstTool(), nullptr);
    p.ArrangeTools();
    p.DestroyTool(2);
    // The rest of the palette works.
    p.SetDomain(3);
    EXPECT_EQ(p.GetDomain(), 3);
    EXPECT_EQ(watch.Live(), 1) << "only the object";
    FreeObject(o);
    EXPECT_EQ(watch.Live(), 0);
}

// A whole palette life with the k-th allocation failing, for every k the life reaches: every
// operation during which the failure happens reports it and changes nothing; every other one
// behaves as without failures; nothing leaks. The watch is disarmed once its failure has
// happened, since its counter refuses every allocation from the k-th on.
TEST_F(PaletteAllocFailure,
       Every_single_allocation_failure_in_a_palette_life_is_reported_and_leaks_nothing)
{
    int64_t k = 1;
    for (;; ++k) {
        SCOPED_TRACE(testing::Message() << "failing allocation " << k);
        AllocationWatch watch;
        watch.FailAllocation(k);
        SOMObject* o = NewObject(ToolTrayClass());
        if (!o) {
            EXPECT_TRUE(watch.FailureHappened());
            EXPECT_EQ(watch.Live(), 0);
            continue;
        }
        Palette p(o, ev, resolve_ToolTrayClassData());
        auto disarmIfFailed = [&] {
            if (watch.FailureHappened())
                watch.FailAllocation(0);
        };
        p.InitExtension(base);
        const bool hasList = !watch.FailureHappened();
        disarmIfFailed();
        p.SetToolSpaceObj(space);
        std::vector<int32_t> expected; // front to back
        auto step = [&](int32_t id, ToolInfo* t, bool failedHere) {
            if (!hasList || failedHere) {
                EXPECT_EQ(t, nullptr) << "tool " << id;
            } else {
                ASSERT_NE(t, nullptr) << "tool " << id;
                expected.insert(expected.begin(), id);
            }
        };
        for (int32_t id = 1; id <= 4; ++id) {
            const bool before = watch.FailureHappened();
            ToolInfo* t = p.CreateTool(id, (HBITMAP) nullptr, (uint16_t)0);
            step(id, t, !before && watch.FailureHappened());
            disarmIfFailed();
        }
        {
            const KxRect r(Fx(1), Fx(1), Fx(2), Fx(2));
            const bool before = watch.FailureHappened();
            ToolInfo* t = p.AddToolInfo(5, &r, (HBITMAP) nullptr, (uint16_t)0);
            step(5, t, !before && watch.FailureHappened());
            disarmIfFailed();
        }
        p.DestroyTool(2);
        std::erase(expected, 2);
        EXPECT_EQ(ToolIds(p), expected);
        p.ArrangeTools();
        const bool failed = watch.FailureHappened();
        FreeObject(o);
        EXPECT_EQ(watch.Live(), 0);
        if (!failed)
            break;
    }
    // The object, the list, and a record and a link for each of five tools.
    EXPECT_EQ(k, 1 + 1 + 2 * 5 + 1);
}

} // namespace
