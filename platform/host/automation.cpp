#include "host/automation.h"

#include "host/automation_socket.h"

#include <algorithm>
#include <array>
#include <cerrno>

#include <fmt/format.h>
#include <poll.h>
#include <spdlog/spdlog.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace host {

namespace {

    constexpr std::size_t max_connections = 32;
    // A client that stops reading is dropped rather than let the answers grow.
    constexpr std::size_t max_pending_output = 256u * 1024 * 1024;
    constexpr std::size_t read_chunk = 64 * 1024;
    // Bounds one pass so a flood on one connection cannot starve the frames.
    constexpr std::size_t max_read_per_pass = 4u * 1024 * 1024;

    std::string const& over_long_error()
    {
        static std::string const text = fmt::format("request line exceeds {} bytes", max_request_line);
        return text;
    }

    bool epoll_set(int epoll, int operation, int fd, std::uint32_t events)
    {
        epoll_event event {};
        event.events = events;
        event.data.fd = fd;
        return epoll_ctl(epoll, operation, fd, &event) == 0;
    }

}

base::Result<std::unique_ptr<AutomationServer>> AutomationServer::create(
    std::filesystem::path path, AutomationTarget& target)
{
    int listener = TRY(listen_unix_socket(path));
    int epoll = epoll_create1(EPOLL_CLOEXEC);
    if (epoll < 0 || !epoll_set(epoll, EPOLL_CTL_ADD, listener, EPOLLIN)) {
        int error = errno;
        if (epoll >= 0)
            close(epoll);
        close(listener);
        unlink(path.c_str());
        return base::fail_errno(error, "epoll");
    }
    return std::unique_ptr<AutomationServer>(new AutomationServer(std::move(path), listener, epoll, target));
}

AutomationServer::AutomationServer(std::filesystem::path path, int listener, int epoll, AutomationTarget& target)
    : m_path(std::move(path))
    , m_listener(listener)
    , m_epoll(epoll)
    , m_target(target)
{
}

AutomationServer::~AutomationServer()
{
    for (auto const& connection : m_connections)
        close(connection->fd);
    close(m_listener);
    close(m_epoll);
    unlink(m_path.c_str());
}

void AutomationServer::process(Clock::time_point now)
{
    std::array<epoll_event, 32> events {};
    int count = epoll_wait(m_epoll, events.data(), static_cast<int>(events.size()), 0);
    for (int i = 0; i < count; ++i) {
        auto const& event = events[static_cast<std::size_t>(i)];
        if (event.data.fd == m_listener) {
            accept_connections();
            continue;
        }
        auto* connection = find(event.data.fd);
        if (!connection)
            continue;
        if (event.events & EPOLLOUT)
            write_pending(*connection);
        if (event.events & (EPOLLIN | EPOLLRDHUP))
            read_from(*connection, now);
        // Both directions are gone: nobody is left to answer.
        if (event.events & (EPOLLHUP | EPOLLERR))
            connection->broken = true;
        update_watch(*connection);
    }
    close_finished();
}

