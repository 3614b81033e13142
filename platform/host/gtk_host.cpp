#include "host/detail/gtk_host.h"

#include "host/automation_socket.h"
#include "host/detail/render_png.h"

#include <cstdlib>

#include <glib-unix.h>
#include <spdlog/spdlog.h>

namespace host {

namespace detail {

    GtkHost::GtkHost(WindowOptions options)
        : m_options(std::move(options))
        , m_wake(WakeEvent::create())
    {
    }

    GtkHost::~GtkHost() = default;

    void GtkHost::quit()
    {
        m_quit.store(true);
        wake();
    }

    void GtkHost::wake()
    {
        if (m_wake)
            m_wake->signal();
    }

    base::Result<void> GtkHost::run(ui::Widget& root)
    {
        if (!m_wake)
            return std::unexpected(m_wake.error());
        FrameDriver driver(root, m_options.size);
        m_driver = &driver;
        m_desktop.emplace(*m_wake);
        ui::install_desktop(&*m_desktop);

        // A window for the user is still worth having without automation.
        auto path = prepare_automation_socket_path();
        auto server = path ? AutomationServer::create(*path, *this) : std::unexpected(path.error());
        if (server) {
            m_server = std::move(*server);
            spdlog::info("automation endpoint listening at {}", m_server->path().string());
            m_automation_source = g_unix_fd_add(m_server->fd(), G_IO_IN, on_automation, this);
        } else {
            spdlog::warn("automation endpoint unavailable: {}", server.error().text());
        }
        m_wake_source = g_unix_fd_add(m_wake->fd(), G_IO_IN, on_wake, this);

        char const* id = m_options.app_id.c_str();
        m_app = gtk_application_new(g_application_id_is_valid(id) ? id : nullptr, G_APPLICATION_NON_UNIQUE);
        g_signal_connect(m_app, "activate", G_CALLBACK(on_activate), this);
        int status = m_quit.load() ? 0 : g_application_run(G_APPLICATION(m_app), 0, nullptr);

        remove_sources();
        if (m_server)
            m_server->flush(std::chrono::milliseconds(500));
        m_server.reset();
        if (m_input_method)
            g_object_unref(m_input_method);
        m_input_method = nullptr;
        g_object_unref(m_app);
        m_app = nullptr;
        ui::install_desktop(nullptr);
        m_desktop.reset();
        m_driver = nullptr;
        if (status != 0)
            return base::fail("the window could not be opened");
        return {};
    }

    void GtkHost::remove_sources()
    {
        for (guint* source : { &m_wake_source, &m_automation_source, &m_timer_source }) {
            if (*source)
                g_source_remove(*source);
            *source = 0;
        }
    }

    void GtkHost::on_activate(GtkApplication* app, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        if (!host->m_window)
            host->build_window(app);
    }

