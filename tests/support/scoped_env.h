#pragma once

// Sets or clears an environment variable for the lifetime of the object and
// restores the previous value afterwards, so tests never leak settings.

#include <cstdlib>
#include <optional>
#include <string>

namespace test_support {

class ScopedEnv {
public:
    ScopedEnv(char const* name, std::optional<std::string> const& value)
        : m_name(name)
    {
        if (char const* old = std::getenv(name))
            m_previous = old;
        apply(value);
    }
    ~ScopedEnv() { apply(m_previous); }
    ScopedEnv(ScopedEnv const&) = delete;
    ScopedEnv& operator=(ScopedEnv const&) = delete;

private:
    void apply(std::optional<std::string> const& value)
    {
        if (value)
            setenv(m_name.c_str(), value->c_str(), 1);
        else
            unsetenv(m_name.c_str());
    }

    std::string m_name;
    std::optional<std::string> m_previous;
};

}
