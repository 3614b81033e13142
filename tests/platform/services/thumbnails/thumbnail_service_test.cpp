#include "platform/services/thumbnails/thumbnail_fixtures.h"
#include "services/thumbnails/thumbnail_service.h"
#include "support/temp_dir.h"

#include <cmath>
#include <thread>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using services::ContentAccess;
using services::ThumbKey;
using services::ThumbnailService;
using test_support::TempDir;

ThumbKey key_for(std::filesystem::path const& path) { return ThumbKey::of_path_meta(path.native(), 1, 1); }

// Asks once, waits for the workers and asks again, as the view does over
// two frames.
std::optional<ui::Image> request_and_wait(
    ThumbnailService& service, std::filesystem::path const& path, ContentAccess access = ContentAccess::Allowed)
{
    if (auto ready = service.request_file(key_for(path), path, access))
        return ready;
    service.block_until_idle();
    return service.request_file(key_for(path), path, access);
}

bool near(ui::Color c, std::uint32_t rgb, double tolerance = 0.1)
{
    ui::Color want = ui::Color::rgb(rgb);
    return std::abs(c.r - want.r) < tolerance && std::abs(c.g - want.g) < tolerance
        && std::abs(c.b - want.b) < tolerance;
}

struct Fixture : ::testing::Test {
    TempDir dir;
    std::filesystem::path cache = dir / "cache";
};

using ThumbnailServiceTest = Fixture;

TEST_F(ThumbnailServiceTest, DecodesImagesScaledToTheBoundKeepingTheirAspect)
{
    struct Case {
        char const* name;
        char const* format;
        int width;
        int height;
        int want_width;
        int want_height;
    };
    Case const cases[] = {
        { "wide.png", "png", 1024, 512, 256, 128 },
        { "tall.jpeg", "jpeg", 300, 600, 128, 256 },
        { "small.png", "png", 40, 30, 40, 30 },
    };
    auto service = ThumbnailService::create(cache);
    for (auto const& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path path = dir / c.name;
        test_support::write_image(path, c.width, c.height, 0xE03020, 0x2050D0, c.format);
        auto image = request_and_wait(*service, path);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width(), c.want_width);
        EXPECT_EQ(image->height(), c.want_height);
        EXPECT_TRUE(near(image->pixel(2, image->height() / 2), 0xE03020));
        EXPECT_TRUE(near(image->pixel(image->width() - 3, image->height() / 2), 0x2050D0));
    }
}

TEST_F(ThumbnailServiceTest, RendersThePdfFirstPageAndTheEpubCover)
{
    test_support::write_pdf(dir / "paper.pdf", 0x30A050);
    test_support::write_epub(dir / "novel.epub", 0xC02080);
    auto service = ThumbnailService::create(cache);

    auto pdf = request_and_wait(*service, dir / "paper.pdf");
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->height(), 256);
    EXPECT_EQ(pdf->width(), 181); // A4 portrait
    EXPECT_TRUE(near(pdf->pixel(90, 128), 0x30A050));

    auto epub = request_and_wait(*service, dir / "novel.epub");
    ASSERT_TRUE(epub);
    // The cover the package names, not the decoy image listed before it.
    EXPECT_EQ(epub->width(), 120);
    EXPECT_EQ(epub->height(), 180);
    EXPECT_TRUE(near(epub->pixel(60, 90), 0xC02080));
}

TEST_F(ThumbnailServiceTest, EmbeddedAttributeIsUsedWithoutOpeningTheFile)
{
    std::filesystem::path photo = dir / "projected.jpg";
    test_support::write_image(photo, 64, 64, 0xFF0000, 0xFF0000, "jpeg");
    test_support::set_attribute(photo, "user.kesu.thumb", test_support::image_bytes(32, 20, 0x00C000, "png"));
    test_support::OpenWatch watch(photo);

    auto service = ThumbnailService::create(cache);
    auto image = request_and_wait(*service, photo, ContentAccess::EmbeddedOnly);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 32);
    EXPECT_TRUE(near(image->pixel(16, 10), 0x00C000));
    EXPECT_EQ(watch.events(), 0);
}

TEST_F(ThumbnailServiceTest, ContentIsNeverOpenedWhenOnlyTheAttributeMayBeRead)
{
    std::filesystem::path photo = dir / "projected.png";
    test_support::write_image(photo, 64, 64, 0xFF0000, 0xFF0000, "png");
    test_support::OpenWatch watch(photo);

    auto service = ThumbnailService::create(cache);
    EXPECT_FALSE(request_and_wait(*service, photo, ContentAccess::EmbeddedOnly));
    EXPECT_EQ(watch.events(), 0);
    EXPECT_EQ(service->pending(), 0u);

    // Once the content is local the same key may decode it.
    EXPECT_TRUE(request_and_wait(*service, photo, ContentAccess::Allowed));
    EXPECT_GT(watch.events(), 0);
}

TEST_F(ThumbnailServiceTest, FailedKeysAreRememberedNotRetriedEveryFrame)
{
    std::filesystem::path broken = dir / "broken.png";
    dir.write("broken.png", "not a png at all");
    auto service = ThumbnailService::create(cache);
    EXPECT_FALSE(request_and_wait(*service, broken));
    EXPECT_EQ(service->jobs_queued(), 1u);
    for (int frame = 0; frame < 10; ++frame)
        EXPECT_FALSE(service->request_file(key_for(broken), broken, ContentAccess::Allowed));
    EXPECT_EQ(service->jobs_queued(), 1u);
    EXPECT_EQ(service->pending(), 0u);
}

