#pragma once

// What an application hands the toolkit at start, and the parsed command line
// the toolkit hands back to the application's callbacks.

#include "base/result.h"
#include "ui/geometry.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace persist {
class Document;
class Writer;
}

namespace ui {

class Widget;

// The command line after parsing against a LaunchSpec.
class LaunchArgs {
public:
    // The value given to a value option ("--size 800x600" or "--size=800x600").
    std::optional<std::string> value(std::string_view option) const;
    bool flag(std::string_view option) const;
    // The screenshot scene named on the command line, and the output path
    // that follows it.
    std::optional<std::string> const& scene() const { return m_scene; }
    std::optional<std::string> const& scene_output() const { return m_scene_output; }
    // Positional arguments that are not a scene: paths the application is
    // asked to open, in order.
    std::vector<std::string> const& paths_to_open() const { return m_paths; }
    // The process arguments as given, without the program name.
    std::vector<std::string> const& arguments() const { return m_arguments; }

private:
    friend base::Result<LaunchArgs> parse_command_line(struct LaunchSpec const&, std::vector<std::string> const&);
    std::vector<std::pair<std::string, std::string>> m_values;
    std::vector<std::string> m_flags;
    std::optional<std::string> m_scene;
    std::optional<std::string> m_scene_output;
    std::vector<std::string> m_paths;
    std::vector<std::string> m_arguments;
};

struct PersistedState {
    std::unique_ptr<persist::Document> document;
    std::unique_ptr<persist::Writer> writer;
};

struct LaunchSpec {
    std::string app_id;
    std::vector<std::string> value_options;
    std::vector<std::string> flag_options;
    std::vector<std::string> scene_names;
    std::function<Size()> default_window_size;
    // Called once at start, before anything else runs.
    std::function<base::Result<PersistedState>()> open_persisted_state;
    // Interactive mode: builds the root widget, or fails with a text (no
    // window opens then).
    std::function<base::Result<std::unique_ptr<Widget>>(LaunchArgs const&)> root_factory;
    // Scene mode: renders the scene named in the arguments and writes it.
    std::function<base::Result<void>(LaunchArgs const&)> render_scene;
};

// Parses `arguments` (without the program name). Options take their value
// from the next argument or after "="; "--" ends option parsing. The first
// positional argument that names a scene selects it, and the next positional
// is its output path. Unknown options and missing values fail with a message
// followed by a usage line.
base::Result<LaunchArgs> parse_command_line(LaunchSpec const& spec, std::vector<std::string> const& arguments);

// "usage: PROGRAM [--size WxH] [--path PATH] [--open-share-stdin] [SCENE OUTPUT.png | PATH]"
std::string usage_line(LaunchSpec const& spec, std::string_view program);

// Parses "WIDTHxHEIGHT" with positive integers (at most 16384 each).
base::Result<Size> parse_size(std::string_view text);

}
