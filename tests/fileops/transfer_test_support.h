#pragma once

// Shared helpers of the transfer tests: a resolver that shows which message
// was chosen, a snapshot of a tree that captures every byte and mode, and a
// tmpfs mount owned by one test.

#include "fileops/transfer_message.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace transfer_test {

// Formats a message as "id(name=value, ...)" so tests see the id and every
// argument.
std::string show_message(files::fileops::Message const&);
files::fileops::MessageResolver resolver();

// Everything below `root` (root itself as ""), keyed by relative path: the
// type, the permission bits and the content or link target.
std::map<std::string, std::string> snapshot(std::filesystem::path const& root);

// The names in a folder (not recursive), sorted.
std::vector<std::string> names_in(std::filesystem::path const& folder);

bool has_private_folder(std::filesystem::path const& folder);

// A tmpfs of `size` mounted on a fresh folder, unmounted on destruction.
class TmpfsMount {
public:
    static std::optional<TmpfsMount> create(std::filesystem::path const& mount_point, std::string const& size);
    TmpfsMount(TmpfsMount&& other) noexcept;
    TmpfsMount& operator=(TmpfsMount&&) = delete;
    ~TmpfsMount();
    std::filesystem::path const& path() const { return m_path; }

private:
    explicit TmpfsMount(std::filesystem::path path)
        : m_path(std::move(path))
    {
    }
    std::filesystem::path m_path;
};

// Sets or clears the immutable inode flag; false when the file system cannot.
bool set_immutable(std::filesystem::path const& path, bool immutable);

void write_file(std::filesystem::path const& path, std::string const& content, unsigned mode = 0644);

}
