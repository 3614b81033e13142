#include "services/thumbnails/thumbnail_service.h"

#include "services/thumbnails/detail/decoders.h"
#include "services/thumbnails/detail/disk_cache.h"
#include "services/thumbnails/detail/memory_cache.h"
#include "ui/desktop.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

namespace services {

namespace {

    using Clock = std::chrono::steady_clock;

    struct Job {
        ThumbKey key;
        std::filesystem::path path;
        ContentAccess access;
    };

    struct Failure {
        ContentAccess access;
        Clock::time_point at;
    };

    // A failure under Allowed covers an EmbeddedOnly request too; one under
    // EmbeddedOnly says nothing about the file's own content.
    bool covers(ContentAccess failed, ContentAccess requested)
    {
        return static_cast<int>(failed) >= static_cast<int>(requested);
    }

    std::optional<ui::Image> decode(Job const& job, std::filesystem::path const& folder)
    {
        if (auto cached = detail::load_cached(folder, job.key))
            return cached;
        std::optional<ui::Image> image;
        if (auto embedded = detail::read_embedded_thumbnail(job.path)) {
            if (auto decoded = detail::decode_image_bytes(*embedded))
                image = std::move(*decoded);
        }
        if (!image && job.access == ContentAccess::Allowed) {
            if (auto decoded = detail::decode_content(job.path))
                image = std::move(*decoded);
        }
        if (image)
            detail::store_cached(folder, job.key, *image);
        return image;
    }

}

struct ThumbnailService::State {
    std::filesystem::path folder;
    ThumbnailOptions options;

    mutable std::mutex mutex;
    std::condition_variable work_ready;
    std::condition_variable idle;
    bool stopping { false };

    detail::MemoryCache memory;
    std::unordered_map<ThumbKey, Failure> failures;
    // Queued jobs by priority (a rising counter: the newest ask is decoded
    // first) and the priority of each queued key.
    std::map<std::uint64_t, Job> queue;
    std::unordered_map<ThumbKey, std::uint64_t> queued;
    std::unordered_map<ThumbKey, ContentAccess> running;
    std::uint64_t next_priority { 0 };
    std::size_t jobs_queued { 0 };
    std::vector<std::jthread> workers;

    State(std::filesystem::path cache_folder, ThumbnailOptions const& service_options)
        : folder(std::move(cache_folder))
        , options(service_options)
        , memory(service_options.memory_budget_bytes)
    {
    }

    void enqueue(ThumbKey const& key, std::filesystem::path const& path, ContentAccess access)
    {
        if (auto found = queued.find(key); found != queued.end()) {
            auto node = queue.extract(found->second);
            if (access == ContentAccess::Allowed)
                node.mapped().access = access;
            node.key() = found->second = next_priority++;
            queue.insert(std::move(node));
            return;
        }
        if (auto found = running.find(key); found != running.end() && covers(found->second, access))
            return;
        std::uint64_t priority = next_priority++;
        queue.emplace(priority, Job { key, path, access });
        queued.emplace(key, priority);
        ++jobs_queued;
        work_ready.notify_one();
    }

    void drop_stale()
    {
        while (!queue.empty() && queue.begin()->first + options.stale_after_requests < next_priority) {
            queued.erase(queue.begin()->second.key);
            queue.erase(queue.begin());
        }
        if (queue.empty() && running.empty())
            idle.notify_all();
    }

    void work()
    {
        std::unique_lock lock(mutex);
        for (;;) {
            work_ready.wait(lock, [this] { return stopping || !queue.empty(); });
            if (stopping)
                return;
            drop_stale();
            if (queue.empty())
                continue;
            auto newest = std::prev(queue.end());
            Job job = std::move(newest->second);
            queue.erase(newest);
            queued.erase(job.key);
            running[job.key] = job.access;
            lock.unlock();
            std::optional<ui::Image> image = decode(job, folder);
            lock.lock();
            running.erase(job.key);
            if (image) {
                failures.erase(job.key);
                memory.insert(job.key, std::move(*image));
            } else {
                failures[job.key] = Failure { job.access, Clock::now() };
            }
            if (queue.empty() && running.empty())
                idle.notify_all();
            lock.unlock();
            ui::desktop().wake();
            lock.lock();
        }
    }
};

std::shared_ptr<ThumbnailService> ThumbnailService::create(
    std::filesystem::path cache_folder, ThumbnailOptions const& options)
{
    auto state = std::make_shared<State>(std::move(cache_folder), options);
    int count = std::clamp(options.worker_count, 1, 8);
    for (int i = 0; i < count; ++i)
        state->workers.emplace_back([raw = state.get()] { raw->work(); });
    return std::shared_ptr<ThumbnailService>(new ThumbnailService(std::move(state)));
}

ThumbnailService::ThumbnailService(std::shared_ptr<State> state)
    : m_state(std::move(state))
{
}

ThumbnailService::~ThumbnailService()
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->stopping = true;
        m_state->queue.clear();
        m_state->queued.clear();
    }
    m_state->work_ready.notify_all();
    m_state->workers.clear();
    m_state->idle.notify_all();
}

std::optional<ui::Image> ThumbnailService::request_file(
    ThumbKey const& key, std::filesystem::path const& path, ContentAccess access)
{
    std::lock_guard lock(m_state->mutex);
    if (auto image = m_state->memory.find(key))
        return image;
    if (auto found = m_state->failures.find(key); found != m_state->failures.end()) {
        bool fresh = Clock::now() - found->second.at < m_state->options.retry_failed_after;
        if (fresh && covers(found->second.access, access))
            return std::nullopt;
    }
    m_state->enqueue(key, path, access);
    return std::nullopt;
}

std::size_t ThumbnailService::pending() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->queue.size() + m_state->running.size();
}

void ThumbnailService::block_until_idle()
{
    std::unique_lock lock(m_state->mutex);
    m_state->idle.wait(
        lock, [this] { return m_state->stopping || (m_state->queue.empty() && m_state->running.empty()); });
}

std::size_t ThumbnailService::memory_bytes() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->memory.bytes();
}

std::size_t ThumbnailService::jobs_queued() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->jobs_queued;
}

}
