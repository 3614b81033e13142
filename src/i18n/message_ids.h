#pragma once

// The message ids the explorer uses, with the variables each message takes.
// Both resources define exactly these ids, in this order, with these
// variables; a test holds them to it.

#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace files::i18n {

struct MessageDeclaration {
    std::string_view id;
    // Variable names separated by single spaces; empty for none.
    std::string_view variables;

    std::vector<std::string_view> variable_names() const;
};

std::span<MessageDeclaration const> declared_messages();

// Variables that callers pass as numbers. All of them but the image
// dimensions are counts, and messages select their plural branch on counts.
inline constexpr std::array<std::string_view, 9> number_variables { "count", "bytes", "versions", "moved", "failed",
    "reachable", "durable", "width", "height" };

bool is_number_variable(std::string_view name);
bool is_count_variable(std::string_view name);

}
