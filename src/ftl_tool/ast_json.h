#pragma once

// The parsed form of a catalogue as JSON, in the node shapes of the Fluent
// syntax project's reference abstract syntax tree without spans: every node
// is an object whose first member is "type", literals keep their text as
// written, and junk carries its content with an empty annotation list.

#include "i18n/fluent/resource.h"

#include <nlohmann/json.hpp>

namespace files::ftl_tool {

nlohmann::ordered_json resource_to_json(i18n::fluent::Resource const& resource);

}
