#pragma once

// A TextInput with a popup of suggestions below it (above it when there is
// more room there). The suggestion source is asked once whenever the text
// changes, never while drawing. Down and Up move through the suggestions,
// Enter or Tab accepts the highlighted one (Tab takes the first when none is
// highlighted), Escape cancels the edit. Enter with nothing highlighted
// submits the text. The popup never leaves the window.

#include "ui/icons.h"
#include "ui/text_input.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct Suggestion {
    std::string text;
    std::optional<Icon> icon;
    bool operator==(Suggestion const&) const = default;
};

using SuggestionSource = std::function<std::vector<Suggestion>(std::string_view text)>;

// Where a popup of `wanted_height` goes for a field: below it when it fits in
// `window`, else on the side with more room, shrunk to fit that side, and
// shifted horizontally to stay inside the window.
Rect place_popup(Rect field, double width, double wanted_height, Rect window);

class Autocomplete : public Widget {
public:
    Autocomplete(std::string id, std::string placeholder);

    static constexpr double row_height = 30;
    static constexpr std::size_t max_visible_rows = 8;
    static constexpr double popup_padding = 4;
    static constexpr double popup_gap = 4;

    TextInput& input() { return m_input; }
    TextInput const& input() const { return m_input; }
    std::string const& text() const { return m_input.text(); }

    // Replaces the source; the current suggestions are dropped.
    void set_source(SuggestionSource source);
    // Sets the text, focuses the field, selects the text for replacement and
    // asks the source for the text's suggestions.
    void begin_editing(std::string_view text);
    // Unfocuses the field and closes the popup.
    void close();
    // The window the popup must stay in; without it the drawing surface is used.
    void set_window_bounds(Rect window);

    std::vector<Suggestion> const& suggestions() const { return m_suggestions; }
    std::optional<std::size_t> highlighted() const { return m_highlighted; }
    bool popup_open() const { return m_popup_open && !m_suggestions.empty(); }
    // The popup's rectangle for the current window; empty while closed.
    Rect popup_rect() const;
    // How many times the source was asked; the source may be slow.
    std::size_t source_queries() const { return m_queries; }

    // Submissions and cancellations since the last call, oldest first.
    std::vector<TextInputMessage> take_messages();

    Size measure(Size available, LayoutContext& context) override;
    void build_layout(Rect bounds, LayoutContext& context) override;
    void apply_layout(Rect bounds) override;
    void draw(Painter& painter) override;
    void draw_overlay(Painter& painter) override;
    EventResult handle_event(Event const& event) override;
    AccessNode accessibility() const override;
    bool perform_action(std::string const& node_id, std::string const& action) override;
    std::vector<Resource> resources() const override;
    InvokeResult invoke(ActionInvocation const& invocation) override;
    void set_focus(bool focused) override;

private:
    EventResult handle_key(KeyPressed const& key);
    EventResult handle_popup_pointer(Event const& event);
    void accept(std::size_t index);
    void highlight(std::optional<std::size_t> index);
    void refresh_suggestions();
    void gather_input_messages();
    std::optional<std::size_t> row_at(Point position) const;
    Rect row_rect(std::size_t visible_row) const;
    std::size_t visible_rows() const;

    TextInput m_input;
    SuggestionSource m_source;
    std::vector<Suggestion> m_suggestions;
    std::optional<std::size_t> m_highlighted;
    std::size_t m_first_row { 0 };
    bool m_popup_open { false };
    std::uint64_t m_queried_revision { ~std::uint64_t { 0 } };
    std::size_t m_queries { 0 };
    std::optional<Rect> m_window;
    std::optional<Rect> m_surface;
    std::vector<TextInputMessage> m_messages;
};

}
