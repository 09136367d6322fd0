// A lock word for the toolkit's process-wide lists: taken by atomically
// exchanging it with a non-zero value until the old value was 0, released
// by storing 0. Held only for a list walk, never across a call out.
#pragma once

#include <atomic>
#include <thread>

class LockWord {
public:
    void Acquire() {
        while (word_.exchange(1, std::memory_order_acquire) != 0) {
            std::this_thread::yield();
        }
    }
    void Release() { word_.store(0, std::memory_order_release); }

private:
    std::atomic<long> word_{0};
};

class LockWordHeld {
public:
    explicit LockWordHeld(LockWord& lock) : lock_(lock) { lock_.Acquire(); }
    ~LockWordHeld() { lock_.Release(); }
    LockWordHeld(const LockWordHeld&) = delete;
    LockWordHeld& operator=(const LockWordHeld&) = delete;

private:
    LockWord& lock_;
};
