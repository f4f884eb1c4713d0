// VelmList: insertion at every position class, lookup, removal, ownership.
#include <gtest/gtest.h>

#include <vector>

#include "velmkit/velm_list.h"

namespace {
// Counts its live instances, to see what a list frees.
struct Tracked {
    static int alive;
    int value;
    explicit Tracked(int v) : value(v) { ++alive; }
    ~Tracked() { --alive; }
};
int Tracked::alive = 0;

std::vector<int> values(VelmList<Tracked>& list) {
    std::vector<int> out;
    for (auto* n = list.first; n != nullptr; n = n->next)
        out.push_back(n->item->value);
    std::vector<int> backwards;
    for (auto* n = list.last; n != nullptr; n = n->prev)
        backwards.insert(backwards.begin(), n->item->value);
    EXPECT_EQ(out, backwards) << "prev links disagree with next links";
    EXPECT_EQ(out.size(), list.count);
    return out;
}

class VelmListTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::alive = 0; }
    // A list holding 0..n-1.
    void fill(VelmList<Tracked>& list, int n) {
        for (int i = 0; i < n; ++i)
            list.insert(new Tracked(i), static_cast<int32_t>(list.count));
    }
};
}  // namespace

TEST_F(VelmListTest, InsertIntoEmptyListIgnoresIndex) {
    for (int32_t index : {-1, 0, 5}) {
        VelmList<Tracked> list(true);
        list.insert(new Tracked(7), index);
        EXPECT_EQ(values(list), std::vector<int>({7}));
        EXPECT_EQ(list.first, list.last);
    }
}

TEST_F(VelmListTest, InsertAtFrontBackAndMiddle) {
    VelmList<Tracked> list(true);
    fill(list, 4);   // 0 1 2 3
    list.insert(new Tracked(10), -1);
    list.insert(new Tracked(11), 0);
    EXPECT_EQ(values(list), std::vector<int>({11, 10, 0, 1, 2, 3}));
    list.insert(new Tracked(12), 6);    // == count: back
    list.insert(new Tracked(13), 100);  // > count: back
    EXPECT_EQ(values(list), std::vector<int>({11, 10, 0, 1, 2, 3, 12, 13}));
    list.insert(new Tracked(20), 1);    // walked from the front
    list.insert(new Tracked(21), 7);    // walked from the back
    EXPECT_EQ(values(list), std::vector<int>({11, 20, 10, 0, 1, 2, 3, 21, 12, 13}));
    EXPECT_EQ(list.indexOf(list.itemAt(1)), 1);
    EXPECT_EQ(list.itemAt(7)->value, 21);
}

TEST_F(VelmListTest, InsertAfterNodeAndAfterLast) {
    VelmList<Tracked> list(true);
    list.insertAfter(new Tracked(1), nullptr);   // empty list: front
    list.insertAfter(new Tracked(3), list.first);
    list.insertAfter(new Tracked(2), list.first);
    list.insertAfter(new Tracked(0), nullptr);   // null node: front
    EXPECT_EQ(values(list), std::vector<int>({0, 1, 2, 3}));
    EXPECT_EQ(list.last->item->value, 3);
}

TEST_F(VelmListTest, NodeAtFromBothEndsAndOutOfRange) {
    VelmList<Tracked> list(true);
    fill(list, 7);
    for (int32_t i = 0; i < 7; ++i)
        EXPECT_EQ(list.nodeAt(i)->item->value, i) << i;
    EXPECT_EQ(list.nodeAt(0), list.first);
    EXPECT_EQ(list.nodeAt(6), list.last);
    EXPECT_EQ(list.nodeAt(-1), nullptr);
    EXPECT_EQ(list.nodeAt(7), nullptr);
    EXPECT_EQ(list.itemAt(7), nullptr);
}

TEST_F(VelmListTest, FindAndIndexByPointer) {
    VelmList<Tracked> list(true);
    fill(list, 3);
    Tracked* middle = list.itemAt(1);
    Tracked stranger(9);
    EXPECT_EQ(list.findNode(middle), list.nodeAt(1));
    EXPECT_EQ(list.indexOf(middle), 1);
    EXPECT_EQ(list.findNode(&stranger), nullptr);
    EXPECT_EQ(list.indexOf(&stranger), -1);
}

TEST_F(VelmListTest, RemoveNodeAtFrontMiddleAndBackFreesOwnedItems) {
    VelmList<Tracked> list(true);
    fill(list, 5);
    EXPECT_EQ(Tracked::alive, 5);
    EXPECT_TRUE(list.removeNode(list.first));
    EXPECT_EQ(values(list), std::vector<int>({1, 2, 3, 4}));
    EXPECT_TRUE(list.removeNode(list.nodeAt(1)));
    EXPECT_EQ(values(list), std::vector<int>({1, 3, 4}));
    EXPECT_TRUE(list.removeNode(list.last));
    EXPECT_EQ(values(list), std::vector<int>({1, 3}));
    EXPECT_EQ(Tracked::alive, 2);
    EXPECT_FALSE(list.removeNode(nullptr));
    EXPECT_FALSE(list.removeAt(2));
    EXPECT_TRUE(list.removeAt(1));
    EXPECT_TRUE(list.remove(list.itemAt(0)));
    EXPECT_EQ(list.first, nullptr);
    EXPECT_EQ(list.last, nullptr);
    EXPECT_EQ(list.count, 0u);
    EXPECT_EQ(Tracked::alive, 0);
}

TEST_F(VelmListTest, DestructorFreesOwnedItemsOnly) {
    {
        VelmList<Tracked> owning(true);
        fill(owning, 4);
        EXPECT_EQ(Tracked::alive, 4);
    }
    EXPECT_EQ(Tracked::alive, 0);
    Tracked kept(1);
    {
        VelmList<Tracked> borrowing(false);
        borrowing.insert(&kept, 0);
        EXPECT_TRUE(borrowing.remove(&kept));
        borrowing.insert(&kept, 0);
    }
    EXPECT_EQ(Tracked::alive, 1);
}
