#include "fileops/staging.h"
#include "support/temp_dir.h"
#include "transfer_test_support.h"

#include <memory>
#include <regex>

#include <gtest/gtest.h>
#include <spdlog/sinks/ringbuffer_sink.h>
#include <spdlog/spdlog.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using namespace files::fileops;

// Captures the warnings logged while it lives.
class CapturedLog {
public:
    CapturedLog()
        : m_sink(std::make_shared<spdlog::sinks::ringbuffer_sink_mt>(16))
        , m_previous(spdlog::default_logger())
    {
        m_sink->set_pattern("%l %v");
        spdlog::set_default_logger(std::make_shared<spdlog::logger>("capture", m_sink));
    }
    ~CapturedLog() { spdlog::set_default_logger(m_previous); }
    std::vector<std::string> lines() const { return m_sink->last_formatted(); }

private:
    std::shared_ptr<spdlog::sinks::ringbuffer_sink_mt> m_sink;
    std::shared_ptr<spdlog::logger> m_previous;
};

std::regex const uuid_v4("[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}");

TEST(TransferStaging, IsAPrivateFolderNamedWithAFreshUuid)
{
    test_support::TempDir dir;
    auto first = TransferStaging::create(dir.path());
    auto second = TransferStaging::create(dir.path());
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->folder(), second->folder());
    auto name = first->folder().filename().string();
    ASSERT_TRUE(name.starts_with(".kesu-transfer-"));
    EXPECT_TRUE(std::regex_match(name.substr(15), uuid_v4)) << name;
    EXPECT_EQ(first->payload(), first->folder() / "payload");
    struct stat status { };
    ASSERT_EQ(::stat(first->folder().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
}

TEST(TransferStaging, DroppedRecordRemovesItsFolderUnlessRetained)
{
    test_support::TempDir dir;
    fs::path removed;
    fs::path kept;
    {
        auto dropped = TransferStaging::create(dir.path());
        auto retained = TransferStaging::create(dir.path());
        ASSERT_TRUE(dropped && retained);
        transfer_test::write_file(dropped->payload() / "partial/file", "half");
        retained->set_retained();
        removed = dropped->folder();
        kept = retained->folder();
    }
    EXPECT_FALSE(fs::exists(removed));
    EXPECT_TRUE(fs::is_directory(kept));
}

TEST(TransferStaging, FailedCleanupOnDropIsLoggedAsAWarning)
{
    test_support::TempDir dir;
    CapturedLog log;
    fs::path stuck;
    {
        auto staging = TransferStaging::create(dir.path());
        ASSERT_TRUE(staging);
        stuck = staging->payload();
        transfer_test::write_file(stuck, "cannot go");
        if (!transfer_test::set_immutable(stuck, true))
            GTEST_SKIP() << "the file system has no immutable flag";
    }
    transfer_test::set_immutable(stuck, false);
    EXPECT_EQ(log.lines(),
        (std::vector<std::string> { "warning Files transfer staging cleanup failed during unwinding; path=\""
            + stuck.parent_path().string() + "\" error=\"Operation not permitted\"\n" }));
}

TEST(TransferStaging, QuarantineRenamesTheSourceBesideItself)
{
    test_support::TempDir dir;
    auto source = dir.write("folder/item.txt", "data");
    auto quarantine = quarantine_source(source);
    ASSERT_TRUE(quarantine) << quarantine.error().text();
    EXPECT_EQ(quarantine->parent_path(), dir / "folder");
    auto name = quarantine->filename().string();
    ASSERT_TRUE(name.starts_with(".kesu-transfer-source-"));
    EXPECT_TRUE(std::regex_match(name.substr(22), uuid_v4)) << name;
    EXPECT_EQ(test_support::read_file(*quarantine), "data");
    EXPECT_FALSE(fs::exists(source));

    auto no_parent = quarantine_source("/");
    ASSERT_FALSE(no_parent);
    EXPECT_EQ(no_parent.error().text(), "source has no parent directory");
}

}
