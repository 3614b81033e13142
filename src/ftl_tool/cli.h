#pragma once

// The command line of kesu-files-ftl: "check", "format" and "dump", each
// reading one catalogue file (and "check" optionally a reference).

#include <ostream>
#include <string>
#include <vector>

namespace files::ftl_tool {

// Exit statuses: 0 when there is nothing to report, 1 when check found
// something or formatting reported an error, 2 for a file that cannot be
// read, is too large or is not UTF-8, and for a bad command line.
enum class ExitStatus : int {
    Success = 0,
    Findings = 1,
    Trouble = 2,
};

// Runs one command; arguments exclude the program name. Results go to out,
// problems (unreadable files, formatting errors, usage) to err.
ExitStatus run(std::vector<std::string> const& arguments, std::ostream& out, std::ostream& err);

}
