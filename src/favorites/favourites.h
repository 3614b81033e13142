#pragma once

// The user's favourites: an ordered list of folders shown at the top of the
// places sidebar. The explorer state owns the list; these functions change it
// and the favourites file (favourites_file.h) keeps it between runs.

#include "favorites/places.h"
#include "services/user_dirs/user_dirs.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace files::favorites {

struct Favourite {
    Label label;
    std::filesystem::path path;
    PlaceKind kind;

    bool operator==(Favourite const&) const = default;
};

// What labels and kinds depend on: the home folder and the user's folders.
struct PlaceContext {
    std::optional<std::filesystem::path> home;
    services::UserDirs user_dirs;
};

// Home's label for home, a content folder's label for a folder the user
// directories name, else the folder's name (invalid UTF-8 replaced). A path
// without a name ("/") is labelled with its full text.
Label favourite_label(std::filesystem::path const& path, PlaceContext const& context);

// Home, a content folder kind, or Folder; chooses the favourite's icon.
PlaceKind favourite_kind(std::filesystem::path const& path, PlaceContext const& context);

Favourite make_favourite(std::filesystem::path path, PlaceContext const& context);

// Home first (when known), then the content folders that exist, in the
// order of the user-directory service.
std::vector<Favourite> default_favourites(PlaceContext const& context);

enum class FavouriteChange : std::uint8_t {
    Changed,
    Unchanged,
};

// Appends `path` unless a favourite already has it (compared component by
// component); Unchanged when it was present.
FavouriteChange add_favourite(
    std::vector<Favourite>& favourites, std::filesystem::path const& path, PlaceContext const& context);

// Removes every favourite with `path`; Unchanged when there was none.
FavouriteChange remove_favourite(std::vector<Favourite>& favourites, std::filesystem::path const& path);

// Moves the favourite at `from` so that it ends up at index `to`; Unchanged
// unless both indices are inside the list and differ.
FavouriteChange move_favourite(std::vector<Favourite>& favourites, std::size_t from, std::size_t to);

// The favourites followed by the system places, as the sidebar numbers its
// rows and the search catalogue lists them.
std::vector<Place> sidebar_places(std::vector<Favourite> const& favourites, std::vector<Place> const& system);

}
