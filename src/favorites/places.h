#pragma once

// The kinds of place the explorer knows, their labels, and the rows the
// places sidebar and the search catalogue list.

#include "services/user_dirs/user_dirs.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::favorites {

// Chooses a place's icon and, for the well-known places, its label.
enum class PlaceKind : std::uint8_t {
    Home,
    Documents,
    Downloads,
    Pictures,
    Music,
    Videos,
    Workspace,
    Root,
    Trash,
    Remote,
    // Any other folder a favourite points at.
    Folder,
};

// The catalogue message id of the kind's label; nullopt for the kinds whose
// rows are labelled by name (remote accounts, plain folders).
std::optional<std::string_view> place_label_id(PlaceKind kind);

PlaceKind place_kind_of(services::UserDirKind kind);

// A label is either a catalogue message, resolved in the current locale when
// it is shown, or a literal text such as a file name.
struct Label {
    enum class Source : std::uint8_t {
        Message,
        Literal,
    };

    Source source { Source::Literal };
    std::string text;

    static Label message(std::string_view id) { return { Source::Message, std::string(id) }; }
    static Label literal(std::string text) { return { Source::Literal, std::move(text) }; }

    bool operator==(Label const&) const = default;
};

// The label of a well-known kind; asserts the kind has one.
Label label_of(PlaceKind kind);

enum class PlaceSection : std::uint8_t {
    Favourites,
    System,
};

struct Place {
    Label label;
    std::filesystem::path path;
    PlaceKind kind;
    PlaceSection section;

    bool operator==(Place const&) const = default;
};

// Root ("/") and, when the Trash location is known, Trash.
std::vector<Place> system_places(std::optional<std::filesystem::path> const& trash_files_folder);

}
