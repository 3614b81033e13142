#pragma once

// Valid workspace attribute documents, as the synchronising file system
// writes them, for tests to set on real files and then break one field at a
// time.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

namespace files::model::testing {

using Json = nlohmann::json;

inline std::string const record_text = "8d1e7a52-3c4b-4e0f-9a61-2b7c5d8e9f10";
inline std::string const version_a = "11111111-2222-4333-8444-555555555555";
inline std::string const version_b = "66666666-7777-4888-9999-aaaaaaaaaaaa";

inline Json bytes32(std::uint8_t fill)
{
    Json list = Json::array();
    for (int i = 0; i < 32; ++i)
        list.push_back(fill);
    return list;
}

inline Json metadata_document()
{
    return { { "schema_version", 1 }, { "record_id", record_text },
        { "properties",
            { { "schema_version", 1 }, { "image_width", 640 }, { "image_height", 480 }, { "duration_ms", 3725000 },
                { "codec", "h264" }, { "container", "mp4" } } } };
}

inline Json availability_document()
{
    return { { "schema_version", 1 }, { "record_id", record_text }, { "current_version", version_a },
        { "residency", { { "state", "resident" }, { "bytes", 1048576 } } },
        { "transfer",
            { { "phase", "downloading" }, { "progress", { { "completed_bytes", 10 }, { "total_bytes", 20 } } },
                { "last_error", nullptr }, { "last_error_at_ms", nullptr }, { "error_truncated", false } } },
        { "policy", "pinned" }, { "policy_inherited", true },
        { "replicas", { { "state", "known" }, { "reachable", 2 }, { "durable", 1 } } },
        { "freshness",
            { { "metadata_observed_at_ms", 1700000000000 }, { "local_verified_at_ms", nullptr },
                { "replicas_observed_at_ms", 1700000000001 } } } };
}

inline Json grant_document(int index)
{
    char id[37];
    std::snprintf(id, sizeof id, "00000000-0000-4000-8000-%012d", index);
    Json subject
        = index % 2 == 0 ? Json { { "kind", "bearer_link" } } : Json { { "kind", "person" }, { "person", bytes32(7) } };
    return { { "grant_id", id }, { "subject", subject }, { "permission", index % 2 == 0 ? "View" : "Edit" },
        { "expires_at_ms", nullptr }, { "revoked", false }, { "expired", false }, { "used", true },
        { "exhausted", false }, { "status", "active" }, { "redemptions", 1 }, { "max_redemptions", 5 } };
}

inline Json share_document(int grants)
{
    Json list = Json::array();
    for (int i = 0; i < grants; ++i)
        list.push_back(grant_document(i));
    return { { "schema_version", 1 }, { "record_id", record_text }, { "observed_at_ms", 1700000000000 },
        { "grants", list } };
}

inline Json version_document(std::string const& id, Json parents)
{
    return { { "id", id }, { "record_id", record_text }, { "parents", std::move(parents) },
        { "actor", { { "person", bytes32(1) }, { "device", bytes32(2) } } }, { "timestamp_ms", 1700000000000 },
        { "content_hash", bytes32(3) }, { "metadata_hash", bytes32(4) }, { "provenance", "Edit" } };
}

inline Json conflict_document()
{
    return { { "id", "99999999-8888-4777-8666-555555555555" }, { "record_id", record_text },
        { "versions", { version_a, version_b } }, { "status", "Open" } };
}

inline Json history_document()
{
    return { { "schema_version", 1 }, { "record_id", record_text }, { "total_versions", 5 },
        { "versions_truncated", true }, { "heads", { version_b } },
        { "versions", { version_document(version_b, { version_a }), version_document(version_a, Json::array()) } },
        { "conflicts_truncated", false }, { "conflicts", { conflict_document() } } };
}

}
