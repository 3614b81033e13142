// Moving through folders with the keyboard, the toolbar and the path bar.

#include "e2e/desktop_session.h"

#include <gtest/gtest.h>

using e2e::DesktopSession;
using e2e::View;
using Names = std::vector<std::string>;

TEST(Navigation, ArrowKeysEnterBackspaceAndTheBackButton)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    desktop.dir().write("files/Alpha/Deep/bottom.txt", "b");
    desktop.dir().write("files/Alpha/top.txt", "t");
    desktop.dir().make_folder("files/Beta");
    desktop.dir().write("files/notes.txt", "n");
    ASSERT_TRUE(desktop.start(root));
    auto const alpha = (root / "Alpha").string();
    auto const deep = (root / "Alpha" / "Deep").string();

    // With nothing selected, Down selects the first entry; folders come first.
    desktop.key("Down");
    ASSERT_TRUE(
        desktop.wait_for("Alpha selected", [](View const& v) { return v.selected_names() == Names { "Alpha" }; }));
    desktop.key("Down");
    ASSERT_TRUE(
        desktop.wait_for("Beta selected", [](View const& v) { return v.selected_names() == Names { "Beta" }; }));
    desktop.key("Up");
    ASSERT_TRUE(desktop.wait_for(
        "Alpha selected again", [](View const& v) { return v.selected_names() == Names { "Alpha" }; }));

    desktop.key("Return");
    ASSERT_TRUE(desktop.wait_for("inside Alpha", [&](View const& v) {
        return v.directory() == alpha && v.row_names() == Names { "Deep", "top.txt" };
    }));
    desktop.key("Down");
    desktop.key("Return");
    ASSERT_TRUE(desktop.wait_for("inside Deep",
        [&](View const& v) { return v.directory() == deep && v.row_names() == Names { "bottom.txt" }; }));

    // Backspace goes up to the parent …
    desktop.key("BackSpace");
    auto up = desktop.wait_for("back in Alpha after Backspace", [&](View const& v) { return v.directory() == alpha; });
    ASSERT_TRUE(up);
    EXPECT_EQ(up->row_names(), (Names { "Deep", "top.txt" }));

    // … and the toolbar's Back returns to where we were before, which is the
    // folder we came up from, not the parent.
    auto const* back = up->node("files.back");
    ASSERT_NE(back, nullptr);
    desktop.click(e2e::center(*back));
    ASSERT_TRUE(desktop.wait_for("back in Deep after the Back button",
        [&](View const& v) { return v.directory() == deep && v.row_names() == Names { "bottom.txt" }; }));
}

TEST(Navigation, TypingAPathWithCompletion)
{
    DesktopSession desktop;
    ASSERT_EQ(desktop.unavailable(), "");
    auto root = desktop.files();
    desktop.dir().write("files/Projects/Website/index.html", "<p>");
    desktop.dir().make_folder("files/Projects/Tools");
    desktop.dir().make_folder("files/Photos");
    ASSERT_TRUE(desktop.start(root));

    auto field_value = [](View const& v) -> std::optional<std::string> {
        auto const* field = v.node("files.path_input");
        if (!field)
            return std::nullopt;
        return field->value("value", "");
    };

    desktop.key("ctrl+l");
    ASSERT_TRUE(desktop.wait_for("the location field", [&](View const& v) { return field_value(v).has_value(); }));
    // The field opens with the current location selected, so typing replaces it.
    desktop.type(root.string() + "/Pro");
    ASSERT_TRUE(
        desktop.wait_for("the typed text", [&](View const& v) { return field_value(v) == root.string() + "/Pro"; }));
    desktop.key("Tab");
    ASSERT_TRUE(desktop.wait_for(
        "Projects completed", [&](View const& v) { return field_value(v) == (root / "Projects").string() + "/"; }));
    desktop.type("We");
    desktop.key("Tab");
    ASSERT_TRUE(desktop.wait_for("Website completed",
        [&](View const& v) { return field_value(v) == (root / "Projects" / "Website").string() + "/"; }));
    desktop.key("Return");
    auto shown = desktop.wait_for("inside Website",
        [&](View const& v) { return v.directory() == (root / "Projects" / "Website").string() && !field_value(v); });
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->row_names(), Names { "index.html" });
}
