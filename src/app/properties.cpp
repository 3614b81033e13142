#include "app/properties.h"

#include "base/hex.h"
#include "i18n/format.h"
#include "i18n/translate.h"
#include "model/display_name.h"

#include <algorithm>
#include <cstdio>

namespace files::app {

namespace {

    std::string two_digits(std::uint64_t value)
    {
        char text[4];
        std::snprintf(text, sizeof text, "%02u", static_cast<unsigned>(value % 100));
        return text;
    }

    std::string parent_location(std::string const& path)
    {
        auto parent = std::filesystem::path(path).parent_path();
        if (parent.empty())
            return "/";
        return model::display_name(parent.native());
    }

    std::string modified_text(model::Entry const& entry)
    {
        if (!entry.modified)
            return i18n::translate("files-property-unknown");
        return i18n::format_local_time(entry.modified->local_time());
    }

    // The first 8 of the 32 bytes.
    std::string content_prefix(model::ContentHash const& hash) { return base::hex_text(std::span(hash).first<8>()); }

    std::string residency_text(model::AvailabilityRecord const& record)
    {
        switch (record.residency) {
        case model::ResidencyState::NotResident:
            return i18n::translate("files-residency-metadata-only");
        case model::ResidencyState::Partial:
            return i18n::translate_with("files-residency-partly-local", { { "bytes", record.resident_bytes } });
        case model::ResidencyState::Resident:
            return i18n::translate_with("files-residency-local", { { "bytes", record.resident_bytes } });
        }
        return {};
    }

    void append_metadata_lines(collab::FilePropertiesV1 const& properties, std::vector<std::string>& lines)
    {
        if (properties.image_width && properties.image_height)
            lines.push_back(i18n::translate_with("files-property-dimensions",
                { { "width", *properties.image_width }, { "height", *properties.image_height } }));
        if (properties.duration_ms)
            lines.push_back(i18n::translate_with(
                "files-property-duration", { { "duration", duration_text(*properties.duration_ms) } }));
        if (properties.page_count)
            lines.push_back(i18n::translate_with("files-property-pages", { { "count", *properties.page_count } }));
        if (properties.codec)
            lines.push_back(i18n::translate_with("files-property-codec", { { "codec", *properties.codec } }));
        if (properties.container)
            lines.push_back(
                i18n::translate_with("files-property-container", { { "container", *properties.container } }));
    }

}

std::string duration_text(std::uint64_t milliseconds)
{
    std::uint64_t const seconds = (milliseconds / 1000) % 60;
    if (milliseconds < 3'600'000)
        return std::to_string(milliseconds / 60'000) + ":" + two_digits(seconds);
    std::uint64_t const minutes = (milliseconds / 60'000) % 60;
    return std::to_string(milliseconds / 3'600'000) + ":" + two_digits(minutes) + ":" + two_digits(seconds);
}

Sheet properties_sheet(model::Entry const& entry)
{
    Sheet sheet;
    sheet.title = i18n::translate_with("files-properties-title", { { "name", entry.name } });
    sheet.summary = i18n::translate(entry.record_id ? "files-properties-collab-summary" : "files-properties-summary");
    auto& lines = sheet.detail_lines;
    lines.push_back(i18n::translate_with(
        "files-property-type", { { "type", entry.is_dir ? i18n::translate("files-a11y-folder") : entry.mime } }));
    lines.push_back(i18n::translate_with("files-property-location", { { "location", parent_location(entry.path) } }));
    lines.push_back(i18n::translate_with(
        "files-property-size", { { "size", entry.is_dir ? std::string("—") : i18n::format_size(entry.size) } }));
    lines.push_back(i18n::translate_with("files-property-modified", { { "time", modified_text(entry) } }));
    if (entry.record_id)
        lines.push_back(
            i18n::translate_with("files-property-collaborative-record", { { "record", entry.record_id->to_text() } }));
    if (entry.content_hash)
        lines.push_back(
            i18n::translate_with("files-property-content", { { "hash", content_prefix(*entry.content_hash) } }));
    if (entry.metadata)
        append_metadata_lines(entry.metadata->properties, lines);
    if (entry.availability)
        lines.push_back(
            i18n::translate_with("files-property-on-device", { { "state", residency_text(*entry.availability) } }));
    if (entry.share) {
        auto const active = std::ranges::count_if(entry.share->grants,
            [](model::ShareGrant const& grant) { return grant.status == model::GrantStatus::Active; });
        lines.push_back(
            i18n::translate_with("files-property-sharing", { { "count", static_cast<std::uint64_t>(active) } }));
    }
    if (entry.history) {
        auto const open = std::ranges::count_if(entry.history->conflicts,
            [](collab::FileConflictV1 const& conflict) { return conflict.status == collab::ConflictStatus::Open; });
        lines.push_back(i18n::translate_with("files-property-history",
            { { "versions", entry.history->total_versions }, { "conflicts", static_cast<std::uint64_t>(open) } }));
    }
    return sheet;
}

void open_properties(ExplorerState& state)
{
    auto primary = state.selection.primary();
    if (!primary || *primary >= state.entries.size())
        return;
    state.sheet = properties_sheet(state.entries[*primary]);
    state.redraw = true;
}

}
