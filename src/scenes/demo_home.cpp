#include "scenes/demo_home.h"

#include "scenes/detail/fixture_files.h"

#include <array>
#include <cstdint>

#include <fcntl.h>
#include <unistd.h>

namespace files::scenes {

namespace {

    struct DemoFile {
        char const* name;
        // Files are sparse: their size shows without the bytes on disk.
        std::uint64_t size;
        char const* head;
    };

    void write_sized(std::filesystem::path const& path, DemoFile const& file)
    {
        detail::write_file(path, file.head);
        int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            return;
        (void)::ftruncate(fd, static_cast<off_t>(file.size));
        ::close(fd);
    }

}

void build_demo_home(std::filesystem::path const& home)
{
    constexpr std::array<char const*, 7> folders { "Development", "Documents", "Downloads", "Music", "Pictures",
        "Templates", "Videos" };
    // What the New File submenu offers.
    constexpr std::array<DemoFile, 4> templates { {
        { "Markdown note.md", 15, "# Title\n\nText\n" },
        { "Plain text.txt", 0, "" },
        { "Shell script.sh", 20, "#!/bin/sh\nset -eu\n\n" },
        { "Spreadsheet.ods", 0, "" },
    } };
    constexpr std::array<DemoFile, 8> files { {
        { "Annual report 2024.pdf", 2'418'112, "%PDF-1.4\n" },
        { "Budget forecast.ods", 48'213, "" },
        { "Meeting notes.md", 3'204, "# Meeting notes\n" },
        { "Onboarding checklist.txt", 1'187, "Onboarding checklist\n" },
        { "Product roadmap.odp", 5'902'336, "" },
        { "Reading list.md", 812, "# Reading list\n" },
        { "backup-2024-05.tar.gz", 187'406'336, "" },
        { "setup.sh", 964, "#!/bin/sh\n" },
    } };
    detail::reset_folder(home);
    int step = 0;
    for (auto const* folder : folders) {
        auto path = home / folder;
        detail::make_folder(path);
        detail::set_modified(path, detail::fixture_time(step++));
    }
    for (auto const& file : files) {
        auto path = home / file.name;
        write_sized(path, file);
        detail::set_modified(path, detail::fixture_time(step++));
    }
    for (auto const& file : templates) {
        auto path = home / "Templates" / file.name;
        write_sized(path, file);
        detail::set_modified(path, detail::fixture_time(step++));
    }
    detail::set_modified(home / "Templates", detail::fixture_time(5));
    detail::set_modified(home, detail::fixture_time(0));
}

}
