#pragma once

// Where the automation endpoint listens and how its socket is made. Only the
// same user may reach it: the socket lives in a 0700 folder when we choose the
// place, and every accepted peer's credentials are checked as well.

#include "base/result.h"

#include <filesystem>

namespace host {

// KESU_AUTOMATION_SOCKET when set; else
// $XDG_RUNTIME_DIR/kesu-files/automation-<pid>.sock, or, without
// XDG_RUNTIME_DIR, /tmp/kesu-files-<uid>/automation-<pid>.sock. Creates the
// folder (0700) when we choose it, and refuses one that another user owns or
// that others can enter.
base::Result<std::filesystem::path> prepare_automation_socket_path();

// A non-blocking listening Unix stream socket bound at `path`. A stale socket
// left by a process that is gone is replaced; a live one or any other file
// fails with "automation socket path is in use".
base::Result<int> listen_unix_socket(std::filesystem::path const& path);

// True when the peer of a connected Unix socket runs as our user.
bool peer_is_same_user(int fd);

}
