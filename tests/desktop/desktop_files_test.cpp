// The desktop entry, the AppStream metainfo, the manual page and the icon,
// checked with the tools a distribution checks them with, and installed the
// way `make install DESTDIR=… PREFIX=/usr` installs them.

#include "main/launch_spec.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <sstream>

#include <fcntl.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::filesystem::path source_folder()
{
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

std::filesystem::path build_folder()
{
    char const* build = std::getenv("FILES_BINARY_DIR");
    return build ? std::filesystem::path(build) : std::filesystem::current_path();
}

std::filesystem::path const entry_name = "so.kesu.file-explorer.desktop";
std::filesystem::path const metainfo_name = "so.kesu.file-explorer.metainfo.xml";

struct Ran {
    int status { -1 };
    std::string out;
    std::string err;
};

// Runs `argv` with `extra` added to the environment; standard output and
// error are kept apart, since warnings arrive on the latter.
Ran run(std::vector<std::string> const& argv, std::vector<std::string> const& extra = {})
{
    test_support::TempDir capture;
    auto out_path = capture / "out";
    auto err_path = capture / "err";
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e)
        env_strings.emplace_back(*e);
    env_strings.insert(env_strings.end(), extra.begin(), extra.end());
    std::vector<char*> env;
    for (auto& e : env_strings)
        env.push_back(e.data());
    env.push_back(nullptr);
    std::vector<char*> args;
    for (auto const& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    Ran ran;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
        ran.err = "cannot run " + argv[0];
    }
    posix_spawn_file_actions_destroy(&actions);
    if (std::filesystem::exists(out_path))
        ran.out = test_support::read_file(out_path);
    if (std::filesystem::exists(err_path))
        ran.err += test_support::read_file(err_path);
    return ran;
}

// The value of `key` in the desktop entry's main group.
std::string entry_value(std::string const& text, std::string const& key)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with(key + "="))
            return line.substr(key.size() + 1);
    }
    return {};
}

struct Pixel {
    int r, g, b, a;
};

Pixel pixel_at(GdkPixbuf* image, int x, int y)
{
    int channels = gdk_pixbuf_get_n_channels(image);
    guchar const* row = gdk_pixbuf_read_pixels(image) + y * gdk_pixbuf_get_rowstride(image);
    guchar const* p = row + x * channels;
    return { p[0], p[1], p[2], channels == 4 ? p[3] : 255 };
}

// Loaded by gdk-pixbuf, as icon themes load icons (librsvg for SVG).
GdkPixbuf* load_icon(std::filesystem::path const& path, int size)
{
    GError* error = nullptr;
    GdkPixbuf* image = gdk_pixbuf_new_from_file_at_size(path.c_str(), size, size, &error);
    if (!image) {
        ADD_FAILURE() << path << ": " << (error ? error->message : "no image");
        g_clear_error(&error);
    }
    return image;
}

// What a person sees in the icon: a transparent corner, an accent-blue
// tile and a white folder on it.
void expect_icon_shape(GdkPixbuf* image)
{
    int size = gdk_pixbuf_get_width(image);
    ASSERT_EQ(gdk_pixbuf_get_height(image), size);
    EXPECT_EQ(pixel_at(image, 0, 0).a, 0) << "the corner outside the rounded tile is transparent";
    auto tile = pixel_at(image, size / 2, size * 15 / 100);
    EXPECT_EQ(tile.a, 255);
    EXPECT_GT(tile.b, tile.r + 60) << "the tile is blue";
    int white = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            auto p = pixel_at(image, x, y);
            if (p.a == 255 && p.r > 235 && p.g > 235 && p.b > 235)
                ++white;
        }
    }
    EXPECT_GT(white, size * size / 40) << "the white folder outline is drawn";
}

}

TEST(DesktopFiles, TheDesktopEntryValidatesAndOpensFolders)
{
    auto entry = source_folder() / "data" / entry_name;
    auto ran = run({ "desktop-file-validate", entry.string() });
    EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
    EXPECT_EQ(ran.out + ran.err, "") << "not even a hint";

    auto text = test_support::read_file(entry);
    EXPECT_EQ(entry_value(text, "Exec"), "kesu-files %f") << "one folder per process, as a local path";
    EXPECT_EQ(entry_value(text, "MimeType"), "inode/directory;");
    EXPECT_EQ(entry_value(text, "Icon"), files::entry::application_id);
    EXPECT_EQ(entry_value(text, "StartupWMClass"), files::entry::application_id);
    EXPECT_NE(entry_value(text, "Categories").find("FileManager;"), std::string::npos);
}

TEST(DesktopFiles, TheMetainfoValidatesAndNamesTheEntry)
{
    auto metainfo = source_folder() / "data" / metainfo_name;
    auto ran = run({ "appstreamcli", "validate", "--no-net", "--no-color", metainfo.string() });
    EXPECT_EQ(ran.status, 0) << ran.out << ran.err;
    // Infos are allowed (the id's hyphen is the application id's); warnings
    // and errors are not.
    EXPECT_EQ(ran.out.find("\nW:"), std::string::npos) << ran.out;
    EXPECT_EQ(ran.out.find("\nE:"), std::string::npos) << ran.out;
    EXPECT_FALSE(ran.out.starts_with("W:") || ran.out.starts_with("E:")) << ran.out;

    auto text = test_support::read_file(metainfo);
    EXPECT_NE(text.find("<id>so.kesu.file-explorer</id>"), std::string::npos);
    EXPECT_NE(text.find("<launchable type=\"desktop-id\">" + entry_name.string() + "</launchable>"), std::string::npos);
    EXPECT_NE(text.find("<binary>kesu-files</binary>"), std::string::npos);
}

