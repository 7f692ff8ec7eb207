// Handle life: reference counts, the shared alive flag, and assignment rules.
#include <gtest/gtest.h>

#include "support/ProblemCapture.h"
#include "utilities/Handle.h"

struct Counted {
    explicit Counted(int* deaths) : deaths(deaths) {}
    ~Counted() { ++*deaths; }
    int* deaths;
    int value = 5;
};

using CountedHandle = ZELM::Handle<Counted>;

TEST(Handle, TheLastCopyDeletesALiveObject) {
    int deaths = 0;
    {
        CountedHandle first(new Counted(&deaths));
        {
            CountedHandle second(first);
            CountedHandle third;
            third = second;
            EXPECT_EQ(third.Resolve()->value, 5);
        }
        EXPECT_EQ(deaths, 0);
    }
    EXPECT_EQ(deaths, 1);
}

TEST(Handle, DestroyKillsTheObjectForEveryCopy) {
    ZELMTest::ProblemCapture problems;
    int deaths = 0;
    CountedHandle handle(new Counted(&deaths));
    CountedHandle copy(handle);
    handle.Destroy();
    EXPECT_EQ(deaths, 1);
    EXPECT_FALSE(copy.IsAlive());
    EXPECT_TRUE(copy == handle);
    copy.Destroy();  // already dead: nothing happens
    EXPECT_EQ(deaths, 1);

    EXPECT_EQ(copy.Resolve(), nullptr) << "the stale pointer is never handed out";
    EXPECT_EQ(copy.GetIfAlive(), nullptr);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.Last().message, "Cannot dereference data! Handle is referencing dead data!");
    EXPECT_EQ(problems.Last().function, "ZELM::Handle<class Counted>::operator ->");
}

TEST(Handle, AssigningADeadOrNullHandleLeavesTheTargetUnchanged) {
    int deaths = 0;
    CountedHandle live(new Counted(&deaths));
    CountedHandle target(live);
    CountedHandle dead(new Counted(&deaths));
    dead.Destroy();

    target = dead;
    EXPECT_TRUE(target == live);
    target = CountedHandle();
    EXPECT_TRUE(target == live);
    EXPECT_TRUE(target.IsAlive());

    target = target;  // self-assignment keeps the object
    EXPECT_TRUE(target.IsAlive());
    EXPECT_EQ(deaths, 1);
}

TEST(Handle, ReassigningReleasesTheOldReference) {
    int deaths = 0;
    CountedHandle target(new Counted(&deaths));
    CountedHandle other(new Counted(&deaths));
    target = other;  // the only reference to the first object goes
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(target == other);
}


TEST(Handle, AHandleForANullObjectIsFreedOnce) {
    {
        CountedHandle null(static_cast<Counted*>(nullptr));
        CountedHandle copy(null);
        EXPECT_TRUE(copy.IsNull());
    }  // both copies share one count: a double free would show under the sanitizers
    SUCCEED();
}
