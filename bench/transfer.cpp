// Copy and move throughput of the transfer engine against cp -r and mv,
// measured in the same run on the same data: one 1 GiB file and a tree of
// 10,000 small files, within one file system and onto a tmpfs. Also shows what
// the private staging folder and the source quarantine cost, by comparing
// copy_item with a bare copy_tree and move_item with mv.
//
// Usage: bench_transfer [work-folder]   (default: a new folder in /var/tmp;
// the cross-file-system rows need permission to mount a tmpfs)

#include "fileops/transfer.h"

#include "fileops/copy_tree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using files::fileops::MessageResolver;

constexpr int repeats = 3;
constexpr std::size_t large_file_size = std::size_t { 1 } << 30;
constexpr int small_file_count = 10000;

MessageResolver const resolve = [](files::fileops::Message const& message) { return message.id; };

void write_pattern_file(fs::path const& path, std::size_t size)
{
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>((i * 2654435761u) >> 13);
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (std::size_t written = 0; fd >= 0 && written < size; written += block.size()) {
        block[0] = static_cast<char>(written >> 20);
        if (::write(fd, block.data(), block.size()) != static_cast<ssize_t>(block.size()))
            break;
    }
    ::close(fd);
}

void write_small_tree(fs::path const& root)
{
    for (int i = 0; i < small_file_count; ++i) {
        auto folder = root / ("group-" + std::to_string(i / 500)) / ("sub-" + std::to_string(i / 50 % 10));
        if (i % 50 == 0)
            fs::create_directories(folder);
        int fd
            = ::open((folder / ("file-" + std::to_string(i) + ".txt")).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        std::string content(static_cast<std::size_t>(200 + i % 3000), static_cast<char>('a' + i % 26));
        if (fd >= 0 && ::write(fd, content.data(), content.size()) < 0)
            std::perror("write");
        ::close(fd);
    }
}

bool run_program(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Timing {
    double baseline { 1e9 };
    double ours { 1e9 };
};

double timed(std::function<bool()> const& run)
{
    // Flushed first so one run's write-back does not slow the next.
    ::sync();
    auto start = std::chrono::steady_clock::now();
    if (!run()) {
        std::fprintf(stderr, "a timed run failed\n");
        std::exit(1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The best of a few runs of each, alternating so that neither side always
// meets a colder or warmer cache; `prepare` runs untimed before every run.
Timing best_of(
    std::function<void()> const& prepare, std::function<bool()> const& baseline, std::function<bool()> const& ours)
{
    Timing best;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        best.baseline = std::min(best.baseline, timed(baseline));
        prepare();
        best.ours = std::min(best.ours, timed(ours));
    }
    return best;
}

void report(char const* label, char const* baseline_name, Timing timing, double goal)
{
    auto baseline = timing.baseline;
    auto ours = timing.ours;
    std::printf(
        "%-44s %-10s %8.3f s   files %8.3f s   ratio %5.2f", label, baseline_name, baseline, ours, baseline / ours);
    if (goal > 0)
        std::printf("   goal >= %.2f %s", goal, baseline / ours >= goal ? "met" : "MISSED");
    std::printf("\n");
}

void fresh_folder(fs::path const& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
}

// Copy rows: cp -r against copy_item, each into an emptied destination.
void compare_copy(char const* label, fs::path const& source, fs::path const& destination, double goal)
{
    auto timing = best_of([&] { fresh_folder(destination); },
        [&] {
            return run_program({ "cp", "-r", source.string(), destination.string() + "/" });
        },
        [&] { return files::fileops::copy_item(source, destination, resolve).has_value(); });
    report(label, "cp -r", timing, goal);
}

// What staging costs: a bare copy_tree against copy_item.
void compare_staging(char const* label, fs::path const& source, fs::path const& destination)
{
    auto timing = best_of([&] { fresh_folder(destination); },
        [&] { return files::fileops::copy_tree(source, destination / source.filename()).has_value(); },
        [&] { return files::fileops::copy_item(source, destination, resolve).has_value(); });
    report(label, "copy_tree", timing, 0);
}

// What staging and quarantine cost in a move that must copy: mv against
// move_item, from a fresh copy of the source each time.
void compare_move(char const* label, fs::path const& pristine, fs::path const& work, fs::path const& destination)
{
    auto source = work / pristine.filename();
    auto prepare = [&] {
        fresh_folder(destination);
        fresh_folder(work);
        run_program({ "cp", "-r", pristine.string(), work.string() + "/" });
    };
    auto timing = best_of(
        prepare,
        [&] {
            return run_program({ "mv", source.string(), destination.string() + "/" });
        },
        [&] { return files::fileops::move_item(source, destination, resolve).has_value(); });
    report(label, "mv", timing, 0);
}

}

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    fs::path base
        = argc > 1 ? fs::path(argv[1]) : fs::path("/var/tmp") / ("bench-transfer-" + std::to_string(::getpid()));
    fs::create_directories(base / "src");
    std::printf(
        "preparing a %zu MiB file and %d small files in %s\n", large_file_size >> 20, small_file_count, base.c_str());
    write_pattern_file(base / "src/large.bin", large_file_size);
    write_small_tree(base / "src/tree");

    compare_copy("1 GiB file, same file system", base / "src/large.bin", base / "out", 0.9);
    compare_copy("10,000 small files, same file system", base / "src/tree", base / "out", 0.5);
    compare_staging("10,000 small files: cost of staging", base / "src/tree", base / "out");

    auto tmpfs = base / "tmpfs";
    fs::create_directories(tmpfs);
    if (::mount("tmpfs", tmpfs.c_str(), "tmpfs", 0, "size=3g") == 0) {
        compare_copy("1 GiB file, onto a tmpfs", base / "src/large.bin", tmpfs / "out", 0.9);
        compare_copy("10,000 small files, onto a tmpfs", base / "src/tree", tmpfs / "out", 0.5);
        compare_move("10,000 small files, moved onto a tmpfs", base / "src/tree", base / "work", tmpfs / "out");
        compare_move("1 GiB file, moved onto a tmpfs", base / "src/large.bin", base / "work", tmpfs / "out");
        ::umount2(tmpfs.c_str(), MNT_DETACH);
    } else {
        std::printf("cannot mount a tmpfs here; the cross-file-system rows are skipped\n");
    }
    if (argc <= 1)
        fs::remove_all(base);
    return 0;
}
