#include "support/scoped_env.h"
#include "services/user_dirs/home.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

using std::filesystem::path;
using test_support::ScopedEnv;

TEST(Home, OverrideWinsOverHomeVariable)
{
    ScopedEnv home("HOME", "/home/real");
    EXPECT_EQ(services::user_home(), path("/home/real"));
    services::set_home_override(path("/tmp/demo-home"));
    EXPECT_EQ(services::user_home(), path("/tmp/demo-home"));
    EXPECT_EQ(services::platform_home(), path("/home/real"));
    services::set_home_override(std::nullopt);
    EXPECT_EQ(services::user_home(), path("/home/real"));
}

TEST(Home, UnsetOrRelativeHomeFallsBackToPasswordDatabase)
{
    passwd* entry = getpwuid(geteuid());
    ASSERT_NE(entry, nullptr);
    for (std::optional<std::string> value :
        { std::optional<std::string>(), std::optional<std::string>("relative"), std::optional<std::string>("") }) {
        SCOPED_TRACE(value.value_or("<unset>"));
        ScopedEnv home("HOME", value);
        EXPECT_EQ(services::platform_home(), path(entry->pw_dir));
    }
}

TEST(Home, BaseDirectoriesIgnoreRelativeValues)
{
    struct Case {
        char const* name;
        std::optional<std::string> value;
        std::optional<path> home;
        std::optional<path> config;
        std::optional<path> data;
    };
    Case const cases[] = {
        { "absolute", "/xdg", path("/h"), path("/xdg"), path("/xdg") },
        { "unset", std::nullopt, path("/h"), path("/h/.config"), path("/h/.local/share") },
        { "relative", "rel/xdg", path("/h"), path("/h/.config"), path("/h/.local/share") },
        { "empty", "", path("/h"), path("/h/.config"), path("/h/.local/share") },
        { "unset without home", std::nullopt, std::nullopt, std::nullopt, std::nullopt },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        ScopedEnv config("XDG_CONFIG_HOME", row.value);
        ScopedEnv data("XDG_DATA_HOME", row.value);
        EXPECT_EQ(services::xdg_config_home(row.home), row.config);
        EXPECT_EQ(services::xdg_data_home(row.home), row.data);
    }
}

}
