#pragma once

// The structure of a message that a translation has to keep: whether it has
// a value, its attribute names, the variables it uses and, for every select
// expression, the selector and its branch keys. Wording is not part of it.

#include "i18n/fluent/resource.h"

#include <set>
#include <string>
#include <vector>

namespace files::ftl_tool {

struct SelectorShape {
    // The selector as written in canonical form, for example "$count" or
    // "NUMBER($count, type: \"ordinal\")".
    std::string selector;
    std::set<std::string> keys;
    std::string default_key;
};

struct MessageShape {
    bool has_value { false };
    std::set<std::string> attributes;
    std::set<std::string> variables;
    // In the order the select expressions appear: value first, then the
    // attributes, outer expressions before the ones nested in them.
    std::vector<SelectorShape> selectors;
};

MessageShape message_shape(i18n::fluent::Message const& message);

// The canonical text of an expression, as used in SelectorShape::selector.
std::string expression_text(i18n::fluent::Expression const& expression);

// One line per structural difference of a translated message from its
// reference, worded from the translation's side ("lacks branch [one]");
// empty when the structures agree.
std::vector<std::string> compare_shapes(MessageShape const& reference, MessageShape const& translation);

}
