#include "favorites/favourites.h"

#include "favorites/path_text.h"

#include <algorithm>

namespace files::favorites {

namespace {

    bool is_home(std::filesystem::path const& path, PlaceContext const& context)
    {
        return context.home && same_path(path, *context.home);
    }

}

Label favourite_label(std::filesystem::path const& path, PlaceContext const& context)
{
    auto kind = favourite_kind(path, context);
    if (kind != PlaceKind::Folder)
        return label_of(kind);
    if (auto name = last_name(path))
        return Label::literal(display_text(*name));
    return Label::literal(display_text(path));
}

PlaceKind favourite_kind(std::filesystem::path const& path, PlaceContext const& context)
{
    if (is_home(path, context))
        return PlaceKind::Home;
    if (auto kind = context.user_dirs.classify(path))
        return place_kind_of(*kind);
    return PlaceKind::Folder;
}

Favourite make_favourite(std::filesystem::path path, PlaceContext const& context)
{
    auto label = favourite_label(path, context);
    auto kind = favourite_kind(path, context);
    return { std::move(label), std::move(path), kind };
}

std::vector<Favourite> default_favourites(PlaceContext const& context)
{
    std::vector<Favourite> favourites;
    if (context.home)
        favourites.push_back({ label_of(PlaceKind::Home), *context.home, PlaceKind::Home });
    for (auto const& folder : context.user_dirs.content_places()) {
        auto kind = place_kind_of(folder.kind);
        favourites.push_back({ label_of(kind), folder.path, kind });
    }
    return favourites;
}

FavouriteChange add_favourite(
    std::vector<Favourite>& favourites, std::filesystem::path const& path, PlaceContext const& context)
{
    bool present = std::ranges::any_of(favourites, [&](Favourite const& f) { return same_path(f.path, path); });
    if (present)
        return FavouriteChange::Unchanged;
    favourites.push_back(make_favourite(path, context));
    return FavouriteChange::Changed;
}

FavouriteChange remove_favourite(std::vector<Favourite>& favourites, std::filesystem::path const& path)
{
    auto removed = std::erase_if(favourites, [&](Favourite const& f) { return same_path(f.path, path); });
    return removed > 0 ? FavouriteChange::Changed : FavouriteChange::Unchanged;
}

FavouriteChange move_favourite(std::vector<Favourite>& favourites, std::size_t from, std::size_t to)
{
    if (from >= favourites.size() || to >= favourites.size() || from == to)
        return FavouriteChange::Unchanged;
    auto moved = std::move(favourites[from]);
    favourites.erase(favourites.begin() + static_cast<std::ptrdiff_t>(from));
    favourites.insert(favourites.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
    return FavouriteChange::Changed;
}

std::vector<Place> sidebar_places(std::vector<Favourite> const& favourites, std::vector<Place> const& system)
{
    std::vector<Place> places;
    places.reserve(favourites.size() + system.size());
    for (auto const& favourite : favourites)
        places.push_back({ favourite.label, favourite.path, favourite.kind, PlaceSection::Favourites });
    places.insert(places.end(), system.begin(), system.end());
    return places;
}

}
