#include "favorites/path_suggestions.h"
#include "support/temp_dir.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

namespace {

using files::favorites::path_suggestions;
using std::filesystem::path;

std::vector<std::string> texts(std::vector<files::favorites::PathSuggestion> const& suggestions)
{
    std::vector<std::string> out;
    for (auto const& suggestion : suggestions)
        out.push_back(suggestion.text);
    return out;
}

class PathSuggestions : public testing::Test {
protected:
    test_support::TempDir m_temp;
    path m_home { m_temp.make_folder("home") };
};

TEST_F(PathSuggestions, TildeDocMatchesAnyCaseFoldersFirstWithoutHidden)
{
    m_temp.make_folder("home/Documents");
    m_temp.make_folder("home/DOCK");
    m_temp.make_folder("home/.docker");
    m_temp.make_folder("home/Downloads");
    m_temp.write("home/docs.txt", "");
    m_temp.write("home/Doc", "");
    m_temp.write("home/.doc-notes", "");

    auto suggestions = path_suggestions("~/Doc", m_home);
    EXPECT_EQ(texts(suggestions), (std::vector<std::string> { "~/DOCK/", "~/Documents/", "~/Doc", "~/docs.txt" }));
    ASSERT_EQ(suggestions.size(), 4u);
    EXPECT_EQ(suggestions[1].path, m_home / "Documents");
    EXPECT_EQ(suggestions[1].kind, ui::PathKind::Folder);
    EXPECT_EQ(suggestions[1].icon, ui::Icon::Folder);
    EXPECT_EQ(suggestions[2].kind, ui::PathKind::File);
    EXPECT_EQ(suggestions[3].icon, ui::Icon::FileText);

    m_temp.make_folder("home/\xC3\x9C"
                       "bersicht"); // "Übersicht"
    EXPECT_EQ(texts(path_suggestions("~/\xC3\xBC"
                                     "b",
                  m_home)),
        (std::vector<std::string> { "~/\xC3\x9C"
                                    "bersicht/" }));
}

TEST_F(PathSuggestions, DotPrefixOffersHiddenNames)
{
    m_temp.make_folder("home/.config");
    m_temp.write("home/.bashrc", "");
    m_temp.write("home/visible", "");

    EXPECT_EQ(texts(path_suggestions("~/.", m_home)), (std::vector<std::string> { "~/.config/", "~/.bashrc" }));
    EXPECT_EQ(texts(path_suggestions("~/.C", m_home)), (std::vector<std::string> { "~/.config/" }));
}

TEST_F(PathSuggestions, TextWithoutSlashListsThatFolder)
{
    m_temp.make_folder("home/Music");
    m_temp.write("home/a.txt", "");

    EXPECT_EQ(texts(path_suggestions("~", m_home)), (std::vector<std::string> { "~/Music/", "~/a.txt" }));
    // Outside home the full path is shown, and a linked folder counts as a folder.
    std::filesystem::create_directory_symlink(m_home / "Music", m_temp / "linked");
    auto typed = (m_temp / "li").string();
    EXPECT_EQ(texts(path_suggestions(typed, m_home)), (std::vector<std::string> { (m_temp / "linked/").string() }));
}

TEST_F(PathSuggestions, UnlistableFolderGivesNothing)
{
    m_temp.write("home/file", "");
    EXPECT_TRUE(path_suggestions((m_temp / "missing/x").string(), m_home).empty());
    EXPECT_TRUE(path_suggestions("~/file/", m_home).empty());
    EXPECT_TRUE(path_suggestions("~/", std::nullopt).empty()); // "~" is a literal name then
}

TEST_F(PathSuggestions, AtMostSixtyFoldersBeforeFiles)
{
    for (int i = 0; i < 70; ++i)
        m_temp.write(fmt::format("home/file{:02}", i), "");
    for (int i = 0; i < 5; ++i)
        m_temp.make_folder(fmt::format("home/zfolder{}", i));

    auto suggestions = path_suggestions("~/", m_home);
    ASSERT_EQ(suggestions.size(), files::favorites::max_path_suggestions);
    EXPECT_EQ(suggestions[0].text, "~/zfolder0/");
    EXPECT_EQ(suggestions[4].text, "~/zfolder4/");
    EXPECT_EQ(suggestions[5].text, "~/file00");
    EXPECT_EQ(suggestions[59].text, "~/file54");
}

TEST_F(PathSuggestions, NamesEqualInLowerCaseKeepListingOrder)
{
    m_temp.write("home/report", "");
    m_temp.write("home/Report", "");
    m_temp.write("home/REPORT", "");
    std::vector<std::string> listed;
    for (auto const& entry : std::filesystem::directory_iterator(m_home))
        listed.push_back("~/" + entry.path().filename().string());

    EXPECT_EQ(texts(path_suggestions("~/rep", m_home)), listed);
}

}
