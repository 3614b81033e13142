#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace test_support {

TempDir::TempDir()
{
    auto base = std::filesystem::temp_directory_path() / "kesu-files-test-XXXXXX";
    std::string pattern = base.string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    // Make everything writable first so read-only test folders do not survive.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path TempDir::write(std::string const& relative, std::string const& content) const
{
    auto target = m_path / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out << content;
    return target;
}

std::filesystem::path TempDir::make_folder(std::string const& relative) const
{
    auto target = m_path / relative;
    std::filesystem::create_directories(target);
    return target;
}

std::vector<std::string> TempDir::listing() const
{
    std::vector<std::string> out;
    for (auto const& entry : std::filesystem::recursive_directory_iterator(m_path))
        out.push_back(std::filesystem::relative(entry.path(), m_path).string());
    std::sort(out.begin(), out.end());
    return out;
}

std::string read_file(std::filesystem::path const& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}
