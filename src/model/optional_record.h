#pragma once

// An optional value kept on the heap. Entries carry four large workspace
// records that are absent for every file outside the workspace; holding them
// this way costs one pointer per absent record instead of the record's full
// size, which keeps a listing of 100,000 plain files small. Copies are deep
// and equality compares the values, as with std::optional.

#include <memory>
#include <optional>
#include <utility>

namespace files::model {

template<typename T> class OptionalRecord {
public:
    OptionalRecord() = default;
    OptionalRecord(std::nullopt_t) { }
    OptionalRecord(T value)
        : m_value(std::make_unique<T>(std::move(value)))
    {
    }
    OptionalRecord(std::optional<T> value)
    {
        if (value)
            m_value = std::make_unique<T>(std::move(*value));
    }
    OptionalRecord(OptionalRecord const& other)
        : m_value(other.m_value ? std::make_unique<T>(*other.m_value) : nullptr)
    {
    }
    OptionalRecord(OptionalRecord&&) noexcept = default;
    OptionalRecord& operator=(OptionalRecord const& other)
    {
        if (this != &other)
            m_value = other.m_value ? std::make_unique<T>(*other.m_value) : nullptr;
        return *this;
    }
    OptionalRecord& operator=(OptionalRecord&&) noexcept = default;

    bool has_value() const { return m_value != nullptr; }
    explicit operator bool() const { return has_value(); }
    T const& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    T const* operator->() const { return m_value.get(); }
    T* operator->() { return m_value.get(); }
    void reset() { m_value.reset(); }

    friend bool operator==(OptionalRecord const& a, OptionalRecord const& b)
    {
        if (!a.m_value || !b.m_value)
            return !a.m_value && !b.m_value;
        return *a.m_value == *b.m_value;
    }

private:
    std::unique_ptr<T> m_value;
};

}
