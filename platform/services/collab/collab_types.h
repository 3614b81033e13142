#pragma once

// Record types of the collaborative workspace as the synchronising file system
// publishes them, and the validation that decides whether a decoded record may
// be used. A record that fails validation counts as absent.

#include "services/collab/uuid.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace collab {

using Digest32 = std::array<std::uint8_t, 32>;

// Media facts of a file. Every field but the schema version is optional.
struct FilePropertiesV1 {
    std::uint16_t schema_version { 1 };
    std::optional<std::uint32_t> image_width;
    std::optional<std::uint32_t> image_height;
    std::optional<std::uint64_t> duration_ms;
    std::optional<std::uint32_t> page_count;
    std::optional<std::string> codec;
    std::optional<std::string> container;

    // Schema 1; width and height come together and are non-zero; a page count
    // is non-zero; codec and container are 1 to 64 printable ASCII bytes.
    bool validate() const;
    bool operator==(FilePropertiesV1 const&) const = default;
};

struct ActorV1 {
    Digest32 person {};
    Digest32 device {};
    bool operator==(ActorV1 const&) const = default;
};

// One immutable version of a file. `provenance` keeps the change kind as its
// compact JSON text.
struct FileVersionV1 {
    Uuid id;
    Uuid record_id;
    std::vector<Uuid> parents;
    ActorV1 actor;
    std::uint64_t timestamp_ms { 0 };
    std::optional<Digest32> content_hash;
    Digest32 metadata_hash {};
    std::string provenance;

    static constexpr std::size_t max_parents = 8;

    // Id not nil; at most 8 parents, none equal to the id, none repeated; the
    // provenance is one of the known change kinds.
    bool validate() const;
    bool operator==(FileVersionV1 const&) const = default;
};

enum class ConflictStatus : std::uint8_t { Open, Resolved };
enum class ConflictStrategy : std::uint8_t { KeepCurrent, UseOther, KeepBoth, Merge };

struct ConflictResolution {
    ConflictStrategy strategy { ConflictStrategy::KeepCurrent };
    // The version the resolution produced, when the file system names one.
    std::optional<Uuid> result;
    ActorV1 actor;
    std::uint64_t timestamp_ms { 0 };
    bool operator==(ConflictResolution const&) const = default;
};

struct FileConflictV1 {
    Uuid id;
    Uuid record_id;
    std::vector<Uuid> versions;
    ConflictStatus status { ConflictStatus::Open };
    std::optional<ConflictResolution> resolution;

    static constexpr std::size_t max_versions = 8;

    // Id not nil; 2 to 8 distinct competing versions; an open conflict has no
    // resolution and a resolved one has one.
    bool validate() const;
    bool operator==(FileConflictV1 const&) const = default;
};

// True for the change kinds a version may carry: "Create", "Edit", "Rename",
// "Move", "Delete", "ConflictResolution" as JSON strings, or an object keyed
// "Restore" whose value is an object with a field "from".
bool is_known_provenance(std::string const& compact_json);

}
