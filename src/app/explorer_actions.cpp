#include "app/explorer_actions.h"

#include "app/command_executor.h"
#include "app/properties.h"
#include "command/action_ids.h"
#include "command/payload.h"
#include "command/resource_address.h"
#include "favorites/favourites_file.h"
#include "fileops/archive.h"
#include "fileops/create_rename_templates.h"
#include "fileops/trash_ops_commands.h"
#include "i18n/translate.h"
#include "places_sidebar/place_resources.h"
#include "ui/desktop.h"

#include <nlohmann/json.hpp>

namespace files::app {

namespace {

    using ui::ActionSpec;
    using ui::InvocationKind;
    using ui::InvokeResult;

    constexpr char const* invalid_kind_text = "file command has an invalid operation kind";

    std::string json_string(std::string const& text) { return nlohmann::json(text).dump(); }

    std::string json_strings(std::vector<std::string> const& texts) { return nlohmann::json(texts).dump(); }

    ActionSpec folder_command(char const* operation, char const* label, char const* command, InvocationKind kind)
    {
        return ActionSpec(operation, label, "files.folder-command").with_payload(json_string(command)).execution(kind);
    }

    bool current_is_folder(ExplorerState const& state)
    {
        std::error_code ec;
        return std::filesystem::is_directory(state.current_path, ec);
    }

    bool is_favourite(ExplorerState const& state, std::filesystem::path const& path)
    {
        for (auto const& favourite : state.favourites) {
            if (model::same_path(favourite.path.native(), path.native()))
                return true;
        }
        return false;
    }

    ui::Resource folder_resource(ExplorerState const& state)
    {
        bool const folder = current_is_folder(state);
        ui::Resource resource("files.folder", command::folder_address(state.current_path), state.current_path.string());
        auto refresh = ActionSpec("refresh", "Refresh folder", "files.refresh").execution(InvocationKind::Effect);
        if (!folder)
            refresh.unavailable("location_missing", "The current folder no longer exists");
        resource.with_action(refresh);
        resource.with_action(folder_command("up", "Parent folder", "up", InvocationKind::Navigation));
        resource.with_action(folder_command("back", "Back", "back", InvocationKind::Navigation));
        resource.with_action(folder_command("forward", "Forward", "forward", InvocationKind::Navigation));
        resource.with_action(folder_command("open-terminal", "Open terminal here", "terminal", InvocationKind::Effect));
        resource.with_action(
            folder_command("toggle-hidden", "Toggle hidden files", "hidden", InvocationKind::Navigation));
        resource.with_action(folder_command("list", "Use list view", "list", InvocationKind::Navigation));
        resource.with_action(folder_command("grid", "Use grid view", "grid", InvocationKind::Navigation));
        resource.with_action(folder_command("sort-name", "Sort by name", "sort-name", InvocationKind::Navigation));
        resource.with_action(folder_command("sort-size", "Sort by size", "sort-size", InvocationKind::Navigation));
        resource.with_action(folder_command("sort-type", "Sort by type", "sort-type", InvocationKind::Navigation));
        resource.with_action(
            folder_command("sort-modified", "Sort by modified date", "sort-modified", InvocationKind::Navigation));
        resource.with_action(
            folder_command("sort-ascending", "Sort ascending", "sort-ascending", InvocationKind::Navigation));
        resource.with_action(
            folder_command("sort-descending", "Sort descending", "sort-descending", InvocationKind::Navigation));
        resource.with_action(folder_command("zoom-in", "Increase item size", "zoom-in", InvocationKind::Navigation));
        resource.with_action(folder_command("zoom-out", "Decrease item size", "zoom-out", InvocationKind::Navigation));
        resource.with_action(
            folder_command("keyboard-shortcuts", "Keyboard shortcuts", "shortcuts", InvocationKind::Navigation));
        auto favourite = is_favourite(state, state.current_path)
            ? folder_command("remove-favorite", "Remove from Favourites", "remove-favorite", InvocationKind::Effect)
            : folder_command("add-favorite", "Add to Favourites", "add-favorite", InvocationKind::Effect);
        if (!folder)
            favourite.unavailable("location_unavailable", "The current location cannot be a favourite");
        resource.with_action(favourite);
        auto new_folder = ActionSpec("new-folder", "New folder", "files.new-folder")
                              .with_payload(json_string(i18n::translate("files-new-folder-default-name")))
                              .with_parameter("Folder name", "New Folder")
                              .execution(InvocationKind::Effect);
        if (!folder)
            new_folder.unavailable("location_unavailable", "The current location cannot contain a new folder");
        resource.with_action(new_folder);
        auto paste = ActionSpec("paste", "Paste", "files.paste").execution(InvocationKind::Effect);
        if (state.clipboard.items.empty())
            paste.unavailable("clipboard_empty", "Copy or cut files before pasting");
        resource.with_action(paste);
        if (state.trash_undo)
            resource.with_action(
                ActionSpec("undo-trash", i18n::translate("files-undo-move-trash"), "files.folder-command")
                    .with_payload(json_string("undo-trash"))
                    .execution(InvocationKind::Effect));
        if (is_trash_location(state))
            resource.with_action(
                ActionSpec("empty-trash", i18n::translate("files-menu-empty-trash"), "files.folder-command")
                    .with_payload(json_string("empty-trash"))
                    .execution(InvocationKind::Effect)
                    .destructive());
        return resource;
    }

