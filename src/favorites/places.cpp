#include "favorites/places.h"

#include <cassert>

namespace files::favorites {

std::optional<std::string_view> place_label_id(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Home:
        return "files-place-home";
    case PlaceKind::Documents:
        return "files-place-documents";
    case PlaceKind::Downloads:
        return "files-place-downloads";
    case PlaceKind::Pictures:
        return "files-place-pictures";
    case PlaceKind::Music:
        return "files-place-music";
    case PlaceKind::Videos:
        return "files-place-videos";
    case PlaceKind::Workspace:
        return "files-place-workspace";
    case PlaceKind::Root:
        return "files-place-root";
    case PlaceKind::Trash:
        return "files-place-trash";
    case PlaceKind::Remote:
    case PlaceKind::Folder:
        return std::nullopt;
    }
    return std::nullopt;
}

PlaceKind place_kind_of(services::UserDirKind kind)
{
    switch (kind) {
    case services::UserDirKind::Documents:
        return PlaceKind::Documents;
    case services::UserDirKind::Downloads:
        return PlaceKind::Downloads;
    case services::UserDirKind::Pictures:
        return PlaceKind::Pictures;
    case services::UserDirKind::Music:
        return PlaceKind::Music;
    case services::UserDirKind::Videos:
        return PlaceKind::Videos;
    }
    return PlaceKind::Folder;
}

Label label_of(PlaceKind kind)
{
    auto id = place_label_id(kind);
    assert(id && "this place kind is labelled by name, not by the catalogue");
    return Label::message(id.value_or(""));
}

std::vector<Place> system_places(std::optional<std::filesystem::path> const& trash_files_folder)
{
    std::vector<Place> places;
    places.push_back({ label_of(PlaceKind::Root), "/", PlaceKind::Root, PlaceSection::System });
    if (trash_files_folder)
        places.push_back({ label_of(PlaceKind::Trash), *trash_files_folder, PlaceKind::Trash, PlaceSection::System });
    return places;
}

}
