#include "fileops/create_rename_templates.h"

#include "fileops/create_rename.h"
#include "fileops/name_allocation.h"
#include "fileops/transfer.h"
#include "services/user_dirs/home.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace files::fileops {

namespace fs = std::filesystem;

std::optional<fs::path> templates_folder()
{
    if (auto const* value = std::getenv("XDG_TEMPLATES_DIR")) {
        std::string_view text(value);
        auto trimmed = trim_white_space(text);
        if (lossy_utf8(text) == text && !trimmed.empty())
            return fs::path(std::string(trimmed));
    }
    auto home = services::user_home();
    if (!home)
        return std::nullopt;
    return *home / "Templates";
}

std::vector<fs::path> list_templates(fs::path const& folder)
{
    std::vector<fs::path> templates;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        auto name = it->path().filename().native();
        std::error_code status_error;
        if (name.starts_with('.') || !fs::is_regular_file(it->symlink_status(status_error)) || status_error)
            continue;
        templates.push_back(it->path());
    }
    std::sort(templates.begin(), templates.end());
    return templates;
}

Message template_label(fs::path const& template_path)
{
    auto name = lossy_utf8(template_path.filename().native());
    auto stem = split_name(name).stem;
    return Message { "files-new-from-template", { { "name", stem.empty() ? name : stem } } };
}

base::Result<fs::path> create_from_template(
    fs::path const& template_path, fs::path const& folder, MessageResolver const& resolve)
{
    return copy_item(template_path, folder, resolve);
}

}
