#pragma once

// An eventfd that any thread may signal to wake the interface thread's loop.
// The loop polls fd() and calls drain() when it becomes readable.

#include "base/result.h"

namespace host::detail {

class WakeEvent {
public:
    static base::Result<WakeEvent> create();
    WakeEvent(WakeEvent&& other) noexcept;
    WakeEvent& operator=(WakeEvent&&) = delete;
    WakeEvent(WakeEvent const&) = delete;
    ~WakeEvent();

    int fd() const { return m_fd; }
    // Async-signal-safe and thread-safe.
    void signal() const;
    // Clears the pending signals; true when there was at least one.
    bool drain() const;

private:
    explicit WakeEvent(int fd)
        : m_fd(fd)
    {
    }
    int m_fd { -1 };
};

}
