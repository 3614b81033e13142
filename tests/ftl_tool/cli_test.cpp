// The command line: options, usage errors, and each command's output and
// exit status on real files.

#include "ftl_tool/cli.h"
#include "support/temp_dir.h"

#include <sstream>

#include <gtest/gtest.h>

namespace files::ftl_tool {
namespace {

    struct ToolRun {
        ExitStatus status;
        std::string out;
        std::string err;
    };

    ToolRun run_tool(std::vector<std::string> const& arguments)
    {
        std::ostringstream out;
        std::ostringstream err;
        ExitStatus const status = run(arguments, out, err);
        return ToolRun { status, out.str(), err.str() };
    }

    std::string const usage = "usage: kesu-files-ftl check FILE.ftl [--against REFERENCE.ftl]\n"
                              "       kesu-files-ftl format FILE.ftl MESSAGE-ID [--locale TAG] [--arg NAME=TEXT] "
                              "[--num NAME=NUMBER] [--attr ATTRIBUTE]\n"
                              "       kesu-files-ftl dump FILE.ftl\n";

    TEST(Cli, BadCommandLinesGetTheProblemAndTheUsage)
    {
        test_support::TempDir const temp;
        std::string const file = temp.write("en.ftl", "a = A\n").string();
        struct Case {
            std::vector<std::string> arguments;
            std::string problem;
        };
        std::vector<Case> const cases = {
            { {}, "missing command" },
            { { "lint", file }, "unknown command lint" },
            { { "check" }, "missing FILE.ftl" },
            { { "check", file, file }, "unexpected argument: " + file },
            { { "check", file, "--against" }, "option --against needs a value" },
            { { "check", file, "--against", file, "--against", file }, "--against given twice" },
            { { "check", file, "--locale", "de" }, "unknown option --locale" },
            { { "format", file }, "missing FILE.ftl or MESSAGE-ID" },
            { { "format", file, "a", "--locale", "de_DE!" }, "not a language tag: de_DE!" },
            { { "format", file, "a", "--num", "count=three" }, "not a number: three" },
            { { "format", file, "a", "--arg", "name" }, "--arg needs NAME=VALUE, not \"name\"" },
            { { "format", file, "a", "--num", "=3" }, "--num needs NAME=VALUE, not \"=3\"" },
            { { "format", file, "a", "--arg", "n=x", "--num", "n=1" }, "argument n given twice" },
            { { "format", file, "a", "--attr", "x", "--attr=y" }, "--attr given twice" },
            { { "dump", file, "--pretty", "yes" }, "unknown option --pretty" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.problem);
            ToolRun const result = run_tool(test.arguments);
            EXPECT_EQ(result.status, ExitStatus::Trouble);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "kesu-files-ftl: " + test.problem + "\n" + usage);
        }
        ToolRun const help = run_tool({ "--help" });
        EXPECT_EQ(help.status, ExitStatus::Success);
        EXPECT_EQ(help.out, usage);
    }

    TEST(Cli, FormatPrintsTextAndErrorsWithTheirStatus)
    {
        test_support::TempDir const temp;
        std::string const german = temp.write("de-DE.ftl",
                                           "count = { $n ->\n"
                                           "    [one] ein { $what }\n"
                                           "   *[other] { $n } { $what }\n"
                                           "}\n"
                                           "menu = Menü\n"
                                           "    .key = M\n")
                                       .string();
        struct Case {
            std::vector<std::string> arguments;
            ExitStatus status;
            std::string out;
            std::string err;
        };
        std::vector<Case> const cases = {
            // The file name gives the locale; arguments keep their order.
            { { "format", german, "count", "--num", "n=1", "--arg", "what=Ding" }, ExitStatus::Success, "ein Ding\n",
                "" },
            { { "format", german, "count", "--num=n=2.50", "--arg=what=Dinge" }, ExitStatus::Success, "2.50 Dinge\n",
                "" },
            { { "format", german, "count", "--locale", "qps", "--num", "n=1", "--arg", "what=Ding" },
                ExitStatus::Success, "[éíñ Ding !!]\n", "" },
            { { "format", german, "count", "--num", "n=1" }, ExitStatus::Findings, "ein {$what}\n",
                "Unknown variable: $what\n" },
            { { "format", german, "menu", "--attr", "key" }, ExitStatus::Success, "M\n", "" },
            { { "format", german, "--", "-menu" }, ExitStatus::Findings, "-menu\n", "Unknown message: -menu\n" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.out);
            ToolRun const result = run_tool(test.arguments);
            EXPECT_EQ(result.status, test.status);
            EXPECT_EQ(result.out, test.out);
            EXPECT_EQ(result.err, test.err);
        }
    }

