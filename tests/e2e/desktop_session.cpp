#include "e2e/desktop_session.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace e2e {

namespace {

    using namespace std::chrono_literals;
    using Clock = std::chrono::steady_clock;

    // A child whose standard output and error go to `output_fd` (or nowhere
    // when it is -1). Answers the pid, or -1.
    pid_t spawn(std::vector<std::string> const& argv, std::vector<std::string> const* env, int output_fd)
    {
        std::vector<char*> args;
        for (auto const& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        std::vector<char*> envp;
        if (env) {
            for (auto const& e : *env)
                envp.push_back(const_cast<char*>(e.c_str()));
            envp.push_back(nullptr);
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        if (output_fd >= 0) {
            posix_spawn_file_actions_adddup2(&actions, output_fd, STDOUT_FILENO);
            posix_spawn_file_actions_adddup2(&actions, output_fd, STDERR_FILENO);
        } else {
            posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        }
        pid_t pid = -1;
        int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env ? envp.data() : environ);
        posix_spawn_file_actions_destroy(&actions);
        return failed == 0 ? pid : -1;
    }

    bool on_path(char const* tool)
    {
        char const* path = std::getenv("PATH");
        std::string_view rest = path ? path : "/usr/bin:/bin";
        while (!rest.empty()) {
            auto colon = rest.find(':');
            auto folder = rest.substr(0, colon);
            if (!folder.empty() && access((std::string(folder) + "/" + tool).c_str(), X_OK) == 0)
                return true;
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return false;
    }

    // Whether a process that is not our child has ended: gone, or a zombie
    // that nobody reaps (in a container the first process may not).
    bool ended(pid_t pid)
    {
        auto stat = test_support::read_file("/proc/" + std::to_string(pid) + "/stat");
        auto close = stat.rfind(')');
        return stat.empty() || (close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z');
    }

    // Waits up to `grace` for `pid` to end, then kills it; answers the exit
    // status of a child, else -1 (also when it had to be killed).
    int reap(pid_t pid, bool child, std::chrono::milliseconds grace)
    {
        auto deadline = Clock::now() + grace;
        int status = 0;
        while (Clock::now() < deadline) {
            if (child) {
                pid_t done = waitpid(pid, &status, WNOHANG);
                if (done == pid)
                    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                if (done < 0)
                    return -1;
            } else if (ended(pid)) {
                return -1;
            }
            std::this_thread::sleep_for(10ms);
        }
        kill(pid, SIGKILL);
        if (child)
            waitpid(pid, &status, 0);
        return -1;
    }

    void find_nodes(Json const& node, std::function<bool(Json const&)> const& match, std::vector<Json const*>& out)
    {
        if (match(node))
            out.push_back(&node);
        if (auto children = node.find("children"); children != node.end() && children->is_array()) {
            for (auto const& child : *children)
                find_nodes(child, match, out);
        }
    }

    Json const* first_node(Json const& tree, std::function<bool(Json const&)> const& match)
    {
        std::vector<Json const*> found;
        find_nodes(tree, match, found);
        return found.empty() ? nullptr : found.front();
    }

    std::string text_of(Json const& node, char const* member)
    {
        auto it = node.find(member);
        return it != node.end() && it->is_string() ? it->get<std::string>() : std::string();
    }

    long rounded(double value) { return std::lround(value); }

}

std::filesystem::path build_folder()
{
    if (char const* build = std::getenv("FILES_BINARY_DIR"))
        return build;
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path().parent_path();
}

std::filesystem::path program() { return build_folder() / "kesu-files"; }

std::optional<std::pair<int, int>> png_size(std::filesystem::path const& path)
{
    // The signature, then the IHDR chunk: length, type, width, height.
    auto bytes = test_support::read_file(path);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
        return std::nullopt;
    auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[at + i]);
        return value;
    };
    return std::pair { word(16), word(20) };
}

Point center(Json const& node)
{
    auto const& b = node.at("bounds");
    return { (b[0].get<double>() + b[2].get<double>()) / 2, (b[1].get<double>() + b[3].get<double>()) / 2 };
}

std::string View::directory() const
{
    // A typed location may keep its trailing separator; a person reads the
    // same folder either way.
    std::string path = snapshot.value("directory", "");
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::vector<std::string> View::selected_names() const
{
    std::vector<std::string> names;
    for (auto const& name : snapshot.value("selected_names", Json::array()))
        names.push_back(name.get<std::string>());
    return names;
}

std::vector<std::string> View::row_names() const
{
    std::vector<std::string> names;
    if (auto const* list = node("file_view")) {
        for (auto const& child : list->value("children", Json::array())) {
            if (text_of(child, "id").starts_with("file_row:"))
                names.push_back(text_of(child, "label"));
        }
    }
    return names;
}

std::string View::status() const { return text_of(tree, "value"); }

Json const* View::node(std::string const& id) const
{
    return first_node(tree, [&](Json const& n) { return text_of(n, "id") == id; });
}

Json const* View::node_labelled(std::string const& role, std::string const& label) const
{
    return first_node(tree, [&](Json const& n) { return text_of(n, "role") == role && text_of(n, "label") == label; });
}

Json const* View::row(std::string const& name) const
{
    return first_node(
        tree, [&](Json const& n) { return text_of(n, "id").starts_with("file_row:") && text_of(n, "label") == name; });
}

Json const* View::menu_item(std::string const& label) const { return node_labelled("menu-item", label); }

bool View::has_menu() const
{
    return first_node(tree, [](Json const& n) { return text_of(n, "role") == "menu"; }) != nullptr;
}

VirtualDisplay::VirtualDisplay()
{
    if (!on_path("Xvfb")) {
        m_failure = "Xvfb is not installed (scripts/install-deps installs it)";
        return;
    }
    if (!start())
        m_failure = "no Xvfb display could be started";
}

VirtualDisplay::~VirtualDisplay()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    reap(m_pid, true, 3s);
}

bool VirtualDisplay::start()
{
    // Xvfb chooses a free display number itself and writes it to the pipe
    // once it accepts connections, so parallel tests never share a server.
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    pid_t pid
        = spawn({ "Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp" },
            nullptr, -1);
    close(fds[1]);
    std::string number;
    pollfd ready { fds[0], POLLIN, 0 };
    auto deadline = Clock::now() + 10s;
    while (pid > 0 && Clock::now() < deadline && number.find('\n') == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (poll(&ready, 1, static_cast<int>(std::max<long long>(left, 1))) <= 0)
            continue;
        char buffer[16];
        ssize_t got = read(fds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(got));
    }
    close(fds[0]);
    if (pid <= 0)
        return false;
    while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
        number.pop_back();
    if (number.empty()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return false;
    }
    m_pid = pid;
    m_name = ":" + number;
    return true;
}

DesktopSession::DesktopSession()
{
    for (char const* folder : { "files", "home", "config", "data", "state", "cache", "tmp" })
        m_dir.make_folder(folder);
    auto run = m_dir.make_folder("run");
    chmod(run.c_str(), 0700);
    if (!m_display.failure().empty())
        m_unavailable = m_display.failure();
    else if (!on_path("xdotool"))
        m_unavailable = "xdotool is not installed (scripts/install-deps installs it)";
}

DesktopSession::~DesktopSession()
{
    if (m_pid > 0) {
        m_client.reset();
        kill(m_pid, SIGTERM);
        reap(m_pid, m_child, 3s);
    }
}

std::vector<std::string> DesktopSession::environment() const
{
    auto at = [&](char const* folder) { return (m_dir / folder).string(); };
    return {
        // The build's programs first, as if they were installed.
        "PATH=" + build_folder().string() + ":/usr/local/bin:/usr/bin:/bin",
        "DISPLAY=" + m_display.name(),
        "HOME=" + at("home"),
        "XDG_CONFIG_HOME=" + at("config"),
        "XDG_DATA_HOME=" + at("data"),
        "XDG_STATE_HOME=" + at("state"),
        "XDG_CACHE_HOME=" + at("cache"),
        "XDG_RUNTIME_DIR=" + at("run"),
        "TMPDIR=" + at("tmp"),
        // Set and empty: no workspace roots, whatever this machine has.
        "KESU_WORKSPACE_ROOTS=",
        "LANG=C.UTF-8",
        // No session bus here; GTK would only warn about it.
        "GTK_A11Y=none",
    };
}

int DesktopSession::run_tool(std::vector<std::string> const& argv, std::string* output)
{
    int pipe_fds[2];
    if (pipe2(pipe_fds, O_CLOEXEC) != 0)
        return -1;
    auto env = environment();
    pid_t pid = spawn(argv, &env, pipe_fds[1]);
    close(pipe_fds[1]);
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipe_fds[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipe_fds[0]);
    if (pid <= 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    if (output)
        *output = text;
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (code != 0 && !output)
        ADD_FAILURE() << argv[0] << " " << (argv.size() > 1 ? argv[1] : "") << " failed (" << code << "): " << text;
    return code;
}

void DesktopSession::xdotool(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "xdotool");
    run_tool(arguments);
}

bool DesktopSession::set_keyboard_layout(
    std::string const& layout, std::string const& probe_key, std::string const& probe_text)
{
    // setxkbmap alone leaves Xvfb's keyboard as it was, so the keymap it
    // describes is loaded with xkbcomp. The server gives the keyboard the
    // map of the device that typed last, so xdotool's device types once
    // first: loaded before that, the map would be replaced by its first key.
    xdotool({ "key", "shift" });
    run_tool({ "sh", "-c", "setxkbmap -layout \"$0\" -print | xkbcomp -w 0 - \"$DISPLAY\"", layout });
    auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        key("ctrl+l");
        bool open = wait_for("the location field", [](View const& v) {
            return v.node("files.path_input") != nullptr;
        }).has_value();
        key(probe_key);
        // A short look: a key typed with the old keymap never turns into the
        // probe text, and is simply tried again.
        auto typed = [&] {
            auto until = Clock::now() + 1s;
            while (Clock::now() < until) {
                ask({ { "op", "wait_idle" }, { "timeout", 1000 } });
                auto v = view();
                if (auto const* field = v.node("files.path_input"); field && field->value("value", "") == probe_text)
                    return true;
                std::this_thread::sleep_for(25ms);
            }
            return false;
        }();
        key("Escape");
        if (!wait_for("the location field closed", [](View const& v) { return v.node("files.path_input") == nullptr; }))
            return false;
        if (open && typed)
            return true;
    }
    ADD_FAILURE() << probe_key << " never typed " << probe_text << " with the " << layout << " layout";
    return false;
}

