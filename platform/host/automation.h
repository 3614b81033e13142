#pragma once

// The automation endpoint: a Unix stream socket served from the host's loop
// without ever blocking it. Requests and answers are newline-delimited JSON
// objects (see docs/automation.md). Connections from another user are closed
// at once; malformed or over-long lines get a JSON error and the connection
// stays usable.
//
// All sockets sit behind one epoll descriptor, so a host watches fd() alone
// and calls process() when it is readable.

#include "base/result.h"
#include "host/automation_protocol.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host {

class AutomationServer {
public:
    // Listens at `path` (made by prepare_automation_socket_path or given by
    // the caller); the socket file is removed again on destruction.
    static base::Result<std::unique_ptr<AutomationServer>> create(std::filesystem::path path, AutomationTarget& target);
    ~AutomationServer();
    AutomationServer(AutomationServer const&) = delete;
    AutomationServer& operator=(AutomationServer const&) = delete;

    std::filesystem::path const& path() const { return m_path; }
    int fd() const { return m_epoll; }

    // Accepts, reads, answers and writes whatever is ready; never blocks.
    void process(Clock::time_point now);
    // Finishes the waits for idle that are met or past their deadline. Hosts
    // call it after every loop iteration.
    void service_waits(Clock::time_point now);
    // The earliest deadline of a pending wait.
    std::optional<Clock::time_point> next_deadline() const;
    // Gives pending answers up to `limit` to leave, before the loop ends.
    void flush(std::chrono::milliseconds limit);

private:
    struct Connection {
        int fd { -1 };
        std::string input;
        std::string output;
        bool discarding { false };
        bool peer_closed { false };
        bool broken { false };
        bool watching_output { false };
        std::optional<WaitIdle> wait;
    };

    AutomationServer(std::filesystem::path path, int listener, int epoll, AutomationTarget& target);
    void accept_connections();
    void read_from(Connection& connection, Clock::time_point now);
    void answer_lines(Connection& connection, Clock::time_point now);
    void answer_line(Connection& connection, std::string_view line, Clock::time_point now);
    void send(Connection& connection, std::string line);
    void write_pending(Connection& connection);
    void update_watch(Connection& connection);
    void close_finished();
    bool finished(Connection const& connection) const;
    Connection* find(int fd);

    std::filesystem::path m_path;
    int m_listener { -1 };
    int m_epoll { -1 };
    AutomationTarget& m_target;
    std::vector<std::unique_ptr<Connection>> m_connections;
};

}
