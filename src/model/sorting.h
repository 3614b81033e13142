#pragma once

// Ordering of a listing.

#include "model/entry.h"

#include <string>
#include <string_view>
#include <vector>

namespace files::model {

// Stable sort in place. Folders come before files in both orders. Within
// each group: Name compares the full Unicode lower-case forms as UTF-8 bytes
// (so "file10" precedes "file2"); Size compares byte counts; Modified puts
// entries without a time first; Type compares MIME texts byte by byte.
// Descending reverses only the key comparison. Equal entries keep their
// relative order.
void sort_entries(std::vector<Entry>& entries, SortKey key, SortOrder order);

// The full (not locale-aware) Unicode lower-case mapping of UTF-8 text.
std::string lower_case_key(std::string_view text);

}
