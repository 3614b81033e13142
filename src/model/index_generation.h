#pragma once

// Change detection for the record indexes of the workspace roots, without
// reading whole indexes.

#include <cstddef>
#include <filesystem>
#include <map>
#include <span>
#include <string>

namespace files::model {

// The lower-case hexadecimal SHA-256 fingerprint of a root's record index.
// With a v3 head attribute only that attribute counts; otherwise the root's
// modification time (or its absence) and the v2 and v1 attributes do.
std::string root_index_generation(std::string const& root);

// Watches the roots' generations round-robin, at most 8 roots per pass, so a
// pass costs a bounded number of reads however many roots there are.
class RecordIndexWatcher {
public:
    static constexpr std::size_t max_roots_per_pass = 8;

    // Examines the next roots (sorted by path) and stores their generations.
    // Returns true when a root that had a stored generation now has another;
    // the cursor then returns to the first root. With no roots nothing
    // happens.
    bool poll(std::span<std::filesystem::path const> roots);

    // "watching" once a pass has examined a root; empty before.
    std::string const& status() const { return m_status; }
    std::size_t cursor() const { return m_cursor; }

private:
    std::map<std::string, std::string> m_generations;
    std::size_t m_cursor { 0 };
    std::string m_status;
};

}