bool DesktopSession::find_window()
{
    auto deadline = Clock::now() + 10s;
    while (Clock::now() < deadline) {
        std::string found;
        // The toplevel carries the window title; GTK's helper windows do not.
        if (run_tool(
                { "xdotool", "search", "--onlyvisible", "--pid", std::to_string(m_pid), "--name", "^Files$" }, &found)
                == 0
            && !found.empty()) {
            m_window = found.substr(0, found.find('\n'));
            return true;
        }
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

bool DesktopSession::start(std::filesystem::path const& folder)
{
    auto env = environment();
    auto log = open((m_dir / "explorer.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    m_pid = spawn({ program().string(), folder.string() }, &env, log);
    close(log);
    m_child = true;
    if (m_pid <= 0) {
        ADD_FAILURE() << "cannot start " << program();
        return false;
    }
    return connect(m_dir / "run" / "kesu-files" / ("automation-" + std::to_string(m_pid) + ".sock"), folder);
}

bool DesktopSession::attach(std::filesystem::path const& folder)
{
    auto sockets = m_dir / "run" / "kesu-files";
    auto deadline = Clock::now() + 15s;
    while (Clock::now() < deadline) {
        std::error_code ec;
        for (auto const& entry : std::filesystem::directory_iterator(sockets, ec)) {
            auto name = entry.path().filename().string();
            if (!name.starts_with("automation-") || !name.ends_with(".sock"))
                continue;
            m_pid = std::atoi(name.c_str() + std::strlen("automation-"));
            m_child = false;
            return m_pid > 0 && connect(entry.path(), folder);
        }
        std::this_thread::sleep_for(20ms);
    }
    ADD_FAILURE() << "no explorer started: nothing in " << sockets;
    return false;
}

bool DesktopSession::connect(std::filesystem::path const& socket, std::filesystem::path const& folder)
{
    auto client = test_support::AutomationClient::connect(socket, 15s);
    if (!client) {
        ADD_FAILURE() << "no automation endpoint at " << socket << ": " << client.error().text() << "\n"
                      << test_support::read_file(m_dir / "explorer.log");
        return false;
    }
    m_client.emplace(std::move(*client));
    if (!find_window()) {
        ADD_FAILURE() << "the window never appeared\n" << test_support::read_file(m_dir / "explorer.log");
        return false;
    }
    // No window manager runs here: give the window the keyboard, as clicking
    // into it would.
    xdotool({ "windowfocus", m_window });
    std::string expected = folder.string();
    return wait_for("the first listing of " + expected, [&](View const& v) {
        return v.snapshot.value("ready", false) && v.directory() == expected;
    }).has_value();
}

int DesktopSession::stop()
{
    if (m_pid <= 0)
        return -1;
    if (m_client)
        m_client->request({ { "op", "quit" } });
    m_client.reset();
    int status = reap(m_pid, m_child, 5s);
    m_pid = -1;
    m_window.clear();
    return status;
}

Json DesktopSession::ask(Json const& request)
{
    if (!m_client) {
        ADD_FAILURE() << "the explorer is not running";
        return {};
    }
    auto answer = m_client->request(request);
    if (!answer) {
        ADD_FAILURE() << request.dump() << ": " << answer.error().text();
        return {};
    }
    return *answer;
}

View DesktopSession::view()
{
    View v;
    v.snapshot = ask({ { "op", "snapshot" } }).value("snapshot", Json::object());
    v.tree = ask({ { "op", "accessibility" } }).value("tree", Json::object());
    return v;
}

std::optional<View> DesktopSession::wait_for(
    std::string const& what, std::function<bool(View const&)> const& done, std::chrono::milliseconds timeout)
{
    auto deadline = Clock::now() + timeout;
    View last;
    while (true) {
        if (m_client)
            m_client->request({ { "op", "wait_idle" }, { "timeout", 2000 } });
        last = view();
        if (done(last))
            return last;
        int status = 0;
        if (m_pid > 0 && (m_child ? waitpid(m_pid, &status, WNOHANG) == m_pid : ended(m_pid))) {
            m_pid = -1;
            ADD_FAILURE() << "the explorer ended while waiting for " << what << "\n"
                          << test_support::read_file(m_dir / "explorer.log");
            return std::nullopt;
        }
        if (Clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(25ms);
    }
    ADD_FAILURE() << "timed out waiting for " << what << "\n  status: " << last.status()
                  << "\n  snapshot: " << last.snapshot.dump();
    return std::nullopt;
}

bool DesktopSession::wait_for_pointer(Point at)
{
    long x = rounded(at.x);
    long y = rounded(at.y);
    return wait_for("the pointer at " + std::to_string(x) + "," + std::to_string(y), [&](View const& v) {
        auto cursor = v.snapshot.value("last_cursor", Json::array());
        return cursor.size() == 2 && rounded(cursor[0].get<double>()) == x && rounded(cursor[1].get<double>()) == y;
    }).has_value();
}

void DesktopSession::move_to(Point at)
{
    xdotool({ "mousemove", "--window", m_window, std::to_string(rounded(at.x)), std::to_string(rounded(at.y)) });
    wait_for_pointer(at);
}

void DesktopSession::click(Point at, int button, std::initializer_list<char const*> held)
{
    move_to(at);
    std::vector<std::string> arguments;
    for (char const* modifier : held) {
        arguments.push_back("keydown");
        arguments.push_back(modifier);
    }
    arguments.push_back("click");
    arguments.push_back(std::to_string(button));
    for (char const* modifier : held) {
        arguments.push_back("keyup");
        arguments.push_back(modifier);
    }
    xdotool(arguments);
}

void DesktopSession::double_click(Point at)
{
    move_to(at);
    xdotool({ "click", "--repeat", "2", "--delay", "60", "1" });
}

void DesktopSession::drag(Point from, Point to, int steps)
{
    move_to(from);
    xdotool({ "mousedown", "1" });
    for (int i = 1; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        Point step { from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t };
        xdotool(
            { "mousemove", "--window", m_window, std::to_string(rounded(step.x)), std::to_string(rounded(step.y)) });
        wait_for_pointer(step);
    }
    xdotool({ "mouseup", "1" });
}

void DesktopSession::key(std::string const& keys) { xdotool({ "key", keys }); }

void DesktopSession::type(std::string const& text) { xdotool({ "type", "--delay", "15", text }); }

std::filesystem::path DesktopSession::screenshot(std::string const& name)
{
    auto folder = build_folder() / "e2e-shots";
    std::filesystem::create_directories(folder);
    auto path = folder / (name + ".png");
    std::filesystem::remove(path);
    run_tool({ "import", "-window", m_window, path.string() });
    return path;
}

}
