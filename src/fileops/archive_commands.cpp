#include "fileops/archive_commands.h"

#include "fileops/archive.h"
#include "fileops/archive_names.h"

#include <limits>

#include <sys/stat.h>

namespace files::fileops {

using namespace archive_detail;

namespace {

    bool something_exists(std::filesystem::path const& path)
    {
        struct stat status { };
        return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
    }

    void remove_suffix_repeatedly(std::string& name, std::string_view suffix)
    {
        while (name.ends_with(suffix))
            name.resize(name.size() - suffix.size());
    }

    std::int64_t saturated(std::uint64_t count)
    {
        constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
        return static_cast<std::int64_t>(std::min(count, largest));
    }

    Message message(std::string id, std::vector<MessageArgument> arguments = {})
    {
        return Message { std::move(id), std::move(arguments) };
    }

}

std::string extraction_base_name(std::filesystem::path const& archive_path)
{
    std::string name = archive_path.filename().string();
    if (!is_valid_utf8(name))
        return "Archive";
    remove_suffix_repeatedly(name, ".gz");
    remove_suffix_repeatedly(name, ".tar");
    remove_suffix_repeatedly(name, ".zip");
    // ".zip.zip" would leave nothing, and an empty name is the parent itself.
    return name.empty() ? "Archive" : name;
}

std::filesystem::path extraction_destination(std::filesystem::path const& parent, std::string const& base)
{
    auto candidate = parent / base;
    for (std::uint64_t n = 2; something_exists(candidate); ++n)
        candidate = parent / (base + " " + std::to_string(n));
    return candidate;
}

std::string compression_base_name(std::vector<std::filesystem::path> const& selection)
{
    if (selection.size() != 1)
        return "Archive";
    std::string name = selection.front().filename().string();
    std::string stem(name_stem(name));
    if (stem.empty() || stem == "." || stem == ".." || !is_valid_utf8(stem))
        return "Archive";
    return stem;
}

std::filesystem::path compression_target(std::filesystem::path const& folder, std::string const& base)
{
    auto candidate = folder / (base + ".zip");
    for (std::uint64_t n = 2; something_exists(candidate); ++n)
        candidate = folder / (base + " " + std::to_string(n) + ".zip");
    return candidate;
}

Message extract_selected_archives(
    std::vector<std::filesystem::path> const& selection, std::filesystem::path const& current_folder)
{
    std::uint64_t count = 0;
    std::string failures;
    bool any = false;
    for (auto const& archive_path : selection) {
        if (!is_supported_archive(archive_path))
            continue;
        any = true;
        auto parent = archive_path.has_parent_path() ? archive_path.parent_path() : current_folder;
        auto destination = extraction_destination(parent, extraction_base_name(archive_path));
        auto files = extract_archive(archive_path, destination);
        if (files) {
            std::uint64_t sum = 0;
            count
                = __builtin_add_overflow(count, files->size(), &sum) ? std::numeric_limits<std::uint64_t>::max() : sum;
            continue;
        }
        if (!failures.empty())
            failures += "; ";
        failures += archive_path.string() + ": " + files.error().text();
    }
    if (!any)
        return message("files-archive-select");
    if (failures.empty())
        return message("files-archive-extracted", { { "count", saturated(count) } });
    return message("files-archive-extracted-partial", { { "count", saturated(count) }, { "failures", failures } });
}

Message extract_browsed_archive(std::filesystem::path const& archive_path)
{
    auto parent = archive_path.has_parent_path() ? archive_path.parent_path() : std::filesystem::path(".");
    auto files = extract_archive(archive_path, extraction_destination(parent, extraction_base_name(archive_path)));
    if (!files)
        return message("files-archive-extract-failed", { { "error", files.error().text() } });
    return message("files-archive-extracted", { { "count", saturated(files->size()) } });
}

Message compress_selection(
    std::vector<std::filesystem::path> const& selection, std::filesystem::path const& current_folder)
{
    if (selection.empty())
        return message("files-archive-select-compress");
    auto target = compression_target(current_folder, compression_base_name(selection));
    auto created = create_zip(target, selection);
    if (!created)
        return message("files-archive-create-failed", { { "error", created.error().text() } });
    return message("files-archive-created", { { "name", target.filename().string() } });
}

}
