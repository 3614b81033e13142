#include "ui/actions.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace ui {

std::optional<InvocationKind> invocation_kind_from_value(int value)
{
    switch (value) {
    case 1:
        return InvocationKind::Effect;
    case 2:
        return InvocationKind::Navigation;
    default:
        return std::nullopt;
    }
}

ActionSpec::ActionSpec(std::string operation, std::string label, std::string action_id)
    : m_operation(std::move(operation))
    , m_label(std::move(label))
    , m_action_id(std::move(action_id))
{
}

ActionSpec& ActionSpec::with_payload(std::string json)
{
    m_payload = std::move(json);
    return *this;
}

ActionSpec& ActionSpec::with_parameter(std::string prompt, std::string default_value)
{
    m_parameter_prompt = std::move(prompt);
    m_parameter_default = std::move(default_value);
    return *this;
}

ActionSpec& ActionSpec::with_contract(std::string contract)
{
    m_contract = std::move(contract);
    return *this;
}

ActionSpec& ActionSpec::destructive(bool value)
{
    m_destructive = value;
    return *this;
}

ActionSpec& ActionSpec::execution(InvocationKind kind)
{
    m_kind = kind;
    return *this;
}

ActionSpec& ActionSpec::returns(std::string result_type)
{
    m_result_type = std::move(result_type);
    return *this;
}

ActionSpec& ActionSpec::unavailable(std::string reason_code, std::string reason_text)
{
    m_unavailable = Unavailable { std::move(reason_code), std::move(reason_text) };
    return *this;
}

Resource::Resource(std::string kind, std::string address, std::string label)
    : m_kind(std::move(kind))
    , m_address(std::move(address))
    , m_label(std::move(label))
{
}

Resource& Resource::with_action(ActionSpec action)
{
    m_actions.push_back(std::move(action));
    return *this;
}

ActionSpec const* Resource::find_action(std::string const& operation) const
{
    for (auto const& action : m_actions) {
        if (action.operation() == operation)
            return &action;
    }
    return nullptr;
}

std::string ActionAddress::encode() const { return resource + "#" + operation; }

std::optional<ActionAddress> ActionAddress::decode(std::string const& text)
{
    auto hash = text.rfind('#');
    if (hash == std::string::npos || hash == 0 || hash + 1 == text.size())
        return std::nullopt;
    return ActionAddress { text.substr(0, hash), text.substr(hash + 1) };
}

std::optional<std::string> ActionArgs::get(std::string const& name) const
{
    auto it = m_values.find(name);
    if (it == m_values.end())
        return std::nullopt;
    return it->second;
}

std::string invocation_id_hex(InvocationId const& id)
{
    std::string out;
    out.reserve(32);
    for (auto byte : id)
        out += fmt::format("{:02x}", byte);
    return out;
}

std::optional<InvocationId> invocation_id_from_hex(std::string const& hex)
{
    if (hex.size() != 32)
        return std::nullopt;
    InvocationId id {};
    for (std::size_t i = 0; i < 16; ++i) {
        int value = 0;
        for (std::size_t j = 0; j < 2; ++j) {
            char c = hex[i * 2 + j];
            int digit = 0;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            else
                return std::nullopt;
            value = value * 16 + digit;
        }
        id[i] = static_cast<std::uint8_t>(value);
    }
    return id;
}

Resource control_resource(std::string const& control_id, std::string const& label)
{
    Resource resource(control_resource_kind, std::string("kesu.control:") + control_id, label);
    resource.with_action(ActionSpec("invoke", label, control_invoke_action)
                             .with_payload(nlohmann::json(control_id).dump())
                             .execution(InvocationKind::Navigation));
    return resource;
}

}
