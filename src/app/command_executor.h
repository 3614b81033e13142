#pragma once

// The command executor for local file operations: the read-only guard for
// archive locations, the operation, the re-read of the current folder when
// it changed, and the one notice that reports the result.

#include "app/explorer_state.h"
#include "base/result.h"
#include "fileops/transfer_message.h"

#include <filesystem>

namespace files::app {

enum class FileCommand : std::uint8_t {
    Copy,
    Cut,
    Paste,
    DropOnFolder,
    ArmDrag,
    MoveToTrash,
    UndoMoveToTrash,
    Restore,
    DeletePermanently,
    RequestEmptyTrash,
    EmptyTrash,
    NewFolder,
    NewFileFromTemplate,
    BeginRename,
    CommitRename,
    CancelRename,
    ExtractSelected,
    ExtractBrowsed,
    CompressSelection,
    OpenTerminal,
};

// True for the commands an archive location refuses.
bool refused_in_archive(FileCommand command);

// True when the current location lies inside an archive file.
bool is_archive_location(ExplorerState const& state);

// The guard: inside an archive a refused command sets files-archive-read-only
// and answers false; otherwise true.
bool pass_read_only_guard(ExplorerState& state, FileCommand command);

// Resolves a message in the current locale.
std::string resolve_message(fileops::Message const& message);
fileops::MessageResolver message_resolver();

// Replaces the notice with the resolved message.
void report(ExplorerState& state, fileops::Message const& message);

// Re-reads the current folder, keeping the location and the selection by
// identity, so a report and the new listing arrive together.
void reload_current_folder(ExplorerState& state);

void copy_selection(ExplorerState& state);
void cut_selection(ExplorerState& state);
// Answers what an action invocation answers: success, or the paste failure
// text. An empty clipboard does nothing and answers success.
base::Result<void> paste_clipboard_here(ExplorerState& state);
void drop_on_folder(
    ExplorerState& state, std::vector<std::filesystem::path> dragged, std::filesystem::path const& target);
void extract_selected(ExplorerState& state);
void extract_browsed(ExplorerState& state);
void compress_selected(ExplorerState& state);
// Moves the selection to Trash; inside the Trash asks for permanent
// deletion with a confirmation sheet instead.
void trash_selection(ExplorerState& state);
void undo_trash(ExplorerState& state);
void restore_selection(ExplorerState& state);
// Opens the confirmation sheet for deleting the selection permanently.
void request_permanent_delete(ExplorerState& state);
void request_empty_trash(ExplorerState& state);
// Runs what the open sheet asks to confirm, and closes it.
void confirm_sheet(ExplorerState& state);
// True when the current folder is the Trash's files folder.
bool is_trash_location(ExplorerState const& state);

// New folder and new file from a template: created, the folder re-read,
// the new entry selected and the inline rename opened on it.
void new_folder_here(ExplorerState& state, std::string const& name);
void new_file_from_template_here(ExplorerState& state, std::filesystem::path const& template_path);
// Inline rename of the primary selected entry.
void begin_rename(ExplorerState& state);
// Validates and renames; a failure keeps the editor open with the text.
void commit_rename(ExplorerState& state, std::string const& typed);
void cancel_rename(ExplorerState& state);
// Renames an entry directly (the rename action); the failure text is the answer.
base::Result<void> rename_entry(ExplorerState& state, std::filesystem::path const& path, std::string const& typed);

// Starts "terminal" in the current folder; fails with "could not open
// terminal: " and the system's text.
base::Result<void> open_terminal_here(ExplorerState& state);

}
