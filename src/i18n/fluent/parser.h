#pragma once

// A parser for Fluent resources (the syntax of Project Fluent 1.0: messages,
// terms, attributes, placeables, select expressions, call arguments,
// multiline patterns and comments).
//
// Parsing never fails as a whole: an entry with a syntax error becomes a
// Junk entry that records where the error is and why, and parsing resumes at
// the next line that can start an entry. The input is bounded by the caller;
// the parser itself allocates in proportion to it and recurses only as deep
// as placeables are nested, which it limits.

#include "i18n/fluent/resource.h"

#include <string_view>

namespace files::i18n::fluent {

// Nested placeables deeper than this are a syntax error, so hostile input
// cannot exhaust the stack.
inline constexpr int max_nesting_depth = 64;

Resource parse(std::string_view source);

}
