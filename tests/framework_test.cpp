// The framework core: counted objects, extensions, tool spaces, and the rectangle operations.
#include "platform/kxcore/kx_refcnt_object_testing.h"
#include "tests/test_support.h"

namespace {

class Framework : public ::testing::Test {
protected:
    void SetUp() override
    {
        ev = GetGlobalEnvironment();
        ASSERT_NE(KxExtensionNewClass(1, 0), nullptr) << GetLastBuildError();
        ASSERT_NE(KxToolSpaceObjNewClass(1, 0), nullptr) << GetLastBuildError();
    }
    Environment* ev = nullptr;
};

TEST_F(Framework, Classes_have_their_methods_in_the_binding_order)
{
    EXPECT_STREQ(MethodName(resolve_KxObjectClassData()->IsInitialized), "KxObject::IsInitialized");
    EXPECT_STREQ(MethodName(resolve_KxRefCntObjectClassData()->Release), "KxRefCntObject::Release");
    EXPECT_STREQ(MethodName(resolve_KxExtensionClassData()->InitExtension),
                 "KxExtension::InitExtension");
    // Callers find the tool space's gate as the seventh token after the class object.
    auto* record = reinterpret_cast<somMToken*>(resolve_KxToolSpaceObjClassData());
    EXPECT_STREQ(MethodName(record[7]), "KxToolSpaceObj::AcceptsTools");
    EXPECT_EQ(ParentOf(resolve_KxExtensionClassData()->classObject),
              resolve_KxRefCntObjectClassData()->classObject);
}

TEST_F(Framework, A_counted_object_frees_itself_at_the_last_release)
{
    AllocationWatch watch;
    SOMObject* o = NewObject(resolve_KxRefCntObjectClassData()->classObject);
    ASSERT_EQ(watch.Live(), 1);
    const auto* cd = resolve_KxRefCntObjectClassData();
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(o, cd->GetRefCount, ev), 0);
    // Not counted yet: a release has nothing to give up and must not free.
    somCall<somTD_KxRefCntObject_Release>(o, cd->Release, ev);
    ASSERT_EQ(watch.Live(), 1);
    somCall<somTD_KxRefCntObject_InitRefCntObject>(o, cd->InitRefCntObject, ev);
    EXPECT_TRUE(
        somCall<somTD_KxObject_IsInitialized>(o, resolve_KxObjectClassData()->IsInitialized, ev));
    somCall<somTD_KxRefCntObject_Acquire>(o, cd->Acquire, ev);
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(o, cd->GetRefCount, ev), 2);
    somCall<somTD_KxRefCntObject_Release>(o, cd->Release, ev);
    EXPECT_EQ(watch.Live(), 1);
    somCall<somTD_KxRefCntObject_Release>(o, cd->Release, ev);
    EXPECT_EQ(watch.Live(), 0);
}

// Regression: Acquire at 2^31 - 1 overflowed the signed count, after which Release returned early
// for good and the object could never be freed.
TEST_F(Framework, A_count_at_its_limit_stays_there_and_keeps_the_object_alive)
{
    AllocationWatch watch;
    SOMObject* o = NewObject(resolve_KxRefCntObjectClassData()->classObject);
    const auto* cd = resolve_KxRefCntObjectClassData();
    somCall<somTD_KxRefCntObject_InitRefCntObject>(o, cd->InitRefCntObject, ev);
    KxRefCntObjectSetRefCountForTesting(o, INT32_MAX - 1);
    somCall<somTD_KxRefCntObject_Acquire>(o, cd->Acquire, ev);
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(o, cd->GetRefCount, ev), INT32_MAX);
    somCall<somTD_KxRefCntObject_Acquire>(o, cd->Acquire, ev);
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(o, cd->GetRefCount, ev), INT32_MAX);
    // Releases no longer say how many references are left, so none of them frees the object.
    for (int i = 0; i < 3; ++i)
        somCall<somTD_KxRefCntObject_Release>(o, cd->Release, ev);
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(o, cd->GetRefCount, ev), INT32_MAX);
    EXPECT_EQ(watch.Live(), 1);
    FreeObject(o);
}

TEST_F(Framework, InitExtension_records_the_base_and_marks_the_object_initialised)
{
    SOMObject* base = NewObject(resolve_KxObjectClassData()->classObject);
    SOMObject* ext = NewObject(resolve_KxExtensionClassData()->classObject);
    const auto* cd = resolve_KxExtensionClassData();
    EXPECT_FALSE(
        somCall<somTD_KxObject_IsInitialized>(ext, resolve_KxObjectClassData()->IsInitialized, ev));
    somCall<somTD_KxExtension_InitExtension>(ext, cd->InitExtension, ev, base);
    EXPECT_EQ(somCall<somTD_KxExtension_GetBase>(ext, cd->GetBase, ev), base);
    EXPECT_TRUE(
        somCall<somTD_KxObject_IsInitialized>(ext, resolve_KxObjectClassData()->IsInitialized, ev));
    EXPECT_EQ(somCall<somTD_KxRefCntObject_GetRefCount>(
                  ext, resolve_KxRefCntObjectClassData()->GetRefCount, ev),
              1);
    FreeObject(ext);
    FreeObject(base);
}

