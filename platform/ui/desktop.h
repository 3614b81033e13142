#pragma once

// What the desktop offers an application besides its window: the clipboard,
// the document opener, starting programs, dragging files to other programs and
// the user's settings. The window host installs its implementation for the
// whole process; without a host (tests, scenes) a quiet stand-in answers.

#include "base/result.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Puts text on the desktop clipboard.
    virtual void copy_text(std::string const& text) = 0;
    // The text on the desktop clipboard, or nothing when it holds no text
    // (or the desktop cannot say).
    virtual std::optional<std::string> paste_text() { return std::nullopt; }
    // Opens a file with the desktop's document opener. Fails with
    // "the desktop opener takes UTF-8 paths" for a path that is not UTF-8.
    virtual base::Result<void> open_file(std::filesystem::path const& path) = 0;
    // Starts `program` (looked up in PATH) with `folder` as working directory
    // and no arguments; does not wait for it.
    virtual base::Result<void> start_program_in(std::string const& program, std::filesystem::path const& folder) = 0;
    // Starts an inter-application drag of a list of files.
    virtual void start_file_drag(std::vector<std::filesystem::path> const& paths) = 0;
    // The desktop's multi-click interval and text scale.
    virtual std::chrono::milliseconds double_click_interval() const = 0;
    virtual double text_scale() const = 0;
    virtual bool reduced_motion() const = 0;
    // Wakes the interface thread's loop; callable from any thread.
    virtual void wake() = 0;
};

// The process-wide desktop. Never null: before a host installs one, a stand-in
// that records clipboard text and opens nothing is used.
Desktop& desktop();
// Installs `instance` (owned by the caller, who must outlive its use) or, with
// null, the stand-in again.
void install_desktop(Desktop* instance);

// Checks the UTF-8 rule of the document opener; shared by every host.
base::Result<void> check_opener_path(std::filesystem::path const& path);

// Starts a program detached, in a folder, with no arguments; shared by hosts.
base::Result<void> spawn_detached(std::string const& program, std::filesystem::path const& folder);

}
