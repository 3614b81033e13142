#include "app/startup.h"

#include "base/hex.h"
#include "ui/utf8.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

namespace files::app {

EnvironmentLookup process_environment()
{
    return [](char const* name) -> std::optional<std::string> {
        if (char const* value = std::getenv(name))
            return std::string(value);
        return std::nullopt;
    };
}

std::string choose_actor_id(EnvironmentLookup const& environment, std::vector<std::uint8_t> const& current_actor)
{
    auto usable = [&](char const* name) -> std::optional<std::string> {
        auto value = environment(name);
        if (!value || value->empty() || !ui::is_valid_utf8(*value))
            return std::nullopt;
        return value;
    };
    if (auto app_id = usable("QUICK_APP_ID"))
        return *app_id;
    if (auto user = usable("KESU_USER_ID"))
        return "files-" + *user;
    return "files-" + base::hex_text(current_actor).substr(0, 12);
}

ShareLinkRead read_share_link(int fd)
{
    std::string bytes;
    bytes.reserve(4096);
    char buffer[4096];
    while (bytes.size() <= max_share_link_bytes) {
        auto room = std::min(sizeof buffer, max_share_link_bytes + 1 - bytes.size());
        auto got = ::read(fd, buffer, room);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return ShareLinkRefusal { "files-received-link-read-failed" };
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    if (bytes.size() > max_share_link_bytes)
        return ShareLinkRefusal { "files-received-link-too-large" };
    if (!ui::is_valid_utf8(bytes))
        return ShareLinkRefusal { "files-received-link-invalid-text" };
    while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.pop_back();
    if (bytes.empty())
        return ShareLinkRefusal { "files-received-link-empty" };
    return bytes;
}

bool share_mode_requested(std::vector<std::string> const& arguments)
{
    for (auto const& argument : arguments) {
        if (argument == "--open-share-stdin")
            return true;
    }
    return false;
}

std::optional<std::string> absolute_path_to_open(std::string const& path, std::string* failure)
{
    if (path.empty()) {
        *failure = "cannot make an empty path absolute";
        return std::nullopt;
    }
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    if (ec) {
        *failure = ec.message();
        return std::nullopt;
    }
    return absolute.string();
}

}
