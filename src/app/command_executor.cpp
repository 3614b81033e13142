#include "app/command_executor.h"

#include "app/navigation.h"
#include "fileops/archive.h"
#include "fileops/archive_commands.h"
#include "fileops/create_rename_notices.h"
#include "fileops/trash_ops.h"
#include "i18n/translate.h"
#include "ui/desktop.h"

namespace files::app {

namespace {

    i18n::Arguments catalogue_arguments(fileops::Message const& message)
    {
        i18n::Arguments arguments;
        arguments.reserve(message.arguments.size());
        for (auto const& argument : message.arguments) {
            std::visit([&](auto const& value) { arguments.emplace_back(argument.name, value); }, argument.value);
        }
        return arguments;
    }

}

bool refused_in_archive(FileCommand command)
{
    switch (command) {
    case FileCommand::OpenTerminal:
    case FileCommand::NewFolder:
    case FileCommand::BeginRename:
    case FileCommand::CommitRename:
    case FileCommand::MoveToTrash:
    case FileCommand::Copy:
    case FileCommand::Cut:
    case FileCommand::Paste:
    case FileCommand::ExtractSelected:
    case FileCommand::CompressSelection:
    case FileCommand::NewFileFromTemplate:
    case FileCommand::ArmDrag:
    case FileCommand::DropOnFolder:
        return true;
    case FileCommand::UndoMoveToTrash:
    case FileCommand::Restore:
    case FileCommand::DeletePermanently:
    case FileCommand::RequestEmptyTrash:
    case FileCommand::EmptyTrash:
    case FileCommand::CancelRename:
    case FileCommand::ExtractBrowsed:
        return false;
    }
    return false;
}

bool is_archive_location(ExplorerState const& state)
{
    return fileops::archive_location(state.current_path).has_value();
}

bool pass_read_only_guard(ExplorerState& state, FileCommand command)
{
    if (!refused_in_archive(command) || !is_archive_location(state))
        return true;
    set_notice(state, i18n::translate("files-archive-read-only"));
    return false;
}

std::string resolve_message(fileops::Message const& message)
{
    return i18n::translate_with(message.id, catalogue_arguments(message));
}

fileops::MessageResolver message_resolver() { return resolve_message; }

void report(ExplorerState& state, fileops::Message const& message) { set_notice(state, resolve_message(message)); }

void reload_current_folder(ExplorerState& state) { (void)reread(state); }

void copy_selection(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::Copy))
        return;
    report(state, fileops::copy_to_clipboard(state.clipboard, state.selected_paths()));
}

void cut_selection(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::Cut))
        return;
    report(state, fileops::cut_to_clipboard(state.clipboard, state.selected_paths()));
}

base::Result<void> paste_clipboard_here(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::Paste))
        return {};
    auto outcome = fileops::paste_clipboard(state.clipboard, state.current_path, message_resolver());
    if (!outcome)
        return {};
    if (outcome->reload_folder)
        reload_current_folder(state);
    report(state, outcome->notice);
    return outcome->invocation_result();
}

void drop_on_folder(
    ExplorerState& state, std::vector<std::filesystem::path> dragged, std::filesystem::path const& target)
{
    if (!pass_read_only_guard(state, FileCommand::DropOnFolder))
        return;
    auto outcome = fileops::drop_move(dragged, target, message_resolver());
    if (outcome.reload_folder)
        reload_current_folder(state);
    report(state, outcome.notice);
}

void extract_selected(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::ExtractSelected))
        return;
    auto message = fileops::extract_selected_archives(state.selected_paths(), state.current_path);
    if (message.id != "files-archive-select")
        reload_current_folder(state);
    report(state, message);
}

void extract_browsed(ExplorerState& state)
{
    auto location = fileops::archive_location(state.current_path);
    if (!location)
        return;
    auto message = fileops::extract_browsed_archive(location->archive_path);
    if (message.id == "files-archive-extracted")
        reload_current_folder(state);
    report(state, message);
}

void compress_selected(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::CompressSelection))
        return;
    auto message = fileops::compress_selection(state.selected_paths(), state.current_path);
    if (message.id == "files-archive-created")
        reload_current_folder(state);
    report(state, message);
}

base::Result<void> open_terminal_here(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::OpenTerminal))
        return {};
    auto started = ui::desktop().start_program_in("terminal", state.current_path);
    if (!started)
        return base::fail("could not open terminal: " + started.error().text());
    return {};
}

namespace {

    Sheet sheet_from(fileops::ConfirmationSheet const& confirmation)
    {
        Sheet sheet;
        sheet.title = resolve_message(confirmation.title);
        sheet.summary = resolve_message(confirmation.summary);
        sheet.detail_lines = { resolve_message(confirmation.loss) };
        sheet.confirm = confirmation.command == fileops::ConfirmCommand::EmptyTrash ? ConfirmKind::EmptyTrash
                                                                                    : ConfirmKind::PermanentDelete;
        sheet.payload = confirmation.paths;
        return sheet;
    }

