#include "services/user_dirs/home.h"

#include <cstdlib>
#include <mutex>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace services {

namespace {

    std::mutex g_override_mutex;
    std::optional<std::filesystem::path> g_override;

    std::optional<std::filesystem::path> absolute_variable(char const* name)
    {
        char const* value = std::getenv(name);
        if (!value || value[0] != '/')
            return std::nullopt;
        return std::filesystem::path(value);
    }

    std::optional<std::filesystem::path> password_database_home()
    {
        long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
        passwd entry {};
        passwd* found = nullptr;
        if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir)
            return std::nullopt;
        if (found->pw_dir[0] != '/')
            return std::nullopt;
        return std::filesystem::path(found->pw_dir);
    }

}

void set_home_override(std::optional<std::filesystem::path> home)
{
    std::lock_guard lock(g_override_mutex);
    g_override = std::move(home);
}

std::optional<std::filesystem::path> home_override()
{
    std::lock_guard lock(g_override_mutex);
    return g_override;
}

std::optional<std::filesystem::path> platform_home()
{
    if (auto home = absolute_variable("HOME"))
        return home;
    return password_database_home();
}

std::optional<std::filesystem::path> user_home()
{
    if (auto home = home_override())
        return home;
    return platform_home();
}

std::optional<std::filesystem::path> xdg_config_home(std::optional<std::filesystem::path> const& home)
{
    if (auto folder = absolute_variable("XDG_CONFIG_HOME"))
        return folder;
    if (!home)
        return std::nullopt;
    return *home / ".config";
}

std::optional<std::filesystem::path> xdg_data_home(std::optional<std::filesystem::path> const& home)
{
    if (auto folder = absolute_variable("XDG_DATA_HOME"))
        return folder;
    if (!home)
        return std::nullopt;
    return *home / ".local" / "share";
}

}
