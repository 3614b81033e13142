// Every scene rendered by the real program at both sizes, with no display
// and no configuration: each picture has the requested size and something
// to see in the file area.

#include "main/launch_spec.h"
#include "scenes/demo_home.h"
#include "scenes/scene_runner.h"
#include "support/temp_dir.h"
#include "ui/image.h"

#include <cstdlib>
#include <set>

#include <gtest/gtest.h>

namespace {

namespace scenes = files::scenes;

std::filesystem::path program()
{
    if (char const* build = std::getenv("FILES_BINARY_DIR"))
        return std::filesystem::path(build) / "kesu-files";
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path().parent_path() / "kesu-files";
}

// Scenes whose feature this build does not have yet.
bool is_unavailable(std::string_view scene) { return scene == "history" || scene == "remote-account"; }

enum class Home : std::uint8_t {
    Demonstration,
    Empty,
};

struct PictureCase {
    std::string scene;
    std::string size;
    Home home;
};

void PrintTo(PictureCase const& c, std::ostream* out)
{
    *out << c.scene << " at " << c.size << (c.home == Home::Empty ? " in an empty home" : "");
}

std::string case_name(testing::TestParamInfo<PictureCase> const& info)
{
    std::string name = info.param.scene + "_" + info.param.size + (info.param.home == Home::Empty ? "_empty_home" : "");
    std::ranges::replace(name, '-', '_');
    return name;
}

std::vector<PictureCase> cases()
{
    std::vector<PictureCase> all;
    for (auto const* size : { "1280x800", "800x600" }) {
        for (auto scene : files::entry::scene_names)
            all.push_back({ std::string(scene), size, Home::Demonstration });
    }
    for (auto scene : files::entry::scene_names)
        all.push_back({ std::string(scene), "1280x800", Home::Empty });
    return all;
}

// The number of distinct colours in the file area: right of the sidebar,
// below the toolbar, clear of the status bubble.
std::size_t file_area_colours(ui::Image const& image)
{
    std::set<std::uint32_t> colours;
    int const left = 240;
    int const top = 56;
    int const right = image.width() - 8;
    int const bottom = image.height() - 56;
    for (int y = top; y < bottom; y += 2) {
        for (int x = left; x < right; x += 2) {
            auto c = image.pixel(x, y);
            colours.insert((static_cast<std::uint32_t>(c.r * 255) << 16) | (static_cast<std::uint32_t>(c.g * 255) << 8)
                | static_cast<std::uint32_t>(c.b * 255));
        }
    }
    return colours.size();
}

class ScenePicture : public testing::TestWithParam<PictureCase> { };

TEST_P(ScenePicture, RendersWithoutDisplayAtTheRequestedSize)
{
    auto const& param = GetParam();
    test_support::TempDir dir;
    scenes::SceneRunSettings settings { program(), dir / "home", dir / "jobs", std::nullopt };
    if (param.home == Home::Demonstration)
        scenes::build_demo_home(settings.home);
    else
        std::filesystem::create_directories(settings.home);
    auto output = dir / "out" / (param.scene + ".png");
    std::vector<scenes::SceneJob> jobs { { param.scene, param.size, output } };
    auto result = scenes::run_scene_jobs(settings, jobs, 1).front();

    if (is_unavailable(param.scene)) {
        EXPECT_EQ(result.exit_status, 1);
        // After any diagnostic lines, the failure.
        EXPECT_NE(("\n" + result.standard_error).find("\nError: " + param.scene + ": scene not available yet: "),
            std::string::npos)
            << result.standard_error;
        EXPECT_FALSE(std::filesystem::exists(output));
        return;
    }
    ASSERT_EQ(result.exit_status, 0) << result.standard_error;
    // The one line on standard output; diagnostics go to standard error.
    EXPECT_EQ(result.standard_output, "file-explorer: wrote shot to " + output.string() + "\n");
    auto png = test_support::read_file(output);
    auto image = ui::decode_png(std::vector<std::uint8_t>(png.begin(), png.end()));
    ASSERT_TRUE(image) << image.error().text();
    auto x = param.size.find('x');
    EXPECT_EQ(image->width(), std::stoi(param.size.substr(0, x)));
    EXPECT_EQ(image->height(), std::stoi(param.size.substr(x + 1)));
    EXPECT_GT(file_area_colours(*image), 1u);
}

INSTANTIATE_TEST_SUITE_P(AllScenes, ScenePicture, testing::ValuesIn(cases()), case_name);

}
