#pragma once

// Names of the extended attributes the synchronising file system publishes
// (read) and accepts (requests), all in the user namespace.

namespace files::model::attribute {

inline constexpr char sync[] = "user.kesu.sync";
inline constexpr char record_id[] = "user.kesu.record-id";
inline constexpr char content_hash[] = "user.kesu.content-hash";
inline constexpr char thumbnail[] = "user.kesu.thumb";
inline constexpr char metadata[] = "user.kesu.metadata";
inline constexpr char availability[] = "user.kesu.availability";
inline constexpr char share[] = "user.kesu.share";
inline constexpr char history[] = "user.kesu.history";
inline constexpr char record_index_v1[] = "user.kesu.record-index";
inline constexpr char record_index_v2[] = "user.kesu.record-index.v2";
inline constexpr char record_index_v3[] = "user.kesu.record-index.v3";

inline constexpr char share_control[] = "user.kesu.share-control";
inline constexpr char history_control[] = "user.kesu.history-control";
inline constexpr char availability_control[] = "user.kesu.availability-control";
inline constexpr char pin[] = "user.kesu.pin";
inline constexpr char merge_preflight_prefix[] = "user.kesu.merge-preflight.";
inline constexpr char history_result_prefix[] = "user.xan.history-result.";
inline constexpr char history_review[] = "user.xan.history-review";
inline constexpr char history_restore[] = "user.xan.history-restore";

}
