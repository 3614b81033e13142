#include "views/file_view_access.h"

#include "i18n/format.h"
#include "i18n/translate.h"
#include "views/file_view.h"

#include <algorithm>
#include <vector>

namespace files::views {

namespace {

    using model::ResidencyState;
    using model::TransferPhase;

    char const* sync_part(std::optional<model::SyncState> sync)
    {
        if (!sync)
            return nullptr;
        switch (*sync) {
        case model::SyncState::Local:
            return "files-a11y-available-offline";
        case model::SyncState::Projected:
            return "files-a11y-online-only";
        case model::SyncState::Downloading:
            return "files-a11y-downloading";
        }
        return nullptr;
    }

    char const* record_state_part(model::AvailabilityRecord const& record)
    {
        if (record.last_error)
            return "files-a11y-transfer-failed";
        switch (record.phase) {
        case TransferPhase::Queued:
            return "files-a11y-transfer-queued";
        case TransferPhase::Downloading:
            return "files-a11y-downloading";
        case TransferPhase::Uploading:
            return "files-a11y-uploading";
        case TransferPhase::Verifying:
            return "files-a11y-verifying";
        case TransferPhase::Idle:
            break;
        }
        switch (record.residency) {
        case ResidencyState::NotResident:
            return "files-a11y-online-only";
        case ResidencyState::Partial:
            return "files-a11y-partly-offline";
        case ResidencyState::Resident:
            return "files-a11y-available-offline";
        }
        return nullptr;
    }

    void add_availability_parts(std::vector<std::string>& parts, model::Entry const& entry)
    {
        if (!entry.availability) {
            if (char const* id = sync_part(entry.sync))
                parts.push_back(i18n::translate(id));
            return;
        }
        model::AvailabilityRecord const& record = *entry.availability;
        if (char const* id = record_state_part(record))
            parts.push_back(i18n::translate(id));
        if (record.policy == model::AvailabilityPolicy::Pinned)
            parts.push_back(i18n::translate(
                record.policy_inherited ? "files-a11y-kept-offline-parent" : "files-a11y-kept-offline"));
        if (record.replicas == model::ReplicaState::Unknown)
            parts.push_back(i18n::translate("files-a11y-replica-unknown"));
        else if (record.durable_replicas > 0)
            parts.push_back(i18n::translate("files-a11y-durably-replicated"));
        else
            parts.push_back(i18n::translate("files-a11y-not-durably-replicated"));
    }

    std::string join(std::vector<std::string> const& parts)
    {
        std::string text;
        for (auto const& part : parts) {
            if (!text.empty())
                text += ". ";
            text += part;
        }
        return text;
    }

}

bool has_open_conflict(model::Entry const& entry)
{
    return entry.history && std::ranges::any_of(entry.history->conflicts, [](auto const& conflict) {
        return conflict.status == collab::ConflictStatus::Open;
    });
}

std::string entry_description(model::Entry const& entry)
{
    std::vector<std::string> parts;
    if (entry.is_dir)
        parts.push_back(i18n::translate("files-a11y-folder"));
    else
        parts.push_back(i18n::translate_with("files-a11y-file", { { "size", i18n::format_size(entry.size) } }));
    add_availability_parts(parts, entry);
    if (entry.share) {
        auto active = std::ranges::count_if(
            entry.share->grants, [](auto const& grant) { return grant.status == model::GrantStatus::Active; });
        parts.push_back(i18n::translate_with("files-a11y-shared-recipients", { { "count", active } }));
    }
    if (has_open_conflict(entry))
        parts.push_back(i18n::translate("files-a11y-version-conflict"));
    return join(parts);
}

ui::AccessNode FileView::accessibility() const
{
    ui::AccessNode list(file_view_id, m_mode == ViewMode::Grid ? ui::AccessRole::Grid : ui::AccessRole::List,
        i18n::translate("files-a11y-list"));
    std::optional<ui::Rect> clip = visible_clip();
    list.bounds = clip ? m_bounds.intersected(*clip) : m_bounds;
    list.focusable = true;
    list.focused = has_focus();
    auto primary = m_selection.primary();
    if (primary && *primary < m_entries.size())
        list.value = m_entries[*primary].name;

    // Only the rows on screen (and one either side) get nodes, so a folder
    // of 100,000 entries costs what a short one does.
    IndexRange range = clip ? visible_range(hit_context(), *clip) : IndexRange { 0, m_entries.size() };
    ui::AccessRole item_role = m_mode == ViewMode::Grid ? ui::AccessRole::GridCell : ui::AccessRole::ListItem;
    for (std::size_t i = range.first; i < range.last; ++i) {
        model::Entry const& entry = m_entries[i];
        ui::AccessNode node("file_row:" + std::to_string(i), item_role, entry.name);
        node.description = entry_description(entry);
        node.bounds = item_rect(i);
        node.selected = m_selection.is_selected(i);
        node.focused = has_focus() && primary == i;
        list.children.push_back(std::move(node));
    }
    return list;
}

}
