#pragma once

// The automation requests and their answers, apart from any socket: one
// request line in, one answer line out (or, for wait_idle, a wait that the
// endpoint finishes later). Every answer is a JSON object with "ok"; an
// answer to a request that carried an "id" repeats it.

#include "base/result.h"
#include "host/automation_json.h"
#include "ui/events.h"
#include "ui/widget.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace host {

using ui::Clock;

// One request line, without its newline, is at most this long.
inline constexpr std::size_t max_request_line = 1024 * 1024;
inline constexpr auto default_idle_timeout = std::chrono::milliseconds(5000);

// What the endpoint drives; each host implements it over its frame driver.
class AutomationTarget {
public:
    virtual ~AutomationTarget() = default;
    virtual ui::Widget& root() = 0;
    // Hands the event to the root and schedules a frame.
    virtual ui::EventResult deliver(ui::Event const& event) = 0;
    // Schedules a frame after an invocation or an action.
    virtual void schedule_frame() = 0;
    // Renders the current window, at its size, to a PNG file.
    virtual base::Result<ui::Size> render_png(std::filesystem::path const& path) = 0;
    virtual ui::Size window_size() const = 0;
    virtual base::Result<void> resize(ui::Size size) = 0;
    virtual bool is_idle() const = 0;
    // The last text put on the clipboard through this host's desktop.
    virtual std::string clipboard_text() const = 0;
    // Ends the loop once the answer to the request has been sent.
    virtual void quit() = 0;
};

struct Reply {
    std::string line;
};

// Answer when the target is idle, or fail at the deadline.
struct WaitIdle {
    Clock::time_point deadline;
    Json id;
};

using Answer = std::variant<Reply, WaitIdle>;

Answer handle_request(std::string_view line, AutomationTarget& target, Clock::time_point now);
std::string error_reply(std::string_view text, Json const& id = nullptr);
// The answer to a finished wait.
std::string idle_reply(WaitIdle const& wait, bool reached);

// The root's own resources followed by one "kesu.control" resource for every
// accessibility node with a control id, in tree order.
std::vector<ui::Resource> published_resources(ui::Widget const& root);

}
