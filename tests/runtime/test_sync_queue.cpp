// The sync ring: ten entries, first in first out, refusal when full, and a
// producer and a consumer on two threads losing or reordering nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "runtime/music.h"
#include "runtime/sync_queue.h"

namespace {

SyncEvent event_of(uint8_t command)
{
    SyncEvent event = {};
    event.command = command;
    return event;
}

class SyncQueueTest : public ::testing::Test {
protected:
    void SetUp() override { sync_queue_reset(); }
    void TearDown() override { sync_queue_reset(); }
};

TEST_F(SyncQueueTest, KeepsTenThenDropsUntilAPopMakesRoom)
{
    for (int i = 0; i < SYNC_QUEUE_SIZE; i++) {
        EXPECT_EQ(push_sync_event(event_of(static_cast<uint8_t>(0x10 + i))), 1) << i;
    }
    EXPECT_EQ(push_sync_event(event_of(0xEE)), 0);
    EXPECT_EQ(sync_queue.count.load(), 10);
    EXPECT_EQ(sync_queue.write_index, 0);

    SyncEvent popped = {};
    ASSERT_EQ(pop_sync_event(&popped), 1);
    EXPECT_EQ(popped.command, 0x10);
    EXPECT_EQ(push_sync_event(event_of(0x77)), 1);
    EXPECT_EQ(sync_queue.events[0].command, 0x77);  // the slot just freed

    for (int i = 1; i < SYNC_QUEUE_SIZE; i++) {
        ASSERT_EQ(pop_sync_event(&popped), 1);
        EXPECT_EQ(popped.command, 0x10 + i);
    }
    ASSERT_EQ(pop_sync_event(&popped), 1);
    EXPECT_EQ(popped.command, 0x77);
}

TEST_F(SyncQueueTest, PopOnEmptyYieldsNothingAndChangesNothing)
{
    SyncEvent popped = event_of(0xAB);
    EXPECT_EQ(pop_sync_event(&popped), 0);
    EXPECT_EQ(popped.command, 0xAB);
    EXPECT_EQ(sync_queue.read_index, 0);
    EXPECT_EQ(sync_queue.write_index, 0);
    EXPECT_EQ(sync_queue.count.load(), 0);
}

TEST_F(SyncQueueTest, IndicesWrapAfterTwentyFivePushesAndPops)
{
    SyncEvent popped = {};
    for (int i = 0; i < 25; i++) {
        ASSERT_EQ(push_sync_event(event_of(static_cast<uint8_t>(i))), 1);
        ASSERT_EQ(pop_sync_event(&popped), 1);
        EXPECT_EQ(popped.command, i);
    }
    EXPECT_EQ(sync_queue.read_index, 5);
    EXPECT_EQ(sync_queue.write_index, 5);
    EXPECT_EQ(sync_queue.count.load(), 0);
}

TEST_F(SyncQueueTest, CallbackKeepsOnlyTheLowEightBits)
{
    on_music_sync(0x1F5);
    on_music_sync(0x42);
    SyncEvent popped = {};
    ASSERT_EQ(pop_sync_event(&popped), 1);
    EXPECT_EQ(popped.command, 0xF5);
    ASSERT_EQ(pop_sync_event(&popped), 1);
    EXPECT_EQ(popped.command, 0x42);
    EXPECT_EQ(pop_sync_event(&popped), 0);
}

// The producer runs flat out, so the ring is often full and events are
// refused; every accepted one must come out once, in order.
TEST_F(SyncQueueTest, TwoThreadsLoseOrReorderNothingAccepted)
{
    constexpr int32_t EVENTS = 1000000;
    std::vector<uint8_t> accepted;
    std::vector<uint8_t> received;
    accepted.reserve(EVENTS);
    received.reserve(EVENTS);
    std::atomic<int32_t> producer_done{0};

    std::thread producer([&] {
        for (int32_t i = 0; i < EVENTS; i++) {
            // A value that changes with every accepted event, so a swapped pair shows.
            uint8_t command = static_cast<uint8_t>(accepted.size() * 7 + 3);
            if (push_sync_event(event_of(command))) {
                accepted.push_back(command);
            }
        }
        producer_done.store(1, std::memory_order_release);
    });
    SyncEvent popped = {};
    for (;;) {
        int32_t done = producer_done.load(std::memory_order_acquire);
        while (pop_sync_event(&popped)) {
            received.push_back(popped.command);
        }
        if (done) {
            break;
        }
    }
    producer.join();
    while (pop_sync_event(&popped)) {
        received.push_back(popped.command);
    }

    EXPECT_GT(accepted.size(), 0u);
    ASSERT_EQ(received.size(), accepted.size());
    EXPECT_TRUE(received == accepted);
    EXPECT_EQ(sync_queue.count.load(), 0);
}

}  // namespace