    void apply(ExplorerState& state, fileops::TrashOutcome const& outcome)
    {
        if (outcome.reload == fileops::Reload::Yes)
            reload_current_folder(state);
        if (outcome.sheet)
            state.sheet = sheet_from(*outcome.sheet);
        if (outcome.notice)
            report(state, *outcome.notice);
        state.redraw = true;
    }

}

bool is_trash_location(ExplorerState const& state) { return fileops::is_in_trash(state.current_path); }

void trash_selection(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::MoveToTrash))
        return;
    apply(state, fileops::move_to_trash(state.selected_paths(), state.current_path, state.trash_undo));
}

void undo_trash(ExplorerState& state) { apply(state, fileops::undo_move_to_trash(state.trash_undo)); }

void restore_selection(ExplorerState& state)
{
    apply(state, fileops::restore_selected(state.selected_paths(), state.trash_undo));
}

void request_permanent_delete(ExplorerState& state)
{
    // Moving items that are already in the Trash asks for permanent deletion.
    apply(state, fileops::move_to_trash(state.selected_paths(), state.current_path, state.trash_undo));
}

void request_empty_trash(ExplorerState& state) { apply(state, fileops::request_empty_trash(state.entries.size())); }

void confirm_sheet(ExplorerState& state)
{
    if (!state.sheet)
        return;
    auto sheet = std::move(*state.sheet);
    state.sheet.reset();
    if (!sheet.confirm)
        return;
    switch (*sheet.confirm) {
    case ConfirmKind::PermanentDelete:
        apply(state, fileops::delete_permanently(sheet.payload, state.trash_undo));
        return;
    case ConfirmKind::EmptyTrash:
        apply(state, fileops::empty_trash(state.trash_undo));
        return;
    case ConfirmKind::DestructiveEviction:
    case ConfirmKind::ApplySafeMerge:
    case ConfirmKind::ChooseNearbyDestination:
    case ConfirmKind::NearbyRetry:
        // Their features are not built; nothing else opens these sheets.
        return;
    }
}

namespace {

    void select_path(ExplorerState& state, std::filesystem::path const& path)
    {
        for (std::size_t i = 0; i < state.entries.size(); ++i) {
            if (model::same_path(state.entries[i].path, path.native())) {
                state.selection.select_only(i);
                return;
            }
        }
    }

    void open_rename_on(ExplorerState& state, std::filesystem::path const& path)
    {
        state.inline_rename_open = true;
        state.rename_target = path;
        state.pending_rename_text = path.filename().string();
        state.notice.reset();
        state.redraw = true;
    }

    void after_create(ExplorerState& state, fileops::CreateOutcome const& outcome)
    {
        if (outcome.created) {
            reload_current_folder(state);
            select_path(state, *outcome.created);
        }
        report(state, outcome.notice);
        if (outcome.created)
            open_rename_on(state, *outcome.created);
    }

}

void new_folder_here(ExplorerState& state, std::string const& name)
{
    if (!pass_read_only_guard(state, FileCommand::NewFolder))
        return;
    auto typed = name.empty() ? i18n::translate("files-new-folder-default-name") : name;
    after_create(state, fileops::new_folder(state.current_path, typed, message_resolver()));
}

void new_file_from_template_here(ExplorerState& state, std::filesystem::path const& template_path)
{
    if (!pass_read_only_guard(state, FileCommand::NewFileFromTemplate))
        return;
    after_create(state, fileops::new_file_from_template(template_path, state.current_path, message_resolver()));
}

void begin_rename(ExplorerState& state)
{
    if (!pass_read_only_guard(state, FileCommand::BeginRename))
        return;
    auto primary = state.selection.primary();
    if (!primary || *primary >= state.entries.size())
        return;
    open_rename_on(state, state.entries[*primary].path);
}

void commit_rename(ExplorerState& state, std::string const& typed)
{
    if (!state.rename_target || !pass_read_only_guard(state, FileCommand::CommitRename))
        return;
    auto outcome = fileops::commit_rename(*state.rename_target, typed, message_resolver());
    if (outcome.renamed) {
        reload_current_folder(state);
        select_path(state, *outcome.renamed);
    }
    if (outcome.notice)
        report(state, *outcome.notice);
    if (outcome.editor == fileops::RenameEditor::Close)
        cancel_rename(state);
}

void cancel_rename(ExplorerState& state)
{
    state.inline_rename_open = false;
    state.rename_target.reset();
    state.pending_rename_text.reset();
    state.redraw = true;
}

base::Result<void> rename_entry(ExplorerState& state, std::filesystem::path const& path, std::string const& typed)
{
    if (!pass_read_only_guard(state, FileCommand::CommitRename))
        return {};
    auto outcome = fileops::commit_rename(path, typed, message_resolver());
    if (outcome.renamed)
        reload_current_folder(state);
    if (outcome.notice)
        report(state, *outcome.notice);
    if (outcome.editor == fileops::RenameEditor::StayOpen && outcome.notice)
        return base::fail(*state.notice);
    return {};
}

}
