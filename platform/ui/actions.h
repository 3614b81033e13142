#pragma once

// The vocabulary in which an application publishes what it can do, so that the
// desktop (menus of other programs, search, automation, accessibility) can list
// and invoke it: resources carrying actions, the answers of an invocation and
// the results of long-running effects.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// Sent with every invocation; each action declares the one it accepts.
enum class InvocationKind : std::uint8_t {
    Effect = 1,     // changes files or settings, or starts something outside
    Navigation = 2, // changes only what the application shows
};

// Decodes the wire value; any other value gives nothing.
std::optional<InvocationKind> invocation_kind_from_value(int value);

// A label is either a fixed English text or a catalogue message id that the
// application resolves (with its arguments) when it publishes the resource.
struct ActionLabel {
    std::string text;
    bool operator==(ActionLabel const&) const = default;
};

struct Unavailable {
    std::string reason_code;
    std::string reason_text;
    bool operator==(Unavailable const&) const = default;
};

// What an action declares about itself. Built fluently:
//   ActionSpec("refresh", "Refresh folder", "files.refresh").execution(InvocationKind::Effect)
class ActionSpec {
public:
    ActionSpec(std::string operation, std::string label, std::string action_id);

    // The JSON payload sent with the invocation (compact JSON text).
    ActionSpec& with_payload(std::string json);
    // A text parameter, delivered in the arguments under "value".
    ActionSpec& with_parameter(std::string prompt, std::string default_value = {});
    // A machine-readable description of what the action does.
    ActionSpec& with_contract(std::string contract);
    ActionSpec& destructive(bool value = true);
    ActionSpec& execution(InvocationKind kind);
    // Declares that the action is long-running and produces a result of the
    // given type when its effect finishes.
    ActionSpec& returns(std::string result_type);
    ActionSpec& unavailable(std::string reason_code, std::string reason_text);

    std::string const& operation() const { return m_operation; }
    std::string const& label() const { return m_label; }
    std::string const& action_id() const { return m_action_id; }
    std::optional<std::string> const& payload() const { return m_payload; }
    std::optional<std::string> const& parameter_prompt() const { return m_parameter_prompt; }
    std::string const& parameter_default() const { return m_parameter_default; }
    std::optional<std::string> const& contract() const { return m_contract; }
    bool is_destructive() const { return m_destructive; }
    InvocationKind kind() const { return m_kind; }
    std::optional<std::string> const& result_type() const { return m_result_type; }
    std::optional<Unavailable> const& unavailability() const { return m_unavailable; }
    bool is_available() const { return !m_unavailable.has_value(); }

private:
    std::string m_operation;
    std::string m_label;
    std::string m_action_id;
    std::optional<std::string> m_payload;
    std::optional<std::string> m_parameter_prompt;
    std::string m_parameter_default;
    std::optional<std::string> m_contract;
    bool m_destructive { false };
    InvocationKind m_kind { InvocationKind::Navigation };
    std::optional<std::string> m_result_type;
    std::optional<Unavailable> m_unavailable;
};

// Something the application shows, with the actions it offers on it.
class Resource {
public:
    Resource(std::string kind, std::string address, std::string label);

    Resource& with_action(ActionSpec action);

    std::string const& kind() const { return m_kind; }
    std::string const& address() const { return m_address; }
    std::string const& label() const { return m_label; }
    std::vector<ActionSpec> const& actions() const { return m_actions; }
    ActionSpec const* find_action(std::string const& operation) const;

private:
    std::string m_kind;
    std::string m_address;
    std::string m_label;
    std::vector<ActionSpec> m_actions;
};

// A resource address together with an operation name.
struct ActionAddress {
    std::string resource;
    std::string operation;

    // "resource#operation"; the resource part never contains '#'.
    std::string encode() const;
    static std::optional<ActionAddress> decode(std::string const& text);
    bool operator==(ActionAddress const&) const = default;
};

// Named text arguments of an invocation; the text parameter is "value".
class ActionArgs {
public:
    ActionArgs() = default;
    explicit ActionArgs(std::map<std::string, std::string> values)
        : m_values(std::move(values))
    {
    }
    std::optional<std::string> get(std::string const& name) const;
    std::optional<std::string> value() const { return get("value"); }
    void set(std::string name, std::string value) { m_values[std::move(name)] = std::move(value); }
    std::map<std::string, std::string> const& values() const { return m_values; }

private:
    std::map<std::string, std::string> m_values;
};

// One invocation as the desktop sends it.
struct ActionInvocation {
    std::string action_id;
    int kind { 0 }; // raw wire value; see invocation_kind_from_value
    std::string payload_json;
    ActionArgs args;
};

using InvocationId = std::array<std::uint8_t, 16>;

std::string invocation_id_hex(InvocationId const& id);
std::optional<InvocationId> invocation_id_from_hex(std::string const& hex);

// The three answers of an immediate invocation.
struct InvokeResult {
    enum class Outcome : std::uint8_t {
        Handled,    // handled, and the application changed
        NotHandled, // not an action this widget accepts
        Failed,     // accepted but refused; `failure` says why
    };
    Outcome outcome { Outcome::NotHandled };
    std::string failure;

    static InvokeResult handled() { return { Outcome::Handled, {} }; }
    static InvokeResult not_handled() { return { Outcome::NotHandled, {} }; }
    static InvokeResult failed(std::string text) { return { Outcome::Failed, std::move(text) }; }
    bool is_handled() const { return outcome == Outcome::Handled; }
    bool is_not_handled() const { return outcome == Outcome::NotHandled; }
};

// The finished result of a long-running effect.
struct EffectResult {
    bool success { true };
    std::string value_json;    // on success: the declared result, as JSON
    std::string problem_code;  // on failure, e.g. "files.share_failed"
    std::string message;       // on failure: the user-facing text
    bool retryable { false };

    static EffectResult succeeded(std::string value_json = "null") { return { true, std::move(value_json), {}, {}, false }; }
    static EffectResult failed(std::string problem_code, std::string message, bool retryable)
    {
        return { false, {}, std::move(problem_code), std::move(message), retryable };
    }
};

// The three answers of starting an effect.
struct StartEffectResult {
    enum class Outcome : std::uint8_t {
        Started,   // pending; the result arrives through take_effect_result
        Immediate, // finished at once with `immediate`
        Failed,    // refused; `failure` says why
        NotHandled,
    };
    Outcome outcome { Outcome::NotHandled };
    InvokeResult immediate;
    std::string failure;

    static StartEffectResult started() { return { Outcome::Started, {}, {} }; }
    static StartEffectResult immediately(InvokeResult result) { return { Outcome::Immediate, std::move(result), {} }; }
    static StartEffectResult failed(std::string text) { return { Outcome::Failed, {}, std::move(text) }; }
    static StartEffectResult not_handled() { return { Outcome::NotHandled, {}, {} }; }
};

// Controls (buttons, toggle groups) are published as resources of this kind,
// at "kesu.control:" + id, with one operation "invoke" bound to this action.
inline constexpr char const* control_resource_kind = "kesu.control";
inline constexpr char const* control_invoke_action = "kesu.ui.control.invoke";
Resource control_resource(std::string const& control_id, std::string const& label);

}
