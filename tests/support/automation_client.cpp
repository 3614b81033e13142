#include "support/automation_client.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace test_support {

namespace {

    base::Result<int> connect_once(std::filesystem::path const& socket_path)
    {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        if (socket_path.native().size() >= sizeof address.sun_path)
            return base::fail("socket path is too long");
        std::strcpy(address.sun_path, socket_path.c_str());
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return base::fail_errno(errno, "socket");
        if (::connect(fd, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0) {
            int error = errno;
            close(fd);
            return base::fail_errno(error, "connect");
        }
        return fd;
    }

}

base::Result<AutomationClient> AutomationClient::connect(
    std::filesystem::path const& socket, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        auto fd = connect_once(socket);
        if (fd)
            return AutomationClient(*fd);
        bool retry = fd.error().is_errno(ENOENT) || fd.error().is_errno(ECONNREFUSED);
        if (!retry || std::chrono::steady_clock::now() >= deadline)
            return std::unexpected(fd.error());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

AutomationClient::AutomationClient(AutomationClient&& other) noexcept
    : m_fd(other.m_fd)
    , m_buffer(std::move(other.m_buffer))
{
    other.m_fd = -1;
}

AutomationClient::~AutomationClient()
{
    if (m_fd >= 0)
        close(m_fd);
}

base::Result<void> AutomationClient::send_raw(std::string_view bytes)
{
    while (!bytes.empty()) {
        auto sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return base::fail_errno(errno, "send");
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return {};
}

base::Result<nlohmann::json> AutomationClient::request(nlohmann::json const& request)
{
    TRY_VOID(send_raw(request.dump() + "\n"));
    return read_answer();
}

base::Result<nlohmann::json> AutomationClient::read_answer(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto end = m_buffer.find('\n'); end != std::string::npos) {
            auto line = m_buffer.substr(0, end);
            m_buffer.erase(0, end + 1);
            auto answer = nlohmann::json::parse(line, nullptr, false);
            if (answer.is_discarded())
                return base::fail("answer is not JSON: " + line);
            return answer;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd entry { m_fd, POLLIN, 0 };
        int ready = left.count() > 0 ? poll(&entry, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return base::fail("no answer within the timeout");
        char chunk[65536];
        auto got = read(m_fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return base::fail_errno(errno, "read");
        if (got == 0)
            return base::fail("connection closed");
        m_buffer.append(chunk, static_cast<std::size_t>(got));
    }
}

}
