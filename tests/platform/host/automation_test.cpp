// The headless host driven through its automation socket, as the explorer's
// own end-to-end tests will drive it.

#include "running_host.h"
#include "ui/desktop.h"
#include "ui/image.h"

#include <fstream>
#include <iterator>
#include <thread>

#include <gtest/gtest.h>

using host_test::RunningHost;
using nlohmann::json;

namespace {

json ask(test_support::AutomationClient& client, json const& request)
{
    auto answer = client.request(request);
    if (!answer)
        throw std::runtime_error("no answer to " + request.dump() + ": " + answer.error().text());
    return *answer;
}

// Answers the snapshot of a request that must succeed.
json snapshot(test_support::AutomationClient& client)
{
    auto answer = ask(client, { { "op", "snapshot" } });
    EXPECT_EQ(answer["ok"], true) << answer.dump();
    return answer["snapshot"];
}

void wait_idle(test_support::AutomationClient& client)
{
    auto answer = ask(client, { { "op", "wait_idle" } });
    ASSERT_EQ(answer["ok"], true) << answer.dump();
}

ui::Image read_png(std::filesystem::path const& path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes { std::istreambuf_iterator<char>(file), {} };
    auto image = ui::decode_png(bytes);
    if (!image)
        throw std::runtime_error("not a PNG: " + image.error().text());
    return *image;
}

json click_at(double x, double y, std::string const& type)
{
    return { { "op", "event" }, { "type", type }, { "x", x }, { "y", y }, { "button", 0 } };
}

}

TEST(Automation, SnapshotAccessibilityAndResources)
{
    RunningHost running;
    auto client = running.connect();
    wait_idle(client);

    auto shot = snapshot(client);
    EXPECT_EQ(shot["presses"], 0);
    EXPECT_EQ(shot["size"], json::array({ 400, 300 }));

    auto tree = ask(client, { { "op", "accessibility" }, { "id", 7 } });
    ASSERT_EQ(tree["ok"], true) << tree.dump();
    EXPECT_EQ(tree["id"], 7);
    EXPECT_EQ(tree["tree"]["role"], "window");
    EXPECT_EQ(tree["tree"]["bounds"], json::array({ 0, 0, 400, 300 }));
    auto const& button = tree["tree"]["children"][0];
    EXPECT_EQ(button["id"], "test.press");
    EXPECT_EQ(button["label"], "Press me");
    EXPECT_EQ(button["control_id"], "test.press");
    EXPECT_EQ(button["states"], json::array({ "focusable" }));
    EXPECT_EQ(button["actions"], json::array({ "activate" }));

    // The root's own resource first, then the control the toolkit derives
    // from the accessibility tree.
    auto listed = ask(client, { { "op", "resources" } });
    ASSERT_EQ(listed["resources"].size(), 2u) << listed.dump();
    EXPECT_EQ(listed["resources"][0]["address"], "test.folder:here");
    auto const& control = listed["resources"][1];
    EXPECT_EQ(control["kind"], "kesu.control");
    EXPECT_EQ(control["address"], "kesu.control:test.press");
    EXPECT_EQ(control["label"], "Press me");
    EXPECT_EQ(control["actions"][0]["operation"], "invoke");
    EXPECT_EQ(control["actions"][0]["action_id"], "kesu.ui.control.invoke");
    EXPECT_EQ(control["actions"][0]["payload"], "\"test.press\"");
}

