#include "host/detail/gtk_host.h"
#include "host/detail/gtk_input.h"

namespace host::detail {

namespace {

    ui::Modifiers current_modifiers(gpointer controller)
    {
        return modifiers_from_gdk(gtk_event_controller_get_current_event_state(GTK_EVENT_CONTROLLER(controller)));
    }

}

void GtkHost::attach_input(GtkWidget* area)
{
    GtkEventController* motion = gtk_event_controller_motion_new();
    g_signal_connect(motion, "motion", G_CALLBACK(on_motion), this);
    g_signal_connect(motion, "leave", G_CALLBACK(on_leave), this);
    gtk_widget_add_controller(area, motion);

    GtkGesture* click = gtk_gesture_click_new();
    // Every button: the primary, the secondary and the middle one.
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), 0);
    g_signal_connect(click, "pressed", G_CALLBACK(on_pressed), this);
    g_signal_connect(click, "released", G_CALLBACK(on_released), this);
    gtk_widget_add_controller(area, GTK_EVENT_CONTROLLER(click));

    GtkEventController* scroll = gtk_event_controller_scroll_new(GTK_EVENT_CONTROLLER_SCROLL_BOTH_AXES);
    g_signal_connect(scroll, "scroll", G_CALLBACK(on_scroll), this);
    gtk_widget_add_controller(area, scroll);

    GtkEventController* keys = gtk_event_controller_key_new();
    g_signal_connect(keys, "key-pressed", G_CALLBACK(on_key_pressed), this);
    g_signal_connect(keys, "key-released", G_CALLBACK(on_key_released), this);
    gtk_widget_add_controller(area, keys);

    GtkEventController* focus = gtk_event_controller_focus_new();
    g_signal_connect(focus, "enter", G_CALLBACK(on_focus_enter), this);
    g_signal_connect(focus, "leave", G_CALLBACK(on_focus_leave), this);
    gtk_widget_add_controller(area, focus);

    m_input_method = gtk_im_multicontext_new();
    gtk_im_context_set_client_widget(m_input_method, area);
    g_signal_connect(m_input_method, "commit", G_CALLBACK(on_commit), this);
    g_signal_connect(m_input_method, "preedit-changed", G_CALLBACK(on_preedit_changed), this);
}

void GtkHost::on_motion(GtkEventControllerMotion* controller, double x, double y, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    host->m_pointer = { x, y };
    host->deliver(ui::PointerMoved { host->m_pointer, current_modifiers(controller) });
    host->reschedule();
}

void GtkHost::on_leave(GtkEventControllerMotion*, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    host->deliver(ui::PointerLeft {});
    host->reschedule();
}

void GtkHost::on_pressed(GtkGestureClick* gesture, int presses, double x, double y, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    auto button = button_from_gdk(gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture)));
    if (!button)
        return;
    if (host->m_area)
        gtk_widget_grab_focus(host->m_area);
    host->m_desktop->set_pointer_device(gtk_gesture_get_device(GTK_GESTURE(gesture)));
    host->m_pointer = { x, y };
    host->deliver(ui::PointerPressed { host->m_pointer, *button, current_modifiers(gesture), std::max(1, presses) });
    host->reschedule();
}

void GtkHost::on_released(GtkGestureClick* gesture, int, double x, double y, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    auto button = button_from_gdk(gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture)));
    if (!button)
        return;
    host->m_pointer = { x, y };
    host->deliver(ui::PointerReleased { host->m_pointer, *button, current_modifiers(gesture) });
    host->reschedule();
}

gboolean GtkHost::on_scroll(GtkEventControllerScroll* controller, double dx, double dy, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    // Wheels report steps, touchpads surface pixels.
    if (gtk_event_controller_scroll_get_unit(controller) == GDK_SCROLL_UNIT_WHEEL) {
        dx *= scroll_step_pixels;
        dy *= scroll_step_pixels;
    }
    host->deliver(ui::Scrolled { host->m_pointer, dx, dy, current_modifiers(controller) });
    host->reschedule();
    return TRUE;
}

bool GtkHost::filter_through_input_method(GtkEventController* controller)
{
    GdkEvent* event = gtk_event_controller_get_current_event(controller);
    return event && m_input_method && gtk_im_context_filter_keypress(m_input_method, event);
}

gboolean GtkHost::on_key_pressed(
    GtkEventControllerKey* controller, guint keyval, guint, GdkModifierType state, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    auto* base = GTK_EVENT_CONTROLLER(controller);
    // While composing, every key belongs to the input method first.
    if (host->m_composing && host->filter_through_input_method(base))
        return TRUE;
    auto modifiers = modifiers_from_gdk(state);
    ui::KeyPressed press;
    press.modifiers = modifiers;
    // Named keys (Space among them) reach the tree as keys, not as text.
    if (auto key = key_from_keyval(keyval)) {
        press.key = key;
    } else if (!modifiers.primary() && !modifiers.alt && host->filter_through_input_method(base)) {
        host->reschedule();
        return TRUE;
    } else if (gunichar character = gdk_keyval_to_unicode(keyval); character != 0) {
        char buffer[8] = {};
        press.text.assign(buffer, static_cast<std::size_t>(g_unichar_to_utf8(character, buffer)));
    } else {
        return FALSE;
    }
    auto result = host->deliver(press);
    host->reschedule();
    return result == ui::EventResult::Handled;
}

void GtkHost::on_key_released(GtkEventControllerKey* controller, guint, guint, GdkModifierType, gpointer self)
{
    static_cast<GtkHost*>(self)->filter_through_input_method(GTK_EVENT_CONTROLLER(controller));
}

void GtkHost::on_focus_enter(GtkEventControllerFocus*, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    if (host->m_input_method)
        gtk_im_context_focus_in(host->m_input_method);
}

void GtkHost::on_focus_leave(GtkEventControllerFocus*, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    if (host->m_input_method)
        gtk_im_context_focus_out(host->m_input_method);
}

void GtkHost::on_commit(GtkIMContext*, char const* text, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    host->m_composing = false;
    if (!text || !*text)
        return;
    ui::KeyPressed press;
    press.text = text;
    host->deliver(press);
    host->reschedule();
}

void GtkHost::on_preedit_changed(GtkIMContext* context, gpointer self)
{
    auto* host = static_cast<GtkHost*>(self);
    char* preedit = nullptr;
    gtk_im_context_get_preedit_string(context, &preedit, nullptr, nullptr);
    ui::KeyPressed press;
    press.text = preedit ? preedit : "";
    press.composing = true;
    g_free(preedit);
    // An empty preedit tells the tree the composition ended or was cancelled.
    host->m_composing = !press.text.empty();
    host->deliver(press);
    host->reschedule();
}

}
