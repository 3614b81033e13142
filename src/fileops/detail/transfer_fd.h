#pragma once

// Small owners for the descriptors the transfer engine works through.

#include "base/unique_fd.h"

#include <utility>

#include <dirent.h>
#include <unistd.h>

namespace files::fileops::detail {

using base::UniqueFd;

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
