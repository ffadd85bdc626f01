// The ring of sync events that carries the music's command bytes to the main thread.
#include "runtime/sync_queue.h"

SyncQueue sync_queue = {};

// The acquire load of the count makes the slot contents written before the
// other side's release visible; the release on the count's update publishes
// this side's slot access before the other side may reuse the slot.
int32_t push_sync_event(const SyncEvent& event)
{
    if (sync_queue.count.load(std::memory_order_acquire) >= SYNC_QUEUE_SIZE) {
        return 0;
    }
    sync_queue.events[sync_queue.write_index] = event;
    sync_queue.write_index = (sync_queue.write_index + 1) % SYNC_QUEUE_SIZE;
    sync_queue.count.fetch_add(1, std::memory_order_acq_rel);
    return 1;
}

int32_t pop_sync_event(SyncEvent* event)
{
    if (sync_queue.count.load(std::memory_order_acquire) <= 0) {
        return 0;
    }
    *event = sync_queue.events[sync_queue.read_index];
    sync_queue.read_index = (sync_queue.read_index + 1) % SYNC_QUEUE_SIZE;
    sync_queue.count.fetch_sub(1, std::memory_order_acq_rel);
    return 1;
}

void sync_queue_reset()
{
    sync_queue.read_index = 0;
    sync_queue.write_index = 0;
    sync_queue.count.store(0, std::memory_order_release);
}
