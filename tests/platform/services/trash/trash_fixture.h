#pragma once

// A home trash of its own for each test: XDG_DATA_HOME points into a fresh
// temporary folder, and the items to trash live next to it.

#include "services/trash/trash.h"
#include "support/temp_dir.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace trash_test {

class TrashFixture : public ::testing::Test {
protected:
    TrashFixture();
    ~TrashFixture() override;

    std::filesystem::path trash() const { return m_dir / "data/Trash"; }
    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path write(std::string const& relative, std::string const& content) const;
    // The only listed item whose original path is `path`.
    std::optional<services::trash::TrashItem> listed(std::filesystem::path const& path) const;

    test_support::TempDir m_dir;

private:
    std::optional<std::string> m_saved_data_home;
};

}
