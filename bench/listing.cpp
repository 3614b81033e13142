// Prints the cost of listing, sorting and re-reading large folders as ratios
// against a plain readdir + fstatat loop over the same folder, measured in
// the same run. Also prints the resident memory a listing of 100,000 entries
// holds.

#include "model/listing.h"

#include "model/attribute_names.h"
#include "model/attributes.h"
#include "model/reread.h"
#include "model/sorting.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

namespace {

using files::model::Entry;
using Clock = std::chrono::steady_clock;

// The folder of `count` empty files, created once per run.
std::filesystem::path make_folder(std::filesystem::path const& base, char const* name, std::size_t count)
{
    auto folder = base / name;
    std::filesystem::create_directories(folder);
    for (std::size_t i = 0; i < count; ++i) {
        // Mixed case and digits so the name sort has real work to do.
        std::string file = (i % 3 == 0          ? "Report "
                                   : i % 3 == 1 ? "photo_"
                                                : "Notes-")
            + std::to_string(i * 7919 % count) + (i % 2 == 0 ? ".txt" : ".PNG");
        int fd = open((folder / file).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            close(fd);
    }
    for (std::size_t i = 0; i < count / 100; ++i)
        std::filesystem::create_directory(folder / ("Folder " + std::to_string(i)));
    return folder;
}

// The baseline: what any listing must at least pay.
std::size_t baseline_loop(std::filesystem::path const& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    int fd = dirfd(dir);
    std::size_t total = 0;
    while (dirent* item = readdir(dir)) {
        struct stat status { };
        if (fstatat(fd, item->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
            total += static_cast<std::size_t>(status.st_size) + 1;
    }
    closedir(dir);
    return total;
}

// The best of `runs` timings in seconds; the best run is the least disturbed
// by other work on the machine.
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

std::vector<Entry> list_or_exit(std::filesystem::path const& folder)
{
    auto listed = files::model::list_location(folder, {});
    if (!listed) {
        std::fprintf(stderr, "listing failed: %s\n", listed.error().text().c_str());
        std::exit(1);
    }
    return std::move(*listed);
}

long resident_kib()
{
    FILE* status = std::fopen("/proc/self/statm", "r");
    if (!status)
        return 0;
    long pages_total = 0;
    long pages_resident = 0;
    if (std::fscanf(status, "%ld %ld", &pages_total, &pages_resident) != 2)
        pages_resident = 0;
    std::fclose(status);
    return pages_resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void full_load(std::filesystem::path const& folder)
{
    auto entries = list_or_exit(folder);
    files::model::hide_dot_entries(entries);
    files::model::sort_entries(entries, files::model::SortKey::Name, files::model::SortOrder::Ascending);
}

void report_large_folder(std::filesystem::path const& folder, int runs)
{
    std::size_t sink = 0;
    double const baseline = best_of(runs, [&] { sink += baseline_loop(folder); });
    double const listing = best_of(runs, [&] { sink += list_or_exit(folder).size(); });
    auto const listed = list_or_exit(folder);
    // The copy that each sort starts from is timed alone and subtracted.
    double const sorting = best_of(runs, [&] {
        auto copy = listed;
        files::model::sort_entries(copy, files::model::SortKey::Name, files::model::SortOrder::Ascending);
    });
    double const copying = best_of(runs, [&] {
        auto copy = listed;
        sink += copy.size();
    });
    double const loading = best_of(runs, [&] { full_load(folder); });
    std::printf("entries: %zu (checksum %zu)\n", listed.size(), sink % 10);
    std::printf("baseline readdir+fstatat: %.1f ms\n", baseline * 1e3);
    std::printf("list_location / baseline: %.2f\n", listing / baseline);
    std::printf("sort by name / baseline: %.2f\n", std::max(0.0, sorting - copying) / baseline);
    std::printf("full load (list + hide + sort) / baseline: %.2f  (goal <= 3)\n", loading / baseline);
}

void report_unchanged_reread(std::filesystem::path const& folder, int runs)
{
    std::size_t sink = 0;
    double const baseline = best_of(runs, [&] { sink += baseline_loop(folder); });
    auto current = list_or_exit(folder);
    files::model::hide_dot_entries(current);
    files::model::sort_entries(current, files::model::SortKey::Name, files::model::SortOrder::Ascending);
    files::model::SelectionIndices const selection { { 0, 1, 2 }, 0 };
    bool changed = false;
    // As the explorer does it every interval: list, hide, sort, compare.
    double const reread = best_of(runs, [&] {
        auto fresh = list_or_exit(folder);
        files::model::hide_dot_entries(fresh);
        files::model::sort_entries(fresh, files::model::SortKey::Name, files::model::SortOrder::Ascending);
        changed |= files::model::apply_reread(current, std::move(fresh), selection).has_value();
    });
    std::printf("unchanged re-read of %zu entries (list + hide + sort + compare) / baseline: %.2f  (goal <= 2)%s\n",
        current.size(), reread / baseline, changed ? "  [unexpected change]" : "");
}

void report_memory(std::filesystem::path const& folder)
{
    long const before = resident_kib();
    auto entries = list_or_exit(folder);
    files::model::sort_entries(entries, files::model::SortKey::Name, files::model::SortOrder::Ascending);
    long const after = resident_kib();
    std::printf("resident memory of %zu loaded entries: %.1f MB above empty  (goal < 60), %.0f bytes per entry\n",
        entries.size(), static_cast<double>(after - before) / 1024.0,
        static_cast<double>(after - before) * 1024.0 / static_cast<double>(entries.size()));
}

// Representative attribute values: a resident file with one link grant, two
// versions and an open conflict.
std::string digest_json(int fill)
{
    std::string list = "[";
    for (int i = 0; i < 32; ++i)
        list += (i ? "," : "") + std::to_string(fill);
    return list + "]";
}

struct WorkspaceValues {
    std::string record_id = std::string("\x8d\x1e\x7a\x52\x3c\x4b\x4e\x0f\x9a\x61\x2b\x7c\x5d\x8e\x9f\x10", 16);
    std::string content_hash = std::string(32, '\x05');
    std::string metadata = R"({"schema_version":1,"record_id":"8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10",)"
                           R"("properties":{"schema_version":1,"image_width":640,"image_height":480,"codec":"h264"}})";
    std::string availability
        = R"({"schema_version":1,"record_id":"8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10",)"
          R"("current_version":"11111111-2222-4333-8444-555555555555",)"
          R"("residency":{"state":"resident","bytes":1048576},"transfer":{"phase":"idle","progress":null,)"
          R"("last_error":null,"last_error_at_ms":null,"error_truncated":false},"policy":"automatic",)"
          R"("policy_inherited":false,"replicas":{"state":"known","reachable":2,"durable":1},)"
          R"("freshness":{"metadata_observed_at_ms":1700000000000,"local_verified_at_ms":1700000000000,)"
          R"("replicas_observed_at_ms":1700000000000}})";
    std::string share
        = R"({"schema_version":1,"record_id":"8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10",)"
          R"("observed_at_ms":1700000000000,"grants":[{"grant_id":"00000000-0000-4000-8000-000000000001",)"
          R"("subject":{"kind":"bearer_link"},"permission":"View","expires_at_ms":null,"revoked":false,)"
          R"("expired":false,"used":false,"exhausted":false,"status":"active","redemptions":0,)"
          R"("max_redemptions":null}]})";
    std::string history;

    WorkspaceValues()
    {
        auto version = [](char const* id, char const* parents) {
            return std::string(R"({"id":")") + id + R"(","record_id":"8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10","parents":)"
                + parents + R"(,"actor":{"person":)" + digest_json(1) + R"(,"device":)" + digest_json(2)
                + R"(},"timestamp_ms":1700000000000,"content_hash":)" + digest_json(3) + R"(,"metadata_hash":)"
                + digest_json(4) + R"(,"provenance":"Edit"})";
        };
        history = std::string(R"({"schema_version":1,"record_id":"8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10",)")
            + R"("total_versions":2,"versions_truncated":false,"heads":["66666666-7777-4888-9999-aaaaaaaaaaaa"],)"
            + R"("versions":[)"
            + version("66666666-7777-4888-9999-aaaaaaaaaaaa", R"(["11111111-2222-4333-8444-555555555555"])") + ","
            + version("11111111-2222-4333-8444-555555555555", "[]")
            + R"(],"conflicts_truncated":false,"conflicts":[]})";
    }
};

void set(std::filesystem::path const& path, char const* name, std::string const& value)
{
    if (lsetxattr(path.c_str(), name, value.data(), value.size(), 0) != 0) {
        std::perror(name);
        std::exit(1);
    }
}

// What the workspace listing cannot avoid: readdir, fstatat and the seven
// attribute reads of every item, without decoding anything.
std::size_t attribute_reads_alone(std::filesystem::path const& folder)
{
    namespace attribute = files::model::attribute;
    static constexpr char const* names[] = { attribute::sync, attribute::content_hash, attribute::record_id,
        attribute::availability, attribute::share, attribute::history, attribute::metadata };
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return 0;
    int const fd = dirfd(dir);
    std::string const prefix = folder.native() + "/";
    std::size_t total = 0;
    while (dirent* item = readdir(dir)) {
        struct stat status { };
        if (fstatat(fd, item->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(status.st_mode))
            continue;
        std::string const path = prefix + item->d_name;
        for (char const* name : names) {
            auto value = files::model::read_attribute_view(
                files::model::ItemInFolder { fd, item->d_name, path }, name, files::model::max_attribute_size);
            total += value ? value->size() : 0;
        }
    }
    closedir(dir);
    return total;
}

struct Timing {
    double wall { 0 };
    double cpu { 0 }; // of the whole process, so helper threads count too
};

double process_cpu_seconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Timing timed(std::function<void()> const& work)
{
    double const cpu_start = process_cpu_seconds();
    auto const start = Clock::now();
    work();
    return { std::chrono::duration<double>(Clock::now() - start).count(), process_cpu_seconds() - cpu_start };
}

// Ratios of a measured listing over the plain one, each taken from a pair of
// runs made one right after the other; the median of several pairs holds
// steady on a machine that other work slows down now and then.
struct Ratios {
    std::vector<double> wall;
    std::vector<double> cpu;

    void add(Timing const& measured, Timing const& plain)
    {
        wall.push_back(measured.wall / plain.wall);
        cpu.push_back(measured.cpu / plain.cpu);
    }

    static double median(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0 : values[values.size() / 2];
    }
};

// A folder of `count` workspace files on tmpfs, which keeps all seven values
// of a file (ext4 has room for about 4 KiB). Every file is its own record, so
// no two values are alike, and `generation` makes every folder's values new.
std::filesystem::path make_workspace_folder(std::size_t count, int generation)
{
    char pattern[] = "/dev/shm/bench-listing-workspace-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    std::filesystem::path const folder(pattern);
    WorkspaceValues const values;
    namespace attribute = files::model::attribute;
    std::string const shared_id = "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10";
    for (std::size_t i = 0; i < count; ++i) {
        auto const file = folder / ("clip " + std::to_string(i) + ".mp4");
        char id[37];
        std::snprintf(id, sizeof id, "8d1e7a52-3c4b-4e0f-%04d-%012zu", generation, i);
        auto own = [&](std::string value) {
            for (auto at = value.find(shared_id); at != std::string::npos; at = value.find(shared_id, at))
                value.replace(at, shared_id.size(), id);
            return value;
        };
        int fd = open(file.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0)
            close(fd);
        set(file, attribute::sync, "local");
        set(file, attribute::content_hash, values.content_hash);
        set(file, attribute::record_id, values.record_id);
        set(file, attribute::metadata, own(values.metadata));
        set(file, attribute::availability, own(values.availability));
        set(file, attribute::share, own(values.share));
        set(file, attribute::history, own(values.history));
    }
    return folder;
}

void report_workspace_folder(std::size_t count, int runs)
{
    // The first listing of a folder decodes every value; later re-reads find
    // them in the readers' memo. Each first listing needs a folder of its own.
    std::vector<std::filesystem::path> folders;
    for (int i = 0; i < runs; ++i)
        folders.push_back(make_workspace_folder(count, i));
    std::size_t sink = 0;
    auto plain = [&](std::filesystem::path const& folder) {
        return timed([&] { sink += files::model::list_location(folder, {})->size(); });
    };
    // Warm the caches before anything is measured.
    for (auto const& folder : folders)
        plain(folder);
    Ratios first;
    for (auto const& folder : folders) {
        std::vector<std::filesystem::path> const roots = { folder };
        Timing const baseline = plain(folder);
        first.add(timed([&] { sink += files::model::list_location(folder, roots)->size(); }), baseline);
    }
    // As the explorer does it: re-reading the folder it listed last.
    auto const& folder = folders.back();
    std::vector<std::filesystem::path> const roots = { folder };
    std::size_t with_fields = 0;
    Ratios reread;
    Ratios reads_alone;
    double plain_ms = 1e9;
    double reads_alone_ms = 1e9;
    for (int i = 0; i < 2 * runs; ++i) {
        Timing const baseline = plain(folder);
        plain_ms = std::min(plain_ms, baseline.wall * 1e3);
        reread.add(timed([&] {
            auto listed = files::model::list_location(folder, roots);
            with_fields = static_cast<std::size_t>(std::count_if(listed->begin(), listed->end(),
                [](Entry const& e) { return e.history && e.share && e.availability && e.metadata && e.record_id; }));
        }),
            baseline);
        Timing const alone = timed([&] { sink += attribute_reads_alone(folder); });
        reads_alone_ms = std::min(reads_alone_ms, alone.wall * 1e3);
        reads_alone.add(alone, plain(folder));
    }
    std::printf("workspace folder of %zu files with all seven attributes (%zu decoded), against the same folder "
                "outside a workspace, %u cores, medians of %d and %d pairs:\n",
        count, with_fields, std::thread::hardware_concurrency(), runs, 2 * runs);
    std::printf("  first listing: %.2f (cpu %.2f); re-read: %.2f (cpu %.2f)  (goal <= 4)\n", Ratios::median(first.wall),
        Ratios::median(first.cpu), Ratios::median(reread.wall), Ratios::median(reread.cpu));
    std::printf("  outside a workspace: %.1f ms; readdir + fstatat + the seven reads alone, one thread: %.1f ms, "
                "%.2f\n",
        plain_ms, reads_alone_ms, Ratios::median(reads_alone.wall));
    for (auto const& made : folders) {
        std::error_code ignored;
        std::filesystem::remove_all(made, ignored);
    }
}

}

int main(int argc, char** argv)
{
    // "workspace" runs only the workspace folder case, which needs no large
    // folders on disk.
    if (argc > 1 && std::string_view(argv[1]) == "workspace") {
        report_workspace_folder(10000, 5);
        return 0;
    }
    char pattern[] = "/var/tmp/bench-listing-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path const base(pattern);
    std::printf("creating folders in %s ...\n", pattern);
    auto const large = make_folder(base, "large", 100000);
    auto const medium = make_folder(base, "medium", 20000);

    report_memory(large);
    report_large_folder(large, 5);
    report_unchanged_reread(medium, 7);
    report_workspace_folder(10000, 5);

    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    return 0;
}
