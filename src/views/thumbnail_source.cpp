#include "views/thumbnail_source.h"

namespace files::views {

services::ThumbKey thumb_key_for(model::Entry const& entry)
{
    if (entry.content_hash)
        return services::ThumbKey::of_content_hash(*entry.content_hash);
    std::optional<std::int64_t> seconds;
    std::uint32_t nanoseconds = 0;
    if (entry.modified) {
        seconds = entry.modified->unix_seconds;
        nanoseconds = entry.modified->nanoseconds;
    }
    return services::ThumbKey::of_path_meta(entry.path, entry.size, seconds, nanoseconds);
}

services::ContentAccess content_access_for(model::Entry const& entry)
{
    if (entry.availability) {
        return entry.availability->residency == model::ResidencyState::Resident ? services::ContentAccess::Allowed
                                                                                : services::ContentAccess::EmbeddedOnly;
    }
    if (!entry.sync || *entry.sync == model::SyncState::Local)
        return services::ContentAccess::Allowed;
    return services::ContentAccess::EmbeddedOnly;
}

}
