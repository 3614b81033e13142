#pragma once

// The explorer's Trash commands as outcomes: the notice to show, the
// confirmation sheet to open, and whether the folder must be re-read. The one
// level of undo lives in the explorer's `TrashUndo` and is passed in.

#include "fileops/transfer_message.h"
#include "services/trash/trash.h"

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace files::fileops {

// The paths in the Trash files folder that the last Move to Trash created.
struct TrashUndo {
    std::vector<std::filesystem::path> paths;
    bool operator==(TrashUndo const&) const = default;
};

enum class ConfirmCommand {
    DeletePermanently,
    EmptyTrash,
};

struct ConfirmationSheet {
    Message title;
    Message summary;
    Message loss;
    Message confirm_label;
    ConfirmCommand command;
    // The paths the confirm command deletes (for DeletePermanently).
    std::vector<std::filesystem::path> paths;
};

enum class Reload {
    No,
    Yes,
};

struct TrashOutcome {
    std::optional<Message> notice;
    std::optional<ConfirmationSheet> sheet;
    Reload reload { Reload::No };
};

// The refusal text of Move to Trash through an action on items already in
// the Trash.
inline constexpr std::string_view already_in_trash_text
    = "Use the separately confirmed permanent-delete action for items already in Trash";

// Move to Trash. Inside the Trash it opens the permanent-deletion sheet
// instead. `hooks` reach the Trash service (tests use them to act as another
// program at the worst moment).
TrashOutcome move_to_trash(std::vector<std::filesystem::path> const& paths, std::filesystem::path const& location,
    std::optional<TrashUndo>& undo, services::trash::TrashHooks const& hooks = {});

TrashOutcome undo_move_to_trash(std::optional<TrashUndo>& undo);

TrashOutcome restore_selected(std::vector<std::filesystem::path> const& paths, std::optional<TrashUndo>& undo);

// The confirmed permanent deletion of the paths captured by the sheet.
TrashOutcome delete_permanently(std::vector<std::filesystem::path> const& paths, std::optional<TrashUndo>& undo);

// Opens the Empty Trash sheet, or says the Trash is already empty when the
// current listing has no entries.
TrashOutcome request_empty_trash(std::size_t listing_entries);

TrashOutcome empty_trash(std::optional<TrashUndo>& undo);

}
