#include "fileops/staging.h"

#include "fileops/copy_tree.h"
#include "fileops/name_allocation.h"
#include "fileops/transfer_primitives.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <utility>

#include <spdlog/spdlog.h>
#include <sys/random.h>
#include <sys/stat.h>

namespace files::fileops {

namespace {

    void fill_random(std::array<std::uint8_t, 16>& bytes)
    {
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            auto count = ::getrandom(bytes.data() + filled, bytes.size() - filled, 0);
            if (count > 0)
                filled += static_cast<std::size_t>(count);
            // EINTR only: getrandom without flags blocks until the pool is ready.
        }
    }

}

std::string random_uuid()
{
    std::array<std::uint8_t, 16> bytes {};
    fill_random(bytes);
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    text.reserve(36);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.push_back('-');
        text.push_back(digits[bytes[i] >> 4]);
        text.push_back(digits[bytes[i] & 0x0F]);
    }
    return text;
}

TransferStaging::TransferStaging(std::filesystem::path folder)
    : m_folder(std::move(folder))
    , m_payload(m_folder / payload_name)
{
}

TransferStaging::TransferStaging(TransferStaging&& other) noexcept
    : m_folder(std::move(other.m_folder))
    , m_payload(std::move(other.m_payload))
    , m_retained(std::exchange(other.m_retained, true))
{
}

TransferStaging::~TransferStaging()
{
    if (m_retained)
        return;
    if (auto removed = remove_private_path(m_folder); !removed)
        spdlog::warn("Files transfer staging cleanup failed during unwinding; path=\"{}\" error=\"{}\"",
            path_text(m_folder), removed.error().text());
}

base::Result<TransferStaging> TransferStaging::create(std::filesystem::path const& destination_folder)
{
    for (int attempt = 0; attempt < private_name_attempts; ++attempt) {
        auto folder = destination_folder / (std::string(staging_prefix) + random_uuid());
        if (::mkdir(folder.c_str(), 0700) == 0) {
            // mkdir applies the umask; the staging folder is private whatever it is.
            ::chmod(folder.c_str(), 0700);
            return TransferStaging(std::move(folder));
        }
        if (errno != EEXIST)
            return base::fail_last_errno();
    }
    return base::fail(std::string(staging_exhausted_text));
}

base::Result<void> TransferStaging::remove()
{
    m_retained = true;
    return remove_private_path(m_folder);
}

base::Result<std::filesystem::path> quarantine_source(std::filesystem::path const& source)
{
    auto parent = parent_folder(source);
    if (!parent)
        return base::fail(std::string(source_no_parent_text));
    for (int attempt = 0; attempt < private_name_attempts; ++attempt) {
        auto quarantine = *parent / (std::string(quarantine_prefix) + random_uuid());
        auto renamed = rename_no_replace(source, quarantine);
        if (renamed)
            return quarantine;
        if (!renamed.error().is_errno(EEXIST))
            return std::unexpected(std::move(renamed).error());
    }
    return base::fail(std::string(quarantine_exhausted_text));
}

}
