#include "model/detail_decode_memo.h"
#include "model/entry.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace files::model {
namespace {

    using detail::DecodeMemo;

    // Decodes "n:<text>" into its text and rejects anything else, counting
    // how often it really ran.
    struct CountingDecoder {
        std::atomic<int>* calls;
        std::optional<std::string> operator()(std::string_view raw) const
        {
            ++*calls;
            if (!raw.starts_with("n:"))
                return std::nullopt;
            return std::string(raw.substr(2));
        }
    };

    TEST(DecodeMemo, SharesOneRecordPerByteValueAndRemembersRejections)
    {
        DecodeMemo<std::string> memo(2048, 1 << 20);
        std::atomic<int> calls { 0 };
        CountingDecoder const decode { &calls };

        auto first = memo.decode("n:alpha", decode);
        auto again = memo.decode(std::string("n:alpha"), decode);
        ASSERT_TRUE(first);
        EXPECT_EQ(*first, "alpha");
        EXPECT_EQ(first.get(), again.get()) << "equal bytes share one record";
        EXPECT_EQ(calls, 1);

        auto other = memo.decode("n:alphb", decode);
        ASSERT_TRUE(other);
        EXPECT_EQ(*other, "alphb");
        EXPECT_EQ(calls, 2);

        EXPECT_FALSE(memo.decode("broken", decode));
        EXPECT_FALSE(memo.decode("broken", decode));
        EXPECT_EQ(calls, 3) << "a rejection is remembered as well";
    }

    TEST(DecodeMemo, StaysWithinItsByteBudgetAndStaysCorrect)
    {
        constexpr std::size_t budget = 64 * 1024;
        DecodeMemo<std::string> memo(4096, budget);
        std::atomic<int> calls { 0 };
        CountingDecoder const decode { &calls };
        auto value_of = [](int i) { return "n:" + std::to_string(i) + std::string(200, 'v'); };
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < 2000; ++i) {
                auto record = memo.decode(value_of(i), decode);
                ASSERT_TRUE(record);
                ASSERT_EQ(*record, value_of(i).substr(2));
                ASSERT_LE(memo.key_bytes(), budget);
            }
        }
        // 400 KiB of keys cannot all stay: the second round decodes again
        // what was pushed out, and nothing beyond the budget is kept.
        EXPECT_GT(calls, 2000);
        EXPECT_GT(memo.key_bytes(), budget / 2);
        EXPECT_FALSE(memo.decode(std::string(budget + 1, 'x'), decode)) << "an oversize key is not kept";
        EXPECT_LE(memo.key_bytes(), budget);
    }

    TEST(DecodeMemo, ThreadsSharingTheMemoGetTheRightRecords)
    {
        DecodeMemo<std::string> memo(2048, 16 * 1024);
        std::atomic<int> calls { 0 };
        std::atomic<int> wrong { 0 };
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                CountingDecoder const decode { &calls };
                for (int i = 0; i < 5000; ++i) {
                    int const key = (i * 7 + t) % 300;
                    auto record = memo.decode("n:" + std::to_string(key), decode);
                    if (!record || *record != std::to_string(key))
                        ++wrong;
                }
            });
        }
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(wrong, 0);
    }

    TEST(OptionalRecord, CopiesShareUntilOneIsChanged)
    {
        OptionalRecord<AvailabilityRecord> original(AvailabilityRecord {});
        OptionalRecord<AvailabilityRecord> copy = original;
        EXPECT_EQ(&*std::as_const(copy), &*std::as_const(original)) << "a copy shares the record";

        copy->policy = AvailabilityPolicy::Pinned;
        EXPECT_EQ(std::as_const(original)->policy, AvailabilityPolicy::Automatic) << "the original is untouched";
        EXPECT_EQ(std::as_const(copy)->policy, AvailabilityPolicy::Pinned);
        EXPECT_FALSE(copy == original);

        OptionalRecord<AvailabilityRecord> alone(AvailabilityRecord {});
        auto const* before = &*std::as_const(alone);
        alone->policy_inherited = true;
        EXPECT_EQ(&*std::as_const(alone), before) << "a record nobody shares is changed in place";
        EXPECT_TRUE(OptionalRecord<AvailabilityRecord>() == OptionalRecord<AvailabilityRecord>(std::nullopt));
    }

}
}
