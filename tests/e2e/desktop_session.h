#pragma once

// The real program in a real X server, driven as a person drives it. A
// DesktopSession starts its own Xvfb on a free display number, gives the
// explorer a private home (HOME, the XDG folders and XDG_RUNTIME_DIR all in a
// temporary folder), sends real input through xdotool and reads the state
// back over the automation endpoint, whose socket it finds where the host
// puts it: $XDG_RUNTIME_DIR/kesu-files/automation-<pid>.sock.
//
// Input is asynchronous: xdotool returns once the X server has the events,
// not once the explorer has handled them. Every step therefore waits for the
// state it expects (wait_for), polling the endpoint until a deadline.

#include "support/automation_client.h"
#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace e2e {

using Json = nlohmann::json;

struct Point {
    double x { 0 };
    double y { 0 };
};

// What the explorer shows at one moment: its observer snapshot and its
// accessibility tree, read one right after the other.
struct View {
    Json snapshot;
    Json tree;

    std::string directory() const;
    std::vector<std::string> selected_names() const;
    // The names of the file view's rows, in display order.
    std::vector<std::string> row_names() const;
    // The value of the root node: the status notice (or the item count),
    // with the selected count appended.
    std::string status() const;
    // The first node with `id` anywhere in the tree; null when there is none.
    Json const* node(std::string const& id) const;
    // The first node with `role` whose label is `label`.
    Json const* node_labelled(std::string const& role, std::string const& label) const;
    // The row of the file view named `name`.
    Json const* row(std::string const& name) const;
    // The open menu's item labelled `label`.
    Json const* menu_item(std::string const& label) const;
    bool has_menu() const;
};

Point center(Json const& node);

// An Xvfb of its own, stopped on destruction. name() is empty when no server
// could be started.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(VirtualDisplay const&) = delete;
    VirtualDisplay& operator=(VirtualDisplay const&) = delete;

    std::string const& name() const { return m_name; }
    std::string const& failure() const { return m_failure; }

private:
    bool start();

    pid_t m_pid { -1 };
    std::string m_name;
    std::string m_failure;
};

class DesktopSession {
public:
    DesktopSession();
    ~DesktopSession();
    DesktopSession(DesktopSession const&) = delete;
    DesktopSession& operator=(DesktopSession const&) = delete;

    // The temporary tree: the folders the explorer shows live in `files/`.
    test_support::TempDir const& dir() const { return m_dir; }
    std::filesystem::path files() const { return m_dir / "files"; }
    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path config_folder() const { return m_dir / "config" / "kesu-files"; }
    std::filesystem::path trash_files() const { return m_dir / "data" / "Trash" / "files"; }

    // Why the session cannot run (no Xvfb, no xdotool), or empty.
    std::string const& unavailable() const { return m_unavailable; }

    // Switches the X keyboard layout of the running explorer's display, and
    // waits until the explorer has taken the new keymap: until pressing
    // `probe_key` (an xdotool key name) types `probe_text` in the location
    // field, which is closed again afterwards.
    bool set_keyboard_layout(std::string const& layout, std::string const& probe_key, std::string const& probe_text);

    // Starts build/kesu-files on `folder` and waits until its window is
    // mapped and its first listing is shown. False (with a gtest failure)
    // when it does not come up.
    bool start(std::filesystem::path const& folder);
    // Waits for an explorer that another program started (the desktop's
    // launcher through the desktop entry) to show `folder`, finding it by its
    // endpoint's socket.
    bool attach(std::filesystem::path const& folder);
    // Asks the explorer to quit and waits for the process to end; answers its
    // exit status (-1 when it had to be killed or was not started here).
    int stop();
    // The X window of the explorer, as xdotool names it.
    std::string const& window() const { return m_window; }

    // Real input, positions in window coordinates.
    void move_to(Point at);
    void click(Point at, int button = 1, std::initializer_list<char const*> held = {});
    void double_click(Point at);
    // Presses at `from`, moves through `steps` points to `to` and releases,
    // waiting after every move until the explorer has seen the pointer there.
    void drag(Point from, Point to, int steps = 6);
    // xdotool key names: "Down", "ctrl+c", "BackSpace", "Menu".
    void key(std::string const& keys);
    void type(std::string const& text);

    View view();
    // Polls the explorer until `done` holds, at most `timeout`; records a
    // gtest failure naming `what` and the last state when it never does.
    std::optional<View> wait_for(std::string const& what, std::function<bool(View const&)> const& done,
        std::chrono::milliseconds timeout = std::chrono::seconds(8));
    // Waits until the pointer position the explorer last saw is `at`.
    bool wait_for_pointer(Point at);

    // A picture of the real window as the X server shows it (ImageMagick's
    // import), written to build/e2e-shots/`name`.png; answers the path.
    std::filesystem::path screenshot(std::string const& name);

    Json ask(Json const& request);

    // Runs a program on the session's display with its environment; answers
    // the exit status. Without `output` a failure is a test failure.
    int run_tool(std::vector<std::string> const& argv, std::string* output = nullptr);

private:
    void xdotool(std::vector<std::string> arguments);
    std::vector<std::string> environment() const;
    bool find_window();
    bool connect(std::filesystem::path const& socket, std::filesystem::path const& folder);

    VirtualDisplay m_display;
    test_support::TempDir m_dir;
    std::string m_unavailable;
    pid_t m_pid { -1 };
    // False for an explorer that another program started: it is not ours to
    // reap.
    bool m_child { true };
    std::string m_window;
    std::optional<test_support::AutomationClient> m_client;
};

// The width and height a PNG file declares; nothing when it is not a PNG.
std::optional<std::pair<int, int>> png_size(std::filesystem::path const& path);

// build/kesu-files, from FILES_BINARY_DIR.
std::filesystem::path program();
std::filesystem::path build_folder();

}