    std::optional<std::size_t> find_entry(ExplorerState const& state, std::string const& address)
    {
        for (std::size_t i = 0; i < state.entries.size(); ++i) {
            if (entry_address(state.entries[i]) == address)
                return i;
        }
        return std::nullopt;
    }

    std::optional<favorites::Place> find_place(ExplorerState const& state, std::string const& address)
    {
        for (auto const& place : favorites::sidebar_places(state.favourites, state.system_places)) {
            if (command::place_address(place.path) == address)
                return place;
        }
        return std::nullopt;
    }

    void save_favourites_quietly(ExplorerState const& state)
    {
        // A favourites file that cannot be written leaves the list in memory.
        (void)favorites::save_favourites(state.config_folder, state.favourites);
    }

    InvokeResult run_folder_command(ExplorerState& state, LoadHooks const& hooks, std::string const& command)
    {
        if (command == "up")
            go_up(state, hooks);
        else if (command == "back")
            go_back(state, hooks);
        else if (command == "forward")
            go_forward(state, hooks);
        else if (command == "list")
            state.view_mode = ViewMode::List;
        else if (command == "grid")
            state.view_mode = ViewMode::Grid;
        else if (command == "sort-name")
            set_sort_key(state, model::SortKey::Name);
        else if (command == "sort-size")
            set_sort_key(state, model::SortKey::Size);
        else if (command == "sort-type")
            set_sort_key(state, model::SortKey::Type);
        else if (command == "sort-modified")
            set_sort_key(state, model::SortKey::Modified);
        else if (command == "sort-ascending")
            set_sort_descending(state, false);
        else if (command == "sort-descending")
            set_sort_descending(state, true);
        else if (command == "zoom-in")
            set_zoom(state, state.zoom_level + 1);
        else if (command == "zoom-out")
            set_zoom(state, state.zoom_level - 1);
        else if (command == "hidden")
            toggle_hidden(state, hooks);
        else if (command == "shortcuts")
            state.sheet = keyboard_shortcuts_sheet();
        else if (command == "undo-trash")
            undo_trash(state);
        else if (command == "empty-trash") {
            if (!is_trash_location(state))
                return InvokeResult::failed(invalid_kind_text);
            request_empty_trash(state);
        } else if (command == "terminal") {
            if (auto started = open_terminal_here(state); !started)
                return InvokeResult::failed(started.error().text());
        } else if (command == "add-favorite" || command == "remove-favorite") {
            if (!current_is_folder(state))
                return InvokeResult::failed("the current location cannot be a favourite");
            if (command == "add-favorite")
                favorites::add_favourite(state.favourites, state.current_path, state.place_context);
            else
                favorites::remove_favourite(state.favourites, state.current_path);
            save_favourites_quietly(state);
        } else {
            return InvokeResult::failed(invalid_kind_text);
        }
        state.redraw = true;
        return InvokeResult::handled();
    }

    InvokeResult run_entry_command(ExplorerState& state, std::vector<std::string> const& parts)
    {
        if (parts.empty())
            return InvokeResult::failed("missing file command");
        if (parts.size() < 2)
            return InvokeResult::failed("missing file resource");
        auto index = find_entry(state, parts[1]);
        if (!index)
            return InvokeResult::failed("file entry is no longer visible");
        auto const& command = parts[0];
        state.selection.select_only(*index);
        bool const in_trash = is_trash_location(state);
        if (command == "trash" && in_trash)
            return InvokeResult::failed(std::string(fileops::already_in_trash_text));
        if (command == "copy")
            copy_selection(state);
        else if (command == "trash")
            trash_selection(state);
        else if (command == "restore" && in_trash)
            restore_selection(state);
        else if (command == "purge" && in_trash)
            request_permanent_delete(state);
        else if (command == "cut")
            cut_selection(state);
        else if (command == "properties")
            open_properties(state);
        else if (command == "compress")
            compress_selected(state);
        else if (command == "extract") {
            if (!fileops::is_supported_archive(state.entries[*index].path))
                return InvokeResult::not_handled();
            extract_selected(state);
        } else
            return InvokeResult::not_handled();
        state.redraw = true;
        return InvokeResult::handled();
    }

