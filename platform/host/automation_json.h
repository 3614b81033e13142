#pragma once

// The JSON forms of the automation protocol: the toolkit's types encoded for
// answers, and requests decoded into events and invocations. Decoders check
// every member's type and answer a readable error instead of throwing.

#include "base/result.h"
#include "ui/access_node.h"
#include "ui/actions.h"
#include "ui/events.h"

#include <nlohmann/json.hpp>

namespace host {

using Json = nlohmann::ordered_json;

Json access_node_json(ui::AccessNode const& node);
Json resource_json(ui::Resource const& resource);
Json invoke_result_json(ui::InvokeResult const& result);
Json start_effect_json(ui::StartEffectResult const& result);
Json effect_result_json(ui::EffectResult const& result);

// {type, x, y, button, click_count, dx, dy, key, text, composing, modifiers}.
base::Result<ui::Event> event_from_json(Json const& request);
// {action_id, kind, payload (JSON text), args (object of strings)}.
base::Result<ui::ActionInvocation> invocation_from_json(Json const& request);
// The 32 hexadecimal digits under "invocation_id".
base::Result<ui::InvocationId> invocation_id_from_json(Json const& request);

}
