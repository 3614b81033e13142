#include "native_observer/observer_snapshot.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using files::native_observer::SnapshotInput;

namespace {

files::model::Entry entry(std::string name, bool is_dir = false)
{
    files::model::Entry e;
    e.name = name;
    e.path = "/data/" + name;
    e.is_dir = is_dir;
    return e;
}

}

TEST(ObserverSnapshot, MembersInOrderForAnEmptyFolder)
{
    std::filesystem::path directory("/data/\xff");
    ui::SelectionModel selection;
    SnapshotInput input { directory, {}, selection };
    auto text = files::native_observer::observer_snapshot(input);
    EXPECT_EQ(text,
        "{\"app\":\"so.kesu.file-explorer\",\"view_id\":\"file_view\",\"directory\":\"/data/\xef\xbf\xbd\","
        "\"entry_count\":0,"
        "\"order_hash\":\"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855\","
        "\"hash_algorithm\":\"sha256\",\"ready\":false,\"is_loading\":false,\"has_error\":false,"
        "\"thumbnail_pending\":null,\"selected_indices\":[],\"selected_names\":[],\"primary_index\":null,"
        "\"offset_x\":0.0,\"offset_y\":0.0,\"offset_units\":\"pixels\",\"last_cursor\":[0.0,0.0],"
        "\"root_rect\":[0.0,0.0,0.0,0.0],\"viewport_rect\":null,\"content_rect\":null,\"view_mode\":\"List\","
        "\"sort_by\":\"Name\",\"sort_order\":\"Ascending\"}");
}

TEST(ObserverSnapshot, SelectionOrderAndReadiness)
{
    std::filesystem::path directory("/data");
    std::vector<files::model::Entry> entries { entry("docs", true), entry("a.txt"), entry("b.txt") };
    ui::SelectionModel selection;
    selection.select_only(2);
    selection.toggle(0);
    SnapshotInput input { directory, entries, selection };
    input.root_rect = { 0, 0, 800, 600 };
    input.viewport_rect = ui::Rect { 200, 50, 800, 600 };
    input.content_rect = ui::Rect { 200, 50, 800, 700 };
    input.thumbnail_pending = 3;
    input.sort_key = files::model::SortKey::Modified;
    input.sort_descending = true;
    input.view_mode = files::model::ViewMode::Grid;

    auto json = nlohmann::json::parse(files::native_observer::observer_snapshot(input));
    EXPECT_TRUE(json["ready"]);
    EXPECT_EQ(json["selected_indices"], nlohmann::json::array({ 0, 2 }));
    EXPECT_EQ(json["selected_names"], nlohmann::json::array({ "docs", "b.txt" }));
    EXPECT_EQ(json["primary_index"], 0);
    EXPECT_EQ(json["thumbnail_pending"], 3);
    EXPECT_EQ(json["sort_by"], "Modified");
    EXPECT_EQ(json["sort_order"], "Descending");
    EXPECT_EQ(json["view_mode"], "Grid");

    auto ascending_hash = json["order_hash"];
    std::swap(entries[1], entries[2]);
    EXPECT_NE(nlohmann::json::parse(files::native_observer::observer_snapshot(input))["order_hash"], ascending_hash);

    struct NotReady {
        char const* name;
        bool loading;
        bool error;
        std::optional<ui::Rect> viewport;
    };
    NotReady const cases[] = {
        { "loading", true, false, ui::Rect { 200, 50, 800, 600 } },
        { "error", false, true, ui::Rect { 200, 50, 800, 600 } },
        { "no viewport", false, false, std::nullopt },
        { "empty viewport", false, false, ui::Rect { 200, 50, 200, 600 } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        SnapshotInput variant = input;
        variant.loading = c.loading;
        variant.has_error = c.error;
        variant.viewport_rect = c.viewport;
        EXPECT_FALSE(nlohmann::json::parse(files::native_observer::observer_snapshot(variant))["ready"]);
    }
}
