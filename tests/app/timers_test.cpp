// The timer pass: when requests fire, in which order, and what a callback may add.
#include <gtest/gtest.h>

#include <vector>

#include "app/timers.h"

namespace {
std::vector<int32_t> fired;
void record(int32_t value) { fired.push_back(value); }
void addFromCallback(int32_t value) {
    fired.push_back(value);
    addTimer(0, record, value + 100);
}

class TimerPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        fired.clear();
        serveTimers(&timerList);
    }
    void TearDown() override { serveTimers(nullptr); }
    TimerList timerList{true};
};
}  // namespace

// A request fires in the pass where its time left reaches zero, never at once.
TEST_F(TimerPassTest, DelaysCountDownPassByPass) {
    addTimer(0, record, 1);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(timerList.count, 1u);
    runTimerPass(timerList, 0.0);
    EXPECT_EQ(fired, std::vector<int32_t>({1}));
    EXPECT_EQ(timerList.count, 0u);
    addTimer(250, record, 2);
    runTimerPass(timerList, 0.125);
    EXPECT_EQ(fired.size(), 1u);
    runTimerPass(timerList, 0.125);   // 0.25 - 0.125 - 0.125 is exactly 0.0
    EXPECT_EQ(fired, std::vector<int32_t>({1, 2}));
    addTimer(500, record, 7);         // fifth-second frames: the third pass
    runTimerPass(timerList, 0.2);
    runTimerPass(timerList, 0.2);
    EXPECT_EQ(fired.size(), 2u);
    EXPECT_NEAR(timerList.first->item->secondsLeft, 0.1, 1e-12);
    runTimerPass(timerList, 0.2);
    EXPECT_EQ(fired, std::vector<int32_t>({1, 2, 7}));
}

TEST_F(TimerPassTest, RequestsDueTogetherFireNewestFirst) {
    addTimer(10, record, 1);
    addTimer(10, record, 2);
    addTimer(10, record, 3);
    runTimerPass(timerList, 0.5);
    EXPECT_EQ(fired, std::vector<int32_t>({3, 2, 1}));
}

TEST_F(TimerPassTest, RequestAddedByACallbackWaitsForTheNextPass) {
    addTimer(0, addFromCallback, 1);
    addTimer(1000, record, 2);
    runTimerPass(timerList, 0.5);
    EXPECT_EQ(fired, std::vector<int32_t>({1}));
    ASSERT_EQ(timerList.count, 2u);
    EXPECT_DOUBLE_EQ(timerList.first->item->secondsLeft, 0.0);   // not counted down
    runTimerPass(timerList, 0.01);
    EXPECT_EQ(fired, std::vector<int32_t>({1, 101}));
}

TEST_F(TimerPassTest, HugeCountsAreLongDelaysNotPastOnes) {
    addTimer(2147483648u, record, 1);
    addTimer(4294967295u, record, 2);
    runTimerPass(timerList, 1.0);
    EXPECT_TRUE(fired.empty());
    EXPECT_NEAR(timerList.last->item->secondsLeft, 2147483.648 - 1.0, 1e-6);
}

TEST_F(TimerPassTest, EmptyListAndPendingRequestsFreedWithTheList) {
    runTimerPass(timerList, 5.0);
    EXPECT_TRUE(fired.empty());
    auto* other = new TimerList(true);
    serveTimers(other);
    addTimer(100, record, 1);
    addTimer(100, record, 2);
    delete other;              // frees both requests without firing them
    serveTimers(nullptr);
    addTimer(0, record, 3);    // no list: dropped
    runTimerPass(timerList, 1.0);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(timerList.count, 0u);
}
