#include "host/detail/headless_desktop.h"

namespace host::detail {

void HeadlessDesktop::copy_text(std::string const& text)
{
    std::lock_guard lock(m_mutex);
    m_clipboard = text;
}

std::optional<std::string> HeadlessDesktop::paste_text()
{
    std::lock_guard lock(m_mutex);
    return m_clipboard;
}

std::string HeadlessDesktop::clipboard_text() const
{
    std::lock_guard lock(m_mutex);
    return m_clipboard.value_or("");
}

base::Result<void> HeadlessDesktop::open_file(std::filesystem::path const& path)
{
    TRY_VOID(ui::check_opener_path(path));
    return base::fail("no desktop opener is available");
}

base::Result<void> HeadlessDesktop::start_program_in(std::string const& program, std::filesystem::path const& folder)
{
    return ui::spawn_detached(program, folder);
}

}
