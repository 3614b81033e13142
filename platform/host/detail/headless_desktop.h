#pragma once

#include "host/detail/wake_event.h"
#include "ui/desktop.h"

#include <mutex>
#include <optional>

namespace host::detail {

// The desktop of a process without a display: the clipboard is a string the
// automation endpoint can read, nothing can be opened or dragged, and the
// settings are the usual defaults.
class HeadlessDesktop final : public ui::Desktop {
public:
    explicit HeadlessDesktop(WakeEvent const& wake)
        : m_wake(wake)
    {
    }

    void copy_text(std::string const& text) override;
    std::optional<std::string> paste_text() override;
    std::string clipboard_text() const;
    base::Result<void> open_file(std::filesystem::path const& path) override;
    base::Result<void> start_program_in(std::string const& program, std::filesystem::path const& folder) override;
    void start_file_drag(std::vector<std::filesystem::path> const&) override { }
    std::chrono::milliseconds double_click_interval() const override { return std::chrono::milliseconds(400); }
    double text_scale() const override { return 1.0; }
    bool reduced_motion() const override { return false; }
    void wake() override { m_wake.signal(); }

private:
    WakeEvent const& m_wake;
    mutable std::mutex m_mutex;
    std::optional<std::string> m_clipboard;
};

}