    bool kind_accepted(std::string const& action_id, int kind)
    {
        auto decoded = ui::invocation_kind_from_value(kind);
        switch (command::kind_rule(action_id)) {
        case command::KindRule::Any:
            return true;
        case command::KindRule::PerCommand:
            return decoded.has_value();
        case command::KindRule::Effect:
            return decoded == InvocationKind::Effect;
        case command::KindRule::Navigation:
            return decoded == InvocationKind::Navigation;
        }
        return false;
    }

}

std::string entry_address(model::Entry const& entry)
{
    if (entry.record_id)
        return command::record_address(*entry.record_id);
    return command::entry_address(entry.path);
}

ui::Resource entry_resource(ExplorerState const& state, std::size_t index)
{
    auto const& entry = state.entries[index];
    auto address = entry_address(entry);
    ui::Resource resource(entry.record_id ? "files.record" : "files.entry", address, entry.name);
    auto entry_command = [&](char const* operation, char const* label_id, char const* command, InvocationKind kind) {
        return ActionSpec(operation, i18n::translate(label_id), "files.entry-command")
            .with_payload(json_strings({ command, address }))
            .execution(kind);
    };
    resource.with_action(ActionSpec("open", i18n::translate("files-menu-open"), "files.open")
                             .with_payload(json_string(address))
                             .execution(InvocationKind::Navigation));
    resource.with_action(ActionSpec("rename", i18n::translate("files-menu-rename"), "files.rename")
                             .with_payload(json_strings({ address, entry.name }))
                             .with_parameter(i18n::translate("files-action-rename-prompt"), entry.name)
                             .execution(InvocationKind::Effect));
    bool const in_trash = is_trash_location(state);
    if (in_trash) {
        resource.with_action(entry_command("restore", "files-menu-restore", "restore", InvocationKind::Effect));
        resource.with_action(
            entry_command("delete-permanently", "files-menu-delete-permanently", "purge", InvocationKind::Effect)
                .destructive());
    }
    resource.with_action(
        entry_command("properties", "files-menu-properties", "properties", InvocationKind::Navigation));
    resource.with_action(entry_command("copy", "files-menu-copy", "copy", InvocationKind::Effect));
    resource.with_action(entry_command("cut", "files-menu-cut", "cut", InvocationKind::Effect));
    if (!in_trash)
        resource.with_action(
            entry_command("trash", "files-menu-move-trash", "trash", InvocationKind::Effect).destructive());
    resource.with_action(entry_command("compress", "files-archive-compress", "compress", InvocationKind::Effect));
    if (fileops::is_supported_archive(entry.path))
        resource.with_action(entry_command("extract", "files-archive-extract-here", "extract", InvocationKind::Effect));
    return resource;
}

std::vector<ui::Resource> explorer_resources(ExplorerState const& state)
{
    std::vector<ui::Resource> resources;
    resources.reserve(state.entries.size() + 8);
    resources.push_back(folder_resource(state));
    if (auto folder = fileops::templates_folder()) {
        bool const can_create = current_is_folder(state);
        for (auto const& template_path : fileops::list_templates(*folder)) {
            auto label = resolve_message(fileops::template_label(template_path));
            auto create = ActionSpec("create", label, "files.new-from-template")
                              .with_payload(json_string(template_path.string()))
                              .execution(InvocationKind::Effect);
            if (!can_create)
                create.unavailable("location_unavailable", "The current location cannot contain a new file");
            resources.push_back(
                ui::Resource("files.template", "files.template:" + command::resource_key(template_path), label)
                    .with_action(create));
        }
    }
    for (auto& place :
        places_sidebar::place_resources(favorites::sidebar_places(state.favourites, state.system_places)))
        resources.push_back(std::move(place));
    for (std::size_t i = 0; i < state.entries.size(); ++i)
        resources.push_back(entry_resource(state, i));
    return resources;
}

void open_path(ExplorerState& state, LoadHooks const& hooks, std::filesystem::path const& path, bool is_folder)
{
    if (auto location = fileops::archive_location(path)) {
        std::error_code ec;
        bool const archive_file_itself = location->inner_path.empty();
        if (archive_file_itself || is_folder) {
            navigate(state, path, hooks);
            return;
        }
        (void)ec;
        set_notice(state, i18n::translate("files-archive-open-after-extract"));
        return;
    }
    if (is_folder) {
        navigate(state, path, hooks);
        return;
    }
    if (auto opened = ui::desktop().open_file(path); !opened)
        set_notice(state, opened.error().text());
}

InvokeResult invoke_action(ExplorerState& state, LoadHooks const& hooks, ui::ActionInvocation const& invocation)
{
    auto const& id = invocation.action_id;
    if (!command::is_handled_action(id) || id == ui::control_invoke_action)
        return InvokeResult::not_handled();

    if (id == "files.folder-command") {
        auto command = command::decode_string(invocation.payload_json);
        if (!command)
            return InvokeResult::failed(command.error().text());
        auto declared = command::folder_command_kind(*command);
        if (!declared || ui::invocation_kind_from_value(invocation.kind) != declared)
            return InvokeResult::failed(invalid_kind_text);
        return run_folder_command(state, hooks, *command);
    }
    if (id == "files.entry-command") {
        auto parts = command::decode_string_array(invocation.payload_json);
        if (!parts)
            return InvokeResult::failed(parts.error().text());
        if (parts->size() >= 2) {
            auto declared = command::entry_command_kind((*parts)[0]);
            if (!declared)
                return InvokeResult::not_handled();
            if (ui::invocation_kind_from_value(invocation.kind) != declared)
                return InvokeResult::failed(invalid_kind_text);
        }
        return run_entry_command(state, *parts);
    }
    if (!kind_accepted(id, invocation.kind))
        return InvokeResult::not_handled();

    if (id == "files.refresh") {
        reload(state, hooks);
        return InvokeResult::handled();
    }
    if (id == "files.paste") {
        if (state.clipboard.items.empty())
            return InvokeResult::failed(std::string(fileops::clipboard_empty_text));
        auto pasted = paste_clipboard_here(state);
        if (!pasted)
            return InvokeResult::failed(pasted.error().text());
        return InvokeResult::handled();
    }
    if (id == "files.open") {
        auto address = command::decode_string(invocation.payload_json);
        if (!address)
            return InvokeResult::failed(address.error().text());
        if (auto index = find_entry(state, *address)) {
            auto const entry = state.entries[*index];
            open_path(state, hooks, entry.path, entry.is_dir);
            return InvokeResult::handled();
        }
        if (auto place = find_place(state, *address)) {
            navigate(state, place->path, hooks);
            return InvokeResult::handled();
        }
        return InvokeResult::failed("file location is no longer available");
    }
    if (id == "files.reveal-record") {
        auto text = command::decode_string(invocation.payload_json);
        if (!text)
            return InvokeResult::failed(text.error().text());
        if (!collab::Uuid::parse(*text))
            return InvokeResult::failed("invalid collaborative record id");
        return InvokeResult::failed("collaborative record is not indexed yet");
    }
    if (id == "files.new-folder") {
        auto name = command::decode_string(invocation.payload_json);
        if (!name)
            return InvokeResult::failed(name.error().text());
        auto typed = invocation.args.value().value_or(*name);
        new_folder_here(state, typed);
        if (!state.inline_rename_open && state.notice)
            return InvokeResult::failed(*state.notice);
        return InvokeResult::handled();
    }
    if (id == "files.rename") {
        auto parts = command::decode_string_array(invocation.payload_json);
        if (!parts)
            return InvokeResult::failed(parts.error().text());
        if (parts->size() < 2)
            return InvokeResult::failed("missing new file name");
        auto index = find_entry(state, (*parts)[0]);
        if (!index)
            return InvokeResult::failed("file entry is no longer visible");
        auto renamed = rename_entry(state, state.entries[*index].path, (*parts)[1]);
        if (!renamed)
            return InvokeResult::failed(renamed.error().text());
        return InvokeResult::handled();
    }
    if (id == "files.new-from-template") {
        auto template_path = command::decode_string(invocation.payload_json);
        if (!template_path)
            return InvokeResult::failed(template_path.error().text());
        auto folder = fileops::templates_folder();
        if (!folder)
            return InvokeResult::failed("the Templates directory is unavailable");
        auto templates = fileops::list_templates(*folder);
        if (std::find(templates.begin(), templates.end(), std::filesystem::path(*template_path)) == templates.end())
            return InvokeResult::failed("the template is no longer available");
        new_file_from_template_here(state, *template_path);
        return InvokeResult::handled();
    }
    // The remaining ids belong to features that are not built yet.
    return InvokeResult::not_handled();
}

}
