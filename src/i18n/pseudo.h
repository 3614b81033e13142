#pragma once

// The "qps" pseudo-locale: English texts with accented vowels and a few
// consonants, in brackets, so untranslated or clipped text stands out.

#include "i18n/fluent/value.h"

#include <string>
#include <string_view>

namespace files::i18n {

// "Files" becomes "[Fílés !!]".
std::string pseudolocalize(std::string_view text);

// As pseudolocalize, but every occurrence of an argument's text (strings as
// given, numbers in plain form) is left exactly as it is. Where arguments
// overlap, the longer text is kept whole; empty arguments protect nothing.
std::string pseudolocalize(std::string_view text, fluent::Arguments const& arguments);

}
