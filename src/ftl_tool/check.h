#pragma once

// The soundness check of a catalogue: its syntax errors and repeated ids
// and, against a reference catalogue, the messages it lacks or adds and the
// messages whose structure differs.

#include "i18n/fluent/resource.h"

#include <string>
#include <vector>

namespace files::ftl_tool {

struct NamedResource {
    // The path as the user gave it; every report line names it.
    std::string path;
    i18n::fluent::Resource resource;
};

// The report, one line per finding, in this order: junk entries of the
// checked resource and then of the reference ("PATH:LINE:COLUMN: junk:
// REASON"), repeated ids of both, reference messages missing from the
// checked resource, messages the reference lacks, and structural
// differences. Empty when there is nothing to report. Without a reference
// only junk and repeated ids are reported.
std::vector<std::string> check_report(NamedResource const& checked, NamedResource const* reference);

}
