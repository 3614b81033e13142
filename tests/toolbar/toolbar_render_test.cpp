#include "support/temp_dir.h"
#include "toolbar/file_toolbar.h"
#include "ui/column.h"
#include "ui/image.h"
#include "ui/offscreen_renderer.h"
#include "ui/theme.h"

#include <cmath>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

using namespace files::toolbar;

namespace {

// Where a picture goes for people to look at: the build folder when known.
std::filesystem::path picture_path(std::string const& name)
{
    char const* build = std::getenv("FILES_BINARY_DIR");
    return (build ? std::filesystem::path(build) : std::filesystem::temp_directory_path()) / name;
}

void save(ui::Image const& image, std::string const& name)
{
    auto png = ui::encode_png(image);
    ASSERT_TRUE(png.has_value());
    std::ofstream(picture_path(name), std::ios::binary)
        .write(reinterpret_cast<char const*>(png->data()), static_cast<std::streamsize>(png->size()));
}

bool close_to(ui::Color a, ui::Color b, double tolerance = 0.03)
{
    return std::abs(a.r - b.r) < tolerance && std::abs(a.g - b.g) < tolerance && std::abs(a.b - b.b) < tolerance;
}

// Whether any pixel of `rect` differs from `background`: something was drawn.
bool has_ink(ui::Image const& image, ui::Rect rect, ui::Color background)
{
    for (int y = static_cast<int>(rect.top); y < static_cast<int>(rect.bottom); ++y)
        for (int x = static_cast<int>(rect.left); x < static_cast<int>(rect.right); ++x)
            if (!close_to(image.pixel(x, y), background, 0.1))
                return true;
    return false;
}

class ToolbarPictures : public testing::Test {
protected:
    test_support::TempDir m_temp;
    std::filesystem::path m_home = m_temp.make_folder("ada");
    ui::Column m_window;
    FileToolbar* m_toolbar { nullptr };

    void SetUp() override
    {
        for (auto const* folder : { "Documents", "Downloads", "Music", "Pictures", "Projects", "Public" })
            m_temp.make_folder(std::string("ada/") + folder);
        m_temp.write("ada/plans.pdf", "%PDF");
        auto toolbar = std::make_unique<FileToolbar>(std::vector<std::filesystem::path> {}, m_home);
        m_toolbar = toolbar.get();
        m_window.add(std::move(toolbar), ui::Sizing::fixed(FileToolbar::height));
        m_window.add(std::make_unique<ui::Widget>(), ui::Sizing::flexible());
    }

    ui::Image render(double width, double height)
    {
        ui::RenderOptions options;
        options.size = { width, height };
        auto image = ui::OffscreenRenderer::render_resilient(m_window, options);
        EXPECT_TRUE(image.has_value());
        return image ? std::move(*image) : ui::Image {};
    }

    ui::Rect bounds_of(char const* id) { return m_toolbar->control(id)->bounds(); }
};

TEST_F(ToolbarPictures, WideListGridAndArchive)
{
    auto const& theme = ui::Theme::light();
    m_toolbar->set_location(m_home / "Documents" / "Reports");
    auto list = render(1280, 48);
    save(list, "toolbar_1280_list.png");
    EXPECT_FALSE(m_toolbar->is_compact());
    EXPECT_TRUE(has_ink(list, bounds_of(control_ids::back), theme.surface)) << "the back arrow is drawn";
    EXPECT_TRUE(has_ink(list, bounds_of(control_ids::view_mode), theme.surface));
    EXPECT_TRUE(has_ink(list, m_toolbar->path_bar().bounds(), theme.surface));
    EXPECT_TRUE(close_to(list.pixel(640, 47), theme.quiet)) << "the line under the toolbar";

    m_toolbar->set_view_mode(ViewMode::Grid);
    auto grid = render(1280, 48);
    save(grid, "toolbar_1280_grid.png");
    EXPECT_TRUE(has_ink(grid, bounds_of(control_ids::sort_menu), theme.surface));

    m_toolbar->set_location(m_home / "Downloads" / "photos.zip" / "2024");
    m_toolbar->set_inside_archive(true);
    auto archive = render(1280, 48);
    save(archive, "toolbar_1280_archive.png");
    EXPECT_TRUE(has_ink(archive, bounds_of(control_ids::extract), theme.surface));
}

TEST_F(ToolbarPictures, CompactBelow760)
{
    auto const& theme = ui::Theme::light();
    m_toolbar->set_location(m_home / "Documents" / "Reports" / "Quarterly summaries" / "2024");
    auto compact = render(700, 48);
    save(compact, "toolbar_700_compact.png");
    EXPECT_TRUE(m_toolbar->is_compact());
    EXPECT_EQ(m_toolbar->control(control_ids::forward), nullptr);
    EXPECT_TRUE(has_ink(compact, bounds_of(control_ids::up), theme.surface));

    m_toolbar->set_inside_archive(true);
    m_toolbar->set_view_mode(ViewMode::Grid);
    auto archive = render(700, 48);
    save(archive, "toolbar_700_archive.png");
    EXPECT_EQ(bounds_of(control_ids::extract).width(), 36);
}

TEST_F(ToolbarPictures, PathFieldWithSuggestions)
{
    auto const& theme = ui::Theme::light();
    m_toolbar->set_location(m_home);
    m_toolbar->path_bar().begin_edit();
    m_toolbar->set_focus(true);
    auto& field = m_toolbar->path_bar().field();
    field.input().handle_event(ui::KeyPressed { ui::Key::End, {}, {}, false });
    m_toolbar->handle_event(ui::KeyPressed { std::nullopt, "/P", {}, false });
    m_toolbar->handle_event(ui::KeyPressed { ui::Key::Down, {}, {}, false });
    ASSERT_EQ(field.suggestions().size(), 4u) << "Pictures, Projects, Public, plans.pdf";
    auto image = render(1280, 300);
    save(image, "toolbar_path_suggestions.png");
    ui::Rect popup = field.popup_rect();
    ASSERT_FALSE(popup.is_empty());
    EXPECT_LE(popup.bottom, 300);
    EXPECT_GE(popup.top, FileToolbar::height - 4);
    auto first_row = ui::Point { popup.right - 20, popup.top + ui::Autocomplete::popup_padding + 15 };
    EXPECT_TRUE(close_to(image.pixel(static_cast<int>(first_row.x), static_cast<int>(first_row.y)), theme.selection))
        << "the highlighted first suggestion";
}

}