    TEST(Cli, TheFileNameGivesTheLocaleUnlessOneIsGiven)
    {
        test_support::TempDir const temp;
        std::string const source = "n = { $n ->\n [one] one\n [few] few\n *[other] other\n}\n";
        struct Case {
            char const* file;
            std::vector<std::string> options;
            char const* out;
        };
        std::vector<Case> const cases = {
            { "pl.ftl", {}, "few\n" },
            { "pl-PL.ftl", {}, "few\n" },
            { "pl.ftl", { "--locale", "en-US" }, "other\n" },
            { "messages.ftl", {}, "other\n" },
            { "notes.txt", { "--locale", "pl" }, "few\n" },
        };
        for (auto const& test : cases) {
            SCOPED_TRACE(test.file);
            std::vector<std::string> arguments { "format", temp.write(test.file, source).string(), "n", "--num",
                "n=3" };
            arguments.insert(arguments.end(), test.options.begin(), test.options.end());
            ToolRun const result = run_tool(arguments);
            EXPECT_EQ(result.status, ExitStatus::Success) << result.err;
            EXPECT_EQ(result.out, test.out);
        }
    }

    TEST(Cli, CheckAndDumpStatuses)
    {
        test_support::TempDir const temp;
        std::string const reference = temp.write("en-US.ftl", "a = A { $x }\nb = B\n").string();
        std::string const good = temp.write("de-DE.ftl", "a = Ä { $x }\nb = Bé\n").string();
        std::string const bad = temp.write("fr.ftl", "a = A\n").string();
        std::string const unreadable = (temp / "none.ftl").string();

        ToolRun const clean = run_tool({ "check", good, "--against", reference });
        EXPECT_EQ(clean.status, ExitStatus::Success);
        EXPECT_EQ(clean.out, "");

        ToolRun const findings = run_tool({ "check", bad, "--against=" + reference });
        EXPECT_EQ(findings.status, ExitStatus::Findings);
        EXPECT_EQ(findings.out,
            bad + ": missing message \"b\" of " + reference + "\n" + bad
                + ": message \"a\": variable $x of the reference is not used\n");

        ToolRun const missing_reference = run_tool({ "check", good, "--against", unreadable });
        EXPECT_EQ(missing_reference.status, ExitStatus::Trouble);
        EXPECT_EQ(missing_reference.err, "kesu-files-ftl: cannot read " + unreadable + ": No such file or directory\n");

        ToolRun const dump = run_tool({ "dump", bad });
        EXPECT_EQ(dump.status, ExitStatus::Success);
        EXPECT_TRUE(dump.out.starts_with("{\n    \"type\": \"Resource\",\n    \"body\": [\n")) << dump.out;
        EXPECT_TRUE(dump.out.ends_with("}\n"));

        for (char const* command : { "check", "format", "dump" }) {
            SCOPED_TRACE(command);
            std::vector<std::string> arguments { command, unreadable };
            if (std::string_view(command) == "format")
                arguments.push_back("a");
            ToolRun const result = run_tool(arguments);
            EXPECT_EQ(result.status, ExitStatus::Trouble);
            EXPECT_EQ(result.out, "");
            EXPECT_EQ(result.err, "kesu-files-ftl: cannot read " + unreadable + ": No such file or directory\n");
        }
    }

}
}
