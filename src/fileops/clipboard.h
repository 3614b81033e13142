#pragma once

// The explorer's private clipboard and the commands that use it: Copy, Cut,
// Paste, and the move of items dropped on a folder. Each command returns its
// notice as a message id with arguments; the command executor resolves it,
// re-reads the folder when asked to, and shows it.

#include "base/result.h"
#include "fileops/transfer_message.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace files::fileops {

inline constexpr std::string_view clipboard_empty_text = "The clipboard is empty";

// Never shared with the desktop clipboard and never written to disk.
struct Clipboard {
    std::vector<std::filesystem::path> items;
    bool cut { false };
};

// Copy and Cut: the clipboard holds the selected paths in selection order.
// Notices files-copied and files-cut with `count`.
Message copy_to_clipboard(Clipboard&, std::vector<std::filesystem::path> selected);
Message cut_to_clipboard(Clipboard&, std::vector<std::filesystem::path> selected);

struct TransferFailure {
    std::filesystem::path item;
    std::string text;
};

struct PasteOutcome {
    Message notice;
    std::vector<TransferFailure> failures;
    // A paste always changes the folder it pasted into.
    bool reload_folder { true };

    // The answer to an action invocation: success, or "paste failed: " with
    // one "path: text" part per failed item, joined by "; ".
    [[nodiscard]] base::Result<void> invocation_result() const;
};

// Pastes every item into `folder`: moved when the clipboard was cut (then the
// clipboard keeps exactly the items that failed), copied otherwise (then it
// is unchanged). Nothing happens, and nothing is returned, when the clipboard
// is empty.
std::optional<PasteOutcome> paste_clipboard(
    Clipboard&, std::filesystem::path const& folder, MessageResolver const& resolve);

// Why a dropped item is not moved: it already is in the target, it is the
// target, or it contains the target. Plain path comparison, no file-system
// access.
enum class DropSkip {
    None,
    AlreadyInFolder,
    IsTarget,
    ContainsTarget,
};

DropSkip drop_skip_reason(std::filesystem::path const& item, std::filesystem::path const& target);

struct DropOutcome {
    Message notice;
    std::uint64_t moved { 0 };
    std::vector<TransferFailure> failures;
    bool reload_folder { false };
};

// Moves the dragged items into `target` (the dragged list is taken and left
// empty), skipping those drop_skip_reason refuses. Notices
// files-moved-with-failures, files-moved-to-folder or files-nothing-to-move.
DropOutcome drop_move(
    std::vector<std::filesystem::path>& dragged, std::filesystem::path const& target, MessageResolver const& resolve);

}
