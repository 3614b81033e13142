#pragma once

// The private places a transfer works in: a staging folder inside the
// destination that holds the copy until it is published under its final name,
// and the quarantine name a moved source gets beside itself before it is
// deleted.

#include "base/result.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace files::fileops {

inline constexpr std::string_view staging_prefix = ".kesu-transfer-";
inline constexpr std::string_view quarantine_prefix = ".kesu-transfer-source-";
inline constexpr std::string_view payload_name = "payload";
inline constexpr int private_name_attempts = 32;
inline constexpr std::string_view staging_exhausted_text = "could not allocate private transfer staging";
inline constexpr std::string_view quarantine_exhausted_text = "could not allocate private source quarantine";

// A fresh random UUID version 4 in lower-case hyphenated form.
std::string random_uuid();

// Owns one staging folder. Dropped while not retained, it removes the folder
// and only logs when that fails.
class TransferStaging {
public:
    // Creates destination_folder/.kesu-transfer-<uuid> with mode 0700, trying
    // a new UUID when the name is taken (at most 32 times).
    [[nodiscard]] static base::Result<TransferStaging> create(std::filesystem::path const& destination_folder);

    TransferStaging(TransferStaging&& other) noexcept;
    TransferStaging& operator=(TransferStaging&&) = delete;
    TransferStaging(TransferStaging const&) = delete;
    ~TransferStaging();

    std::filesystem::path const& folder() const { return m_folder; }
    std::filesystem::path const& payload() const { return m_payload; }
    bool retained() const { return m_retained; }
    void set_retained() { m_retained = true; }

    // Removes the staging folder now. Either way the record stops owning it:
    // on failure the folder stays and the caller names it to the user.
    [[nodiscard]] base::Result<void> remove();

private:
    explicit TransferStaging(std::filesystem::path folder);

    std::filesystem::path m_folder;
    std::filesystem::path m_payload;
    bool m_retained { false };
};

// Renames the source, in its own folder, to .kesu-transfer-source-<uuid> and
// returns the new path. Fails with the OS text, "source has no parent
// directory" or quarantine_exhausted_text; the source is untouched then.
[[nodiscard]] base::Result<std::filesystem::path> quarantine_source(std::filesystem::path const& source);

}
