#pragma once

// How the view asks the thumbnail service about an entry.

#include "model/entry.h"
#include "services/thumbnails/thumbnail_service.h"

namespace files::views {

// The content digest when the file system publishes one, else path, size and
// modification time.
services::ThumbKey thumb_key_for(model::Entry const& entry);

// Allowed only when the content is on this machine: an availability record
// that says fully resident, or no record and a sync state that is Local or
// absent (which covers every file outside the workspace). Anything else would
// make reading the file download it.
services::ContentAccess content_access_for(model::Entry const& entry);

}
