#include "fileops/create_rename.h"
#include "fileops/create_rename_notices.h"
#include "fileops/create_rename_templates.h"
#include "services/user_dirs/home.h"
#include "support/temp_dir.h"

#include <cstdlib>

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace files::fileops;
namespace fs = std::filesystem;
using test_support::read_file;

namespace {

// Shows the chosen message id and its arguments, so tests see exactly which
// message a failure carries.
std::string render(Message const& message)
{
    std::string text = message.id;
    for (auto const& argument : message.arguments) {
        text += " " + argument.name + "=";
        if (auto const* value = std::get_if<std::string>(&argument.value))
            text += *value;
        else
            text += std::to_string(std::get<std::int64_t>(argument.value));
    }
    return text;
}

MessageResolver const resolve = render;

std::string error_of(base::Result<fs::path> const& result) { return result ? "ok" : result.error().text(); }

}

TEST(ValidateName, TrimsAndRejectsWhatIsNotOneName)
{
    struct Case {
        char const* typed;
        char const* expected;
    };
    Case const cases[] = {
        { "  notes.txt  ", "notes.txt" },
        { "\xE3\x80\x80"
          "a b\xC2\xA0\t",
            "a b" },
        { ".hidden", ".hidden" },
        { "...", "..." },
        { "", "error files-name-empty" },
        { "   ", "error files-name-empty" },
        { "\xE2\x80\x83\n", "error files-name-empty" },
        { "a/b", "error files-name-slash" },
        { "/", "error files-name-slash" },
        { ".", "error files-name-slash" },
        { " .. ", "error files-name-slash" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.typed);
        auto name = validate_name(c.typed, resolve);
        EXPECT_EQ(name ? *name : "error " + name.error().text(), c.expected);
    }
}

TEST(CreateFolder, NumbersTheNameWhenTaken)
{
    test_support::TempDir dir;
    dir.write("notes.txt", "x");
    ::symlink("nowhere", (dir / "dangling").c_str());
    struct Case {
        char const* typed;
        char const* expected;
    };
    Case const cases[] = {
        { "New Folder", "New Folder" },
        { "New Folder", "New Folder 2" },
        { " New Folder ", "New Folder 3" },
        { "notes.txt", "notes 2.txt" },
        { "dangling", "dangling 2" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.expected);
        auto created = create_folder(dir.path(), c.typed, resolve);
        ASSERT_TRUE(created) << created.error().text();
        EXPECT_EQ(*created, dir / c.expected);
        EXPECT_TRUE(fs::is_directory(fs::symlink_status(*created)));
    }
}

TEST(CreateFolder, Failures)
{
    test_support::TempDir dir;
    EXPECT_EQ(error_of(create_folder(dir.path(), "  ", resolve)), "files-folder-name-empty");
    EXPECT_EQ(error_of(create_folder(dir.path(), "a/b", resolve)), "files-name-slash");
    EXPECT_EQ(error_of(create_folder(dir.path(), "..", resolve)), "files-name-slash");
    auto missing = create_folder(dir / "missing", "New Folder", resolve);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(), "No such file or directory");
    EXPECT_TRUE(missing.error().is_errno(ENOENT));
    EXPECT_EQ(dir.listing(), std::vector<std::string> {});
}

TEST(UniqueChildPath, ReportsExhaustedNames)
{
    test_support::TempDir dir;
    dir.write("a", "");
    for (int n = 2; n <= 9999; ++n)
        dir.write("a " + std::to_string(n), "");
    auto path = unique_child_path(dir.path(), "a", resolve);
    EXPECT_EQ(error_of(path), "files-destination-names-exhausted name=a path=" + dir.path().string());
    EXPECT_EQ(*unique_child_path(dir.path(), "b", resolve), dir / "b");
}

TEST(RenameItem, RulesOfTheTarget)
{
    struct Case {
        char const* source;
        char const* typed;
        char const* expected;
    };
    Case const cases[] = {
        { "notes.txt", "  renamed.txt ", "renamed.txt" },
        { "notes.txt", "notes.txt", "notes.txt" },
        { "notes.txt", "other.txt", "error files-name-exists name=other.txt" },
        { "notes.txt", "link", "error files-name-exists name=link" },
        { "link", "notes.txt", "error files-name-exists name=notes.txt" },
        { "notes.txt", "Notes.txt", "Notes.txt" },
        { "notes.txt", "hardlink", "error files-name-exists name=hardlink" },
        { "notes.txt", "..", "error files-name-slash" },
        { "notes.txt", " ", "error files-name-empty" },
        { "notes.txt", "sub/x", "error files-name-slash" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.typed);
        test_support::TempDir dir;
        dir.write("notes.txt", "notes");
        dir.write("other.txt", "other");
        ::symlink("notes.txt", (dir / "link").c_str());
        ::link((dir / "notes.txt").c_str(), (dir / "hardlink").c_str());
        auto renamed = rename_item(dir / c.source, c.typed, resolve);
        EXPECT_EQ(renamed ? renamed->filename().native() : "error " + renamed.error().text(), c.expected);
        EXPECT_EQ(read_file(dir / "other.txt"), "other");
        if (!renamed) {
            EXPECT_TRUE(fs::exists(fs::symlink_status(dir / c.source)));
        }
    }
}

TEST(RenameItem, NeedsAParentAndReportsOsErrors)
{
    EXPECT_EQ(error_of(rename_item("/", "x", resolve)), "files-no-parent");
    test_support::TempDir dir;
    auto missing = rename_item(dir / "gone", "new", resolve);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().text(), "No such file or directory");
}

