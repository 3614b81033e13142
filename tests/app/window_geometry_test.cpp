#include "app/navigation.h"
#include "app/sheet.h"
#include "app/status_text.h"
#include "app/window_geometry.h"
#include "i18n/translate.h"

#include <gtest/gtest.h>

using namespace files::app;

TEST(WindowGeometry, SheetSize)
{
    struct Case {
        char const* name;
        double width;
        double height;
        std::size_t lines;
        bool confirm;
        double expected_width;
        double expected_height;
    };
    Case const cases[] = {
        { "narrow window, 143 raised to the floor", 300, 800, 0, false, 288, 180 },
        { "wide window", 1000, 800, 0, false, 648, 180 },
        { "20 lines with confirm", 1000, 900, 20, true, 648, 552 },
        { "capped by a low window", 1000, 400, 20, true, 648, 368 },
        { "never below 180", 1000, 150, 20, true, 648, 180 },
        { "three lines", 800, 800, 3, false, 648, 197 },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto sheet = sheet_rect({ 0, 0, c.width, c.height }, c.lines, c.confirm);
        EXPECT_DOUBLE_EQ(sheet.width(), c.expected_width);
        EXPECT_DOUBLE_EQ(sheet.height(), c.expected_height);
        EXPECT_DOUBLE_EQ(sheet.center().x, c.width / 2);
    }
    auto sheet = sheet_rect({ 0, 0, 1000, 900 }, 2, true);
    auto confirm = sheet_confirm_rect(sheet);
    EXPECT_DOUBLE_EQ(confirm.height(), 36);
    EXPECT_DOUBLE_EQ(confirm.left, sheet.left + 24);
    EXPECT_DOUBLE_EQ(sheet_close_zone(sheet).width(), 40);
}

TEST(WindowGeometry, ScalesAndThreshold)
{
    EXPECT_DOUBLE_EQ(item_scale(6), 1.9);
    EXPECT_DOUBLE_EQ(item_scale(-2), 0.7);
    EXPECT_DOUBLE_EQ(item_scale(9), 1.9);
    EXPECT_DOUBLE_EQ(narrow_layout_threshold(1.0), 640);
    EXPECT_DOUBLE_EQ(narrow_layout_threshold(0.8), 640);
    EXPECT_DOUBLE_EQ(narrow_layout_threshold(1.5), 1090);
}

TEST(WindowGeometry, ShortenedTexts)
{
    std::string fifty = "/home/user/" + std::string(39, 'x');
    ASSERT_EQ(fifty.size(), 50u);
    EXPECT_EQ(shorten_path(fifty, 36), "…" + fifty.substr(15));
    EXPECT_EQ(shorten_path("/home", 36), "/home");
    EXPECT_EQ(shorten_path("/ä/ö/ü", 3), "…/ü");

    std::string thirty_one(31, 'e');
    EXPECT_EQ(load_error_detail("cannot read /x: " + thirty_one), std::string(25, 'e') + "…");
    std::string twenty_six(26, 'e');
    EXPECT_EQ(load_error_detail("cannot read /x: " + twenty_six), twenty_six);
    EXPECT_EQ(load_error_detail("No such file or directory"), "No such file or directory");
}

TEST(WindowGeometry, StatusTextCountsAndSelection)
{
    files::app::ExplorerState state;
    state.entries.resize(10);
    EXPECT_EQ(files::app::status_text(state), files::i18n::translate_with("files-item-count", { { "count", 10 } }));
    files::app::set_notice(state, "Moved 2 items to Trash");
    state.selection.select_only(1);
    state.selection.toggle(4);
    state.selection.toggle(7);
    EXPECT_EQ(files::app::status_text(state),
        files::i18n::translate_with("files-selected-count", { { "base", "Moved 2 items to Trash" }, { "count", 3 } }));
}

TEST(WindowGeometry, KeyboardShortcutsSheetHasElevenLines)
{
    auto sheet = files::app::keyboard_shortcuts_sheet();
    EXPECT_EQ(sheet.title, files::i18n::translate("files-shortcuts-title"));
    ASSERT_EQ(sheet.detail_lines.size(), 11u);
    EXPECT_EQ(sheet.detail_lines.back(), files::i18n::translate("files-shortcuts-close"));
    EXPECT_FALSE(sheet.confirm);
    EXPECT_TRUE(files::app::is_destructive(files::app::ConfirmKind::EmptyTrash));
    EXPECT_FALSE(files::app::is_destructive(files::app::ConfirmKind::NearbyRetry));
}