TEST_F(ThumbnailServiceTest, RequestsWhileQueuedAreQueuedOnce)
{
    std::filesystem::path path = dir / "a.png";
    test_support::write_image(path, 300, 300, 0x101010, 0x101010, "png");
    auto service = ThumbnailService::create(cache);
    for (int frame = 0; frame < 20; ++frame)
        (void)service->request_file(key_for(path), path, ContentAccess::Allowed);
    service->block_until_idle();
    EXPECT_EQ(service->jobs_queued(), 1u);
    EXPECT_TRUE(service->request_file(key_for(path), path, ContentAccess::Allowed));
    EXPECT_EQ(service->jobs_queued(), 1u);
}

TEST_F(ThumbnailServiceTest, DiskCacheServesARestartWithoutTheSource)
{
    std::filesystem::path path = dir / "kept.png";
    test_support::write_image(path, 500, 250, 0x3366CC, 0x3366CC, "png");
    {
        auto first = ThumbnailService::create(cache);
        ASSERT_TRUE(request_and_wait(*first, path));
    }
    ASSERT_TRUE(std::filesystem::exists(cache / (key_for(path).text() + ".png")));
    std::filesystem::remove(path);

    auto second = ThumbnailService::create(cache);
    auto image = request_and_wait(*second, path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width(), 256);
    EXPECT_EQ(image->height(), 128);
    // Nothing but finished PNG files is left in the cache folder.
    for (auto const& item : std::filesystem::directory_iterator(cache))
        EXPECT_EQ(item.path().extension(), ".png") << item.path();
}

TEST_F(ThumbnailServiceTest, MemoryStaysWithinTheByteBudget)
{
    // Each 64 x 64 thumbnail costs 16 KiB; the budget holds three.
    services::ThumbnailOptions options;
    options.memory_budget_bytes = 3 * 64 * 64 * 4;
    auto service = ThumbnailService::create(cache, options);
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < 6; ++i) {
        paths.push_back(dir / ("p" + std::to_string(i) + ".png"));
        test_support::write_image(paths.back(), 64, 64, 0x808080, 0x808080, "png");
        ASSERT_TRUE(request_and_wait(*service, paths.back()));
        EXPECT_LE(service->memory_bytes(), options.memory_budget_bytes);
    }
    EXPECT_EQ(service->memory_bytes(), options.memory_budget_bytes);
    // The most recent is still in memory; the oldest went and comes back from
    // the disk cache through a new job.
    std::size_t before = service->jobs_queued();
    EXPECT_TRUE(service->request_file(key_for(paths.back()), paths.back(), ContentAccess::Allowed));
    EXPECT_FALSE(service->request_file(key_for(paths.front()), paths.front(), ContentAccess::Allowed));
    EXPECT_EQ(service->jobs_queued(), before + 1);
    EXPECT_TRUE(request_and_wait(*service, paths.front()));
}

TEST_F(ThumbnailServiceTest, RequestReturnsAtOnceWhileWorkersAreBusy)
{
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < 4; ++i) {
        paths.push_back(dir / ("big" + std::to_string(i) + ".png"));
        test_support::write_image(paths.back(), 1600, 1200, 0x204060, 0x604020, "png");
    }
    auto service = ThumbnailService::create(cache);
    for (auto const& path : paths)
        EXPECT_FALSE(service->request_file(key_for(path), path, ContentAccess::Allowed));
    // The caller got its answers while the work is still outstanding.
    EXPECT_GT(service->pending(), 0u);
    service->block_until_idle();
    EXPECT_EQ(service->pending(), 0u);
}

}

namespace {

TEST_F(ThumbnailServiceTest, NamedPipesAndFoldersAreNotOpened)
{
    std::filesystem::path pipe = dir / "stream.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::path folder = dir / "album.jpg";
    std::filesystem::create_directory(folder);
    auto service = ThumbnailService::create(cache);
    // A worker that opened the pipe would wait for a writer for ever.
    EXPECT_FALSE(request_and_wait(*service, pipe));
    EXPECT_FALSE(request_and_wait(*service, folder));
    EXPECT_EQ(service->pending(), 0u);
}

}

namespace {

TEST_F(ThumbnailServiceTest, KeysScrolledOutOfSightAreDroppedUndecoded)
{
    services::ThumbnailOptions options;
    options.worker_count = 1;
    options.stale_after_requests = 4;
    auto service = ThumbnailService::create(cache, options);
    std::filesystem::path slow = dir / "slow.png";
    test_support::write_image(slow, 3000, 2000, 0x123456, 0x654321, "png");
    std::vector<std::filesystem::path> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back(dir / ("s" + std::to_string(i) + ".png"));
        test_support::write_image(paths.back(), 16, 16, 0x808080, 0x808080, "png");
    }
    // A slow first job keeps the one worker busy while the queue fills. The
    // pause lets the worker take it before the others arrive (it would take
    // the newest first).
    (void)service->request_file(key_for(slow), slow, ContentAccess::Allowed);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (auto const& path : paths)
        (void)service->request_file(key_for(path), path, ContentAccess::Allowed);
    // The first of them stays on screen: asked for again, it stays fresh.
    (void)service->request_file(key_for(paths.front()), paths.front(), ContentAccess::Allowed);
    service->block_until_idle();
    EXPECT_TRUE(service->request_file(key_for(paths.front()), paths.front(), ContentAccess::Allowed));
    EXPECT_TRUE(service->request_file(key_for(paths.back()), paths.back(), ContentAccess::Allowed));
    // Those that fell behind were dropped, not failed: asking again queues them.
    std::size_t before = service->jobs_queued();
    EXPECT_FALSE(service->request_file(key_for(paths[2]), paths[2], ContentAccess::Allowed));
    EXPECT_EQ(service->jobs_queued(), before + 1);
    EXPECT_TRUE(request_and_wait(*service, paths[2]));
}

}
