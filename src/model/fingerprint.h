#pragma once

// The fingerprint of a listing's displayed order, read by automation.

#include "model/entry.h"

#include <span>
#include <string>

namespace files::model {

// Lower-case hexadecimal SHA-256 over, per entry in order: the byte length of
// the name (u64 little-endian), the name's UTF-8 bytes, and one byte that is
// 1 for a folder and 0 otherwise. An empty list gives the digest of no input.
std::string listing_order_hash(std::span<Entry const> entries);

}