TEST(DesktopFiles, TheManualPageRendersWithoutWarningsAndDocumentsTheProgram)
{
    auto page = source_folder() / "docs" / "kesu-files.1";
    auto checked = run({ "groff", "-man", "-ww", "-z", "-rCHECKSTYLE=3", page.string() });
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.err, "") << "groff warns";

    auto shown
        = run({ "man", "--warnings", "-l", page.string() }, { "MANWIDTH=100", "MANPAGER=cat", "LC_ALL=C.UTF-8" });
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.err, "") << "man warns";
    // Rendered text: hyphenation may break words, so look in the source for
    // the lists and in the rendering for the structure.
    for (char const* section : { "NAME", "SYNOPSIS", "OPTIONS", "SCENES", "ENVIRONMENT", "FILES", "EXIT STATUS" })
        EXPECT_NE(shown.out.find(std::string("\n") + section + "\n"), std::string::npos) << section;
    auto source = test_support::read_file(page);
    for (auto scene : files::entry::scene_names) {
        SCOPED_TRACE(std::string(scene));
        EXPECT_NE(source.find(".B " + std::string(scene) + "\n"), std::string::npos) << "every scene is described";
    }
    for (char const* name :
        { "\\-\\-size", "\\-\\-path", "\\-\\-open\\-share\\-stdin", "KESU_WORKSPACE_ROOTS", "XDG_TEMPLATES_DIR",
            "LC_ALL", "LANGUAGE", "LANG", "QUICK_APP_ID", "KESU_USER_ID", "KESU_AUTOMATION_SOCKET", "KESU_HOST",
            "kesu-files/favorites", "kesu-files/zoom", "so.kesu.file-explorer/state.json", "Trash/" }) {
        SCOPED_TRACE(name);
        EXPECT_NE(source.find(name), std::string::npos);
    }
}

TEST(DesktopFiles, TheIconIsTheSameShapeAsSvgAndAtEveryPngSize)
{
    auto theme = build_folder() / "data" / "icons" / "hicolor";
    auto svg = theme / "scalable" / "apps" / "so.kesu.file-explorer.svg";
    GdkPixbuf* drawn = load_icon(svg, 64);
    ASSERT_NE(drawn, nullptr);
    expect_icon_shape(drawn);

    for (int size : { 16, 24, 32, 48, 64, 128, 256, 512 }) {
        SCOPED_TRACE(size);
        auto png = theme / (std::to_string(size) + "x" + std::to_string(size)) / "apps" / "so.kesu.file-explorer.png";
        GError* error = nullptr;
        GdkPixbuf* image = gdk_pixbuf_new_from_file(png.c_str(), &error);
        ASSERT_NE(image, nullptr) << png << ": " << (error ? error->message : "");
        EXPECT_EQ(gdk_pixbuf_get_width(image), size);
        if (size >= 32)
            expect_icon_shape(image);
        if (size == 64) {
            // The SVG as librsvg draws it and the PNG as cairo drew it agree.
            long difference = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    auto a = pixel_at(image, x, y);
                    auto b = pixel_at(drawn, x, y);
                    difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) + std::abs(a.a - b.a);
                }
            }
            EXPECT_LT(static_cast<double>(difference) / (size * size * 4), 4.0);
        }
        g_object_unref(image);
    }
    g_object_unref(drawn);
}

TEST(DesktopFiles, MakeInstallWithDestdirAndPrefixPutsEverythingInPlace)
{
    // The Makefile hands both on to CMake.
    auto planned = run({ "make", "-n", "-s", "-C", source_folder().string(), "install",
        "BUILD=" + build_folder().string(), "DESTDIR=/staging", "PREFIX=/usr" });
    EXPECT_EQ(planned.status, 0) << planned.err;
    EXPECT_NE(planned.out.find("DESTDIR=/staging cmake --install " + build_folder().string() + " --prefix /usr"),
        std::string::npos)
        << planned.out;

    // What that command does, into a staging folder.
    test_support::TempDir staging;
    auto installed = run({ "cmake", "--install", build_folder().string(), "--prefix", "/usr" },
        { "DESTDIR=" + staging.path().string() });
    ASSERT_EQ(installed.status, 0) << installed.out << installed.err;
    auto usr = staging / "usr";
    EXPECT_EQ(access((usr / "bin" / "kesu-files").c_str(), X_OK), 0);
    auto share = usr / "share";
    std::vector<std::filesystem::path> expected { share / "applications" / entry_name,
        share / "metainfo" / metainfo_name, share / "man" / "man1" / "kesu-files.1",
        share / "icons" / "hicolor" / "scalable" / "apps" / "so.kesu.file-explorer.svg" };
    for (int size : { 16, 24, 32, 48, 64, 128, 256, 512 })
        expected.push_back(share / "icons" / "hicolor" / (std::to_string(size) + "x" + std::to_string(size)) / "apps"
            / "so.kesu.file-explorer.png");
    for (auto const& file : expected) {
        SCOPED_TRACE(file.string());
        EXPECT_TRUE(std::filesystem::is_regular_file(file));
    }
    EXPECT_EQ(test_support::read_file(share / "applications" / entry_name),
        test_support::read_file(source_folder() / "data" / entry_name));
    // Nothing lands outside the prefix.
    for (auto const& top : std::filesystem::directory_iterator(staging.path()))
        EXPECT_EQ(top.path().filename(), "usr");
    // The installed entry still validates where it now lies.
    auto validated = run({ "desktop-file-validate", (share / "applications" / entry_name).string() });
    EXPECT_EQ(validated.status, 0) << validated.out << validated.err;
}
