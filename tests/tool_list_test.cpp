// The tool list: order, removal of the first match, ownership of links but not values.
#include "tests/test_support.h"

#include <vector>

namespace {

std::vector<int*> Forward(ToolList& list)
{
    std::vector<int*> v;
    for (ToolListNode* n = list.next; n->value; n = n->next)
        v.push_back(static_cast<int*>(n->value));
    return v;
}

std::vector<int*> Backward(ToolList& list)
{
    std::vector<int*> v;
    for (ToolListNode* n = list.prev; n->value; n = n->prev)
        v.push_back(static_cast<int*>(n->value));
    return v;
}

TEST(ToolList, Adds_at_the_front_so_the_front_is_newest)
{
    int a = 1, b = 2, c = 3;
    ToolList list;
    ASSERT_TRUE(list.Add(&a));
    ASSERT_TRUE(list.Add(&b));
    ASSERT_TRUE(list.Add(&c));
    EXPECT_EQ(Forward(list), (std::vector<int*>{&c, &b, &a}));
    EXPECT_EQ(Backward(list), (std::vector<int*>{&a, &b, &c}));
    EXPECT_EQ(list.First()->value, &c);
    EXPECT_EQ(list.Last()->value, &a);
}

TEST(ToolList, Remove_takes_only_the_copy_nearest_the_front)
{
    int a = 1, b = 2;
    ToolList list;
    ASSERT_TRUE(list.Add(&a));
    ASSERT_TRUE(list.Add(&b));
    ASSERT_TRUE(list.Add(&a));
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_EQ(Forward(list), (std::vector<int*>{&b, &a}));
    int absent = 0;
    EXPECT_FALSE(list.Remove(&absent));
    EXPECT_FALSE(list.Remove(nullptr));
    EXPECT_EQ(Forward(list), (std::vector<int*>{&b, &a}));
}

TEST(ToolList, Empty_list_is_a_self_linked_sentinel)
{
    ToolList list;
    EXPECT_EQ(list.next, &list);
    EXPECT_EQ(list.prev, &list);
    EXPECT_EQ(list.value, nullptr);
    EXPECT_FALSE(list.Remove(&list));
}

TEST(ToolList, Destroying_a_list_frees_every_link_and_no_value)
{
    AllocationWatch watch;
    int values[3] = {7, 8, 9};
    {
        ToolList list;
        for (int& v : values)
            ASSERT_TRUE(list.Add(&v));
        EXPECT_EQ(watch.Live(), 3);
    }
    EXPECT_EQ(watch.Live(), 0);
    EXPECT_EQ(values[1], 8);
}

TEST(ToolList, A_link_is_three_words_and_the_list_is_its_sentinel)
{
    EXPECT_EQ(sizeof(ToolListNode), 3 * sizeof(void*));
    EXPECT_EQ(sizeof(ToolList), sizeof(ToolListNode));
}

TEST(ToolList, A_link_that_cannot_be_allocated_adds_nothing)
{
    AllocationWatch watch;
    int a = 1, b = 2;
    ToolList list;
    ASSERT_TRUE(list.Add(&a));
    watch.FailAllocation(1);
    EXPECT_FALSE(list.Add(&b));
    EXPECT_EQ(Forward(list), (std::vector<int*>{&a}));
}

} // namespace
