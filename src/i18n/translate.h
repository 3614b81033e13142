#pragma once

// Message lookup. Every text the explorer shows comes from here: a message
// id and named arguments give the text in the process locale, with the
// fallback chain German catalogue (for German locales), English catalogue,
// and finally the id itself. The result is never empty and never an error.
// All functions are callable from any thread; each thread parses the
// catalogues once and keeps them.

#include "i18n/fluent/value.h"
#include "i18n/locale.h"

#include <string>
#include <string_view>

namespace files::i18n {

using fluent::Argument;
using fluent::Arguments;

std::string translate(std::string_view id);
std::string translate_with(std::string_view id, Arguments const& arguments);

// As translate_with, for a given locale instead of the process locale.
std::string translate_in(LanguageId const& locale, std::string_view id, Arguments const& arguments);

}
