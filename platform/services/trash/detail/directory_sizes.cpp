#include "services/trash/detail/directory_sizes.h"

#include "services/trash/trash_info.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace services::trash::detail {

namespace fs = std::filesystem;

namespace {

    struct SizeLine {
        std::string size;
        std::string mtime;
        std::string encoded_name;
    };

    std::vector<SizeLine> read_lines(fs::path const& file)
    {
        std::vector<SizeLine> lines;
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            SizeLine entry;
            if (fields >> entry.size >> entry.mtime >> entry.encoded_name)
                lines.push_back(std::move(entry));
        }
        return lines;
    }

    bool still_trashed(fs::path const& trash_folder, SizeLine const& entry)
    {
        auto name = percent_decode(entry.encoded_name);
        struct stat info { };
        return name && ::lstat((trash_folder / "files" / *name).c_str(), &info) == 0;
    }

    std::string info_mtime(fs::path const& trash_folder, std::string const& name)
    {
        struct stat info { };
        if (::stat((trash_folder / "info" / (name + ".trashinfo")).c_str(), &info) != 0)
            return "0";
        return std::to_string(info.st_mtim.tv_sec);
    }

    base::Result<void> write_atomically(fs::path const& file, std::string const& text)
    {
        std::string temporary = file.string() + ".XXXXXX";
        int fd = ::mkstemp(temporary.data());
        if (fd < 0)
            return base::fail_errno(errno, file.string());
        std::size_t written = 0;
        while (written < text.size()) {
            auto count = ::write(fd, text.data() + written, text.size() - written);
            if (count < 0) {
                int code = errno;
                ::close(fd);
                ::unlink(temporary.c_str());
                return base::fail_errno(code, file.string());
            }
            written += static_cast<std::size_t>(count);
        }
        if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temporary.c_str(), file.c_str()) != 0) {
            int code = errno;
            ::unlink(temporary.c_str());
            return base::fail_errno(code, file.string());
        }
        return {};
    }

}

std::uintmax_t tree_size(fs::path const& folder)
{
    std::uintmax_t total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        struct stat info { };
        if (::lstat(it->path().c_str(), &info) == 0 && S_ISREG(info.st_mode))
            total += static_cast<std::uintmax_t>(info.st_size);
    }
    return total;
}

base::Result<void> update_directory_sizes(
    fs::path const& trash_folder, std::string const& name, std::optional<std::uintmax_t> size)
{
    auto file = trash_folder / "directorysizes";
    auto encoded = percent_encode(name);
    std::string text;
    for (auto const& entry : read_lines(file)) {
        if (entry.encoded_name == encoded || !still_trashed(trash_folder, entry))
            continue;
        text += entry.size + " " + entry.mtime + " " + entry.encoded_name + "\n";
    }
    if (size)
        text += std::to_string(*size) + " " + info_mtime(trash_folder, name) + " " + encoded + "\n";
    return write_atomically(file, text);
}

}
