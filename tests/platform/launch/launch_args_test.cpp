#include "launch/launch_args.h"

#include <gtest/gtest.h>

namespace {

ui::LaunchSpec spec()
{
    ui::LaunchSpec s;
    s.app_id = "so.kesu.file-explorer";
    s.value_options = { "--size", "--path" };
    s.flag_options = { "--open-share-stdin" };
    s.scene_names = { "grid", "menu" };
    return s;
}

}

TEST(LaunchArgs, ParsesOptionsFlagsScenesAndPaths)
{
    struct Case {
        char const* name;
        std::vector<std::string> argv;
        std::optional<std::string> size;
        std::optional<std::string> path;
        bool share;
        std::optional<std::string> scene;
        std::optional<std::string> output;
        std::vector<std::string> paths;
    };
    Case const cases[] = {
        { "nothing", {}, {}, {}, false, {}, {}, {} },
        { "scene with output and size", { "grid", "/tmp/x.png", "--size", "800x600" }, "800x600", {}, false, "grid",
            "/tmp/x.png", {} },
        { "value after equals", { "--size=640x480", "menu", "out.png" }, "640x480", {}, false, "menu", "out.png", {} },
        { "path option and flag", { "--path", "/srv", "--open-share-stdin" }, {}, "/srv", true, {}, {}, {} },
        { "paths to open", { "/tmp", "docs" }, {}, {}, false, {}, {}, { "/tmp", "docs" } },
        { "scene name after a path", { "/tmp", "grid", "g.png" }, {}, {}, false, "grid", "g.png", { "/tmp" } },
        { "double dash ends options", { "--", "--size" }, {}, {}, false, {}, {}, { "--size" } },
        { "lone dash is a path", { "-" }, {}, {}, false, {}, {}, { "-" } },
        { "last value wins", { "--size", "1x1", "--size", "2x2" }, "2x2", {}, false, {}, {}, {} },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto args = ui::parse_command_line(spec(), c.argv);
        ASSERT_TRUE(args) << args.error().text();
        EXPECT_EQ(args->value("--size"), c.size);
        EXPECT_EQ(args->value("--path"), c.path);
        EXPECT_EQ(args->flag("--open-share-stdin"), c.share);
        EXPECT_EQ(args->scene(), c.scene);
        EXPECT_EQ(args->scene_output(), c.output);
        EXPECT_EQ(args->paths_to_open(), c.paths);
        EXPECT_EQ(args->arguments(), c.argv);
    }
}

TEST(LaunchArgs, RefusesWithMessageAndUsage)
{
    struct Case {
        std::vector<std::string> argv;
        std::string first_line;
    };
    Case const cases[] = {
        { { "--verbose" }, "unknown option --verbose" },
        { { "--size" }, "option --size needs a value" },
        { { "--open-share-stdin=1" }, "option --open-share-stdin takes no value" },
        { { "grid" }, "scene grid needs an output path" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.first_line);
        auto args = ui::parse_command_line(spec(), c.argv);
        ASSERT_FALSE(args);
        EXPECT_EQ(args.error().text(),
            c.first_line + "\nusage: kesu-files [--size WxH] [--path FOLDER] [--open-share-stdin] [SCENE OUTPUT.png | FOLDER]");
    }
}

TEST(LaunchArgs, ParsesSizes)
{
    EXPECT_EQ(ui::parse_size("800x600").value(), (ui::Size { 800, 600 }));
    EXPECT_EQ(ui::parse_size("1x16384").value(), (ui::Size { 1, 16384 }));
    for (auto bad : { "800", "0x10", "10x", "x10", "-5x5", "10x16385", "8OOx600", "800x600px" }) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(ui::parse_size(bad));
    }
}
