// Opening a folder from another program: the desktop's launcher runs the
// desktop entry with the folder, and the window it opens shows that folder
// and carries the class by which desktops match it to the entry.

#include "e2e/desktop_session.h"

#include <gtest/gtest.h>

using e2e::DesktopSession;
using e2e::View;
using Names = std::vector<std::string>;

namespace {

std::filesystem::path source_folder()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

}

TEST(DesktopEntry, TheLauncherOpensTheFolderItIsGiven)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    // A space in the name: the launcher must hand it over as one argument.
    auto folder = desktop.files() / "Holiday photos";
    desktop.dir().write("files/Holiday photos/beach.jpg", "");
    desktop.dir().write("files/elsewhere.txt", "");
    auto entry = source_folder() / "data" / "so.kesu.file-explorer.desktop";
    // GIO's launcher, as file choosers and other file managers use it.
    // The explorer inherits the launcher's output; it goes to a file, so
    // nothing waits for the explorer to close it.
    ASSERT_EQ(desktop.run_tool({ "sh", "-c", "exec gio launch \"$0\" \"$1\" >>\"$2\" 2>&1", entry.string(),
                  folder.string(), (desktop.dir() / "explorer.log").string() }),
        0);
    ASSERT_TRUE(desktop.attach(folder));
    EXPECT_EQ(desktop.view().row_names(), Names { "beach.jpg" });

    std::string classes;
    ASSERT_EQ(
        desktop.run_tool({ "xdotool", "search", "--onlyvisible", "--class", "^so\\.kesu\\.file-explorer$" }, &classes),
        0)
        << "no window whose class is the desktop entry's id";
    EXPECT_NE(classes.find(desktop.window()), std::string::npos) << classes;
    desktop.stop();
}

TEST(DesktopEntry, TheCommandLineOpensARelativeFolder)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    desktop.dir().write("files/inbox/letter.txt", "");
    // The shell's way: a path relative to the working directory.
    ASSERT_EQ(desktop.run_tool({ "sh", "-c", "cd \"$0\" && exec kesu-files inbox >>\"$1\" 2>&1 &",
                  desktop.files().string(), (desktop.dir() / "explorer.log").string() }),
        0);
    ASSERT_TRUE(desktop.attach(desktop.files() / "inbox"));
    EXPECT_EQ(desktop.view().row_names(), Names { "letter.txt" });
    desktop.stop();
}