void AutomationServer::accept_connections()
{
    while (true) {
        int fd = accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            return;
        if (!peer_is_same_user(fd)) {
            spdlog::warn("automation: refused a connection from another user");
            close(fd);
            continue;
        }
        if (m_connections.size() >= max_connections || !epoll_set(m_epoll, EPOLL_CTL_ADD, fd, EPOLLIN | EPOLLRDHUP)) {
            close(fd);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->fd = fd;
        m_connections.push_back(std::move(connection));
    }
}

void AutomationServer::read_from(Connection& connection, Clock::time_point now)
{
    std::array<char, read_chunk> buffer {};
    std::size_t total = 0;
    while (!connection.wait && !connection.peer_closed && total < max_read_per_pass) {
        auto got = read(connection.fd, buffer.data(), buffer.size());
        if (got == 0) {
            connection.peer_closed = true;
        } else if (got < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                connection.broken = true;
            break;
        } else {
            total += static_cast<std::size_t>(got);
            connection.input.append(buffer.data(), static_cast<std::size_t>(got));
            // Lines are taken as they arrive, so the buffer never holds much
            // more than one bounded line.
            answer_lines(connection, now);
        }
    }
    answer_lines(connection, now);
}

void AutomationServer::answer_lines(Connection& connection, Clock::time_point now)
{
    std::size_t start = 0;
    auto& input = connection.input;
    while (!connection.wait && !connection.broken) {
        auto end = input.find('\n', start);
        if (connection.discarding) {
            if (end == std::string::npos) {
                start = input.size();
                break;
            }
            connection.discarding = false;
            start = end + 1;
            continue;
        }
        if (end == std::string::npos) {
            if (input.size() - start > max_request_line) {
                send(connection, error_reply(over_long_error()));
                connection.discarding = true;
                start = input.size();
            }
            break;
        }
        std::string_view line(input.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > max_request_line)
            send(connection, error_reply(over_long_error()));
        else if (!line.empty())
            answer_line(connection, line, now);
    }
    input.erase(0, start);
}

void AutomationServer::answer_line(Connection& connection, std::string_view line, Clock::time_point now)
{
    auto answer = handle_request(line, m_target, now);
    if (auto* reply = std::get_if<Reply>(&answer)) {
        send(connection, std::move(reply->line));
        return;
    }
    connection.wait = std::get<WaitIdle>(std::move(answer));
    update_watch(connection);
}

void AutomationServer::send(Connection& connection, std::string line)
{
    if (connection.broken)
        return;
    connection.output += line;
    connection.output += '\n';
    if (connection.output.size() > max_pending_output) {
        connection.broken = true;
        return;
    }
    write_pending(connection);
    update_watch(connection);
}

void AutomationServer::write_pending(Connection& connection)
{
    std::size_t sent = 0;
    auto& output = connection.output;
    while (sent < output.size() && !connection.broken) {
        auto written = ::send(connection.fd, output.data() + sent, output.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (written > 0)
            sent += static_cast<std::size_t>(written);
        else if (written < 0 && errno == EINTR)
            continue;
        else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        else
            connection.broken = true;
    }
    output.erase(0, sent);
}

void AutomationServer::update_watch(Connection& connection)
{
    if (connection.broken)
        return;
    std::uint32_t events = 0;
    // Reading pauses while a wait holds the connection's later requests back,
    // and after the peer closed its side, so the level-triggered poll rests.
    if (!connection.wait && !connection.peer_closed)
        events |= EPOLLIN | EPOLLRDHUP;
    if (!connection.output.empty())
        events |= EPOLLOUT;
    epoll_set(m_epoll, EPOLL_CTL_MOD, connection.fd, events);
}

bool AutomationServer::finished(Connection const& connection) const
{
    if (connection.broken)
        return true;
    return connection.peer_closed && !connection.wait && connection.output.empty();
}

void AutomationServer::close_finished()
{
    std::erase_if(m_connections, [this](auto const& connection) {
        if (!finished(*connection))
            return false;
        close(connection->fd);
        return true;
    });
}

void AutomationServer::service_waits(Clock::time_point now)
{
    for (auto const& connection : m_connections) {
        if (!connection->wait)
            continue;
        bool idle = m_target.is_idle();
        if (!idle && now < connection->wait->deadline)
            continue;
        auto wait = std::move(*connection->wait);
        connection->wait.reset();
        send(*connection, idle_reply(wait, idle));
        // Requests that arrived behind the wait are answered now.
        answer_lines(*connection, now);
        update_watch(*connection);
    }
    close_finished();
}

std::optional<Clock::time_point> AutomationServer::next_deadline() const
{
    std::optional<Clock::time_point> next;
    for (auto const& connection : m_connections) {
        if (connection->wait)
            next = ui::earliest(next, connection->wait->deadline);
    }
    return next;
}

void AutomationServer::flush(std::chrono::milliseconds limit)
{
    auto deadline = Clock::now() + limit;
    for (auto const& connection : m_connections) {
        while (!connection->output.empty() && !connection->broken) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            pollfd entry { connection->fd, POLLOUT, 0 };
            if (left <= 0 || poll(&entry, 1, static_cast<int>(left)) <= 0)
                break;
            write_pending(*connection);
        }
    }
}

AutomationServer::Connection* AutomationServer::find(int fd)
{
    for (auto const& connection : m_connections) {
        if (connection->fd == fd)
            return connection.get();
    }
    return nullptr;
}

}
