#pragma once

// The two message resources, compiled into the program from en-US.ftl and
// de-DE.ftl. The texts are static and never re-read.

#include <string_view>

namespace files::i18n {

std::string_view en_us_resource();
std::string_view de_de_resource();

}
