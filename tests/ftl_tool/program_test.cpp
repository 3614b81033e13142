// The built kesu-files-ftl program, run as a separate process: what it
// prints and the exit statuses a build script would see.

#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

struct Outcome {
    int status { -1 };
    std::string out;
    std::string err;
};

// The program lies in the build root, FILES_BINARY_DIR; when the test runs
// without that variable, the root is found two levels above this test
// binary (tests/ftl_tool/).
std::filesystem::path program_path()
{
    if (char const* binary_dir = std::getenv("FILES_BINARY_DIR"))
        return std::filesystem::path(binary_dir) / "kesu-files-ftl";
    std::error_code error;
    auto const self = std::filesystem::read_symlink("/proc/self/exe", error);
    return self.parent_path().parent_path().parent_path() / "kesu-files-ftl";
}

std::filesystem::path source_root()
{
    if (char const* source_dir = std::getenv("FILES_SOURCE_DIR"))
        return source_dir;
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

// Runs the program with its output in files of the temporary folder.
Outcome run_program(test_support::TempDir const& temp, std::vector<std::string> arguments)
{
    std::string const out_path = (temp / "stdout").string();
    std::string const err_path = (temp / "stderr").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string const program = program_path().string();
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    Outcome outcome;
    int const spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return outcome;
    int wait_status = 0;
    if (waitpid(pid, &wait_status, 0) == pid && WIFEXITED(wait_status))
        outcome.status = WEXITSTATUS(wait_status);
    outcome.out = test_support::read_file(out_path);
    outcome.err = test_support::read_file(err_path);
    return outcome;
}

TEST(Program, ExitStatusesEndToEnd)
{
    ASSERT_TRUE(std::filesystem::exists(program_path())) << program_path();
    std::string const english = (source_root() / "src/i18n/en-US.ftl").string();
    std::string const german = (source_root() / "src/i18n/de-DE.ftl").string();
    test_support::TempDir const temp;
    std::string const broken = temp.write("broken.ftl", "a = { $x\n").string();
    std::string const binary = temp.write("binary.ftl", "a = \xFF\n").string();

    Outcome const shipped = run_program(temp, { "check", german, "--against", english });
    EXPECT_EQ(shipped.status, 0) << shipped.out << shipped.err;
    EXPECT_EQ(shipped.out, "");

    Outcome const junk = run_program(temp, { "check", broken });
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.out, broken + ":2:1: junk: Expected token: \"}\"\n");

    Outcome const formatted = run_program(temp, { "format", german, "files-item-count", "--num", "count=2" });
    EXPECT_EQ(formatted.status, 0) << formatted.err;
    EXPECT_EQ(formatted.out, "2 Objekte\n");

    Outcome const format_error = run_program(temp, { "format", english, "files-item-count" });
    EXPECT_EQ(format_error.status, 1);
    EXPECT_NE(format_error.err.find("Unknown variable: $count\n"), std::string::npos) << format_error.err;

    Outcome const not_utf8 = run_program(temp, { "dump", binary });
    EXPECT_EQ(not_utf8.status, 2);
    EXPECT_EQ(not_utf8.out, "");
    EXPECT_EQ(not_utf8.err, "kesu-files-ftl: " + binary + ": invalid UTF-8 at byte 4\n");

    Outcome const usage = run_program(temp, { "format" });
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.starts_with("kesu-files-ftl: missing FILE.ftl or MESSAGE-ID\nusage: ")) << usage.err;
}

}
