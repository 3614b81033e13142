#include "command/action_ids.h"
#include "command/payload.h"
#include "command/resource_address.h"

#include <gtest/gtest.h>

using namespace files::command;

TEST(ResourceAddress, KeyDependsOnlyOnThePath)
{
    auto key = resource_key("/home/u/report.txt");
    EXPECT_EQ(key.size(), 32u);
    EXPECT_EQ(key.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(key, resource_key("/home/u/report.txt"));
    EXPECT_NE(key, resource_key("/home/u/report.txt2"));
    EXPECT_EQ(entry_address("/a"), "files.entry:" + resource_key("/a"));
    EXPECT_EQ(place_address("/a"), "files.place:" + resource_key("/a"));
    EXPECT_EQ(folder_address("/a"), "files.folder:" + resource_key("/a"));
    // A known vector, computed independently (Python hashlib) over the tag
    // (ending in a backslash and a zero), the big-endian length and "/".
    EXPECT_EQ(resource_key("/"), "d39e5b4ab91814af301cd5bdbbab0d6f");
}

TEST(ResourceAddress, RecordsAccountsAndNearbyLocators)
{
    Id16 id { 0x12, 0x34, 0x56, 0x78, 0x9a, 0xbc, 0xde, 0xf0, 0x01, 0x23, 0x45, 0x67, 0x89, 0xab, 0xcd, 0xef };
    EXPECT_EQ(record_address(collab::Uuid { id }), "files.record:12345678-9abc-def0-0123-456789abcdef");
    EXPECT_EQ(remote_account_address("ab"), "files.remote-account:6162");
    EXPECT_NE(nearby_locator("transfer", id), nearby_locator("destination", id));
    EXPECT_EQ(nearby_locator("transfer", id).size(), 32u);
}

TEST(Payload, DecodesShapesAndReportsTheParserMessage)
{
    EXPECT_EQ(decode_string("\"New Folder\"").value(), "New Folder");
    EXPECT_EQ(decode_string_array("[\"copy\",\"files.entry:00\"]").value(),
        (std::vector<std::string> { "copy", "files.entry:00" }));
    EXPECT_EQ(decode_string_array("[]").value(), std::vector<std::string> {});

    auto broken = decode_string("{nope");
    ASSERT_FALSE(broken);
    EXPECT_NE(broken.error().text().find("parse error"), std::string::npos) << broken.error().text();
    auto wrong = decode_string("42");
    ASSERT_FALSE(wrong);
    EXPECT_NE(wrong.error().text().find("type must be string"), std::string::npos) << wrong.error().text();

    auto id = decode_id16("[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,255]");
    ASSERT_TRUE(id);
    EXPECT_EQ((*id)[15], 255);
    EXPECT_FALSE(decode_id16("[0,1,2]"));
    EXPECT_FALSE(decode_id16("[0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,256]"));

    auto decide = decode_nearby_decide("[[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1],null,false]");
    ASSERT_TRUE(decide);
    EXPECT_FALSE(decide->destination);
    EXPECT_FALSE(decode_nearby_decide("[[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1],null]"));
}

TEST(ActionIds, KindsPerCommand)
{
    EXPECT_EQ(handled_action_ids.front(), "files.refresh");
    EXPECT_EQ(handled_action_ids.back(), "kesu.ui.control.invoke");
    EXPECT_TRUE(is_handled_action("files.remote-dav"));
    EXPECT_FALSE(is_handled_action("kesu.control"));
    EXPECT_EQ(folder_command_kind("up"), ui::InvocationKind::Navigation);
    EXPECT_EQ(folder_command_kind("terminal"), ui::InvocationKind::Effect);
    EXPECT_EQ(folder_command_kind("refresh"), std::nullopt);
    EXPECT_EQ(entry_command_kind("properties"), ui::InvocationKind::Navigation);
    EXPECT_EQ(entry_command_kind("trash"), ui::InvocationKind::Effect);
    EXPECT_EQ(entry_command_kind("rename"), std::nullopt);
    EXPECT_EQ(kind_rule("files.open"), KindRule::Navigation);
    EXPECT_EQ(kind_rule("files.entry-command"), KindRule::PerCommand);
    EXPECT_EQ(kind_rule("files.paste"), KindRule::Effect);
}
