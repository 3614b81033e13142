#include "host/detail/gtk_desktop.h"

#include <algorithm>

namespace host::detail {

namespace {

    GdkContentProvider* file_list_provider(std::vector<std::filesystem::path> const& paths)
    {
        GSList* files = nullptr;
        std::string uri_list;
        for (auto const& path : paths) {
            GFile* file = g_file_new_for_path(path.c_str());
            char* uri = g_file_get_uri(file);
            uri_list += uri;
            uri_list += "\r\n";
            g_free(uri);
            files = g_slist_prepend(files, file);
        }
        files = g_slist_reverse(files);
        GdkFileList* list = gdk_file_list_new_from_list(files);
        g_slist_free_full(files, g_object_unref);
        GBytes* bytes = g_bytes_new(uri_list.data(), uri_list.size());
        // Programs that take files get the list itself; the rest a text/uri-list.
        GdkContentProvider* providers[] = {
            gdk_content_provider_new_typed(GDK_TYPE_FILE_LIST, list),
            gdk_content_provider_new_for_bytes("text/uri-list", bytes),
        };
        g_bytes_unref(bytes);
        g_boxed_free(GDK_TYPE_FILE_LIST, list);
        return gdk_content_provider_new_union(providers, 2);
    }

    int int_setting(char const* name, int fallback)
    {
        GtkSettings* settings = gtk_settings_get_default();
        if (!settings)
            return fallback;
        int value = fallback;
        g_object_get(settings, name, &value, nullptr);
        return value;
    }

}

GtkDesktop::~GtkDesktop() { stop_watching_clipboard(); }

void GtkDesktop::set_window(GtkWidget* window)
{
    stop_watching_clipboard();
    m_window = window;
    if (!window)
        return;
    m_watched = GDK_CLIPBOARD(g_object_ref(gtk_widget_get_clipboard(window)));
    g_signal_connect(m_watched, "changed", G_CALLBACK(on_clipboard_changed), this);
    on_clipboard_changed(m_watched, this);
}

void GtkDesktop::stop_watching_clipboard()
{
    // A read still in flight finds its cancellable cancelled and touches
    // nothing of ours.
    if (m_reading) {
        g_cancellable_cancel(m_reading);
        g_object_unref(m_reading);
        m_reading = nullptr;
    }
    if (m_watched) {
        g_signal_handlers_disconnect_by_data(m_watched, this);
        g_object_unref(m_watched);
        m_watched = nullptr;
    }
}

void GtkDesktop::on_clipboard_changed(GdkClipboard* clipboard, gpointer self)
{
    auto* desktop = static_cast<GtkDesktop*>(self);
    if (desktop->m_reading) {
        g_cancellable_cancel(desktop->m_reading);
        g_object_unref(desktop->m_reading);
        desktop->m_reading = nullptr;
    }
    desktop->m_desktop_text.reset();
    if (gdk_clipboard_is_local(clipboard))
        return;
    desktop->m_reading = g_cancellable_new();
    // The read holds its own reference to the cancellable and reaches the
    // desktop through it only while it has not been cancelled, so a read that
    // finishes after the desktop is gone touches nothing.
    g_object_set_data(G_OBJECT(desktop->m_reading), "desktop", desktop);
    gdk_clipboard_read_text_async(clipboard, desktop->m_reading, on_clipboard_read, g_object_ref(desktop->m_reading));
}

void GtkDesktop::on_clipboard_read(GObject* clipboard, GAsyncResult* result, gpointer cancellable)
{
    GError* error = nullptr;
    char* text = gdk_clipboard_read_text_finish(GDK_CLIPBOARD(clipboard), result, &error);
    if (error)
        g_error_free(error);
    auto* reading = G_CANCELLABLE(cancellable);
    if (!g_cancellable_is_cancelled(reading)) {
        auto* desktop = static_cast<GtkDesktop*>(g_object_get_data(G_OBJECT(reading), "desktop"));
        if (text)
            desktop->m_desktop_text = std::string(text);
    }
    g_free(text);
    g_object_unref(reading);
}

std::optional<std::string> GtkDesktop::paste_text()
{
    if (m_watched && gdk_clipboard_is_local(m_watched)) {
        std::lock_guard lock(m_mutex);
        return m_clipboard;
    }
    return m_desktop_text;
}

void GtkDesktop::copy_text(std::string const& text)
{
    {
        std::lock_guard lock(m_mutex);
        m_clipboard = text;
    }
    if (m_window)
        gdk_clipboard_set_text(gtk_widget_get_clipboard(m_window), text.c_str());
}

std::string GtkDesktop::clipboard_text() const
{
    std::lock_guard lock(m_mutex);
    return m_clipboard;
}

base::Result<void> GtkDesktop::open_file(std::filesystem::path const& path)
{
    TRY_VOID(ui::check_opener_path(path));
    GFile* file = g_file_new_for_path(path.c_str());
    char* uri = g_file_get_uri(file);
    g_object_unref(file);
    GAppLaunchContext* context = nullptr;
    if (m_window)
        context = G_APP_LAUNCH_CONTEXT(gdk_display_get_app_launch_context(gtk_widget_get_display(m_window)));
    GError* error = nullptr;
    bool launched = g_app_info_launch_default_for_uri(uri, context, &error);
    g_free(uri);
    if (context)
        g_object_unref(context);
    if (launched)
        return {};
    std::string text = error ? error->message : "the file could not be opened";
    if (error)
        g_error_free(error);
    return base::fail(text);
}

base::Result<void> GtkDesktop::start_program_in(std::string const& program, std::filesystem::path const& folder)
{
    return ui::spawn_detached(program, folder);
}

void GtkDesktop::start_file_drag(std::vector<std::filesystem::path> const& paths)
{
    if (paths.empty() || !m_window || !m_pointer)
        return;
    GdkSurface* surface = gtk_native_get_surface(gtk_widget_get_native(m_window));
    if (!surface)
        return;
    GdkContentProvider* content = file_list_provider(paths);
    GdkDrag* drag = gdk_drag_begin(
        surface, m_pointer, content, static_cast<GdkDragAction>(GDK_ACTION_COPY | GDK_ACTION_MOVE), 0, 0);
    g_object_unref(content);
    // GDK keeps the drag alive until it ends.
    if (drag)
        g_object_unref(drag);
}

std::chrono::milliseconds GtkDesktop::double_click_interval() const
{
    return std::chrono::milliseconds(std::clamp(int_setting("gtk-double-click-time", 400), 100, 2000));
}

double GtkDesktop::text_scale() const
{
    // gtk-xft-dpi is 1024 × dots per inch; 96 is the unscaled desktop.
    int dpi = int_setting("gtk-xft-dpi", -1);
    if (dpi <= 0)
        return 1.0;
    return std::clamp(dpi / 1024.0 / 96.0, 0.5, 3.0);
}

bool GtkDesktop::reduced_motion() const
{
    GtkSettings* settings = gtk_settings_get_default();
    if (!settings)
        return false;
    gboolean animations = TRUE;
    g_object_get(settings, "gtk-enable-animations", &animations, nullptr);
    return !animations;
}

}
