#pragma once

// The widget that shows a folder's entries as a list with a column header or
// as a grid of tiles. It owns no explorer state: the explorer hands it, before
// layout, a read-only span of entries, the selection model, the mode, the sort
// indicator, the scales, the thumbnail handle and the rename target, and takes
// what the view reports with take_messages(). The explorer places it in a
// ui::Scrollable; measure() gives the content height, and draw() publishes the
// visible folders as drop targets and the inline editor rectangle into cells
// the explorer shares with it.

#include "model/entry.h"
#include "services/thumbnails/thumbnail_service.h"
#include "ui/selection_model.h"
#include "ui/text_renderer.h"
#include "ui/widget.h"
#include "views/file_view_geometry.h"
#include "views/file_view_messages.h"
#include "views/scaled_thumbnails.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace files::views {

inline constexpr char file_view_id[] = "file_view";
// A press turns into a drag once the pointer is farther than this.
inline constexpr double drag_threshold = 6;

struct DropTarget {
    std::string path;
    ui::Rect rect; // content coordinates
    bool operator==(DropTarget const&) const = default;
};
using DropTargetList = std::vector<DropTarget>;
// Where the explorer places its inline name editor; empty when no entry is
// being renamed.
using EditorCell = std::optional<ui::Rect>;

struct PendingPress {
    std::size_t index { 0 };
    std::string path;
    ui::Point position;
};

class FileView final : public ui::Widget {
public:
    explicit FileView(ui::SelectionModel& selection);
    ~FileView() override;

    // Inputs, refreshed by the explorer before each layout. The entries must
    // stay alive and unchanged until the next set_entries.
    void set_entries(std::span<model::Entry const> entries);
    void set_view_mode(ViewMode mode);
    void set_sort(model::SortKey key, bool descending);
    void set_scale(ItemScale scale);
    void set_thumbnails(std::shared_ptr<services::ThumbnailService> service);
    void set_rename_target(std::optional<std::size_t> index);
    void set_editor_cell(std::shared_ptr<EditorCell> cell);
    void set_drop_targets(std::shared_ptr<DropTargetList> targets);
    // The view's own pointer state, for an owner that rebuilds the view on
    // every layout and carries the state across (read it back with
    // hover_index() and pending_press() before dropping the old view).
    void set_hover(std::optional<std::size_t> index) { m_hover = index; }
    void set_pending_press(std::optional<PendingPress> press) { m_pending = std::move(press); }
    // The part of the content the scroll container shows. Without it the view
    // uses the clip it was last drawn with.
    void set_visible_clip(std::optional<ui::Rect> clip);

    ViewMode view_mode() const { return m_mode; }
    ItemScale scale() const { return m_scale; }
    std::size_t entry_count() const { return m_entries.size(); }
    std::optional<std::size_t> hover_index() const { return m_hover; }
    std::optional<PendingPress> const& pending_press() const { return m_pending; }
    GridMetrics grid() const { return m_grid; }
    double content_height() const;
    std::optional<ui::Rect> visible_clip() const;
    // The primary item's position for assistive technology: (index + 1, n).
    std::optional<std::pair<std::size_t, std::size_t>> primary_position() const;
    // The row (list) or tile (grid) of an entry in content coordinates.
    ui::Rect item_rect(std::size_t index) const;
    // Every entry's name with its row or tile, in list order.
    std::vector<std::pair<std::string, ui::Rect>> named_item_rects() const;

    std::vector<FileViewMessage> take_messages();

    ui::Size measure(ui::Size available, ui::LayoutContext& context) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    ui::AccessNode accessibility() const override;

private:
    struct DrawContext;
    HitContext hit_context() const;
    Hit hit(ui::Point point) const;
    void relayout(ui::Rect bounds);

    // Drawing, in file_view_draw.cpp and file_view_items.cpp.
    void draw_list(ui::Painter& painter, DrawContext const& context);
    void draw_list_header(ui::Painter& painter, DrawContext const& context);
    void draw_list_row(ui::Painter& painter, DrawContext const& context, std::size_t index);
    void draw_grid(ui::Painter& painter, DrawContext const& context);
    void draw_grid_tile(ui::Painter& painter, DrawContext const& context, std::size_t index);
    void draw_item_background(ui::Painter& painter, std::size_t index, ui::Rect rect);
    void draw_focus(ui::Painter& painter, DrawContext const& context);
    void draw_file_icon(ui::Painter& painter, model::Entry const& entry, ui::Rect icon);
    void draw_category_tile(ui::Painter& painter, model::Entry const& entry, ui::Rect icon);
    std::optional<ui::Image> thumbnail_for(model::Entry const& entry, services::ThumbKey const& key);
    std::string const& fitted_name(ui::TextRenderer& text, std::string const& name, ui::Font const& font, double width);
    void publish_editor_rect(double line_height);

    // Events, in file_view_events.cpp.
    ui::EventResult handle_move(ui::PointerMoved const& moved);
    ui::EventResult handle_press(ui::PointerPressed const& pressed);
    ui::EventResult handle_key(ui::KeyPressed const& key);

    ui::SelectionModel& m_selection;
    std::span<model::Entry const> m_entries;
    ViewMode m_mode { ViewMode::List };
    model::SortKey m_sort_key { model::SortKey::Name };
    bool m_descending { false };
    ItemScale m_scale;
    GridMetrics m_grid;
    std::shared_ptr<services::ThumbnailService> m_thumbnails;
    std::optional<std::size_t> m_rename;
    std::shared_ptr<EditorCell> m_editor_cell;
    std::shared_ptr<DropTargetList> m_drop_targets;
    std::optional<ui::Rect> m_clip;
    std::optional<ui::Rect> m_drawn_clip;
    std::optional<double> m_line_height;

    std::optional<std::size_t> m_hover;
    ui::Point m_pointer;
    std::optional<PendingPress> m_pending;
    std::vector<FileViewMessage> m_messages;

    // Middle-ellipsized names by (name, font size, width); cleared when it
    // grows past a bound so a long session does not accumulate every name.
    std::unordered_map<std::string, std::string> m_fitted;
    ScaledThumbnails m_scaled_thumbnails;
};

}
