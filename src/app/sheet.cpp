#include "app/sheet.h"

#include "i18n/translate.h"

namespace files::app {

char const* confirm_label_id(ConfirmKind kind)
{
    switch (kind) {
    case ConfirmKind::DestructiveEviction:
        return "files-destructive-eviction-confirm";
    case ConfirmKind::PermanentDelete:
        return "files-permanent-delete-confirm";
    case ConfirmKind::EmptyTrash:
        return "files-empty-trash-confirm";
    case ConfirmKind::ApplySafeMerge:
        return "files-merge-apply-safe";
    case ConfirmKind::ChooseNearbyDestination:
        return "files-nearby-choose-destination";
    case ConfirmKind::NearbyRetry:
        return "files-nearby-retry";
    }
    return "files-permanent-delete-confirm";
}

char const* confirm_description_id(ConfirmKind kind)
{
    switch (kind) {
    case ConfirmKind::DestructiveEviction:
        return "files-destructive-eviction-loss";
    case ConfirmKind::PermanentDelete:
    case ConfirmKind::EmptyTrash:
        return "files-permanent-delete-loss";
    case ConfirmKind::ApplySafeMerge:
        return "files-merge-apply-safe-detail";
    case ConfirmKind::ChooseNearbyDestination:
        return "files-nearby-consent-detail";
    case ConfirmKind::NearbyRetry:
        return "files-nearby-retry-detail";
    }
    return "files-permanent-delete-loss";
}

bool is_destructive(ConfirmKind kind)
{
    switch (kind) {
    case ConfirmKind::DestructiveEviction:
    case ConfirmKind::PermanentDelete:
    case ConfirmKind::EmptyTrash:
        return true;
    case ConfirmKind::ApplySafeMerge:
    case ConfirmKind::ChooseNearbyDestination:
    case ConfirmKind::NearbyRetry:
        return false;
    }
    return false;
}

Sheet keyboard_shortcuts_sheet()
{
    static constexpr char const* lines[]
        = { "files-shortcuts-primary", "files-shortcuts-navigate", "files-shortcuts-grid", "files-shortcuts-open",
              "files-shortcuts-location", "files-shortcuts-new-folder", "files-shortcuts-edit",
              "files-shortcuts-hidden", "files-shortcuts-size", "files-shortcuts-context", "files-shortcuts-close" };
    Sheet sheet;
    sheet.title = i18n::translate("files-shortcuts-title");
    sheet.summary = i18n::translate("files-shortcuts-summary");
    for (auto const* id : lines)
        sheet.detail_lines.push_back(i18n::translate(id));
    return sheet;
}

}
