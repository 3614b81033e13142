// Prints the cost of listing, sorting and re-reading large folders as ratios
// against a plain readdir + fstatat loop over the same folder, measured in
// the same run. Also prints the resident memory a listing of 100,000 entries
// holds.

#include "model/listing.h"

#include "model/attribute_names.h"
#include "model/reread.h"
#include "model/sorting.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// tmpfs keeps all seven values of a file; ext4 has room for about 4 KiB.
void report_workspace_folder(std::size_t count, int runs)
{
    char pattern[] = "/dev/shm/bench-listing-workspace-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return;
    }
    std::filesystem::path const folder(pattern);
    WorkspaceValues const values;
    namespace attribute = files::model::attribute;
    std::string const shared_id = "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10";
    for (std::size_t i = 0; i < count; ++i) {
        auto const file = folder / ("clip " + std::to_string(i) + ".mp4");
        // Every file is its own record, so no two values are alike.
        char id[37];
        std::snprintf(id, sizeof id, "8d1e7a52-3c4b-4e0f-9a61-%012zu", i);
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
    std::vector<std::filesystem::path> const roots = { folder };
    std::size_t sink = 0;
    double const plain = best_of(runs, [&] { sink += files::model::list_location(folder, {})->size(); });
    std::size_t with_fields = 0;
    // The first listing decodes every value; later re-reads find them in the
    // readers' memo.
    double const first = best_of(1, [&] { sink += files::model::list_location(folder, roots)->size(); });
    double const workspace = best_of(runs, [&] {
        auto listed = files::model::list_location(folder, roots);
        with_fields = static_cast<std::size_t>(std::count_if(listed->begin(), listed->end(),
            [](Entry const& e) { return e.history && e.share && e.availability && e.metadata && e.record_id; }));
    });
    std::printf("workspace folder of %zu files with all seven attributes (%zu decoded) / same folder outside a "
                "workspace:\n  first listing: %.2f, re-read: %.2f  (goal <= 4)\n",
        count, with_fields, first / plain, workspace / plain);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}

int main()
{
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
