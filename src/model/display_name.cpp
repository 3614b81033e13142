#include "model/display_name.h"

#include "base/utf8.h"

namespace files::model {

std::string display_name(std::string_view bytes) { return base::lossy_utf8(bytes); }

}
