#include "fileops/clipboard.h"

#include "fileops/name_allocation.h"
#include "fileops/transfer.h"

#include <utility>

namespace files::fileops {

namespace {

    Message fill_clipboard(Clipboard& clipboard, std::vector<std::filesystem::path> selected, bool cut, char const* id)
    {
        clipboard.items = std::move(selected);
        clipboard.cut = cut;
        return Message { id, { count_argument("count", clipboard.items.size()) } };
    }

    std::string destination_text(std::filesystem::path const& target)
    {
        auto name = last_component(target);
        return path_text(name ? *name : target);
    }

}

Message copy_to_clipboard(Clipboard& clipboard, std::vector<std::filesystem::path> selected)
{
    return fill_clipboard(clipboard, std::move(selected), false, "files-copied");
}

Message cut_to_clipboard(Clipboard& clipboard, std::vector<std::filesystem::path> selected)
{
    return fill_clipboard(clipboard, std::move(selected), true, "files-cut");
}

base::Result<void> PasteOutcome::invocation_result() const
{
    if (failures.empty())
        return {};
    std::string text = "paste failed: ";
    for (std::size_t i = 0; i < failures.size(); ++i) {
        if (i > 0)
            text += "; ";
        text += path_text(failures[i].item) + ": " + failures[i].text;
    }
    return base::fail(std::move(text));
}

std::optional<PasteOutcome> paste_clipboard(
    Clipboard& clipboard, std::filesystem::path const& folder, MessageResolver const& resolve)
{
    if (clipboard.items.empty())
        return std::nullopt;
    PasteOutcome outcome;
    auto mode = clipboard.cut ? TransferMode::Move : TransferMode::Copy;
    for (auto const& item : clipboard.items) {
        if (auto transferred = transfer_item(item, folder, mode, resolve); !transferred)
            outcome.failures.push_back({ item, transferred.error().text() });
    }
    auto total = clipboard.items.size();
    if (clipboard.cut) {
        clipboard.items.clear();
        for (auto const& failure : outcome.failures)
            clipboard.items.push_back(failure.item);
    }
    if (outcome.failures.empty()) {
        outcome.notice = Message { "files-pasted", { count_argument("count", total) } };
    } else {
        outcome.notice = Message { "files-pasted-with-failures",
            { count_argument("count", total - outcome.failures.size()),
                count_argument("failed", outcome.failures.size()) } };
    }
    return outcome;
}

DropSkip drop_skip_reason(std::filesystem::path const& item, std::filesystem::path const& target)
{
    if (auto parent = parent_folder(item); parent && same_path(*parent, target))
        return DropSkip::AlreadyInFolder;
    if (same_path(item, target))
        return DropSkip::IsTarget;
    if (is_within(target, item))
        return DropSkip::ContainsTarget;
    return DropSkip::None;
}

DropOutcome drop_move(
    std::vector<std::filesystem::path>& dragged, std::filesystem::path const& target, MessageResolver const& resolve)
{
    auto items = std::exchange(dragged, {});
    DropOutcome outcome;
    for (auto const& item : items) {
        if (drop_skip_reason(item, target) != DropSkip::None)
            continue;
        if (auto moved = move_item(item, target, resolve); moved)
            ++outcome.moved;
        else
            outcome.failures.push_back({ item, moved.error().text() });
    }
    outcome.reload_folder = outcome.moved > 0;
    auto destination = destination_text(target);
    if (!outcome.failures.empty()) {
        outcome.notice = Message { "files-moved-with-failures",
            { count_argument("moved", outcome.moved), { "destination", destination },
                count_argument("failed", outcome.failures.size()) } };
    } else if (outcome.moved > 0) {
        outcome.notice = Message { "files-moved-to-folder",
            { count_argument("count", outcome.moved), { "destination", destination } } };
    } else {
        outcome.notice = Message { "files-nothing-to-move", {} };
    }
    return outcome;
}

}
