#pragma once

// Formats one pattern against a bundle: the resolution scope of a single
// formatting call, with its error list, placeable budget and the stack of
// patterns being expanded (to catch cycles).

#include "i18n/fluent/bundle.h"

namespace files::i18n::fluent::detail {

std::string resolve_pattern(
    Bundle const& bundle, Pattern const& pattern, Arguments const* arguments, FormatErrors& errors);

}
