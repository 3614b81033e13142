#include "host/detail/wake_event.h"

#include <cerrno>
#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace host::detail {

base::Result<WakeEvent> WakeEvent::create()
{
    int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        return base::fail_errno(errno, "eventfd");
    return WakeEvent(fd);
}

WakeEvent::WakeEvent(WakeEvent&& other) noexcept
    : m_fd(other.m_fd)
{
    other.m_fd = -1;
}

WakeEvent::~WakeEvent()
{
    if (m_fd >= 0)
        close(m_fd);
}

void WakeEvent::signal() const
{
    std::uint64_t one = 1;
    // A full counter (EAGAIN) already means "wake up", so the result is moot.
    [[maybe_unused]] auto written = write(m_fd, &one, sizeof one);
}

bool WakeEvent::drain() const
{
    std::uint64_t count = 0;
    return read(m_fd, &count, sizeof count) == sizeof count && count > 0;
}

}
