#pragma once

// Small owners for the descriptors the transfer engine works through.

#include <utility>

#include <dirent.h>
#include <unistd.h>

namespace files::fileops::detail {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd)
        : m_fd(fd)
    {
    }
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept
        : m_fd(std::exchange(other.m_fd, -1))
    {
    }
    UniqueFd& operator=(UniqueFd&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    UniqueFd(UniqueFd const&) = delete;
    UniqueFd& operator=(UniqueFd const&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    // Closes now and returns close's own result, which for a written file can
    // be the first report of a failed write.
    int close() { return ::close(std::exchange(m_fd, -1)); }

private:
    void reset()
    {
        if (m_fd >= 0)
            ::close(std::exchange(m_fd, -1));
    }

    int m_fd { -1 };
};

// A directory stream over a duplicate of an open folder, so the folder's own
// descriptor stays usable for the *at calls.
class DirectoryStream {
public:
    explicit DirectoryStream(int folder_fd)
    {
        int copy = ::dup(folder_fd);
        if (copy < 0)
            return;
        m_dir = ::fdopendir(copy);
        if (!m_dir)
            ::close(copy);
    }
    ~DirectoryStream()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    DirectoryStream(DirectoryStream const&) = delete;
    DirectoryStream& operator=(DirectoryStream const&) = delete;

    DIR* get() const { return m_dir; }

private:
    DIR* m_dir { nullptr };
};

// The name of a directory entry unless it is "." or "..".
inline bool is_real_entry(char const* name)
{
    return !(name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')));
}

}
