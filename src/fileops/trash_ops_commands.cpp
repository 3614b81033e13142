#include "fileops/trash_ops_commands.h"

#include "fileops/trash_ops.h"

#include <algorithm>

namespace files::fileops {

namespace fs = std::filesystem;

namespace {

    Message plain(std::string id) { return Message { std::move(id), {} }; }

    Message counted(std::string id, std::size_t count)
    {
        return Message { std::move(id), { count_argument("count", count) } };
    }

    Message failed(std::string id, base::Error const& error)
    {
        return Message { std::move(id), { { "error", error.text() } } };
    }

    TrashOutcome notice(Message message, Reload reload = Reload::No)
    {
        return { std::move(message), std::nullopt, reload };
    }

    ConfirmationSheet permanent_deletion_sheet(std::vector<fs::path> const& paths)
    {
        return { counted("files-permanent-delete-title", paths.size()),
            counted("files-permanent-delete-summary", paths.size()), plain("files-permanent-delete-loss"),
            plain("files-permanent-delete-confirm"), ConfirmCommand::DeletePermanently, paths };
    }

    // The entries of `after` missing from `before`, when they are exactly one
    // per trashed path; anything else means another program changed the Trash
    // meanwhile and the move cannot be undone safely.
    std::optional<TrashUndo> created_entries(std::optional<std::vector<fs::path>> const& before,
        std::optional<std::vector<fs::path>> const& after, std::size_t trashed)
    {
        if (!before || !after)
            return std::nullopt;
        TrashUndo created;
        std::set_difference(
            after->begin(), after->end(), before->begin(), before->end(), std::back_inserter(created.paths));
        if (created.paths.size() != trashed)
            return std::nullopt;
        return created;
    }

}

TrashOutcome move_to_trash(std::vector<fs::path> const& paths, fs::path const& location, std::optional<TrashUndo>& undo,
    services::trash::TrashHooks const& hooks)
{
    if (paths.empty())
        return {};
    if (is_in_trash(location))
        return { std::nullopt, permanent_deletion_sheet(paths), Reload::No };
    auto before = trash_snapshot();
    if (auto trashed = services::trash::trash_paths(paths, hooks); !trashed)
        return notice(failed("files-delete-failed", trashed.error()));
    undo = created_entries(before, trash_snapshot(), paths.size());
    return notice(counted("files-moved-to-trash", paths.size()), Reload::Yes);
}

TrashOutcome undo_move_to_trash(std::optional<TrashUndo>& undo)
{
    if (!undo)
        return notice(plain("files-undo-trash-unavailable"));
    auto snapshot = trash_snapshot();
    bool present = snapshot && std::all_of(undo->paths.begin(), undo->paths.end(), [&](fs::path const& path) {
        return std::binary_search(snapshot->begin(), snapshot->end(), path);
    });
    if (!present) {
        undo.reset();
        return notice(plain("files-undo-trash-unavailable"));
    }
    auto restored = restore_paths(undo->paths);
    if (!restored)
        return notice(failed("files-undo-trash-failed", restored.error()));
    bool complete = *restored == undo->paths.size();
    undo.reset();
    if (!complete)
        return notice(plain("files-undo-trash-unavailable"), Reload::Yes);
    return notice(counted("files-undo-trash-restored", *restored), Reload::Yes);
}

TrashOutcome restore_selected(std::vector<fs::path> const& paths, std::optional<TrashUndo>& undo)
{
    undo.reset();
    if (paths.empty())
        return {};
    auto restored = restore_paths(paths);
    if (!restored)
        return notice(failed("files-restore-failed", restored.error()));
    return notice(counted("files-restored", *restored), Reload::Yes);
}

TrashOutcome delete_permanently(std::vector<fs::path> const& paths, std::optional<TrashUndo>& undo)
{
    undo.reset();
    auto purged = purge_paths(paths);
    if (!purged)
        return notice(failed("files-delete-failed", purged.error()));
    return notice(counted("files-permanently-deleted", *purged), Reload::Yes);
}

TrashOutcome request_empty_trash(std::size_t listing_entries)
{
    if (listing_entries == 0)
        return notice(plain("files-trash-already-empty"));
    ConfirmationSheet sheet { plain("files-empty-trash-title"), counted("files-empty-trash-summary", listing_entries),
        plain("files-permanent-delete-loss"), plain("files-empty-trash-confirm"), ConfirmCommand::EmptyTrash, {} };
    return { std::nullopt, std::move(sheet), Reload::No };
}

TrashOutcome empty_trash(std::optional<TrashUndo>& undo)
{
    undo.reset();
    auto purged = empty_trash_all();
    if (!purged)
        return notice(failed("files-empty-trash-failed", purged.error()));
    if (*purged == 0)
        return notice(plain("files-trash-already-empty"), Reload::Yes);
    return notice(counted("files-emptied-trash", *purged), Reload::Yes);
}

}
