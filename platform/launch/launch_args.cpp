#include "launch/launch_args.h"

#include <algorithm>
#include <charconv>

namespace ui {

namespace {

bool contains(std::vector<std::string> const& list, std::string_view item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

base::Error usage_error(LaunchSpec const& spec, std::string const& message)
{
    return base::Error::from_text(message + "\n" + usage_line(spec, "kesu-files"));
}

}

std::optional<std::string> LaunchArgs::value(std::string_view option) const
{
    // The last occurrence wins, as with most command-line tools.
    for (auto it = m_values.rbegin(); it != m_values.rend(); ++it) {
        if (it->first == option)
            return it->second;
    }
    return std::nullopt;
}

bool LaunchArgs::flag(std::string_view option) const { return contains(m_flags, option); }

base::Result<LaunchArgs> parse_command_line(LaunchSpec const& spec, std::vector<std::string> const& arguments)
{
    LaunchArgs args;
    args.m_arguments = arguments;
    bool options_ended = false;
    std::vector<std::string> positionals;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        auto const& argument = arguments[i];
        bool looks_like_option = !options_ended && argument.size() > 1 && argument[0] == '-';
        if (!looks_like_option) {
            positionals.push_back(argument);
            continue;
        }
        if (argument == "--") {
            options_ended = true;
            continue;
        }
        auto equals = argument.find('=');
        std::string name = argument.substr(0, equals);
        if (contains(spec.value_options, name)) {
            if (equals != std::string::npos) {
                args.m_values.emplace_back(name, argument.substr(equals + 1));
            } else if (i + 1 < arguments.size()) {
                args.m_values.emplace_back(name, arguments[++i]);
            } else {
                return std::unexpected(usage_error(spec, "option " + name + " needs a value"));
            }
            continue;
        }
        if (contains(spec.flag_options, name)) {
            if (equals != std::string::npos)
                return std::unexpected(usage_error(spec, "option " + name + " takes no value"));
            args.m_flags.push_back(name);
            continue;
        }
        return std::unexpected(usage_error(spec, "unknown option " + name));
    }

    for (std::size_t i = 0; i < positionals.size(); ++i) {
        if (!args.m_scene && contains(spec.scene_names, positionals[i])) {
            args.m_scene = positionals[i];
            if (i + 1 >= positionals.size())
                return std::unexpected(usage_error(spec, "scene " + positionals[i] + " needs an output path"));
            args.m_scene_output = positionals[++i];
            continue;
        }
        args.m_paths.push_back(positionals[i]);
    }
    return args;
}

std::string usage_line(LaunchSpec const& spec, std::string_view program)
{
    std::string line = "usage: " + std::string(program);
    for (auto const& option : spec.value_options) {
        std::string placeholder = option == "--size" ? "WxH" : "VALUE";
        if (option == "--path")
            placeholder = "FOLDER";
        line += " [" + option + " " + placeholder + "]";
    }
    for (auto const& option : spec.flag_options)
        line += " [" + option + "]";
    line += " [SCENE OUTPUT.png | FOLDER]";
    return line;
}

base::Result<Size> parse_size(std::string_view text)
{
    auto x = text.find('x');
    if (x == std::string_view::npos)
        return base::fail("size must be WIDTHxHEIGHT, not \"" + std::string(text) + "\"");
    auto parse = [](std::string_view part) -> std::optional<int> {
        int value = 0;
        auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (ec != std::errc() || end != part.data() + part.size() || part.empty() || value <= 0 || value > 16384)
            return std::nullopt;
        return value;
    };
    auto width = parse(text.substr(0, x));
    auto height = parse(text.substr(x + 1));
    if (!width || !height)
        return base::fail("size must be WIDTHxHEIGHT with each side 1 to 16384, not \"" + std::string(text) + "\"");
    return Size { static_cast<double>(*width), static_cast<double>(*height) };
}

}
