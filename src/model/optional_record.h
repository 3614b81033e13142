#pragma once

// An optional record kept on the heap and shared between copies. Entries
// carry four large workspace records that are absent for every file outside
// the workspace; holding them this way costs one pointer pair per absent
// record instead of the record's full size, which keeps a listing of 100,000
// plain files small. Copies share the record, so re-reading a folder whose
// attributes did not change costs no record copies: the decoder memo hands
// every entry with the same attribute bytes the same record. A change through
// the non-const accessors first makes the record this holder's own, so
// another holder never sees it. Equality compares the values, as with
// std::optional.

#include <memory>
#include <optional>
#include <utility>

namespace files::model {

template<typename T> class OptionalRecord {
public:
    OptionalRecord() = default;
    OptionalRecord(std::nullopt_t) { }
    OptionalRecord(T value)
        : m_value(std::make_shared<T>(std::move(value)))
    {
    }
    OptionalRecord(std::optional<T> value)
    {
        if (value)
            m_value = std::make_shared<T>(std::move(*value));
    }
    // Holds a record other holders may share; null gives an absent record.
    explicit OptionalRecord(std::shared_ptr<T> shared)
        : m_value(std::move(shared))
    {
    }

    bool has_value() const { return m_value != nullptr; }
    explicit operator bool() const { return has_value(); }
    T const& operator*() const { return *m_value; }
    T& operator*() { return own(); }
    T const* operator->() const { return m_value.get(); }
    T* operator->() { return &own(); }
    void reset() { m_value.reset(); }

    friend bool operator==(OptionalRecord const& a, OptionalRecord const& b)
    {
        if (a.m_value == b.m_value)
            return true;
        if (!a.m_value || !b.m_value)
            return false;
        return *a.m_value == *b.m_value;
    }

private:
    // The record, copied first when another holder shares it. A count of one
    // cannot grow behind our back: only a holder can make another copy.
    T& own()
    {
        if (m_value.use_count() > 1)
            m_value = std::make_shared<T>(*m_value);
        return *m_value;
    }

    std::shared_ptr<T> m_value;
};

}
