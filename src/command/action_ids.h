#pragma once

// The action ids the explorer accepts, the commands carried in their
// payloads, and the invocation kind each command declares.

#include "ui/actions.h"

#include <array>
#include <optional>
#include <string_view>

namespace files::command {

inline constexpr std::array<std::string_view, 17> handled_action_ids { "files.refresh", "files.new-folder",
    "files.paste", "files.new-from-template", "files.open", "files.reveal-record", "files.folder-command",
    "files.entry-command", "files.nearby-send", "files.nearby-decide", "files.nearby-retry", "files.nearby-cancel",
    "files.rename", "files.share-link", "files.remote-account", "files.remote-dav", "kesu.ui.control.invoke" };

bool is_handled_action(std::string_view action_id);

// The kind a folder command ("up", "grid", "terminal" …) declares; nothing
// for a command the explorer does not know.
std::optional<ui::InvocationKind> folder_command_kind(std::string_view command);

// The kind an entry command ("copy", "properties" …) declares; nothing for an
// unknown command.
std::optional<ui::InvocationKind> entry_command_kind(std::string_view command);

// The kinds an action id accepts; for folder and entry commands the kind is
// checked per command instead. "Any" is answered for control invocations.
enum class KindRule : std::uint8_t {
    Effect,
    Navigation,
    PerCommand,
    Any,
};
KindRule kind_rule(std::string_view action_id);

}
