#include "trash_fixture.h"

#include <cstdlib>

namespace trash_test {

TrashFixture::TrashFixture()
{
    if (auto const* value = std::getenv("XDG_DATA_HOME"))
        m_saved_data_home = value;
    m_dir.make_folder("data");
    m_dir.make_folder("home");
    ::setenv("XDG_DATA_HOME", (m_dir / "data").c_str(), 1);
}

TrashFixture::~TrashFixture()
{
    if (m_saved_data_home)
        ::setenv("XDG_DATA_HOME", m_saved_data_home->c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

std::filesystem::path TrashFixture::write(std::string const& relative, std::string const& content) const
{
    return m_dir.write("home/" + relative, content);
}

std::optional<services::trash::TrashItem> TrashFixture::listed(std::filesystem::path const& path) const
{
    auto items = services::trash::list_trash();
    if (!items)
        return std::nullopt;
    std::optional<services::trash::TrashItem> found;
    for (auto const& item : *items) {
        if (item.original_path == path) {
            if (found)
                return std::nullopt;
            found = item;
        }
    }
    return found;
}

}
