#include "native_observer/observer_snapshot.h"

#include "model/display_name.h"
#include "model/fingerprint.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace files::native_observer {

namespace {

    using Json = nlohmann::ordered_json;

    Json rect_json(ui::Rect const& r) { return Json::array({ r.left, r.top, r.right, r.bottom }); }

    Json optional_rect_json(std::optional<ui::Rect> const& r) { return r ? rect_json(*r) : Json(nullptr); }

    char const* sort_key_name(model::SortKey key)
    {
        switch (key) {
        case model::SortKey::Name:
            return "Name";
        case model::SortKey::Size:
            return "Size";
        case model::SortKey::Modified:
            return "Modified";
        case model::SortKey::Type:
            return "Type";
        }
        return "Name";
    }

    char const* view_mode_name(model::ViewMode mode)
    {
        switch (mode) {
        case model::ViewMode::List:
            return "List";
        case model::ViewMode::Grid:
            return "Grid";
        }
        return "List";
    }

}

bool is_valid_rect(ui::Rect const& r)
{
    return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.right) && std::isfinite(r.bottom)
        && r.left < r.right && r.top < r.bottom;
}

std::string observer_snapshot(SnapshotInput const& in)
{
    bool const ready = !in.loading && !in.has_error && is_valid_rect(in.root_rect) && in.viewport_rect
        && is_valid_rect(*in.viewport_rect) && in.content_rect && is_valid_rect(*in.content_rect);

    Json selected_indices = Json::array();
    Json selected_names = Json::array();
    for (auto index : in.selection.selected()) {
        if (index >= in.entries.size())
            continue;
        selected_indices.push_back(index);
        selected_names.push_back(in.entries[index].name);
    }
    Json primary = nullptr;
    if (auto p = in.selection.primary(); p && in.selection.is_selected(*p) && *p < in.entries.size())
        primary = *p;

    Json snapshot = Json::object();
    snapshot["app"] = "so.kesu.file-explorer";
    snapshot["view_id"] = "file_view";
    snapshot["directory"] = model::display_name(in.directory.native());
    snapshot["entry_count"] = in.entries.size();
    snapshot["order_hash"] = model::listing_order_hash(in.entries);
    snapshot["hash_algorithm"] = "sha256";
    snapshot["ready"] = ready;
    snapshot["is_loading"] = in.loading;
    snapshot["has_error"] = in.has_error;
    snapshot["thumbnail_pending"] = in.thumbnail_pending ? Json(*in.thumbnail_pending) : Json(nullptr);
    snapshot["selected_indices"] = std::move(selected_indices);
    snapshot["selected_names"] = std::move(selected_names);
    snapshot["primary_index"] = std::move(primary);
    snapshot["offset_x"] = in.offset.x;
    snapshot["offset_y"] = in.offset.y;
    snapshot["offset_units"] = "pixels";
    snapshot["last_cursor"] = Json::array({ in.last_cursor.x, in.last_cursor.y });
    snapshot["root_rect"] = rect_json(in.root_rect);
    snapshot["viewport_rect"] = optional_rect_json(in.viewport_rect);
    snapshot["content_rect"] = optional_rect_json(in.content_rect);
    snapshot["view_mode"] = view_mode_name(in.view_mode);
    snapshot["sort_by"] = sort_key_name(in.sort_key);
    snapshot["sort_order"] = in.sort_descending ? "Descending" : "Ascending";
    return snapshot.dump();
}

}