TEST_F(Framework, A_tool_space_accepts_tools_until_told_otherwise)
{
    const auto* cd = resolve_KxToolSpaceObjClassData();
    SOMObject* space = NewObject(cd->classObject);
    EXPECT_EQ(somCall<somTD_KxToolSpaceObj_AcceptsTools>(space, cd->AcceptsTools, ev), 1);
    somCall<somTD_KxToolSpaceObj_SetAcceptsTools>(space, cd->SetAcceptsTools, ev, 0);
    EXPECT_EQ(somCall<somTD_KxToolSpaceObj_AcceptsTools>(space, cd->AcceptsTools, ev), 0);
    somCall<somTD_KxToolSpaceObj_InitToolSpaceObj>(space, cd->InitToolSpaceObj, ev);
    EXPECT_EQ(somCall<somTD_KxToolSpaceObj_AcceptsTools>(space, cd->AcceptsTools, ev), 1);

    const KxRect bounds(Fx(1), Fx(2), Fx(3), Fx(4));
    somCall<somTD_KxToolSpaceObj_SetBounds>(space, cd->SetBounds, ev, &bounds);
    somCall<somTD_KxToolSpaceObj_SetBounds>(space, cd->SetBounds, ev,
                                            static_cast<const KxRect*>(nullptr));
    KxRect out(0, 0, 0, 0);
    somCall<somTD_KxToolSpaceObj_GetBounds>(space, cd->GetBounds, ev, &out);
    somCall<somTD_KxToolSpaceObj_GetBounds>(space, cd->GetBounds, ev,
                                            static_cast<KxRect*>(nullptr));
    EXPECT_TRUE(out == bounds);
    FreeObject(space);
}

// ---- Rectangle operations -------------------------------------------------------------------------

TEST(KxRectOps, Set_stores_its_arguments_unchanged_even_reversed)
{
    KxRect r(1, 2, 3, 4);
    r.Set(Fx(10), Fx(20), Fx(5), -Fx(1));
    EXPECT_EQ(r.left, Fx(10));
    EXPECT_EQ(r.top, Fx(20));
    EXPECT_EQ(r.right, Fx(5));
    EXPECT_EQ(r.bottom, -Fx(1));
}

TEST(KxRectOps, IsEmpty_when_the_rectangle_encloses_no_area)
{
    EXPECT_TRUE(KxRect(0, 0, 0, 0).IsEmpty());
    EXPECT_FALSE(KxRect(Fx(4), Fx(4), Fx(29), Fx(29)).IsEmpty());
    EXPECT_TRUE(KxRect(Fx(4), Fx(4), Fx(4), Fx(29)).IsEmpty()); // zero width
    EXPECT_TRUE(KxRect(Fx(4), Fx(4), Fx(29), Fx(4)).IsEmpty()); // zero height
    EXPECT_TRUE(KxRect(Fx(9), Fx(4), Fx(4), Fx(29)).IsEmpty()); // reversed
    EXPECT_FALSE(KxRect(0, 0, 1, 1).IsEmpty());                 // 1/65536 is enough
}

TEST(KxRectOps, AsWinRect_rounds_each_coordinate_to_the_nearest_pixel_halves_up)
{
    RECT r;
    KxRect(Fx(33), Fx(4), Fx(58), Fx(29)).AsWinRect(r);
    EXPECT_EQ(r.left, 33);
    EXPECT_EQ(r.top, 4);
    EXPECT_EQ(r.right, 58);
    EXPECT_EQ(r.bottom, 29);
    KxRect(0x18000, -0x18000, 0x28000 - 1, -0x28000).AsWinRect(r);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, -1);
    EXPECT_EQ(r.right, 2);
    EXPECT_EQ(r.bottom, -2);
}

TEST(KxRectOps, Contains_is_open_on_every_edge)
{
    const KxRect r(Fx(4), Fx(4), Fx(29), Fx(29));
    EXPECT_TRUE(r.Contains(KxPoint(Fx(16), Fx(16))));
    EXPECT_FALSE(r.Contains(KxPoint(Fx(30), Fx(16))));
    EXPECT_FALSE(r.Contains(KxPoint(Fx(4), Fx(16))));
    EXPECT_FALSE(r.Contains(KxPoint(Fx(29), Fx(16))));
    EXPECT_FALSE(r.Contains(KxPoint(Fx(16), Fx(4))));
    EXPECT_FALSE(r.Contains(KxPoint(Fx(16), Fx(29))));
    EXPECT_TRUE(r.Contains(KxPoint(Fx(4) + 1, Fx(29) - 1)));
}

TEST(KxRectOps, Equality_compares_all_four_coordinates)
{
    const KxRect a(1, 2, 3, 4);
    EXPECT_TRUE(a == KxRect(1, 2, 3, 4));
    EXPECT_FALSE(a == KxRect(1, 2, 3, 5));
    EXPECT_FALSE(a == KxRect(0, 2, 3, 4));
    // Two different empty rectangles are different rectangles.
    EXPECT_FALSE(KxRect(0, 0, 0, 0) == KxRect(5, 5, 5, 5));
}

} // namespace
