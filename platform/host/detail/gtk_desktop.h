#pragma once

#include "host/detail/wake_event.h"
#include "ui/desktop.h"

#include <mutex>
#include <optional>

#include <gtk/gtk.h>

namespace host::detail {

// The desktop as GTK offers it: the display's clipboard, the default
// application for a file, drags to other programs and the user's settings.
// Everything but wake() runs on the interface thread.
class GtkDesktop final : public ui::Desktop {
public:
    explicit GtkDesktop(WakeEvent const& wake)
        : m_wake(wake)
    {
    }
    ~GtkDesktop() override;
    GtkDesktop(GtkDesktop const&) = delete;
    GtkDesktop& operator=(GtkDesktop const&) = delete;

    // The window whose display, clipboard and surface the desktop uses; null
    // once it is gone.
    void set_window(GtkWidget* window);
    // The pointer that pressed last: the device a drag starts from.
    void set_pointer_device(GdkDevice* device) { m_pointer = device; }

    void copy_text(std::string const& text) override;
    // GTK reads another program's clipboard asynchronously, so the text is
    // fetched whenever the clipboard changes and answered from that copy.
    std::optional<std::string> paste_text() override;
    std::string clipboard_text() const;
    base::Result<void> open_file(std::filesystem::path const& path) override;
    base::Result<void> start_program_in(std::string const& program, std::filesystem::path const& folder) override;
    void start_file_drag(std::vector<std::filesystem::path> const& paths) override;
    std::chrono::milliseconds double_click_interval() const override;
    double text_scale() const override;
    bool reduced_motion() const override;
    void wake() override { m_wake.signal(); }

private:
    WakeEvent const& m_wake;
    GtkWidget* m_window { nullptr };
    GdkDevice* m_pointer { nullptr };
    static void on_clipboard_changed(GdkClipboard* clipboard, gpointer self);
    static void on_clipboard_read(GObject* clipboard, GAsyncResult* result, gpointer self);
    void stop_watching_clipboard();

    GdkClipboard* m_watched { nullptr };
    GCancellable* m_reading { nullptr };
    mutable std::mutex m_mutex;
    std::string m_clipboard;
    std::optional<std::string> m_desktop_text;
};

}
