#pragma once

#include "host/automation.h"
#include "host/detail/gtk_desktop.h"
#include "host/detail/wake_event.h"
#include "host/frame_driver.h"
#include "host/host.h"

#include <atomic>
#include <memory>
#include <optional>

#include <gtk/gtk.h>

namespace host::detail {

// One GtkApplication window whose drawing area paints the widget tree. The
// loop is GLib's: the wake event and the automation endpoint are watched as
// fd sources, frames come from queue_draw, a tick callback runs only while the
// tree animates, and a timer fires at the tree's wake deadline.
class GtkHost final : public Host, public AutomationTarget {
public:
    explicit GtkHost(WindowOptions options);
    ~GtkHost() override;

    base::Result<void> run(ui::Widget& root) override;
    void quit() override;
    void wake() override;

    ui::Widget& root() override { return m_driver->root(); }
    ui::EventResult deliver(ui::Event const& event) override;
    void schedule_frame() override;
    base::Result<ui::Size> render_png(std::filesystem::path const& path) override;
    ui::Size window_size() const override { return m_driver->size(); }
    base::Result<void> resize(ui::Size size) override;
    bool is_idle() const override { return m_driver->is_idle(); }
    std::string clipboard_text() const override { return m_desktop ? m_desktop->clipboard_text() : std::string(); }

private:
    static void on_activate(GtkApplication* app, gpointer self);
    static void on_window_destroyed(GtkWidget* window, gpointer self);
    static void on_draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer self);
    static gboolean on_tick(GtkWidget* widget, GdkFrameClock* clock, gpointer self);
    static gboolean on_timer(gpointer self);
    static gboolean on_wake(gint fd, GIOCondition condition, gpointer self);
    static gboolean on_automation(gint fd, GIOCondition condition, gpointer self);

    void build_window(GtkApplication* app);
    void attach_input(GtkWidget* area);
    void reschedule();
    void set_timer(std::optional<Clock::time_point> when);
    void quit_now();
    void remove_sources();

    // Input handlers, in gtk_host_input.cpp.
    static void on_motion(GtkEventControllerMotion* controller, double x, double y, gpointer self);
    static void on_leave(GtkEventControllerMotion* controller, gpointer self);
    static void on_pressed(GtkGestureClick* gesture, int presses, double x, double y, gpointer self);
    static void on_released(GtkGestureClick* gesture, int presses, double x, double y, gpointer self);
    static gboolean on_scroll(GtkEventControllerScroll* controller, double dx, double dy, gpointer self);
    static gboolean on_key_pressed(
        GtkEventControllerKey* controller, guint keyval, guint keycode, GdkModifierType state, gpointer self);
    static void on_key_released(
        GtkEventControllerKey* controller, guint keyval, guint keycode, GdkModifierType state, gpointer self);
    static void on_focus_enter(GtkEventControllerFocus* controller, gpointer self);
    static void on_focus_leave(GtkEventControllerFocus* controller, gpointer self);
    static void on_commit(GtkIMContext* context, char const* text, gpointer self);
    static void on_preedit_changed(GtkIMContext* context, gpointer self);
    bool filter_through_input_method(GtkEventController* controller);

    WindowOptions m_options;
    base::Result<WakeEvent> m_wake;
    std::atomic<bool> m_quit { false };
    FrameDriver* m_driver { nullptr };
    std::optional<GtkDesktop> m_desktop;
    std::unique_ptr<AutomationServer> m_server;
    GtkApplication* m_app { nullptr };
    GtkWidget* m_window { nullptr };
    GtkWidget* m_area { nullptr };
    GtkIMContext* m_input_method { nullptr };
    guint m_wake_source { 0 };
    guint m_automation_source { 0 };
    guint m_timer_source { 0 };
    guint m_tick { 0 };
    ui::Point m_pointer;
    bool m_composing { false };
};

}
