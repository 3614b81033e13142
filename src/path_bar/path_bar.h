#pragma once

// The location as clickable breadcrumbs that turn, on demand, into a text
// field with path completion. The bar never changes the location: clicks,
// keys and submitted text become messages its owner takes and applies.

#include "path_bar/breadcrumb_layout.h"
#include "path_bar/segments.h"
#include "ui/autocomplete.h"
#include "ui/widget.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace files::path_bar {

// Open the folder a segment stands for.
struct NavigateToPath {
    std::filesystem::path path;
    bool operator==(NavigateToPath const&) const = default;
};

// Open what the user typed; the owner interprets it (a leading "~" included).
struct NavigateToText {
    std::string text;
    bool operator==(NavigateToText const&) const = default;
};

using PathBarMessage = std::variant<NavigateToPath, NavigateToText>;

class PathBar : public ui::Widget {
public:
    static constexpr double height = 34;
    static constexpr char const* identifier = "files.path_bar";
    static constexpr char const* input_identifier = "files.path_input";

    PathBar(std::vector<std::filesystem::path> roots, std::optional<std::filesystem::path> home);

    // Shows `path`; an edit in progress is left as it is.
    void set_location(std::filesystem::path path);
    std::filesystem::path const& location() const { return m_location; }
    std::vector<Segment> const& segments() const { return m_crumbs.segments; }
    LeadingIcon leading_icon() const { return m_crumbs.icon; }

    // Opens the field with the location written with home contracted, its
    // text selected for replacement, and suggestions bound to the location.
    void begin_edit();
    // Closes the field; the breadcrumbs show again.
    void close_edit();
    bool is_editing() const { return m_editing; }
    ui::Autocomplete& field() { return m_field; }
    ui::Autocomplete const& field() const { return m_field; }

    std::optional<std::size_t> hover_index() const { return m_hover; }
    std::optional<std::size_t> focus_index() const { return m_focus; }
    // The breadcrumbs as last laid out.
    BreadcrumbLayout const& breadcrumb_layout() const { return m_layout; }

    // The requests made since the last call, oldest first.
    std::vector<PathBarMessage> take_messages();

    // The accessibility id of segment `index`.
    static std::string segment_node_id(std::size_t index);

    ui::Size measure(ui::Size available, ui::LayoutContext& context) override;
    void build_layout(ui::Rect bounds, ui::LayoutContext& context) override;
    void apply_layout(ui::Rect bounds) override;
    void draw(ui::Painter& painter) override;
    void draw_overlay(ui::Painter& painter) override;
    ui::EventResult handle_event(ui::Event const& event) override;
    void set_focus(bool focused) override;
    ui::AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<ui::Resource> resources() const override;
    ui::InvokeResult invoke(ui::ActionInvocation const& invocation) override;

private:
    ui::EventResult handle_editing(ui::Event const& event);
    ui::EventResult handle_move(ui::Point position);
    ui::EventResult handle_press(ui::PointerPressed const& press);
    ui::EventResult handle_key(ui::KeyPressed const& key);
    void activate(std::size_t segment);
    void take_field_messages();
    void set_hover(std::optional<std::size_t> hover);

    void measure_labels(ui::TextRenderer& text);
    void relayout();
    void draw_breadcrumbs(ui::Painter& painter);
    ui::AccessNode segment_node(std::size_t index) const;

    std::vector<std::filesystem::path> m_roots;
    std::optional<std::filesystem::path> m_home;
    std::filesystem::path m_location;
    Breadcrumbs m_crumbs;

    BreadcrumbMetrics m_metrics;
    bool m_metrics_stale { true };
    BreadcrumbLayout m_layout;

    std::optional<std::size_t> m_hover;
    std::optional<std::size_t> m_focus;
    std::optional<ui::Point> m_pointer;

    bool m_editing { false };
    ui::Autocomplete m_field;
    std::vector<PathBarMessage> m_messages;
};

}
