#include "engine/core/ObjectManager.h"

#include <algorithm>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

// Counts its own destruction so that the table's deletes can be seen.
struct Widget {
    explicit Widget(int* destroyed = nullptr) : destroyed(destroyed) {}
    virtual ~Widget()
    {
        if (destroyed != nullptr) {
            ++*destroyed;
        }
    }
    int* destroyed;
};

class ObjectManagerTest : public testing::Test {
protected:
    // What the table does not hold at the end is the test's to delete, as the
    // owning managers delete what they remove.
    ~ObjectManagerTest() override
    {
        const auto& held = table.GetObjects();
        for (Widget* widget : made) {
            if (std::find(held.begin(), held.end(), widget) == held.end()) {
                delete widget;
            }
        }
    }

    Widget* Make()
    {
        made.push_back(new Widget);
        return made.back();
    }

    void AddAll(std::initializer_list<Widget*> widgets)
    {
        for (Widget* widget : widgets) {
            table.Add(widget);
        }
    }

    std::vector<Widget*> made;
    Halvard::ObjectManager<Widget> table;
    Widget* a = Make();
    Widget* b = Make();
    Widget* c = Make();
    Widget* d = Make();
};

TEST_F(ObjectManagerTest, AddingNullOrAnObjectTwiceChangesNothing)
{
    AddAll({a, nullptr, a});
    EXPECT_EQ(table.GetCount(), 1u);
    EXPECT_THAT(table.GetObjects(), ElementsAre(a));
}

TEST_F(ObjectManagerTest, RemovalLeavesANullSlotThatTheNextAddFills)
{
    AddAll({a, b, c});
    EXPECT_TRUE(table.Remove(b));
    EXPECT_EQ(table.GetCount(), 2u);
    EXPECT_THAT(table.GetObjects(), ElementsAre(a, nullptr, c));
    table.Add(d);
    EXPECT_THAT(table.GetObjects(), ElementsAre(a, d, c));
}

TEST_F(ObjectManagerTest, TheSlotFreedLastIsFilledFirst)
{
    AddAll({a, b, c, d});
    table.Remove(a);
    table.Remove(c);
    Widget* first = Make();
    Widget* second = Make();
    AddAll({first, second});
    EXPECT_THAT(table.GetObjects(), ElementsAre(second, b, first, d));
    EXPECT_EQ(table.GetCount(), 4u);
}

TEST_F(ObjectManagerTest, CompactsOnlyOnceFewerThanHalfTheSlotsAreLive)
{
    AddAll({a, b, c, d});
    table.Remove(a);
    table.Remove(b);
    EXPECT_THAT(table.GetObjects(), ElementsAre(nullptr, nullptr, c, d));
    table.Remove(c);
    EXPECT_THAT(table.GetObjects(), ElementsAre(d));
    EXPECT_EQ(table.GetCount(), 1u);
    // Compaction forgot the freed slots: the next object is appended.
    table.Add(a);
    EXPECT_THAT(table.GetObjects(), ElementsAre(d, a));
}

TEST_F(ObjectManagerTest, RemovingNullOrAnUnregisteredObjectFails)
{
    AddAll({a, b, c});
    table.Remove(b);
    EXPECT_FALSE(table.Remove(nullptr));
    EXPECT_FALSE(table.Remove(d));
    EXPECT_FALSE(table.Remove(b));
    EXPECT_EQ(table.GetCount(), 2u);
    EXPECT_THAT(table.GetObjects(), ElementsAre(a, nullptr, c));
}

TEST(ObjectManager, DestructionDeletesTheObjectsStillRegistered)
{
    int destroyed = 0;
    auto* removed = new Widget(&destroyed);
    {
        Halvard::ObjectManager<Widget> table;
        table.Add(new Widget(&destroyed));
        table.Add(removed);
        table.Add(new Widget(&destroyed));
        table.Remove(removed);
    }
    EXPECT_EQ(destroyed, 2);
    delete removed;
}

} // namespace
