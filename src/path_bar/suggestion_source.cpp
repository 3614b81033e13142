#include "path_bar/suggestion_source.h"

#include "favorites/path_suggestions.h"
#include "favorites/path_text.h"
#include "favorites/typed_path.h"

#include <memory>

namespace files::path_bar {

std::string suggestion_query(
    std::filesystem::path const& location, std::string_view typed, std::optional<std::filesystem::path> const& home)
{
    auto text = favorites::display_text(favorites::resolve_typed_path(location, typed, home));
    if ((typed.empty() || typed == "~") && !text.ends_with('/'))
        text += '/';
    return text;
}

std::vector<ui::Suggestion> suggest_paths(
    std::filesystem::path const& location, std::string_view typed, std::optional<std::filesystem::path> const& home)
{
    std::vector<ui::Suggestion> suggestions;
    for (auto const& found : favorites::path_suggestions(suggestion_query(location, typed, home), home))
        suggestions.push_back({ found.text, found.icon });
    return suggestions;
}

ui::SuggestionSource make_suggestion_source(std::filesystem::path location, std::optional<std::filesystem::path> home)
{
    struct LastAnswer {
        std::string query;
        std::vector<ui::Suggestion> suggestions;
        bool valid { false };
    };
    auto last = std::make_shared<LastAnswer>();
    return [location = std::move(location), home = std::move(home), last](std::string_view typed) {
        auto query = suggestion_query(location, typed, home);
        if (!last->valid || last->query != query) {
            last->suggestions.clear();
            for (auto const& found : favorites::path_suggestions(query, home))
                last->suggestions.push_back({ found.text, found.icon });
            last->query = std::move(query);
            last->valid = true;
        }
        return last->suggestions;
    };
}

}
