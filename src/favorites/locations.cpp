#include "favorites/locations.h"

#include "services/user_dirs/home.h"

namespace files::favorites {

std::optional<std::filesystem::path> home_folder() { return services::user_home(); }

std::optional<std::filesystem::path> config_folder()
{
    auto base = services::xdg_config_home(services::platform_home());
    if (!base)
        return std::nullopt;
    return *base / "kesu-files";
}

std::optional<std::filesystem::path> trash_files_folder()
{
    auto base = services::xdg_data_home(services::platform_home());
    if (!base)
        return std::nullopt;
    return *base / "Trash" / "files";
}

}
