// Prints the cost of completing a typed path in a folder of 10,000 entries
// as ratios against a plain readdir loop over the same folder, measured in
// the same run, with the absolute times beside them (the goal is below 30 ms
// per keystroke).

#include "favorites/path_suggestions.h"

#include "path_bar/suggestion_source.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::filesystem::path make_folder(std::filesystem::path const& base, std::size_t count)
{
    auto folder = base / "many";
    std::filesystem::create_directories(folder);
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 20 == 0) {
            std::filesystem::create_directory(folder / ("Folder " + std::to_string(i)));
            continue;
        }
        std::string name = (i % 3 == 0          ? "Report "
                                   : i % 3 == 1 ? "photo_"
                                                : "Notes-")
            + std::to_string(i) + (i % 2 == 0 ? ".txt" : ".PNG");
        int fd = open((folder / name).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            close(fd);
    }
    return folder;
}

std::size_t baseline_readdir(std::filesystem::path const& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    std::size_t total = 0;
    while (dirent* item = readdir(dir))
        total += item->d_name[0] != '.';
    closedir(dir);
    return total;
}

double best_of(int runs, std::function<void()> const& work)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void report(char const* what, double seconds, double baseline)
{
    std::printf("%-46s %6.2f x baseline  %7.2f ms  (goal < 30 ms)\n", what, seconds / baseline, seconds * 1e3);
}

}

int main()
{
    char pattern[] = "/var/tmp/bench-path-suggestions-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path const base(pattern);
    auto const folder = make_folder(base, 10000);
    auto const typed = folder.string() + "/";
    std::optional<std::filesystem::path> const home = base;
    int const runs = 9;
    std::size_t sink = 0;

    double const baseline = best_of(runs, [&] { sink += baseline_readdir(folder); });
    double const all = best_of(runs, [&] { sink += files::favorites::path_suggestions(typed, home).size(); });
    double const prefix
        = best_of(runs, [&] { sink += files::favorites::path_suggestions(typed + "rep", home).size(); });
    // What a keystroke costs in the path field: resolve, list, match, convert.
    double const keystroke = best_of(runs, [&] {
        auto source = files::path_bar::make_suggestion_source(base, home);
        sink += source("~/many/Rep").size();
    });

    std::printf("entries: %zu (checksum %zu)\n", baseline_readdir(folder), sink % 10);
    std::printf("baseline readdir: %.2f ms\n", baseline * 1e3);
    report("path_suggestions, empty name", all, baseline);
    report("path_suggestions, name prefix \"rep\"", prefix, baseline);
    report("path field keystroke (~/many/Rep)", keystroke, baseline);

    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    return 0;
}
