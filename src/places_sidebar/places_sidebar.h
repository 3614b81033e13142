#pragma once

// The places column at the left of the window: the user's favourites and the
// system places (Root, Trash). It opens places, reorders favourites by
// dragging and asks for a favourite's context menu, but changes nothing
// itself: every request becomes a message its owner takes and applies.

#include "favorites/favourites.h"
#include "favorites/places.h"
#include "places_sidebar/reorder_drag.h"
#include "places_sidebar/sidebar_geometry.h"
#include "ui/icons.h"
#include "ui/widget.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace files::places_sidebar {

struct NavigateToPlace {
    std::filesystem::path path;
    bool operator==(NavigateToPlace const&) const = default;
};

struct MoveFavourite {
    std::size_t from;
    std::size_t to;
    bool operator==(MoveFavourite const&) const = default;
};

struct FavouriteContextMenu {
    std::filesystem::path path;
    bool operator==(FavouriteContextMenu const&) const = default;
};

using SidebarMessage = std::variant<NavigateToPlace, MoveFavourite, FavouriteContextMenu>;

class PlacesSidebar : public ui::Widget {
public:
    static constexpr char const* type_name = "PlacesSidebar";
    static constexpr char const* identifier = "places_sidebar";

    // Borrows the favourites list of the explorer state, which outlives the
    // sidebar and is read afresh at every layout and draw.
    PlacesSidebar(std::vector<favorites::Favourite> const& favourites, std::vector<favorites::Place> system_places);

    // The folder shown; its row is drawn selected.
    void set_current_location(std::filesystem::path path);

    // The requests made since the last call, oldest first.
    std::vector<SidebarMessage> take_messages();

    // True while a press on a favourite or a reorder drag is under way, so
    // moves and the release reach the sidebar outside its rectangle.
    bool wants_pointer_capture() const { return m_drag.has_value(); }

    std::optional<std::size_t> focus_index() const { return m_focus; }
    std::optional<std::size_t> hover_index() const { return m_hover; }
    std::optional<ReorderDrag> const& drag() const { return m_drag; }
    SidebarGeometry const& geometry() const { return m_geometry; }
    // Favourites then system places, in row order.
    std::vector<favorites::Place> places() const;

    ui::Size measure(ui::Size available, ui::LayoutContext&) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    void set_focus(bool focused) override;
    ui::AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;

private:
    ui::EventResult handle_press(ui::PointerPressed const& press);
    ui::EventResult handle_move(ui::PointerMoved const& move);
    ui::EventResult handle_release(ui::PointerReleased const& release);
    ui::EventResult handle_key(ui::KeyPressed const& key);
    void activate(std::size_t row);
    void open_menu(std::size_t row);
    void refresh_geometry();
    bool is_current(std::size_t row) const;

    void draw_header(ui::Painter& painter, ui::Rect rect, char const* message_id) const;
    void draw_row(ui::Painter& painter, favorites::Place const& place, ui::Rect rect, std::size_t row) const;
    void draw_lifted_card(ui::Painter& painter, std::vector<favorites::Place> const& places) const;

    std::vector<favorites::Favourite> const& m_favourites;
    std::vector<favorites::Place> m_system;
    std::optional<std::filesystem::path> m_current;
    double m_scale { 1 };
    SidebarGeometry m_geometry;
    std::optional<std::size_t> m_hover;
    std::optional<std::size_t> m_focus;
    std::optional<ui::Point> m_last_pointer;
    std::optional<ReorderDrag> m_drag;
    std::vector<SidebarMessage> m_messages;
};

// The text of a place label in the process locale.
std::string resolve_label(favorites::Label const& label);

ui::Icon place_icon(favorites::PlaceKind kind);

}