TEST(Automation, InvokePerformActionAndEffects)
{
    RunningHost running;
    auto client = running.connect();

    // The control's published payload is what an invoker sends back.
    auto invoked = ask(client,
        { { "op", "invoke" }, { "action_id", "kesu.ui.control.invoke" }, { "kind", 2 },
            { "payload", "\"test.press\"" } });
    EXPECT_EQ(invoked["outcome"], "handled") << invoked.dump();
    auto unknown = ask(client,
        { { "op", "invoke" }, { "action_id", "kesu.ui.control.invoke" }, { "kind", 2 }, { "payload", "\"nothing\"" } });
    EXPECT_EQ(unknown["outcome"], "not_handled");
    auto refused = ask(client, { { "op", "invoke" }, { "action_id", "test.animate" }, { "kind", 2 } });
    EXPECT_EQ(refused["outcome"], "failed");
    EXPECT_EQ(refused["failure"], "test.animate is an effect");

    auto performed = ask(client, { { "op", "perform_action" }, { "node", "test.press" }, { "action", "activate" } });
    EXPECT_EQ(performed["handled"], true);
    auto ignored = ask(client, { { "op", "perform_action" }, { "node", "test.press" }, { "action", "explode" } });
    EXPECT_EQ(ignored["handled"], false);
    EXPECT_EQ(snapshot(client)["presses"], 2);

    std::string id = "00112233445566778899aabbccddeeff";
    json effect { { "op", "start_effect" }, { "action_id", "test.effect" }, { "kind", 1 }, { "invocation_id", id } };
    EXPECT_EQ(ask(client, effect)["outcome"], "started");
    auto second = ask(client, effect);
    EXPECT_EQ(second["outcome"], "failed");
    EXPECT_EQ(second["failure"], "another file operation is still running");
    auto other = ask(client, { { "op", "take_effect_result" }, { "invocation_id", std::string(32, '0') } });
    EXPECT_TRUE(other["result"].is_null()) << other.dump();
    auto taken = ask(client, { { "op", "take_effect_result" }, { "invocation_id", id } });
    EXPECT_EQ(
        taken["result"], json({ { "success", true }, { "value", { { "url", "https://example.invalid/s/1" } } } }));

    auto immediate = ask(client,
        { { "op", "start_effect" }, { "action_id", "kesu.ui.control.invoke" }, { "kind", 2 },
            { "payload", "\"test.press\"" }, { "invocation_id", id } });
    EXPECT_EQ(immediate["outcome"], "immediate");
    EXPECT_EQ(immediate["result"]["outcome"], "handled");
}

TEST(Automation, SyntheticInputReachesTheTreeAndRenderShowsIt)
{
    RunningHost running;
    auto client = running.connect();
    auto png = running.folder() / "shots" / "window.png";

    // A press outside the area and a release inside is no press.
    ask(client, click_at(200, 200, "pointer_pressed"));
    ask(client, click_at(50, 40, "pointer_released"));
    EXPECT_EQ(snapshot(client)["presses"], 0);

    auto before = ask(client, { { "op", "render" }, { "path", png.string() } });
    ASSERT_EQ(before["ok"], true) << before.dump();
    EXPECT_EQ(before["width"], 400);
    EXPECT_EQ(before["height"], 300);
    auto first = read_png(png);
    EXPECT_EQ(first.width(), 400);
    EXPECT_EQ(first.height(), 300);
    EXPECT_EQ(first.pixel(50, 40), host_test::unpressed_colour);
    EXPECT_NE(first.pixel(300, 250), host_test::unpressed_colour);

    auto pressed = ask(client,
        { { "op", "event" }, { "type", "pointer_pressed" }, { "x", 50 }, { "y", 40 }, { "click_count", 2 },
            { "modifiers", { "shift", "control" } } });
    EXPECT_EQ(pressed["handled"], true) << pressed.dump();
    ask(client, click_at(50, 40, "pointer_released"));
    ask(client, { { "op", "event" }, { "type", "key" }, { "key", "PageDown" }, { "modifiers", { "super" } } });
    ask(client, { { "op", "event" }, { "type", "scroll" }, { "x", 5 }, { "y", 5 }, { "dy", 48 } });
    wait_idle(client);
    auto shot = snapshot(client);
    EXPECT_EQ(shot["presses"], 1);
    EXPECT_EQ(shot["last_click_count"], 2);
    EXPECT_EQ(shot["last_key"], "PageDown");
    EXPECT_EQ(shot["last_modifiers"], "super");
    EXPECT_EQ(shot["scrolled"], 48);
    ask(client, { { "op", "event" }, { "type", "key" }, { "text", "é" } });
    EXPECT_EQ(snapshot(client)["last_key"], "text:é");

    ask(client, { { "op", "render" }, { "path", png.string() } });
    EXPECT_EQ(read_png(png).pixel(50, 40), host_test::pressed_colour);
    EXPECT_EQ(
        running.folder().listing(), (std::vector<std::string> { "automation.sock", "shots", "shots/window.png" }));
}

