#pragma once

// Results and errors shared by every layer. Operations that can fail return
// Result<T>; the error carries the text the user will read and, when it came
// from the operating system, the errno so callers can branch without parsing.

#include <cerrno>
#include <expected>
#include <string>
#include <utility>

namespace base {

class Error {
public:
    // A failure described by a user-facing text (a resolved catalogue
    // message or a fixed English text).
    static Error from_text(std::string text) { return Error(std::move(text), 0); }

    // A failure from the operating system; the text is strerror(code).
    static Error from_errno(int code);

    // As from_errno, with a context prefixed as "context: strerror".
    static Error from_errno(int code, std::string const& context);

    std::string const& text() const { return m_text; }
    int code() const { return m_code; }
    bool is_errno(int code) const { return m_code != 0 && m_code == code; }

private:
    Error(std::string text, int code)
        : m_text(std::move(text))
        , m_code(code)
    {
    }

    std::string m_text;
    int m_code { 0 };
};

template<typename T>
using Result = std::expected<T, Error>;

inline std::unexpected<Error> fail(std::string text) { return std::unexpected(Error::from_text(std::move(text))); }
inline std::unexpected<Error> fail_errno(int code) { return std::unexpected(Error::from_errno(code)); }
inline std::unexpected<Error> fail_errno(int code, std::string const& context)
{
    return std::unexpected(Error::from_errno(code, context));
}

// The current errno as a failure; read errno before anything else can change it.
inline std::unexpected<Error> fail_last_errno() { return fail_errno(errno); }

}

// Propagates the error of a Result early; evaluates to the value otherwise.
// Usage: auto fd = TRY(open_folder(path));
#define TRY(expression)                                                   \
    __extension__({                                                       \
        auto&& _try_result = (expression);                                \
        if (!_try_result) [[unlikely]]                                    \
            return std::unexpected(std::move(_try_result).error());       \
        std::move(_try_result).value();                                   \
    })

// For Result<void>.
#define TRY_VOID(expression)                                              \
    do {                                                                  \
        auto&& _try_result = (expression);                                \
        if (!_try_result) [[unlikely]]                                    \
            return std::unexpected(std::move(_try_result).error());       \
    } while (false)
