#pragma once

// A small client of the automation endpoint for tests: connects to the
// socket (waiting for it to appear), sends one JSON object a line and reads
// one answer line.

#include "base/result.h"

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace test_support {

class AutomationClient {
public:
    // Retries until `timeout` while the socket does not exist or refuses.
    static base::Result<AutomationClient> connect(
        std::filesystem::path const& socket, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    AutomationClient(AutomationClient&& other) noexcept;
    AutomationClient& operator=(AutomationClient&&) = delete;
    AutomationClient(AutomationClient const&) = delete;
    ~AutomationClient();

    // Sends `request` and reads the answer.
    base::Result<nlohmann::json> request(nlohmann::json const& request);
    // Sends raw bytes as they are, for malformed requests.
    base::Result<void> send_raw(std::string_view bytes);
    // Reads one answer line; fails on end of stream ("connection closed") or
    // after `timeout` ("no answer within the timeout").
    base::Result<nlohmann::json> read_answer(std::chrono::milliseconds timeout = std::chrono::seconds(30));

    int fd() const { return m_fd; }

private:
    explicit AutomationClient(int fd)
        : m_fd(fd)
    {
    }

    int m_fd { -1 };
    std::string m_buffer;
};

}
