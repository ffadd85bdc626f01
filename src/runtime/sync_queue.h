// The ring of sync events that carries the music's command bytes to the main thread.
#pragma once
#include <atomic>
#include <cstdint>

// One command byte from the music: high nibble the command, low nibble its argument.
struct SyncEvent {
    uint8_t command;
};

// Exactly ten entries, not a power of two: when the main thread falls more
// than ten sync bytes behind, the later ones are dropped, and that is kept.
constexpr int32_t SYNC_QUEUE_SIZE = 10;

// Single producer (the audio thread), single consumer (the main thread).
// The write index belongs to the producer, the read index to the consumer;
// the count is the only value both sides change, and the only test of
// fullness and emptiness (the indices are never compared).
struct SyncQueue {
    SyncEvent events[SYNC_QUEUE_SIZE];
    int32_t read_index;
    int32_t write_index;
    std::atomic<int32_t> count;
};

// Lives for the whole run; empty at start and never cleared while the music plays.
extern SyncQueue sync_queue;

// Copies the event into the ring. Returns 1 if accepted, 0 if the ring was
// full (the event is dropped and nothing changes). Producer side only; never
// blocks, allocates or locks.
int32_t push_sync_event(const SyncEvent& event);

// Takes the oldest event into *event and returns 1, or returns 0 and leaves
// *event and the ring untouched when it is empty. Consumer side only.
int32_t pop_sync_event(SyncEvent* event);

// Empties the ring and sets both indices to 0. Only while no producer runs
// (tests, before the music starts).
void sync_queue_reset();
