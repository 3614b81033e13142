// kesu-files-icon FOLDER: writes the application icon as an hicolor theme
// tree below FOLDER. The build runs it; it is not installed.

#include "icon_tool/app_icon.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kesu-files-icon FOLDER\n");
        return 2;
    }
    auto written = files::icon_tool::write_icon_theme(argv[1], "so.kesu.file-explorer");
    if (!written) {
        std::fprintf(stderr, "kesu-files-icon: %s\n", written.error().text().c_str());
        return 1;
    }
    return 0;
}
