#pragma once

// Small builders for entries that tests order, compare and remap without
// touching the file system.

#include "model/entry.h"

#include <string>

namespace files::model::testing {

inline Entry file(std::string name, std::uint64_t size = 0, std::string mime = "application/octet-stream")
{
    Entry entry;
    entry.path = "/listing/" + name;
    entry.name = std::move(name);
    entry.size = size;
    entry.mime = std::move(mime);
    return entry;
}

inline Entry folder(std::string name)
{
    Entry entry = file(std::move(name));
    entry.is_dir = true;
    return entry;
}

inline Entry modified_at(Entry entry, std::int64_t seconds)
{
    entry.modified = LocalDateTime { seconds, 0, 0 };
    return entry;
}

inline RecordId record(std::uint8_t tag)
{
    RecordId id;
    id.bytes.fill(tag);
    return id;
}

}
