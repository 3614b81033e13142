#include "views/badges.h"
#include "views/view_fixtures.h"

#include <gtest/gtest.h>

namespace {

using namespace files::views;
using namespace files::model;
using view_fixtures::availability;

struct Case {
    char const* what;
    Entry entry;
    std::optional<Badge> badge;
};

Entry with(std::optional<SyncState> sync, std::optional<AvailabilityRecord> record)
{
    Entry entry = view_fixtures::file("/w", "a.txt");
    entry.sync = sync;
    entry.availability = std::move(record);
    return entry;
}

AvailabilityRecord resident(AvailabilityPolicy policy, ReplicaState replicas, std::uint32_t durable)
{
    AvailabilityRecord record = availability(ResidencyState::Resident);
    record.policy = policy;
    record.replicas = replicas;
    record.durable_replicas = durable;
    return record;
}

TEST(Badges, FirstMatchingRuleWins)
{
    using G = BadgeGlyph;
    Badge const quiet_online { G::OnlineOnly, BadgeTone::Quiet };
    AvailabilityRecord failed_download = availability(ResidencyState::Partial, TransferPhase::Downloading);
    failed_download.last_error = "disk full";
    AvailabilityRecord pinned_uploading = resident(AvailabilityPolicy::Pinned, ReplicaState::Known, 2);
    pinned_uploading.phase = TransferPhase::Uploading;

    Case const cases[] = {
        { "plain file", with(std::nullopt, std::nullopt), std::nullopt },
        { "sync local", with(SyncState::Local, std::nullopt), Badge { G::Local, BadgeTone::Quiet } },
        { "sync projected", with(SyncState::Projected, std::nullopt), quiet_online },
        { "sync downloading", with(SyncState::Downloading, std::nullopt),
            Badge { G::Downloading, BadgeTone::Attention } },
        // A record outranks the sync state.
        { "record over sync", with(SyncState::Local, availability(ResidencyState::NotResident)), quiet_online },
        { "error over phase", with(std::nullopt, failed_download), Badge { G::Error, BadgeTone::Attention } },
        { "queued", with(std::nullopt, availability(ResidencyState::Resident, TransferPhase::Queued)),
            Badge { G::Pending, BadgeTone::Attention } },
        { "verifying", with(std::nullopt, availability(ResidencyState::Resident, TransferPhase::Verifying)),
            Badge { G::Pending, BadgeTone::Attention } },
        { "phase over pin", with(std::nullopt, pinned_uploading), Badge { G::Uploading, BadgeTone::Attention } },
        { "downloading phase",
            with(std::nullopt, availability(ResidencyState::NotResident, TransferPhase::Downloading)),
            Badge { G::Downloading, BadgeTone::Attention } },
        { "idle not resident", with(std::nullopt, availability(ResidencyState::NotResident)), quiet_online },
        { "idle partly resident", with(std::nullopt, availability(ResidencyState::Partial)),
            Badge { G::Downloading, BadgeTone::Quiet } },
        { "pinned", with(std::nullopt, resident(AvailabilityPolicy::Pinned, ReplicaState::Known, 3)),
            Badge { G::Pinned, BadgeTone::Attention } },
        { "durable copies", with(std::nullopt, resident(AvailabilityPolicy::Automatic, ReplicaState::Known, 1)),
            Badge { G::Replicated, BadgeTone::Quiet } },
        { "no durable copy", with(std::nullopt, resident(AvailabilityPolicy::Automatic, ReplicaState::Known, 0)),
            Badge { G::Unreplicated, BadgeTone::Attention } },
        { "copies unknown", with(std::nullopt, resident(AvailabilityPolicy::Automatic, ReplicaState::Unknown, 0)),
            Badge { G::Unreplicated, BadgeTone::Quiet } },
    };
    for (auto const& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(badge_for(c.entry), c.badge);
    }
}

}
