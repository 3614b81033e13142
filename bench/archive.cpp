// Extraction and ZIP creation speed against the command-line tools, measured
// in the same run on the same trees: a tree of 10,000 small files and one
// large file (1 GiB unless --big-mib says otherwise). Each timing is the best
// of a few runs; the ratio is the tool's time over ours, so 1.0 means as fast
// and more means faster.
//
// Usage: archive [--big-mib N] [--runs N] [--work DIR]

#include "fileops/archive.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <utility>

#include <unistd.h>

namespace fs = std::filesystem;
using files::fileops::create_zip;
using files::fileops::extract_archive;

namespace {

struct Options {
    std::uint64_t big_mib { 1024 };
    int runs { 3 };
    fs::path work;
};

// Text-like content that deflate compresses to roughly a third, so neither
// side is measured on trivially compressible zeros.
std::string sample_block(std::mt19937_64& random, std::size_t size)
{
    static char const* const words[] = { "archive ", "folder ", "extract ", "quarterly ", "numbers ", "photo ",
        "invoice ", "draft ", "2026 ", "final " };
    std::string block;
    block.reserve(size + 16);
    while (block.size() < size) {
        if (random() % 4 == 0)
            block += static_cast<char>('a' + random() % 26);
        else
            block += words[random() % 10];
    }
    block.resize(size);
    return block;
}

void make_small_tree(fs::path const& root)
{
    std::mt19937_64 random(7);
    for (int folder = 0; folder < 100; ++folder) {
        auto dir = root / "small" / ("folder-" + std::to_string(folder));
        fs::create_directories(dir);
        for (int file = 0; file < 100; ++file) {
            std::ofstream out(dir / ("file-" + std::to_string(file) + ".txt"), std::ios::binary);
            out << sample_block(random, 512 + random() % 3584);
        }
    }
}

void make_big_tree(fs::path const& root, std::uint64_t mib)
{
    std::mt19937_64 random(11);
    fs::create_directories(root / "big");
    std::ofstream out(root / "big" / "large.bin", std::ios::binary);
    // One MiB of sample text reused with a varying prefix keeps generation fast.
    std::string block = sample_block(random, 1 << 20);
    for (std::uint64_t i = 0; i < mib; ++i) {
        std::string prefix = std::to_string(random());
        out.write(prefix.data(), static_cast<std::streamsize>(prefix.size()));
        out.write(block.data() + prefix.size(), static_cast<std::streamsize>(block.size() - prefix.size()));
    }
}

int shell(std::string const& command)
{
    int status = std::system(command.c_str());
    if (status != 0)
        std::fprintf(stderr, "command failed (%d): %s\n", status, command.c_str());
    return status;
}

bool have(char const* tool) { return shell(std::string("command -v ") + tool + " >/dev/null") == 0; }

// The best of `runs` timings of each of `ours` and `theirs`, run in turn so
// that load from elsewhere on the machine falls on both alike; `reset` runs
// untimed before each.
std::pair<double, double> best_seconds(int runs, std::function<void()> const& reset, std::function<bool()> const& ours,
    std::function<bool()> const& theirs)
{
    auto time_one = [&](std::function<bool()> const& work) {
        reset();
        ::sync();
        auto start = std::chrono::steady_clock::now();
        if (!work()) {
            std::fprintf(stderr, "a timed run failed\n");
            std::exit(1);
        }
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    double best_ours = 1e300;
    double best_theirs = 1e300;
    for (int i = 0; i < runs; ++i) {
        best_ours = std::min(best_ours, time_one(ours));
        best_theirs = std::min(best_theirs, time_one(theirs));
    }
    return { best_ours, best_theirs };
}

void report(char const* what, char const* baseline, double ours, double theirs)
{
    std::printf("%-34s ours %8.3f s  %-14s %8.3f s  ratio %5.2f\n", what, ours, baseline, theirs, theirs / ours);
    std::fflush(stdout);
}

std::string quoted(fs::path const& path) { return "'" + path.string() + "'"; }

void bench_extract(Options const& options, fs::path const& archive, char const* label)
{
    auto out = options.work / "out";
    auto reset = [&] { fs::remove_all(out); };
    auto ours = [&] {
        auto files = extract_archive(archive, out);
        if (!files)
            std::fprintf(stderr, "%s\n", files.error().text().c_str());
        return files.has_value();
    };
    auto bsdtar = [&] {
        fs::create_directories(out);
        return shell("bsdtar -xf " + quoted(archive) + " -C " + quoted(out)) == 0;
    };
    auto [our_time, their_time] = best_seconds(options.runs, reset, ours, bsdtar);
    reset();
    report(label, "bsdtar -x", our_time, their_time);
}

void bench_create(Options const& options, std::string const& tree, char const* label)
{
    auto target = options.work / "made.zip";
    auto source = options.work / "src" / tree;
    auto reset = [&] { fs::remove(target); };
    auto ours = [&] {
        auto created = create_zip(target, { source });
        if (!created)
            std::fprintf(stderr, "%s\n", created.error().text().c_str());
        return created.has_value();
    };
    std::string in_source = "cd " + quoted(options.work / "src") + " && ";
    if (have("zip")) {
        auto zip = [&] { return shell(in_source + "zip -q -r -6 " + quoted(target) + " " + tree) == 0; };
        auto [our_time, their_time] = best_seconds(options.runs, reset, ours, zip);
        report(label, "zip -r -6", our_time, their_time);
    }
    auto bsdtar = [&] { return shell(in_source + "bsdtar --format zip -cf " + quoted(target) + " " + tree) == 0; };
    auto [our_time, their_time] = best_seconds(options.runs, reset, ours, bsdtar);
    reset();
    report(label, "bsdtar zip", our_time, their_time);
}

Options parse(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        if (flag == "--big-mib")
            options.big_mib = std::strtoull(argv[i + 1], nullptr, 10);
        else if (flag == "--runs")
            options.runs = std::atoi(argv[i + 1]);
        else if (flag == "--work")
            options.work = argv[i + 1];
    }
    if (options.work.empty())
        options.work = fs::temp_directory_path() / ("archive-bench-" + std::to_string(::getpid()));
    return options;
}

}

