#pragma once

// A memo of decoded attribute values keyed by their exact bytes. A folder is
// re-read every few seconds and its attributes rarely change, and files of
// one record often carry identical values, so most reads find their record
// here instead of decoding again; every holder of the same bytes then shares
// one record. A rejection is remembered too.
//
// The memo is an open-addressed table: a value is looked for only in a short
// window of slots after its hash, so values whose hashes collide (by chance
// or by design) cost at most a window of comparisons and merely push each
// other out. Memory is bounded twice: by the number of slots, and by the
// bytes of the keys; past the byte budget the least recently used values go
// first, so the folder being re-read keeps its values while others age out.
// Threads that read one folder together share the memo. It is split into
// shards by hash, each behind its own lock, so two threads rarely wait for
// each other; decoding happens outside the locks.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace files::model::detail {

// One shard: the table itself, which its owner locks.
template<typename T> class MemoTable {
public:
    static constexpr std::size_t window = 8;
    static constexpr std::size_t initial_slots = 256;

    // `max_slots` must be a power of two of at least `initial_slots`.
    MemoTable(std::size_t max_slots, std::size_t byte_budget)
        : m_max_slots(max_slots)
        , m_byte_budget(byte_budget)
    {
        assert(max_slots >= initial_slots && (max_slots & (max_slots - 1)) == 0
            && "a memo table holds a power of two of at least initial_slots slots");
    }

    std::size_t byte_budget() const { return m_byte_budget; }
    std::size_t key_bytes() const { return m_key_bytes; }

    // The remembered record of `raw` (null for a rejection), or nothing.
    std::optional<std::shared_ptr<T>> lookup(std::string_view raw, std::size_t hash)
    {
        auto found = find(raw, hash);
        if (!found)
            return std::nullopt;
        touch(*found);
        return m_slots[*found].value;
    }

    // Remembers `value` for `raw` unless another thread did meanwhile, and
    // gives the record now remembered.
    std::shared_ptr<T> remember(std::string_view raw, std::size_t hash, std::shared_ptr<T> value)
    {
        if (auto found = find(raw, hash))
            return m_slots[*found].value;
        insert(raw, hash, value);
        return value;
    }

private:
    using Index = std::uint32_t;
    static constexpr Index none = std::numeric_limits<Index>::max();

    struct Slot {
        bool used { false };
        std::size_t hash { 0 };
        std::uint64_t stamp { 0 }; // when last used
        std::string key;
        std::shared_ptr<T> value;
        // The recency list, most recent first.
        Index newer { none };
        Index older { none };
    };

    std::size_t mask() const { return m_slots.size() - 1; }
    Index at(std::size_t hash, std::size_t step) const { return static_cast<Index>((hash + step) & mask()); }

    std::optional<Index> find(std::string_view raw, std::size_t hash) const
    {
        if (m_slots.empty())
            return std::nullopt;
        for (std::size_t i = 0; i < window; ++i) {
            Slot const& slot = m_slots[at(hash, i)];
            if (slot.used && slot.hash == hash && slot.key == raw)
                return at(hash, i);
        }
        return std::nullopt;
    }

    void unlink(Index index)
    {
        Slot& slot = m_slots[index];
        (slot.newer == none ? m_newest : m_slots[slot.newer].older) = slot.older;
        (slot.older == none ? m_oldest : m_slots[slot.older].newer) = slot.newer;
        slot.newer = slot.older = none;
    }

    void push_newest(Index index)
    {
        Slot& slot = m_slots[index];
        slot.older = m_newest;
        slot.newer = none;
        (m_newest == none ? m_oldest : m_slots[m_newest].newer) = index;
        m_newest = index;
    }

    void touch(Index index)
    {
        m_slots[index].stamp = ++m_clock;
        if (m_newest == index)
            return;
        unlink(index);
        push_newest(index);
    }

    void clear(Index index)
    {
        unlink(index);
        m_key_bytes -= m_slots[index].key.size();
        --m_used;
        m_slots[index] = Slot {};
    }

    // Where a new key goes: the first free slot of its window, else the
    // window's least recently used one.
    Index victim(std::size_t hash) const
    {
        Index oldest = at(hash, 0);
        for (std::size_t i = 0; i < window; ++i) {
            Slot const& slot = m_slots[at(hash, i)];
            if (!slot.used)
                return at(hash, i);
            if (slot.stamp < m_slots[oldest].stamp)
                oldest = at(hash, i);
        }
        return oldest;
    }

    void place(Index index, std::size_t hash, std::string key, std::shared_ptr<T> value)
    {
        if (m_slots[index].used)
            clear(index);
        Slot& slot = m_slots[index];
        slot.used = true;
        slot.hash = hash;
        slot.stamp = ++m_clock;
        m_key_bytes += key.size();
        slot.key = std::move(key);
        slot.value = std::move(value);
        ++m_used;
        push_newest(index);
    }

    void insert(std::string_view raw, std::size_t hash, std::shared_ptr<T> value)
    {
        // Grow while the table is half full, up to its largest size.
        if (m_slots.empty())
            m_slots.resize(initial_slots);
        else if (m_used * 2 >= m_slots.size() && m_slots.size() < m_max_slots)
            grow();
        place(victim(hash), hash, std::string(raw), std::move(value));
        while (m_key_bytes > m_byte_budget && m_oldest != m_newest)
            clear(m_oldest);
    }

    // Doubles the table, moving the values over oldest first so their order
    // of use is kept.
    void grow()
    {
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(m_slots.size() * 2));
        Index index = m_oldest;
        m_oldest = m_newest = none;
        m_used = 0;
        m_key_bytes = 0;
        while (index != none) {
            Slot& slot = old[index];
            index = slot.newer;
            place(victim(slot.hash), slot.hash, std::move(slot.key), std::move(slot.value));
        }
    }

    std::size_t const m_max_slots;
    std::size_t const m_byte_budget;
    std::vector<Slot> m_slots;
    std::size_t m_used { 0 };
    std::size_t m_key_bytes { 0 };
    Index m_newest { none };
    Index m_oldest { none };
    std::uint64_t m_clock { 0 };
};

