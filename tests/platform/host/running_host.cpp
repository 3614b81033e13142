#include "running_host.h"

#include <cstdlib>
#include <stdexcept>

namespace host_test {

RunningHost::RunningHost(ui::Size size)
    : m_socket(m_folder / "automation.sock")
{
    setenv("KESU_AUTOMATION_SOCKET", m_socket.c_str(), 1);
    m_host = host::create_headless_host({ "so.kesu.test", "Test", size });
    m_thread = std::thread([this] { m_result = m_host->run(m_root); });
}

RunningHost::~RunningHost()
{
    if (m_thread.joinable()) {
        m_host->quit();
        m_thread.join();
    }
    unsetenv("KESU_AUTOMATION_SOCKET");
}

test_support::AutomationClient RunningHost::connect() const
{
    auto client = test_support::AutomationClient::connect(m_socket);
    // Thrown so the test fails at once with the reason.
    if (!client)
        throw std::runtime_error("cannot connect: " + client.error().text());
    return std::move(*client);
}

base::Result<void> RunningHost::join()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_result.value_or(base::fail("the host never ran"));
}

}