int main(int argc, char** argv)
{
    Options options = parse(argc, argv);
    if (!have("bsdtar")) {
        std::fprintf(stderr, "bsdtar is needed as the baseline (package libarchive-tools)\n");
        return 1;
    }
    fs::create_directories(options.work / "src");
    make_small_tree(options.work / "src");
    make_big_tree(options.work / "src", options.big_mib);
    std::string src = quoted(options.work / "src");
    auto archive = [&](char const* name) { return options.work / name; };
    if (shell("bsdtar -czf " + quoted(archive("small.tar.gz")) + " -C " + src + " small") != 0
        || shell("bsdtar --format zip -cf " + quoted(archive("small.zip")) + " -C " + src + " small") != 0
        || shell("bsdtar -czf " + quoted(archive("big.tar.gz")) + " -C " + src + " big") != 0
        || shell("bsdtar --format zip -cf " + quoted(archive("big.zip")) + " -C " + src + " big") != 0)
        return 1;

    std::printf("big file: %llu MiB, best of %d runs; ratio = baseline time / our time\n",
        static_cast<unsigned long long>(options.big_mib), options.runs);
    bench_extract(options, archive("small.zip"), "extract 10,000 files (.zip)");
    bench_extract(options, archive("small.tar.gz"), "extract 10,000 files (.tar.gz)");
    bench_extract(options, archive("big.zip"), "extract large file (.zip)");
    bench_extract(options, archive("big.tar.gz"), "extract large file (.tar.gz)");
    bench_create(options, "small", "compress 10,000 files");
    bench_create(options, "big", "compress large file");
    fs::remove_all(options.work);
    return 0;
}