    void GtkHost::build_window(GtkApplication* app)
    {
        m_window = gtk_application_window_new(app);
        gtk_window_set_title(GTK_WINDOW(m_window), m_options.title.c_str());
        gtk_window_set_default_size(
            GTK_WINDOW(m_window), static_cast<int>(m_options.size.width), static_cast<int>(m_options.size.height));
        g_signal_connect(m_window, "destroy", G_CALLBACK(on_window_destroyed), this);

        m_area = gtk_drawing_area_new();
        gtk_widget_set_hexpand(m_area, TRUE);
        gtk_widget_set_vexpand(m_area, TRUE);
        gtk_widget_set_focusable(m_area, TRUE);
        gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_area), on_draw, this, nullptr);
        attach_input(m_area);
        gtk_window_set_child(GTK_WINDOW(m_window), m_area);
        m_desktop->set_window(m_window);
        gtk_window_present(GTK_WINDOW(m_window));
        gtk_widget_grab_focus(m_area);
    }

    void GtkHost::on_window_destroyed(GtkWidget*, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        // The tick callback goes with the widget.
        host->m_tick = 0;
        host->m_area = nullptr;
        host->m_window = nullptr;
        if (host->m_desktop)
            host->m_desktop->set_window(nullptr);
    }

    void GtkHost::on_draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        auto& driver = *host->m_driver;
        driver.set_size({ static_cast<double>(width), static_cast<double>(height) });
        driver.set_scale(gtk_widget_get_scale_factor(GTK_WIDGET(area)));
        auto now = Clock::now();
        driver.run_frame(now, cr);
        if (host->m_server)
            host->m_server->service_waits(now);
        host->reschedule();
    }

    gboolean GtkHost::on_tick(GtkWidget* widget, GdkFrameClock*, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        if (!host->m_driver->wants_continuous_frames()) {
            host->m_tick = 0;
            return G_SOURCE_REMOVE;
        }
        gtk_widget_queue_draw(widget);
        return G_SOURCE_CONTINUE;
    }

    gboolean GtkHost::on_timer(gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        host->m_timer_source = 0;
        auto now = Clock::now();
        if (host->m_driver->frame_due(now) && host->m_area)
            gtk_widget_queue_draw(host->m_area);
        if (host->m_server)
            host->m_server->service_waits(now);
        host->reschedule();
        return G_SOURCE_REMOVE;
    }

    gboolean GtkHost::on_wake(gint, GIOCondition, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        host->m_wake->drain();
        if (host->m_quit.load()) {
            host->quit_now();
            return G_SOURCE_CONTINUE;
        }
        host->schedule_frame();
        return G_SOURCE_CONTINUE;
    }

    gboolean GtkHost::on_automation(gint, GIOCondition, gpointer self)
    {
        auto* host = static_cast<GtkHost*>(self);
        host->m_server->process(Clock::now());
        if (host->m_quit.load())
            host->quit_now();
        else
            host->reschedule();
        return G_SOURCE_CONTINUE;
    }

    void GtkHost::reschedule()
    {
        auto now = Clock::now();
        if (!m_area) {
            set_timer(m_server ? m_server->next_deadline() : std::nullopt);
            return;
        }
        // A frame due now is the frame clock's business: a zero timer here would
        // outrank the clock's lower priority and spin.
        auto next = m_driver->next_frame_time();
        bool due = next && *next <= now;
        if (due)
            gtk_widget_queue_draw(m_area);
        bool continuous = m_driver->wants_continuous_frames();
        if (continuous && !m_tick)
            m_tick = gtk_widget_add_tick_callback(m_area, on_tick, this, nullptr);
        std::optional<Clock::time_point> when = continuous || due ? std::nullopt : next;
        set_timer(ui::earliest(when, m_server ? m_server->next_deadline() : std::nullopt));
    }

    void GtkHost::set_timer(std::optional<Clock::time_point> when)
    {
        if (m_timer_source)
            g_source_remove(m_timer_source);
        m_timer_source = 0;
        if (!when)
            return;
        auto now = Clock::now();
        auto wait = *when <= now ? 0 : std::chrono::ceil<std::chrono::milliseconds>(*when - now).count();
        m_timer_source = g_timeout_add(static_cast<guint>(std::min<long long>(wait, 60'000)), on_timer, this);
    }

    void GtkHost::quit_now()
    {
        if (m_window)
            gtk_window_destroy(GTK_WINDOW(m_window));
        if (m_app)
            g_application_quit(G_APPLICATION(m_app));
    }

    ui::EventResult GtkHost::deliver(ui::Event const& event)
    {
        auto result = m_driver->deliver(event);
        if (m_area)
            gtk_widget_queue_draw(m_area);
        return result;
    }

    void GtkHost::schedule_frame()
    {
        m_driver->request_frame();
        if (m_area)
            gtk_widget_queue_draw(m_area);
    }

    base::Result<ui::Size> GtkHost::render_png(std::filesystem::path const& path)
    {
        auto size = render_window_png(*m_driver, path);
        schedule_frame();
        return size;
    }

    base::Result<void> GtkHost::resize(ui::Size size)
    {
        if (!m_window)
            return base::fail("the window is closed");
        // The drawing area reports the new size on its next frame.
        gtk_window_set_default_size(GTK_WINDOW(m_window), static_cast<int>(size.width), static_cast<int>(size.height));
        schedule_frame();
        return {};
    }

}

base::Result<std::unique_ptr<Host>> create_gtk_host(WindowOptions options)
{
    // X11 names the window's class after the program name, and desktops match
    // a window to its desktop entry by that class (Wayland uses the
    // application id itself): both must be the application id.
    if (g_application_id_is_valid(options.app_id.c_str()))
        g_set_prgname(options.app_id.c_str());
    if (!gtk_init_check()) {
        // Name the display, so a stale DISPLAY or WAYLAND_DISPLAY is easy to spot.
        char const* wayland = std::getenv("WAYLAND_DISPLAY");
        char const* x11 = std::getenv("DISPLAY");
        std::string name = wayland && *wayland ? wayland : x11 && *x11 ? x11 : "";
        if (name.empty())
            return base::fail("cannot open a display for the window");
        return base::fail("cannot open the display " + name + " for the window");
    }
    return std::unique_ptr<Host>(std::make_unique<detail::GtkHost>(std::move(options)));
}

}