template<typename T> class DecodeMemo {
public:
    static constexpr std::size_t shard_count = 8;

    // `max_slots` must be a power of two of at least
    // shard_count * MemoTable::initial_slots; slots and bytes are split
    // evenly between the shards.
    DecodeMemo(std::size_t max_slots, std::size_t byte_budget)
        : m_shards(make_shards(max_slots / shard_count, byte_budget / shard_count))
    {
    }

    // The record decoded from `raw` (null when it was rejected), decoding
    // only when these bytes were not seen recently. `decode` takes the bytes
    // and gives an optional record.
    template<typename Decode> std::shared_ptr<T> decode(std::string_view raw, Decode&& decode_value)
    {
        std::size_t const hash = std::hash<std::string_view> {}(raw);
        // The low bits pick the slot within a shard, the high ones the shard.
        Shard& shard = m_shards[hash >> (8 * sizeof hash - 3)];
        {
            std::lock_guard lock(shard.mutex);
            if (auto found = shard.table.lookup(raw, hash))
                return *found;
        }
        std::shared_ptr<T> value;
        if (std::optional<T> decoded = decode_value(raw))
            value = std::make_shared<T>(std::move(*decoded));
        // A value above the whole budget would only push everything out.
        if (raw.size() > shard.table.byte_budget())
            return value;
        std::lock_guard lock(shard.mutex);
        return shard.table.remember(raw, hash, std::move(value));
    }

    std::size_t key_bytes() const
    {
        std::size_t total = 0;
        for (auto const& shard : m_shards) {
            std::lock_guard lock(shard.mutex);
            total += shard.table.key_bytes();
        }
        return total;
    }

private:
    struct Shard {
        Shard(std::size_t slots, std::size_t bytes)
            : table(slots, bytes)
        {
        }
        mutable std::mutex mutex;
        MemoTable<T> table;
    };
    static_assert(shard_count == 8, "the shard is picked by the hash's top three bits");

    static std::array<Shard, shard_count> make_shards(std::size_t slots, std::size_t bytes)
    {
        return { Shard(slots, bytes), Shard(slots, bytes), Shard(slots, bytes), Shard(slots, bytes),
            Shard(slots, bytes), Shard(slots, bytes), Shard(slots, bytes), Shard(slots, bytes) };
    }

    std::array<Shard, shard_count> m_shards;
};

}
