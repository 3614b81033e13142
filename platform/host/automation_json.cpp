#include "host/automation_json.h"

#include <cmath>

#include <fmt/format.h>

namespace host {

namespace {

    Json rect_json(ui::Rect const& rect) { return Json::array({ rect.left, rect.top, rect.right, rect.bottom }); }

    Json states_json(ui::AccessNode const& node)
    {
        Json states = Json::array();
        auto add = [&](bool on, char const* name) {
            if (on)
                states.push_back(name);
        };
        add(node.focusable, "focusable");
        add(node.focused, "focused");
        add(node.selected, "selected");
        add(node.disabled, "disabled");
        if (node.checked)
            states.push_back(*node.checked ? "checked" : "unchecked");
        return states;
    }

    Json action_json(ui::ActionSpec const& action)
    {
        Json json = Json::object();
        json["operation"] = action.operation();
        json["label"] = action.label();
        json["action_id"] = action.action_id();
        json["kind"] = static_cast<int>(action.kind());
        json["payload"] = action.payload() ? Json(*action.payload()) : Json(nullptr);
        if (action.parameter_prompt())
            json["parameter"] = { { "prompt", *action.parameter_prompt() }, { "default", action.parameter_default() } };
        if (action.contract())
            json["contract"] = *action.contract();
        json["destructive"] = action.is_destructive();
        if (action.result_type())
            json["returns"] = *action.result_type();
        json["available"] = action.is_available();
        if (auto const& why = action.unavailability())
            json["unavailable"] = { { "reason_code", why->reason_code }, { "reason_text", why->reason_text } };
        return json;
    }

    base::Result<double> number_member(Json const& request, char const* name, double fallback)
    {
        auto it = request.find(name);
        if (it == request.end())
            return fallback;
        if (!it->is_number() || !std::isfinite(it->get<double>()))
            return base::fail(fmt::format("\"{}\" must be a number", name));
        return it->get<double>();
    }

    base::Result<std::string> string_member(Json const& request, char const* name)
    {
        auto it = request.find(name);
        if (it == request.end() || !it->is_string())
            return base::fail(fmt::format("\"{}\" must be a string", name));
        return it->get<std::string>();
    }

    base::Result<ui::Modifiers> modifiers_from_json(Json const& request)
    {
        ui::Modifiers modifiers;
        auto it = request.find("modifiers");
        if (it == request.end())
            return modifiers;
        if (!it->is_array())
            return base::fail("\"modifiers\" must be an array of names");
        for (auto const& item : *it) {
            std::string name = item.is_string() ? item.get<std::string>() : item.dump();
            if (name == "shift")
                modifiers.shift = true;
            else if (name == "control")
                modifiers.control = true;
            else if (name == "alt")
                modifiers.alt = true;
            else if (name == "super")
                modifiers.super = true;
            else
                return base::fail("unknown modifier: " + name);
        }
        return modifiers;
    }

    base::Result<ui::PointerButton> button_from_json(Json const& request)
    {
        auto it = request.find("button");
        if (it == request.end())
            return ui::PointerButton::Primary;
        if (it->is_number_integer() && it->get<int>() >= 0 && it->get<int>() <= 2)
            return static_cast<ui::PointerButton>(it->get<int>());
        return base::fail("\"button\" must be 0 (primary), 1 (secondary) or 2 (middle)");
    }

    base::Result<int> click_count_from_json(Json const& request)
    {
        auto it = request.find("click_count");
        if (it == request.end())
            return 1;
        if (!it->is_number_integer() || it->get<int>() < 1 || it->get<int>() > 3)
            return base::fail("\"click_count\" must be 1, 2 or 3");
        return it->get<int>();
    }

