#include "support/scoped_env.h"
#include "services/user_dirs/home.h"
#include "services/user_dirs/user_dirs.h"
#include "support/temp_dir.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace {

using services::UserDirKind;
using services::UserDirs;
using std::filesystem::path;

struct LineCase {
    char const* name;
    std::string text;
    // The Documents folder that results; nullopt when it is disabled.
    std::optional<path> documents;
};

TEST(UserDirsParse, ReadsTheDocumentsLine)
{
    path const home = "/home/ada";
    LineCase const cases[] = {
        { "below home", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "/home/ada/Docs" },
        { "absolute", "XDG_DOCUMENTS_DIR=\"/srv/papers\"", "/srv/papers" },
        { "spaces around equals", "  XDG_DOCUMENTS_DIR = \"$HOME/My Files\"  ", "/home/ada/My Files" },
        { "escaped quote and backslash", R"(XDG_DOCUMENTS_DIR="$HOME/a\"b\\c")", "/home/ada/a\"b\\c" },
        { "trailing comment", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\" # mine", "/home/ada/Papers" },
        { "carriage return line end", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\r\n", "/home/ada/Papers" },
        { "later line wins", "XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"$HOME/B\"", "/home/ada/B" },
        { "home alone disables", "XDG_DOCUMENTS_DIR=\"$HOME\"", std::nullopt },
        { "home with slash disables", "XDG_DOCUMENTS_DIR=\"$HOME/\"", std::nullopt },
        { "absolute home disables", "XDG_DOCUMENTS_DIR=\"/home/ada/\"", std::nullopt },
        // Malformed lines are skipped and the standard name applies.
        { "commented out", "# XDG_DOCUMENTS_DIR=\"/srv/x\"", "/home/ada/Documents" },
        { "unquoted", "XDG_DOCUMENTS_DIR=$HOME/Docs", "/home/ada/Documents" },
        { "unterminated quote", "XDG_DOCUMENTS_DIR=\"$HOME/Docs", "/home/ada/Documents" },
        { "relative folder", "XDG_DOCUMENTS_DIR=\"Docs\"", "/home/ada/Documents" },
        { "other variable", "XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"", "/home/ada/Documents" },
        { "text after the quote", "XDG_DOCUMENTS_DIR=\"/srv/x\" extra", "/home/ada/Documents" },
        { "nul byte", std::string("XDG_DOCUMENTS_DIR=\"/srv/a\0b\"", 28), "/home/ada/Documents" },
        { "lower-case key", "xdg_documents_dir=\"/srv/x\"", "/home/ada/Documents" },
        { "empty text", "", "/home/ada/Documents" },
    };
    for (auto const& row : cases) {
        SCOPED_TRACE(row.name);
        auto dirs = UserDirs::parse(row.text, home);
        EXPECT_EQ(dirs.folder(UserDirKind::Documents), row.documents);
        EXPECT_EQ(dirs.classify("/home/ada"), std::nullopt);
    }
}

TEST(UserDirsParse, MapsEveryKeyToItsKind)
{
    auto dirs = UserDirs::parse("XDG_VIDEOS_DIR=\"$HOME/v\"\nXDG_DOWNLOAD_DIR=\"$HOME/d\"\nXDG_MUSIC_DIR=\"$HOME/m\"\n"
                                "XDG_PICTURES_DIR=\"$HOME/p\"\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\n",
        "/h");
    EXPECT_EQ(dirs.folder(UserDirKind::Documents), path("/h/Documents"));
    EXPECT_EQ(dirs.folder(UserDirKind::Downloads), path("/h/d"));
    EXPECT_EQ(dirs.folder(UserDirKind::Pictures), path("/h/p"));
    EXPECT_EQ(dirs.folder(UserDirKind::Music), path("/h/m"));
    EXPECT_EQ(dirs.folder(UserDirKind::Videos), path("/h/v"));
    EXPECT_EQ(dirs.classify("/h/Desk"), std::nullopt);
}

TEST(UserDirsClassify, ComparesComponentsAndPrefersServiceOrder)
{
    auto dirs = UserDirs::parse("XDG_MUSIC_DIR=\"$HOME/Media\"\nXDG_PICTURES_DIR=\"$HOME/Media\"\n", "/h");
    EXPECT_EQ(dirs.classify("/h/Media/"), UserDirKind::Pictures);
    EXPECT_EQ(dirs.classify("/h//Downloads"), UserDirKind::Downloads);
    EXPECT_EQ(dirs.classify("/h/Downloads/sub"), std::nullopt);
    EXPECT_EQ(dirs.classify("/h/Download"), std::nullopt);
    EXPECT_EQ(UserDirs().classify("/h/Downloads"), std::nullopt);
}

TEST(UserDirsLoad, ReadsTheFileAndListsExistingFoldersInServiceOrder)
{
    test_support::TempDir temp;
    auto home = temp.make_folder("home");
    temp.make_folder("home/Videos");
    temp.make_folder("home/Papers");
    temp.write("home/Music", "a file, not a folder");
    temp.write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");

    auto dirs = UserDirs::load(home, temp / "config");
    std::vector<services::UserDir> expected {
        { UserDirKind::Documents, home / "Papers" },
        { UserDirKind::Videos, home / "Videos" },
    };
    EXPECT_EQ(dirs.content_places(), expected);
    EXPECT_EQ(dirs.home(), home);
}

TEST(UserDirsLoad, MissingOrOversizedFileGivesStandardNames)
{
    test_support::TempDir temp;
    std::string big(services::max_user_dirs_file_size + 1, '\n');
    big.insert(0, "XDG_DOCUMENTS_DIR=\"/srv/x\"\n");
    temp.write("config/user-dirs.dirs", big);

    EXPECT_EQ(UserDirs::load("/h", temp / "config").folder(UserDirKind::Documents), path("/h/Documents"));
    EXPECT_EQ(UserDirs::load("/h", temp / "absent").folder(UserDirKind::Documents), path("/h/Documents"));
    EXPECT_EQ(UserDirs::load("/h", std::nullopt).folder(UserDirKind::Music), path("/h/Music"));
}

TEST(UserDirsForCurrentUser, OverrideReadsItsOwnConfiguration)
{
    test_support::TempDir temp;
    auto fake_home = temp.make_folder("fake");
    temp.write("fake/.config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
    temp.write("real-config/user-dirs.dirs", "XDG_MUSIC_DIR=\"/srv/real\"\n");
    test_support::ScopedEnv config("XDG_CONFIG_HOME", (temp / "real-config").string());

    services::set_home_override(fake_home);
    auto dirs = UserDirs::for_current_user();
    services::set_home_override(std::nullopt);

    EXPECT_EQ(dirs.home(), fake_home);
    EXPECT_EQ(dirs.folder(UserDirKind::Music), fake_home / "Tunes");
}

TEST(UserDirsForCurrentUser, ReadsTheConfigurationHome)
{
    test_support::TempDir temp;
    auto home = temp.make_folder("home");
    temp.write("config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
    test_support::ScopedEnv home_variable("HOME", home.string());
    test_support::ScopedEnv config("XDG_CONFIG_HOME", (temp / "config").string());

    EXPECT_EQ(UserDirs::for_current_user().folder(UserDirKind::Music), home / "Tunes");
}

}
