#include "ui/icons.h"

#include <gtest/gtest.h>

using ui::Icon;
using ui::PathKind;

TEST(Icons, IconForPathFollowsTheExtension)
{
    struct Case {
        char const* path;
        PathKind kind;
        Icon icon;
    };
    Case const cases[] = {
        { "/home/a/Photos", PathKind::Folder, Icon::Folder },
        { "/home/a/archive.zip", PathKind::Folder, Icon::Folder }, // a folder named like a file
        { "holiday.JPG", PathKind::File, Icon::FileImage },
        { "song.flac", PathKind::File, Icon::FileAudio },
        { "clip.mkv", PathKind::File, Icon::FileVideo },
        { "backup.tar.gz", PathKind::File, Icon::FileArchive },
        { "backup.tgz", PathKind::File, Icon::FileArchive },
        { "bundle.7z", PathKind::File, Icon::FileArchive },
        { "main.cpp", PathKind::File, Icon::FileCode },
        { "paper.pdf", PathKind::File, Icon::FilePdf },
        { "notes.txt", PathKind::File, Icon::FileText },
        { "README", PathKind::File, Icon::File },
        { ".bashrc", PathKind::File, Icon::File },
        { "trailing.", PathKind::File, Icon::File },
        { "data.unknownext", PathKind::File, Icon::File },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ui::icon_for_path(c.path, c.kind), c.icon);
    }
}