    base::Result<ui::Event> key_from_json(Json const& request, ui::Modifiers modifiers)
    {
        ui::KeyPressed key;
        key.modifiers = modifiers;
        bool has_key = request.contains("key");
        bool has_text = request.contains("text");
        if (has_key == has_text)
            return base::fail("a key event needs either \"key\" or \"text\"");
        if (has_key) {
            auto name = TRY(string_member(request, "key"));
            key.key = ui::key_from_name(name);
            if (!key.key)
                return base::fail("unknown key: " + name);
        } else {
            key.text = TRY(string_member(request, "text"));
            if (key.text.empty())
                return base::fail("\"text\" must not be empty");
        }
        if (auto it = request.find("composing"); it != request.end()) {
            if (!it->is_boolean())
                return base::fail("\"composing\" must be true or false");
            key.composing = it->get<bool>();
        }
        return key;
    }

}

Json access_node_json(ui::AccessNode const& node)
{
    Json json = Json::object();
    json["id"] = node.id;
    json["role"] = ui::access_role_name(node.role);
    json["label"] = node.label;
    json["description"] = node.description;
    json["value"] = node.value;
    json["bounds"] = rect_json(node.bounds);
    json["states"] = states_json(node);
    json["control_id"] = node.control_id;
    json["actions"] = node.actions;
    Json children = Json::array();
    for (auto const& child : node.children)
        children.push_back(access_node_json(child));
    json["children"] = std::move(children);
    return json;
}

Json resource_json(ui::Resource const& resource)
{
    Json actions = Json::array();
    for (auto const& action : resource.actions())
        actions.push_back(action_json(action));
    return { { "kind", resource.kind() }, { "address", resource.address() }, { "label", resource.label() },
        { "actions", std::move(actions) } };
}

Json invoke_result_json(ui::InvokeResult const& result)
{
    char const* outcome = "not_handled";
    switch (result.outcome) {
    case ui::InvokeResult::Outcome::Handled:
        outcome = "handled";
        break;
    case ui::InvokeResult::Outcome::NotHandled:
        outcome = "not_handled";
        break;
    case ui::InvokeResult::Outcome::Failed:
        outcome = "failed";
        break;
    }
    return { { "outcome", outcome }, { "failure", result.failure } };
}

Json start_effect_json(ui::StartEffectResult const& result)
{
    Json json = Json::object();
    switch (result.outcome) {
    case ui::StartEffectResult::Outcome::Started:
        json["outcome"] = "started";
        break;
    case ui::StartEffectResult::Outcome::Immediate:
        json["outcome"] = "immediate";
        json["result"] = invoke_result_json(result.immediate);
        break;
    case ui::StartEffectResult::Outcome::Failed:
        json["outcome"] = "failed";
        break;
    case ui::StartEffectResult::Outcome::NotHandled:
        json["outcome"] = "not_handled";
        break;
    }
    json["failure"] = result.failure;
    return json;
}

Json effect_result_json(ui::EffectResult const& result)
{
    Json json = Json::object();
    json["success"] = result.success;
    if (result.success) {
        // The declared result is JSON text; a widget that hands over anything
        // else still gets it through, as a string.
        auto value = Json::parse(result.value_json, nullptr, false);
        json["value"] = value.is_discarded() ? Json(result.value_json) : std::move(value);
    } else {
        json["problem_code"] = result.problem_code;
        json["message"] = result.message;
        json["retryable"] = result.retryable;
    }
    return json;
}

base::Result<ui::Event> event_from_json(Json const& request)
{
    auto type = TRY(string_member(request, "type"));
    auto modifiers = TRY(modifiers_from_json(request));
    ui::Point position { TRY(number_member(request, "x", 0)), TRY(number_member(request, "y", 0)) };
    if (type == "pointer_moved")
        return ui::PointerMoved { position, modifiers };
    if (type == "pointer_pressed")
        return ui::PointerPressed { position, TRY(button_from_json(request)), modifiers,
            TRY(click_count_from_json(request)) };
    if (type == "pointer_released")
        return ui::PointerReleased { position, TRY(button_from_json(request)), modifiers };
    if (type == "pointer_left")
        return ui::PointerLeft {};
    if (type == "scroll")
        return ui::Scrolled { position, TRY(number_member(request, "dx", 0)), TRY(number_member(request, "dy", 0)),
            modifiers };
    if (type == "key")
        return key_from_json(request, modifiers);
    return base::fail("unknown event type: " + type);
}

base::Result<ui::ActionInvocation> invocation_from_json(Json const& request)
{
    ui::ActionInvocation invocation;
    invocation.action_id = TRY(string_member(request, "action_id"));
    auto kind = request.find("kind");
    if (kind == request.end() || !kind->is_number_integer())
        return base::fail("\"kind\" must be an integer (1 effect, 2 navigation)");
    invocation.kind = kind->get<int>();
    invocation.payload_json = "null";
    if (auto payload = request.find("payload"); payload != request.end())
        invocation.payload_json = payload->is_string() ? payload->get<std::string>() : payload->dump();
    if (auto args = request.find("args"); args != request.end()) {
        if (!args->is_object())
            return base::fail("\"args\" must be an object of strings");
        for (auto const& [name, value] : args->items()) {
            if (!value.is_string())
                return base::fail("\"args\" must be an object of strings");
            invocation.args.set(name, value.get<std::string>());
        }
    }
    return invocation;
}

base::Result<ui::InvocationId> invocation_id_from_json(Json const& request)
{
    auto it = request.find("invocation_id");
    if (it != request.end() && it->is_string()) {
        if (auto id = ui::invocation_id_from_hex(it->get<std::string>()))
            return *id;
    }
    return base::fail("\"invocation_id\" must be 32 hexadecimal digits");
}

}
