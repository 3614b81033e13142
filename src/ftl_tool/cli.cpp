#include "ftl_tool/cli.h"

#include "ftl_tool/ast_json.h"
#include "ftl_tool/check.h"
#include "ftl_tool/format_message.h"
#include "ftl_tool/source_file.h"
#include "i18n/fluent/parser.h"

#include <algorithm>
#include <optional>
#include <span>

namespace files::ftl_tool {

namespace {

    namespace fluent = i18n::fluent;

    constexpr char const* program = "kesu-files-ftl";

    constexpr char const* usage_text
        = "usage: kesu-files-ftl check FILE.ftl [--against REFERENCE.ftl]\n"
          "       kesu-files-ftl format FILE.ftl MESSAGE-ID [--locale TAG] [--arg NAME=TEXT] [--num NAME=NUMBER] "
          "[--attr ATTRIBUTE]\n"
          "       kesu-files-ftl dump FILE.ftl\n";

    struct UsageError {
        std::string text;
    };

    // The positional words and the "--name value" (or "--name=value")
    // options of a command, in the order given; after "--" every argument
    // is a word.
    struct CommandLine {
        std::vector<std::string> words;
        std::vector<std::pair<std::string, std::string>> options;
    };

    std::optional<UsageError> split(std::span<std::string const> arguments, CommandLine& line)
    {
        bool options_ended = false;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            std::string const& argument = arguments[i];
            if (argument == "--" && !options_ended) {
                options_ended = true;
                continue;
            }
            if (options_ended || !argument.starts_with("--")) {
                line.words.push_back(argument);
                continue;
            }
            std::size_t const equals = argument.find('=');
            if (equals != std::string::npos) {
                line.options.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
                continue;
            }
            if (i + 1 == arguments.size())
                return UsageError { "option " + argument + " needs a value" };
            line.options.emplace_back(argument, arguments[++i]);
        }
        return std::nullopt;
    }

    std::optional<UsageError> expect_words(CommandLine const& line, std::size_t count, char const* what)
    {
        if (line.words.size() < count)
            return UsageError { std::string("missing ") + what };
        if (line.words.size() > count)
            return UsageError { "unexpected argument: " + line.words[count] };
        return std::nullopt;
    }

    std::optional<std::string> read_source(std::string const& path, std::ostream& err)
    {
        auto text = read_resource_file(path);
        if (!text) {
            err << program << ": " << text.error().text() << '\n';
            return std::nullopt;
        }
        return std::move(*text);
    }

    std::variant<ExitStatus, UsageError> run_check(CommandLine const& line, std::ostream& out, std::ostream& err)
    {
        if (auto error = expect_words(line, 1, "FILE.ftl"))
            return *error;
        std::optional<std::string> against;
        for (auto const& [name, value] : line.options) {
            if (name != "--against" || against)
                return UsageError { name == "--against" ? "--against given twice" : "unknown option " + name };
            against = value;
        }
        auto const source = read_source(line.words[0], err);
        if (!source)
            return ExitStatus::Trouble;
        NamedResource const checked { line.words[0], fluent::parse(*source) };
        std::optional<NamedResource> reference;
        if (against) {
            auto const reference_source = read_source(*against, err);
            if (!reference_source)
                return ExitStatus::Trouble;
            reference = NamedResource { *against, fluent::parse(*reference_source) };
        }
        auto const lines = check_report(checked, reference ? &*reference : nullptr);
        for (auto const& report_line : lines)
            out << report_line << '\n';
        return lines.empty() ? ExitStatus::Success : ExitStatus::Findings;
    }

    // Without --locale a file named after a language tag ("de-DE.ftl",
    // "fr.ftl", "qps.ftl") is formatted in that locale, any other in en-US.
    // Only two- and three-letter languages count, so that "messages.ftl"
    // is not taken for a language called "messages".
    i18n::LanguageId locale_of_file(std::string const& path)
    {
        std::string name = path.substr(path.find_last_of('/') + 1);
        if (name.ends_with(".ftl"))
            name.resize(name.size() - 4);
        auto const locale = i18n::parse_language_id(name);
        if (!locale || locale->language.size() > 3)
            return i18n::en_us();
        return *locale;
    }

