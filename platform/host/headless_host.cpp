#include "host/automation.h"
#include "host/automation_socket.h"
#include "host/detail/headless_desktop.h"
#include "host/detail/render_png.h"
#include "host/detail/wake_event.h"
#include "host/frame_driver.h"
#include "host/host.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>

#include <cairo.h>
#include <poll.h>
#include <spdlog/spdlog.h>

namespace host {

namespace {

    // Milliseconds until `when` for poll(): -1 for never, rounded up so the loop
    // never wakes a hair early and spins.
    int poll_timeout(std::optional<Clock::time_point> when, Clock::time_point now)
    {
        if (!when)
            return -1;
        if (*when <= now)
            return 0;
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(*when - now).count();
        return static_cast<int>(std::min<long long>(wait, 60'000));
    }

    class HeadlessHost final : public Host, public AutomationTarget {
    public:
        explicit HeadlessHost(WindowOptions options)
            : m_options(std::move(options))
            , m_wake(detail::WakeEvent::create())
        {
        }

        base::Result<void> run(ui::Widget& root) override;
        void quit() override
        {
            m_quit.store(true);
            wake();
        }
        void wake() override
        {
            if (m_wake)
                m_wake->signal();
        }

        ui::Widget& root() override { return m_driver->root(); }
        ui::EventResult deliver(ui::Event const& event) override { return m_driver->deliver(event); }
        void schedule_frame() override { m_driver->request_frame(); }
        base::Result<ui::Size> render_png(std::filesystem::path const& path) override
        {
            return detail::render_window_png(*m_driver, path);
        }
        ui::Size window_size() const override { return m_driver->size(); }
        base::Result<void> resize(ui::Size size) override
        {
            m_driver->set_size(size);
            return {};
        }
        bool is_idle() const override { return m_driver->is_idle(); }
        std::string clipboard_text() const override { return m_desktop ? m_desktop->clipboard_text() : std::string(); }

    private:
        base::Result<void> loop(AutomationServer& server);
        void paint_frame(Clock::time_point now);

        WindowOptions m_options;
        base::Result<detail::WakeEvent> m_wake;
        std::atomic<bool> m_quit { false };
        FrameDriver* m_driver { nullptr };
        std::optional<detail::HeadlessDesktop> m_desktop;
        cairo_surface_t* m_surface { nullptr };
    };

    base::Result<void> HeadlessHost::run(ui::Widget& root)
    {
        if (!m_wake)
            return std::unexpected(m_wake.error());
        FrameDriver driver(root, m_options.size);
        m_driver = &driver;
        m_desktop.emplace(*m_wake);
        ui::install_desktop(&*m_desktop);
        auto result = [&]() -> base::Result<void> {
            auto path = TRY(prepare_automation_socket_path());
            auto server = TRY(AutomationServer::create(path, *this));
            spdlog::info("automation endpoint listening at {}", path.string());
            auto ended = loop(*server);
            server->flush(std::chrono::milliseconds(500));
            return ended;
        }();
        ui::install_desktop(nullptr);
        m_desktop.reset();
        if (m_surface)
            cairo_surface_destroy(m_surface);
        m_surface = nullptr;
        m_driver = nullptr;
        return result;
    }

    base::Result<void> HeadlessHost::loop(AutomationServer& server)
    {
        while (!m_quit.load()) {
            auto now = Clock::now();
            if (m_driver->frame_due(now))
                paint_frame(now);
            server.service_waits(Clock::now());
            if (m_quit.load())
                break;
            now = Clock::now();
            auto next = ui::earliest(m_driver->next_frame_time(), server.next_deadline());
            std::array<pollfd, 2> fds { { { m_wake->fd(), POLLIN, 0 }, { server.fd(), POLLIN, 0 } } };
            if (poll(fds.data(), fds.size(), poll_timeout(next, now)) < 0 && errno != EINTR)
                return base::fail_errno(errno, "poll");
            if (fds[0].revents & POLLIN) {
                m_wake->drain();
                m_driver->request_frame();
            }
            if (fds[1].revents & POLLIN)
                server.process(Clock::now());
        }
        return {};
    }

    void HeadlessHost::paint_frame(Clock::time_point now)
    {
        auto size = m_driver->size();
        double scale = m_driver->scale();
        int width = std::max(1, static_cast<int>(std::ceil(size.width * scale)));
        int height = std::max(1, static_cast<int>(std::ceil(size.height * scale)));
        if (!m_surface || cairo_image_surface_get_width(m_surface) != width
            || cairo_image_surface_get_height(m_surface) != height) {
            if (m_surface)
                cairo_surface_destroy(m_surface);
            m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        }
        cairo_t* cr = cairo_create(m_surface);
        cairo_scale(cr, scale, scale);
        m_driver->run_frame(now, cr);
        cairo_destroy(cr);
    }

}

std::unique_ptr<Host> create_headless_host(WindowOptions options)
{
    return std::make_unique<HeadlessHost>(std::move(options));
}

}
