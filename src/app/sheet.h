#pragma once

// The one modal panel through which the explorer asks for confirmation or
// shows details. At most one is open; opening another replaces it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace files::app {

enum class ConfirmKind : std::uint8_t {
    DestructiveEviction = 0,
    PermanentDelete = 1,
    EmptyTrash = 2,
    ApplySafeMerge = 3,
    ChooseNearbyDestination = 4,
    NearbyRetry = 5,
};

struct Sheet {
    std::string title;
    std::string summary;
    std::vector<std::string> detail_lines;
    std::optional<ConfirmKind> confirm;
    // What the confirmation acts on, kept for the Part that opened it.
    std::vector<std::filesystem::path> payload;
    // Set when opened; the accessibility tree asks for focus once.
    bool wants_focus { true };
};

// The confirm button's label and its accessible description, as message ids.
char const* confirm_label_id(ConfirmKind kind);
char const* confirm_description_id(ConfirmKind kind);
// Kinds 0 to 2 are destructive; the others use the emphasised style.
bool is_destructive(ConfirmKind kind);

// The keyboard-shortcuts sheet, resolved in the current locale.
Sheet keyboard_shortcuts_sheet();

}
