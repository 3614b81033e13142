#pragma once

// Runs a headless host with a TestRoot on a thread, its automation socket in
// a temporary folder, and stops it at the end of the test.

#include "host/host.h"
#include "support/automation_client.h"
#include "support/temp_dir.h"
#include "test_root.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

namespace host_test {

class RunningHost {
public:
    explicit RunningHost(ui::Size size = { 400, 300 });
    ~RunningHost();

    std::filesystem::path const& socket() const { return m_socket; }
    TestRoot& root() { return m_root; }
    host::Host& host() { return *m_host; }
    // A fresh connection to the endpoint.
    test_support::AutomationClient connect() const;
    // Waits for the loop to end and answers what run() returned.
    base::Result<void> join();
    test_support::TempDir const& folder() const { return m_folder; }

private:
    test_support::TempDir m_folder;
    std::filesystem::path m_socket;
    TestRoot m_root;
    std::unique_ptr<host::Host> m_host;
    std::optional<base::Result<void>> m_result;
    std::thread m_thread;
};

}
