#include "host/automation_socket.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace host {

namespace {

    // Makes `folder` if missing and insists that it is ours and private.
    base::Result<void> ensure_private_folder(std::filesystem::path const& folder)
    {
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return base::fail_errno(errno, folder.string());
        struct stat info { };
        if (lstat(folder.c_str(), &info) != 0)
            return base::fail_errno(errno, folder.string());
        if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid())
            return base::fail("automation folder is not a private folder of this user: " + folder.string());
        if ((info.st_mode & 0077) != 0 && chmod(folder.c_str(), 0700) != 0)
            return base::fail_errno(errno, folder.string());
        return {};
    }

    base::Result<sockaddr_un> socket_address(std::filesystem::path const& path)
    {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        auto const& text = path.native();
        if (text.empty() || text.size() >= sizeof address.sun_path)
            return base::fail("automation socket path is too long: " + text);
        std::memcpy(address.sun_path, text.data(), text.size());
        return address;
    }

    int new_socket() { return socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0); }

    // Removes a socket file nobody listens on any more; refuses anything else.
    base::Result<void> clear_stale_socket(std::filesystem::path const& path, sockaddr_un const& address)
    {
        struct stat info { };
        if (lstat(path.c_str(), &info) != 0)
            return errno == ENOENT ? base::Result<void> {} : base::fail_errno(errno, path.string());
        if (!S_ISSOCK(info.st_mode))
            return base::fail("automation socket path is in use: " + path.string());
        int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (probe < 0)
            return base::fail_errno(errno, "socket");
        int rc = connect(probe, reinterpret_cast<sockaddr const*>(&address), sizeof address);
        int error = errno;
        close(probe);
        if (rc == 0 || error != ECONNREFUSED)
            return base::fail("automation socket path is in use: " + path.string());
        if (unlink(path.c_str()) != 0 && errno != ENOENT)
            return base::fail_errno(errno, path.string());
        return {};
    }

}

base::Result<std::filesystem::path> prepare_automation_socket_path()
{
    if (char const* chosen = std::getenv("KESU_AUTOMATION_SOCKET"); chosen && *chosen)
        return std::filesystem::path(chosen);
    std::filesystem::path folder;
    if (char const* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        folder = std::filesystem::path(runtime) / "kesu-files";
    else
        folder = "/tmp/kesu-files-" + std::to_string(geteuid());
    TRY_VOID(ensure_private_folder(folder));
    return folder / ("automation-" + std::to_string(getpid()) + ".sock");
}

base::Result<int> listen_unix_socket(std::filesystem::path const& path)
{
    auto address = TRY(socket_address(path));
    TRY_VOID(clear_stale_socket(path, address));
    int fd = new_socket();
    if (fd < 0)
        return base::fail_errno(errno, "socket");
    auto fail_with = [&](char const* what, bool bound) {
        int error = errno;
        if (bound)
            unlink(path.c_str());
        close(fd);
        return base::fail_errno(error, std::string(what) + " " + path.string());
    };
    if (bind(fd, reinterpret_cast<sockaddr const*>(&address), sizeof address) != 0)
        return fail_with("bind", false);
    // The folder keeps others out; the mode is a second fence, and the peer
    // credential check a third.
    if (chmod(path.c_str(), 0600) != 0)
        return fail_with("chmod", true);
    if (listen(fd, 16) != 0)
        return fail_with("listen", true);
    return fd;
}

bool peer_is_same_user(int fd)
{
    ucred credentials {};
    socklen_t length = sizeof credentials;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0 || length != sizeof credentials)
        return false;
    return credentials.uid == geteuid();
}

}
