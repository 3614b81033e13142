#include "favorites/favourites_file.h"

#include "base/unique_fd.h"
#include "favorites/path_text.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::favorites {

namespace {

    std::optional<std::string> read_bounded(std::filesystem::path const& file)
    {
        base::UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat info { };
        if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
            return std::nullopt;
        if (static_cast<std::size_t>(info.st_size) > max_favourites_file_size)
            return std::nullopt;
        std::string text;
        char buffer[8192];
        while (true) {
            auto count = ::read(fd.get(), buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return std::nullopt;
            if (count == 0)
                return text;
            text.append(buffer, static_cast<std::size_t>(count));
            if (text.size() > max_favourites_file_size)
                return std::nullopt;
        }
    }

    base::Result<void> write_all(int fd, std::string_view text)
    {
        while (!text.empty()) {
            auto count = ::write(fd, text.data(), text.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                return base::fail_last_errno();
            text.remove_prefix(static_cast<std::size_t>(count));
        }
        return {};
    }

    // Writes and flushes the temporary file; the caller removes it on failure.
    base::Result<void> fill_temporary(base::UniqueFd& fd, std::filesystem::path const& target, std::string_view text)
    {
        struct stat existing { };
        if (::stat(target.c_str(), &existing) == 0 && ::fchmod(fd.get(), existing.st_mode & 07777) != 0)
            return base::fail_last_errno();
        TRY_VOID(write_all(fd.get(), text));
        if (::fsync(fd.get()) != 0)
            return base::fail_last_errno();
        if (fd.close() != 0)
            return base::fail_last_errno();
        return {};
    }

    base::Result<void> replace_atomically(std::filesystem::path const& target, std::string_view text)
    {
        std::string temporary = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
        base::UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
        if (fd.get() < 0)
            return base::fail_last_errno();
        auto written = fill_temporary(fd, target, text);
        if (written && ::rename(temporary.c_str(), target.c_str()) != 0)
            written = base::fail_last_errno();
        if (!written) {
            ::unlink(temporary.c_str());
            return written;
        }
        // Make the rename itself durable; the new list is in place either way.
        base::UniqueFd folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.get() >= 0)
            ::fsync(folder.get());
        return {};
    }

}

std::vector<Favourite> parse_favourites(std::string_view text, PlaceContext const& context)
{
    std::vector<Favourite> favourites;
    while (!text.empty()) {
        auto end = text.find('\n');
        auto line = trim_white_space(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty())
            favourites.push_back(make_favourite(std::filesystem::path(line), context));
    }
    if (favourites.empty())
        return default_favourites(context);
    return favourites;
}

std::string favourites_file_text(std::vector<Favourite> const& favourites)
{
    std::string text;
    for (auto const& favourite : favourites) {
        auto line = display_text(favourite.path);
        if (line.find('\n') != std::string::npos)
            continue;
        if (!text.empty())
            text += '\n';
        text += line;
    }
    return text;
}

std::vector<Favourite> load_favourites(
    std::optional<std::filesystem::path> const& config_folder, PlaceContext const& context)
{
    if (!config_folder)
        return default_favourites(context);
    auto text = read_bounded(*config_folder / favourites_file_name);
    if (!text)
        return default_favourites(context);
    return parse_favourites(*text, context);
}

base::Result<void> save_favourites(
    std::optional<std::filesystem::path> const& config_folder, std::vector<Favourite> const& favourites)
{
    if (!config_folder)
        return base::fail("no configuration folder");
    std::error_code error;
    std::filesystem::create_directories(*config_folder, error);
    if (error)
        return base::fail_errno(error.value());
    return replace_atomically(*config_folder / favourites_file_name, favourites_file_text(favourites));
}

}
