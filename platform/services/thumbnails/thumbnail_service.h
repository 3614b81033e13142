#pragma once

// Thumbnails decoded in the background. The interface thread asks for a key
// every frame; the first ask queues the work and every later ask is a lookup
// until the result is ready. Results live in a memory cache with a byte
// budget and as PNG files named by key in the cache folder, so a restart does
// not decode again. A key that failed is remembered and not retried every
// frame.

#include "services/thumbnails/thumb_key.h"
#include "ui/image.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>

namespace services {

// What a request may read. The embedded thumbnail attribute is always tried;
// the file's own content only with Allowed, so a file whose content is not
// local is never opened.
enum class ContentAccess : std::uint8_t {
    EmbeddedOnly,
    Allowed,
};

struct ThumbnailOptions {
    // Decoded pixels kept in memory; the least recently used go first.
    std::size_t memory_budget_bytes { 64u << 20 };
    int worker_count { 2 };
    // A failed key is not tried again for this long.
    std::chrono::seconds retry_failed_after { 60 };
    // A queued key that has not been asked for again while this many other
    // asks came in has scrolled out of sight; it is dropped undecoded (and
    // queued afresh if it is asked for later), so a fast scroll does not
    // leave a backlog that pushes what is on screen out of memory.
    std::uint64_t stale_after_requests { 4096 };
};

// Thumbnails are at most this many device pixels on their long side.
inline constexpr int thumbnail_max_side = 256;

class ThumbnailService {
public:
    // Starts the workers. The cache folder is created when the first result
    // is written; if it cannot be, results are kept in memory only.
    static std::shared_ptr<ThumbnailService> create(
        std::filesystem::path cache_folder, ThumbnailOptions const& options = {});
    ~ThumbnailService();
    ThumbnailService(ThumbnailService const&) = delete;
    ThumbnailService& operator=(ThumbnailService const&) = delete;

    // The decoded image when it is ready; otherwise queues the work (at most
    // once per key) and returns nothing. Never waits for decoding. Keys asked
    // for most recently are decoded first, so what is on screen comes before
    // what was scrolled past.
    std::optional<ui::Image> request_file(ThumbKey const& key, std::filesystem::path const& path, ContentAccess access);

    // Requests queued or being decoded.
    std::size_t pending() const;
    // Returns when no request is pending.
    void block_until_idle();

    // Bytes of decoded pixels held in memory, and how many requests have
    // been queued since the start (each key once while it stays cached or
    // failed), for tests and benchmarks.
    std::size_t memory_bytes() const;
    std::size_t jobs_queued() const;

private:
    struct State;
    explicit ThumbnailService(std::shared_ptr<State> state);
    std::shared_ptr<State> m_state;
};

}
