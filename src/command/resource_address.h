#pragma once

// Stable addresses of what the explorer publishes: entries, places, the
// current folder, collaborative records and remote accounts.

#include "services/collab/uuid.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace files::command {

// 32 lowercase hex digits: the first 16 bytes of SHA-256 over the 30-byte tag
// "kesu.files.local-resource.v1\0" (ending in a backslash and a zero digit),
// the path's byte length as a big-endian u64, and the path's bytes. Depends
// only on the path.
std::string resource_key(std::filesystem::path const& path);

std::string entry_address(std::filesystem::path const& path);
std::string place_address(std::filesystem::path const& path);
std::string folder_address(std::filesystem::path const& path);
// "files.record:" + the record id in lowercase hyphenated form.
std::string record_address(collab::Uuid const& record_id);
// "files.remote-account:" + the account id's bytes as lowercase hex.
std::string remote_account_address(std::string_view account_id);

// "kesu.files" locator of a Nearby transfer or destination: the first 16
// bytes of SHA-256 over "so.kesu.files.nearby-action-locator.v1", a NUL, the
// kind text, a zero byte and the 16 id bytes; 32 lowercase hex digits.
std::string nearby_locator(std::string_view kind, std::array<std::uint8_t, 16> const& id);

}