TEST(Automation, ClipboardShowsWhatTheTreeCopied)
{
    RunningHost running;
    auto client = running.connect();
    EXPECT_EQ(ask(client, { { "op", "clipboard" } })["text"], "");
    ask(client,
        { { "op", "invoke" }, { "action_id", "test.copy" }, { "kind", 1 },
            { "args", { { "value", "https://example.invalid/s/2" } } } });
    EXPECT_EQ(ask(client, { { "op", "clipboard" } })["text"], "https://example.invalid/s/2");
}

TEST(Automation, SizeResizesTheHeadlessWindow)
{
    RunningHost running;
    auto client = running.connect();
    auto resized = ask(client, { { "op", "size" }, { "width", 640 }, { "height", 480 } });
    EXPECT_EQ(resized["width"], 640) << resized.dump();
    wait_idle(client);
    EXPECT_EQ(snapshot(client)["size"], json::array({ 640, 480 }));
    auto png = running.folder() / "big.png";
    EXPECT_EQ(ask(client, { { "op", "render" }, { "path", png.string() } })["height"], 480);
    EXPECT_EQ(read_png(png).width(), 640);

    auto zero = ask(client, { { "op", "size" }, { "width", 0 }, { "height", 480 } });
    EXPECT_EQ(zero["error"], "\"width\" and \"height\" must be numbers from 1 to 16384");
    EXPECT_EQ(ask(client, { { "op", "size" } })["width"], 640);
}

TEST(Automation, WaitIdleWaitsForTheAnimationAndTimesOut)
{
    RunningHost running;
    auto client = running.connect();
    wait_idle(client);
    int syncs = snapshot(client)["syncs"];

    ask(client,
        { { "op", "invoke" }, { "action_id", "test.animate" }, { "kind", 1 }, { "args", { { "frames", "8" } } } });
    wait_idle(client);
    auto shot = snapshot(client);
    EXPECT_EQ(shot["animating"], false);
    EXPECT_GE(shot["syncs"].get<int>(), syncs + 8);

    // An animation that never ends never lets the window be idle; the wait
    // gives up and the connection stays usable, and answers stay in order.
    ask(client,
        { { "op", "invoke" }, { "action_id", "test.animate" }, { "kind", 1 }, { "args", { { "frames", "-1" } } } });
    ASSERT_TRUE(client.send_raw("{\"op\":\"wait_idle\",\"timeout\":100,\"id\":1}\n{\"op\":\"size\",\"id\":2}\n"));
    auto timed_out = client.read_answer();
    ASSERT_TRUE(timed_out);
    EXPECT_EQ(*timed_out, json({ { "ok", false }, { "id", 1 }, { "error", "timed out waiting for idle" } }));
    auto next = client.read_answer();
    ASSERT_TRUE(next);
    EXPECT_EQ((*next)["id"], 2);
}

TEST(Automation, WakeFromAnotherThreadRunsAFrame)
{
    RunningHost running;
    auto client = running.connect();
    wait_idle(client);
    int syncs = running.root().syncs();
    // The tree is at rest: nothing runs until something wakes the loop.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(running.root().syncs(), syncs);
    std::thread([] { ui::desktop().wake(); }).join();
    wait_idle(client);
    EXPECT_EQ(running.root().syncs(), syncs + 1);
}

TEST(Automation, QuitEndsTheLoopAfterAnswering)
{
    RunningHost running;
    auto client = running.connect();
    EXPECT_EQ(ask(client, { { "op", "quit" } })["ok"], true);
    EXPECT_TRUE(running.join());
    EXPECT_FALSE(std::filesystem::exists(running.socket()));
}
