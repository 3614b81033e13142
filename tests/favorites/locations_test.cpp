#include "favorites/locations.h"
#include "support/scoped_env.h"
#include "services/user_dirs/home.h"

#include <gtest/gtest.h>

namespace {

using std::filesystem::path;
using test_support::ScopedEnv;

TEST(Locations, ConfigurationAndTrashFollowTheBaseDirectories)
{
    ScopedEnv home("HOME", "/home/ada");
    {
        ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnv data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(files::favorites::config_folder(), path("/home/ada/.config/kesu-files"));
        EXPECT_EQ(files::favorites::trash_files_folder(), path("/home/ada/.local/share/Trash/files"));
    }
    ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
    ScopedEnv data("XDG_DATA_HOME", "/data");
    EXPECT_EQ(files::favorites::config_folder(), path("/cfg/kesu-files"));
    EXPECT_EQ(files::favorites::trash_files_folder(), path("/data/Trash/files"));
}

TEST(Locations, HomeOverrideMovesHomeButNotTheSettings)
{
    ScopedEnv home("HOME", "/home/ada");
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    services::set_home_override(path("/tmp/demo"));
    auto overridden_home = files::favorites::home_folder();
    auto overridden_config = files::favorites::config_folder();
    services::set_home_override(std::nullopt);

    EXPECT_EQ(overridden_home, path("/tmp/demo"));
    EXPECT_EQ(overridden_config, path("/home/ada/.config/kesu-files"));
    EXPECT_EQ(files::favorites::home_folder(), path("/home/ada"));
}

}