TEST(CommitRename, EditorStateAndNotices)
{
    test_support::TempDir dir;
    auto notes = dir.write("notes.txt", "n");
    dir.write("other.txt", "o");

    auto unchanged = commit_rename(notes, "  notes.txt ", resolve);
    EXPECT_EQ(unchanged.editor, RenameEditor::Close);
    EXPECT_EQ(unchanged.notice, std::nullopt);

    auto clash = commit_rename(notes, "other.txt", resolve);
    EXPECT_EQ(clash.editor, RenameEditor::StayOpen);
    ASSERT_TRUE(clash.notice);
    EXPECT_EQ(render(*clash.notice), "files-rename-failed error=files-name-exists name=other.txt");

    auto done = commit_rename(notes, "final.txt", resolve);
    EXPECT_EQ(done.editor, RenameEditor::Close);
    EXPECT_EQ(done.renamed, dir / "final.txt");
    ASSERT_TRUE(done.notice);
    EXPECT_EQ(done.notice->id, "files-renamed");

    // A name that is not UTF-8 never counts as unchanged, so the rename runs.
    auto raw = dir.write("raw\xFF", "r");
    auto same_bytes = commit_rename(raw, "raw\xFF", resolve);
    EXPECT_EQ(same_bytes.editor, RenameEditor::Close);
    ASSERT_TRUE(same_bytes.notice);
    EXPECT_EQ(same_bytes.notice->id, "files-renamed");
}

TEST(NewFolder, CreatesNumberedFoldersWithNotices)
{
    test_support::TempDir dir;
    dir.make_folder("New Folder");
    auto second = new_folder(dir.path(), "New Folder", resolve);
    EXPECT_EQ(second.created, dir / "New Folder 2");
    EXPECT_EQ(render(second.notice), "files-created-folder");
    EXPECT_EQ(new_folder(dir.path(), "New Folder", resolve).created, dir / "New Folder 3");

    auto failed = new_folder(dir / "missing", "New Folder", resolve);
    EXPECT_EQ(failed.created, std::nullopt);
    EXPECT_EQ(render(failed.notice), "files-new-folder-failed error=No such file or directory");
}

class Templates : public ::testing::Test {
protected:
    Templates()
    {
        if (auto const* value = std::getenv("XDG_TEMPLATES_DIR"))
            m_saved = value;
        services::set_home_override(m_dir / "home");
    }
    ~Templates() override
    {
        services::set_home_override(std::nullopt);
        if (m_saved)
            ::setenv("XDG_TEMPLATES_DIR", m_saved->c_str(), 1);
        else
            ::unsetenv("XDG_TEMPLATES_DIR");
    }
    test_support::TempDir m_dir;
    std::optional<std::string> m_saved;
};

TEST_F(Templates, FolderFromTheEnvironmentOrTheHome)
{
    struct Case {
        char const* value;
        fs::path expected;
    };
    Case const cases[] = {
        { nullptr, m_dir / "home/Templates" },
        { "", m_dir / "home/Templates" },
        { "  \t ", m_dir / "home/Templates" },
        { "/srv/raw\xFF", m_dir / "home/Templates" },
        { "  /srv/templates ", "/srv/templates" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(unset)");
        if (c.value)
            ::setenv("XDG_TEMPLATES_DIR", c.value, 1);
        else
            ::unsetenv("XDG_TEMPLATES_DIR");
        EXPECT_EQ(templates_folder(), c.expected);
    }
}

TEST_F(Templates, OnlyVisibleRegularFilesAreOffered)
{
    auto folder = m_dir.make_folder("home/Templates");
    m_dir.write("home/Templates/.hidden", "h");
    m_dir.write("home/Templates/sub/Inner.txt", "i");
    auto letter = m_dir.write("home/Templates/Letter.odt", "letter");
    m_dir.write("home/Templates/.config.d/x", "");
    ::symlink("Letter.odt", (folder / "Link.odt").c_str());
    auto plain = m_dir.write("home/Templates/Makefile", "all:");

    EXPECT_EQ(list_templates(folder), (std::vector<fs::path> { letter, plain }));
    EXPECT_EQ(render(template_label(letter)), "files-new-from-template name=Letter");
    EXPECT_EQ(render(template_label(plain)), "files-new-from-template name=Makefile");
    EXPECT_EQ(render(template_label(folder / ".bashrc")), "files-new-from-template name=.bashrc");
    EXPECT_EQ(list_templates(m_dir / "missing"), std::vector<fs::path> {});
}

TEST_F(Templates, NewFileCopiesContentAndPermissions)
{
    auto letter = m_dir.write("home/Templates/Letter.odt", "letter");
    ::chmod(letter.c_str(), 0750);
    auto target = m_dir.make_folder("work");

    auto first = new_file_from_template(letter, target, resolve);
    EXPECT_EQ(first.created, target / "Letter.odt");
    EXPECT_EQ(render(first.notice), "files-created-file");
    EXPECT_EQ(new_file_from_template(letter, target, resolve).created, target / "Letter 2.odt");
    EXPECT_EQ(read_file(target / "Letter 2.odt"), "letter");
    struct stat info { };
    ASSERT_EQ(::stat((target / "Letter.odt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0750u);

    auto failed = new_file_from_template(m_dir / "home/Templates/gone", target, resolve);
    EXPECT_EQ(failed.created, std::nullopt);
    EXPECT_EQ(failed.notice.id, "files-new-file-failed");
}
