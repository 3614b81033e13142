#pragma once

// A fresh temporary folder per test, removed afterwards. `expect_only` lets a
// test fail when anything unexpected (a staging folder, a partial file) was
// left behind.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

namespace test_support {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(TempDir const&) = delete;
    TempDir& operator=(TempDir const&) = delete;

    std::filesystem::path const& path() const { return m_path; }
    std::filesystem::path operator/(std::string const& name) const { return m_path / name; }

    // Writes a file (creating parent folders) and returns its path.
    std::filesystem::path write(std::string const& relative, std::string const& content) const;
    std::filesystem::path make_folder(std::string const& relative) const;

    // The sorted relative paths of everything in the tree.
    std::vector<std::string> listing() const;

private:
    std::filesystem::path m_path;
};

std::string read_file(std::filesystem::path const& path);

}
