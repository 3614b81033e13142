#include "test_root.h"

#include "ui/desktop.h"
#include "ui/painter.h"

#include <nlohmann/json.hpp>

namespace host_test {

namespace {

    std::string modifier_names(ui::Modifiers const& modifiers)
    {
        std::string names;
        auto add = [&](bool on, char const* name) {
            if (on)
                names += names.empty() ? name : std::string("+") + name;
        };
        add(modifiers.shift, "shift");
        add(modifiers.control, "control");
        add(modifiers.alt, "alt");
        add(modifiers.super, "super");
        return names;
    }

}

void TestRoot::sync(ui::FrameContext const&)
{
    ++m_syncs;
    if (m_animation_frames_left > 0)
        --m_animation_frames_left;
}

void TestRoot::build_layout(ui::Rect bounds, ui::LayoutContext&)
{
    m_bounds = bounds;
    ++m_layouts;
}

void TestRoot::draw(ui::Painter& painter)
{
    ++m_draws;
    ui::Color colour = m_presses == 0 ? unpressed_colour : pressed_colour;
    painter.fill_rect(press_area, colour);
}

ui::EventResult TestRoot::handle_event(ui::Event const& event)
{
    if (auto const* press = std::get_if<ui::PointerPressed>(&event)) {
        m_pressing = press->button == ui::PointerButton::Primary && press_area.contains(press->position);
        m_last_click_count = press->click_count;
        m_last_modifiers = modifier_names(press->modifiers);
        return m_pressing ? ui::EventResult::Handled : ui::EventResult::Ignored;
    }
    if (auto const* release = std::get_if<ui::PointerReleased>(&event)) {
        bool inside = m_pressing && press_area.contains(release->position);
        m_pressing = false;
        if (!inside)
            return ui::EventResult::Ignored;
        ++m_presses;
        return ui::EventResult::Handled;
    }
    if (auto const* key = std::get_if<ui::KeyPressed>(&event)) {
        m_last_key = key->key ? std::string(ui::key_name(*key->key)) : "text:" + key->text;
        m_last_modifiers = modifier_names(key->modifiers);
        return ui::EventResult::Handled;
    }
    if (auto const* scroll = std::get_if<ui::Scrolled>(&event)) {
        m_scrolled += scroll->dy;
        return ui::EventResult::Handled;
    }
    return ui::EventResult::Ignored;
}

ui::AccessNode TestRoot::accessibility() const
{
    ui::AccessNode window("test.window", ui::AccessRole::Window, "Test window");
    window.bounds = m_bounds;
    ui::AccessNode button(press_control, ui::AccessRole::Button, "Press me");
    button.bounds = press_area;
    button.control_id = press_control;
    button.focusable = true;
    button.actions = { "activate" };
    window.children.push_back(std::move(button));
    return window;
}

bool TestRoot::perform_action(std::string const& node_id, std::string const& action)
{
    if (node_id != press_control || action != "activate")
        return false;
    ++m_presses;
    return true;
}

std::vector<ui::Resource> TestRoot::resources() const
{
    ui::Resource folder("test.folder", "test.folder:here", "Here");
    folder.with_action(ui::ActionSpec("animate", "Animate", "test.animate").execution(ui::InvocationKind::Effect));
    return { folder };
}

ui::InvokeResult TestRoot::invoke(ui::ActionInvocation const& invocation)
{
    if (invocation.action_id == ui::control_invoke_action) {
        auto payload = nlohmann::json::parse(invocation.payload_json, nullptr, false);
        if (!payload.is_string() || payload.get<std::string>() != press_control)
            return ui::InvokeResult::not_handled();
        ++m_presses;
        return ui::InvokeResult::handled();
    }
    if (invocation.action_id == "test.copy") {
        ui::desktop().copy_text(invocation.args.value().value_or(""));
        return ui::InvokeResult::handled();
    }
    if (invocation.action_id == "test.animate") {
        if (invocation.kind != static_cast<int>(ui::InvocationKind::Effect))
            return ui::InvokeResult::failed("test.animate is an effect");
        auto frames = invocation.args.get("frames");
        m_animation_frames_left = frames ? std::stoi(*frames) : 5;
        return ui::InvokeResult::handled();
    }
    return ui::InvokeResult::not_handled();
}

ui::StartEffectResult TestRoot::start_effect(ui::ActionInvocation const& invocation, ui::InvocationId const& id)
{
    if (invocation.action_id != "test.effect")
        return ui::StartEffectResult::immediately(invoke(invocation));
    if (m_effect)
        return ui::StartEffectResult::failed("another file operation is still running");
    m_effect = id;
    return ui::StartEffectResult::started();
}

std::optional<ui::EffectResult> TestRoot::take_effect_result(ui::InvocationId const& id)
{
    if (!m_effect || *m_effect != id)
        return std::nullopt;
    m_effect.reset();
    return ui::EffectResult::succeeded(R"({"url":"https://example.invalid/s/1"})");
}

std::optional<std::string> TestRoot::observer_snapshot() const
{
    nlohmann::json snapshot {
        { "presses", m_presses },
        { "syncs", m_syncs.load() },
        { "layouts", m_layouts },
        { "draws", m_draws },
        { "size", { m_bounds.width(), m_bounds.height() } },
        { "last_key", m_last_key },
        { "last_modifiers", m_last_modifiers },
        { "last_click_count", m_last_click_count },
        { "scrolled", m_scrolled },
        { "animating", m_animation_frames_left != 0 },
    };
    return snapshot.dump();
}

}
