#pragma once

// The window hosts: a GTK 4 window when a display is there, or a headless loop
// for tests and CI. Both run the same frame driver and serve the same
// automation endpoint, and both install their ui::Desktop for their lifetime.

#include "base/result.h"
#include "ui/geometry.h"
#include "ui/widget.h"

#include <memory>
#include <string>

namespace host {

struct WindowOptions {
    std::string app_id;
    std::string title;
    ui::Size size { 1280, 800 };
};

class Host {
public:
    virtual ~Host();

    // Runs the loop with `root` until the window closes or quit() is called.
    // Fails when the loop cannot start (no display, no automation socket for a
    // headless host).
    virtual base::Result<void> run(ui::Widget& root) = 0;
    // Ends the loop; callable from any thread, also before run.
    virtual void quit() = 0;
    // Wakes the loop so the root is synced on the next frame; callable from
    // any thread. Equivalent to ui::desktop().wake() while the host runs.
    virtual void wake() = 0;
};

std::unique_ptr<Host> create_headless_host(WindowOptions options);
// Fails when no display can be opened.
base::Result<std::unique_ptr<Host>> create_gtk_host(WindowOptions options);
// GTK when a display is there (WAYLAND_DISPLAY or DISPLAY set) and KESU_HOST
// is not "headless"; otherwise headless.
base::Result<std::unique_ptr<Host>> create_host(WindowOptions options);

}
