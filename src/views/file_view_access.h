#pragma once

// What assistive technology hears about one entry.

#include "model/entry.h"

#include <string>

namespace files::views {

// The parts joined by ". ": folder or file with its size; the transfer or
// residency state; for a record, the pin and the replica evidence; the
// number of active share grants; an unresolved conflict.
std::string entry_description(model::Entry const& entry);

// True when the entry's history lists a conflict that is still open.
bool has_open_conflict(model::Entry const& entry);

}