    std::optional<UsageError> add_argument(FormatRequest& request, std::string const& option, std::string const& value)
    {
        std::size_t const equals = value.find('=');
        if (equals == std::string::npos || equals == 0)
            return UsageError { option + " needs NAME=VALUE, not \"" + value + "\"" };
        std::string const name = value.substr(0, equals);
        std::string const text = value.substr(equals + 1);
        bool const repeated = std::any_of(request.arguments.begin(), request.arguments.end(),
            [&](fluent::Argument const& argument) { return argument.name == name; });
        if (repeated)
            return UsageError { "argument " + name + " given twice" };
        if (option == "--arg") {
            request.arguments.emplace_back(name, text);
            return std::nullopt;
        }
        auto const number = parse_number_argument(text);
        if (!number)
            return UsageError { "not a number: " + text };
        request.arguments.emplace_back(name, *number);
        return std::nullopt;
    }

    std::optional<UsageError> apply_format_option(
        FormatRequest& request, std::string const& name, std::string const& value, bool& has_locale)
    {
        if (name == "--arg" || name == "--num")
            return add_argument(request, name, value);
        if (name == "--locale") {
            auto const locale = i18n::parse_language_id(value);
            if (!locale)
                return UsageError { "not a language tag: " + value };
            if (has_locale)
                return UsageError { "--locale given twice" };
            request.locale = *locale;
            has_locale = true;
            return std::nullopt;
        }
        if (name == "--attr") {
            if (request.attribute)
                return UsageError { "--attr given twice" };
            request.attribute = value;
            return std::nullopt;
        }
        return UsageError { "unknown option " + name };
    }

    std::variant<ExitStatus, UsageError> run_format(CommandLine const& line, std::ostream& out, std::ostream& err)
    {
        if (auto error = expect_words(line, 2, "FILE.ftl or MESSAGE-ID"))
            return *error;
        FormatRequest request { line.words[1], std::nullopt, locale_of_file(line.words[0]), {} };
        bool has_locale = false;
        for (auto const& [name, value] : line.options) {
            if (auto error = apply_format_option(request, name, value, has_locale))
                return *error;
        }
        auto const source = read_source(line.words[0], err);
        if (!source)
            return ExitStatus::Trouble;
        FormatOutcome const outcome = format_message(*source, request);
        out << outcome.text << '\n';
        for (auto const& error : outcome.errors)
            err << error << '\n';
        return outcome.errors.empty() ? ExitStatus::Success : ExitStatus::Findings;
    }

    std::variant<ExitStatus, UsageError> run_dump(CommandLine const& line, std::ostream& out, std::ostream& err)
    {
        if (auto error = expect_words(line, 1, "FILE.ftl"))
            return *error;
        if (!line.options.empty())
            return UsageError { "unknown option " + line.options.front().first };
        auto const source = read_source(line.words[0], err);
        if (!source)
            return ExitStatus::Trouble;
        // The source is known to be UTF-8; replacing rather than throwing
        // keeps a parser slip from ending the program.
        out << resource_to_json(fluent::parse(*source))
                   .dump(4, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
        return ExitStatus::Success;
    }

}

ExitStatus run(std::vector<std::string> const& arguments, std::ostream& out, std::ostream& err)
{
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << usage_text;
        return ExitStatus::Success;
    }
    std::variant<ExitStatus, UsageError> result = UsageError { "missing command" };
    if (!arguments.empty()) {
        CommandLine line;
        std::string const& command = arguments[0];
        if (auto error = split(std::span(arguments).subspan(1), line))
            result = *error;
        else if (command == "check")
            result = run_check(line, out, err);
        else if (command == "format")
            result = run_format(line, out, err);
        else if (command == "dump")
            result = run_dump(line, out, err);
        else
            result = UsageError { "unknown command " + command };
    }
    if (auto const* status = std::get_if<ExitStatus>(&result))
        return *status;
    err << program << ": " << std::get<UsageError>(result).text << '\n' << usage_text;
    return ExitStatus::Trouble;
}

}
