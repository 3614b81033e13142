#include "favorites/typed_path.h"

#include <gtest/gtest.h>

namespace {

using namespace files::favorites;
using std::filesystem::path;

TEST(ExpandHome, OnlyTildeAloneOrTildeSlash)
{
    std::optional<path> const home = path("/home/ada");
    struct Case {
        char const* text;
        path with_home;
    };
    Case const cases[] = {
        { "~", "/home/ada" },
        { "~/", "/home/ada/" },
        { "~/Documents/x", "/home/ada/Documents/x" },
        { "~ada/x", "~ada/x" },
        { "~~", "~~" },
        { "/etc/~", "/etc/~" },
        { "notes", "notes" },
        { "", "" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(expand_home(row.text, home), row.with_home);
        EXPECT_EQ(expand_home(row.text, std::nullopt), path(row.text));
    }
}

TEST(ResolveTypedPath, AbsoluteReplacesBaseRelativeJoinsIt)
{
    std::optional<path> const home = path("/home/ada");
    EXPECT_EQ(resolve_typed_path("/srv/a", "/etc", home), path("/etc"));
    EXPECT_EQ(resolve_typed_path("/srv/a", "b/c", home), path("/srv/a/b/c"));
    EXPECT_EQ(resolve_typed_path("/srv/a", "~/Music", home), path("/home/ada/Music"));
    EXPECT_EQ(resolve_typed_path("/srv/a", "~/Music", std::nullopt), path("/srv/a/~/Music"));
    EXPECT_EQ(resolve_typed_path("/srv/a", "~bob", home), path("/srv/a/~bob"));
}

TEST(DisplayWithHome, ContractsHomeComponentWise)
{
    std::optional<path> const home = path("/home/ada/");
    struct Case {
        path path_value;
        std::string text;
    };
    Case const cases[] = {
        { "/home/ada", "~" },
        { "/home/ada/", "~" },
        { "/home/ada/Documents", "~/Documents" },
        { "/home/ada//a/b", "~/a/b" },
        { "/home/adam", "/home/adam" },
        { "/srv/x", "/srv/x" },
        { "/home/ada/caf\xE9", "~/caf\xEF\xBF\xBD" },
        { "/srv/caf\xE9", "/srv/caf\xEF\xBF\xBD" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.path_value.string());
        EXPECT_EQ(display_with_home(row.path_value, home), row.text);
    }
    EXPECT_EQ(display_with_home("/home/ada/Documents", std::nullopt), "/home/ada/Documents");
}

}
