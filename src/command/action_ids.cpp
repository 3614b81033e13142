#include "command/action_ids.h"

#include <algorithm>
#include <utility>

namespace files::command {

namespace {

    using ui::InvocationKind;

    constexpr std::array<std::pair<std::string_view, InvocationKind>, 20> folder_commands { {
        { "up", InvocationKind::Navigation },
        { "back", InvocationKind::Navigation },
        { "forward", InvocationKind::Navigation },
        { "terminal", InvocationKind::Effect },
        { "hidden", InvocationKind::Navigation },
        { "list", InvocationKind::Navigation },
        { "grid", InvocationKind::Navigation },
        { "sort-name", InvocationKind::Navigation },
        { "sort-size", InvocationKind::Navigation },
        { "sort-type", InvocationKind::Navigation },
        { "sort-modified", InvocationKind::Navigation },
        { "sort-ascending", InvocationKind::Navigation },
        { "sort-descending", InvocationKind::Navigation },
        { "zoom-in", InvocationKind::Navigation },
        { "zoom-out", InvocationKind::Navigation },
        { "shortcuts", InvocationKind::Navigation },
        { "add-favorite", InvocationKind::Effect },
        { "remove-favorite", InvocationKind::Effect },
        { "undo-trash", InvocationKind::Effect },
        { "empty-trash", InvocationKind::Effect },
    } };

    constexpr std::array<std::pair<std::string_view, InvocationKind>, 16> entry_commands { {
        { "restore", InvocationKind::Effect },
        { "purge", InvocationKind::Effect },
        { "properties", InvocationKind::Navigation },
        { "copy", InvocationKind::Effect },
        { "cut", InvocationKind::Effect },
        { "trash", InvocationKind::Effect },
        { "sharing", InvocationKind::Navigation },
        { "history", InvocationKind::Navigation },
        { "compress", InvocationKind::Effect },
        { "extract", InvocationKind::Effect },
        { "availability", InvocationKind::Navigation },
        { "keep-offline", InvocationKind::Effect },
        { "automatic-storage", InvocationKind::Effect },
        { "free-local-space", InvocationKind::Effect },
        { "retry-transfer", InvocationKind::Effect },
        { "send-nearby", InvocationKind::Navigation },
    } };

    template<std::size_t N>
    std::optional<InvocationKind> find_kind(
        std::array<std::pair<std::string_view, InvocationKind>, N> const& table, std::string_view command)
    {
        for (auto const& [name, kind] : table) {
            if (name == command)
                return kind;
        }
        return std::nullopt;
    }

}

bool is_handled_action(std::string_view action_id)
{
    return std::find(handled_action_ids.begin(), handled_action_ids.end(), action_id) != handled_action_ids.end();
}

std::optional<ui::InvocationKind> folder_command_kind(std::string_view command)
{
    return find_kind(folder_commands, command);
}

std::optional<ui::InvocationKind> entry_command_kind(std::string_view command)
{
    return find_kind(entry_commands, command);
}

KindRule kind_rule(std::string_view action_id)
{
    if (action_id == "files.folder-command" || action_id == "files.entry-command")
        return KindRule::PerCommand;
    if (action_id == "kesu.ui.control.invoke")
        return KindRule::Any;
    if (action_id == "files.open" || action_id == "files.reveal-record" || action_id == "files.remote-account")
        return KindRule::Navigation;
    return KindRule::Effect;
}

}
