#include "services/app_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

TEST(AppState, NewDocumentGetsRandomActorAndKeepsItAcrossOpens)
{
    test_support::TempDir dir;
    auto file = dir / "state" / "state.json";
    auto first = persist::open_file(file);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->document->actor().size(), 16u);
    EXPECT_TRUE(std::filesystem::exists(file));

    auto second = persist::open_file(file);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->document->actor(), first->document->actor());
    EXPECT_EQ(second->document->actor_hex().size(), 32u);
    EXPECT_NE(persist::open_file(dir / "other.json")->document->actor(), first->document->actor());
}

TEST(AppState, DamagedDocumentIsReplacedAndUnknownMembersSurviveSaves)
{
    test_support::TempDir dir;
    struct Case {
        char const* name;
        std::string content;
    };
    Case const cases[] = {
        { "not JSON", "{actor" },
        { "not an object", "[1,2]" },
        { "actor not hex", "{\"actor\":\"xyz\"}" },
        { "actor odd length", "{\"actor\":\"abc\"}" },
        { "actor missing", "{\"other\":1}" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto file = dir.write("damaged.json", c.content);
        auto opened = persist::open_file(file);
        ASSERT_TRUE(opened);
        EXPECT_EQ(opened->document->actor().size(), 16u);
    }

    auto file = dir.write("kept.json", "{\"actor\":\"00ff\",\"windows\":[1]}");
    auto opened = persist::open_file(file);
    EXPECT_EQ(opened->document->actor(), (std::vector<std::uint8_t> { 0x00, 0xff }));
    opened->document->set_actor({ 0xab });
    ASSERT_TRUE(opened->writer->save(*opened->document));
    auto text = test_support::read_file(file);
    EXPECT_NE(text.find("\"windows\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"actor\": \"ab\""), std::string::npos) << text;
}
