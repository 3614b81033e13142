#include "app/explorer_actions.h"
#include "app/navigation.h"
#include "command/resource_address.h"
#include "support/temp_dir.h"

#include <cstdlib>

#include <gtest/gtest.h>

using namespace files::app;

namespace {

ui::ActionInvocation invocation(std::string id, int kind, std::string payload)
{
    return { std::move(id), kind, std::move(payload), {} };
}

}

TEST(ExplorerActions, RefusalsAndKindChecks)
{
    test_support::TempDir dir;
    dir.write("a.txt", "a");
    ExplorerState state;
    LoadHooks hooks;
    load(state, dir.path(), hooks);
    auto address = entry_address(state.entries[0]);

    struct Case {
        char const* name;
        ui::ActionInvocation call;
        ui::InvokeResult::Outcome outcome;
        std::string failure;
    };
    Case const cases[] = {
        { "navigation command as effect", invocation("files.folder-command", 1, "\"up\""),
            ui::InvokeResult::Outcome::Failed, "file command has an invalid operation kind" },
        { "unknown folder command", invocation("files.folder-command", 2, "\"dance\""),
            ui::InvokeResult::Outcome::Failed, "file command has an invalid operation kind" },
        { "empty entry command", invocation("files.entry-command", 1, "[]"), ui::InvokeResult::Outcome::Failed,
            "missing file command" },
        { "entry command without resource", invocation("files.entry-command", 1, "[\"copy\"]"),
            ui::InvokeResult::Outcome::Failed, "missing file resource" },
        { "entry no longer visible", invocation("files.entry-command", 1, "[\"copy\",\"files.entry:00\"]"),
            ui::InvokeResult::Outcome::Failed, "file entry is no longer visible" },
        { "entry command with the wrong kind", invocation("files.entry-command", 2, "[\"copy\",\"" + address + "\"]"),
            ui::InvokeResult::Outcome::Failed, "file command has an invalid operation kind" },
        { "paste with an empty clipboard", invocation("files.paste", 1, "null"), ui::InvokeResult::Outcome::Failed,
            "The clipboard is empty" },
        { "open an unknown address", invocation("files.open", 2, "\"files.entry:ff\""),
            ui::InvokeResult::Outcome::Failed, "file location is no longer available" },
        { "record id that is not a UUID", invocation("files.reveal-record", 2, "\"nope\""),
            ui::InvokeResult::Outcome::Failed, "invalid collaborative record id" },
        { "open with the effect kind", invocation("files.open", 1, "\"x\""), ui::InvokeResult::Outcome::NotHandled,
            "" },
        { "unknown action id", invocation("files.dance", 1, "null"), ui::InvokeResult::Outcome::NotHandled, "" },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        auto result = invoke_action(state, hooks, c.call);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.failure, c.failure);
    }

    auto copied = invoke_action(state, hooks, invocation("files.entry-command", 1, "[\"copy\",\"" + address + "\"]"));
    EXPECT_TRUE(copied.is_handled());
    EXPECT_EQ(state.clipboard.items.size(), 1u);
}

TEST(ExplorerActions, ResourcesInOrderWithAddressesThatDependOnThePath)
{
    test_support::TempDir dir;
    dir.write("a.zip", "not really");
    ExplorerState state;
    load(state, dir.path(), LoadHooks {});
    auto resources = explorer_resources(state);
    ASSERT_GE(resources.size(), 2u);
    EXPECT_EQ(resources.front().kind(), "files.folder");
    EXPECT_EQ(resources.front().address(), files::command::folder_address(dir.path()));
    auto const* paste = resources.front().find_action("paste");
    ASSERT_NE(paste, nullptr);
    ASSERT_TRUE(paste->unavailability());
    EXPECT_EQ(paste->unavailability()->reason_code, "clipboard_empty");
    EXPECT_NE(resources.front().find_action("add-favorite"), nullptr);

    auto const& entry = resources.back();
    EXPECT_EQ(entry.kind(), "files.entry");
    EXPECT_EQ(entry.address(), "files.entry:" + files::command::resource_key((dir / "a.zip").string()));
    EXPECT_NE(entry.find_action("extract"), nullptr);
}

TEST(ExplorerActions, TemplatesArePublishedAndCreateANewFile)
{
    test_support::TempDir dir;
    dir.write("templates/Letter.odt", "letter");
    dir.make_folder("shown");
    char const* old = std::getenv("XDG_TEMPLATES_DIR");
    std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_TEMPLATES_DIR", (dir / "templates").c_str(), 1);

    ExplorerState state;
    LoadHooks hooks;
    load(state, dir / "shown", hooks);
    auto resources = explorer_resources(state);
    ASSERT_GE(resources.size(), 2u);
    EXPECT_EQ(resources[1].kind(), "files.template");
    auto const* create = resources[1].find_action("create");
    ASSERT_NE(create, nullptr);
    auto result = invoke_action(state, hooks, { "files.new-from-template", 1, *create->payload(), {} });
    EXPECT_TRUE(result.is_handled()) << result.failure;
    EXPECT_EQ(test_support::read_file(dir / "shown" / "Letter.odt"), "letter");
    EXPECT_TRUE(state.inline_rename_open);

    auto missing = invoke_action(state, hooks, { "files.new-from-template", 1, "\"/nowhere/x\"", {} });
    EXPECT_EQ(missing.failure, "the template is no longer available");

    if (saved)
        setenv("XDG_TEMPLATES_DIR", saved->c_str(), 1);
    else
        unsetenv("XDG_TEMPLATES_DIR");
}
