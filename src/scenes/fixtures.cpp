#include "scenes/fixtures.h"

#include "model/attribute_names.h"
#include "scenes/detail/fixture_files.h"
#include "scenes/detail/zip_file.h"
#include "scenes/fixture_documents.h"
#include "scenes/fixture_pictures.h"

#include <array>

namespace files::scenes {

namespace {

    using detail::fixture_time;

    struct SyncedFile {
        char const* name;
        char const* sync_state;
    };

    // Writes `bytes` to folder/name and gives it the fixture time `step`.
    std::filesystem::path put(std::filesystem::path const& folder, char const* name, std::string_view bytes, int step)
    {
        auto path = folder / name;
        detail::write_file(path, bytes);
        detail::set_modified(path, fixture_time(step));
        return path;
    }

    std::filesystem::path put_folder(std::filesystem::path const& folder, char const* name, int step)
    {
        auto path = folder / name;
        detail::make_folder(path);
        detail::set_modified(path, fixture_time(step));
        return path;
    }

    BuiltFixture build_sync(std::filesystem::path const& folder)
    {
        constexpr std::array<SyncedFile, 6> files { {
            { "Design brief.md", "local" },
            { "meeting-notes.txt", "local" },
            { "Q3 budget.ods", "projected" },
            { "architecture.pdf", "projected" },
            { "launch-video.mp4", "downloading" },
            { "dataset.parquet", "downloading" },
        } };
        detail::reset_folder(folder);
        int step = 0;
        for (auto const& file : files)
            detail::set_attribute(put(folder, file.name, {}, step++), model::attribute::sync, file.sync_state);
        put_folder(folder, "shared-assets", step);
        detail::set_modified(folder, fixture_time(0));
        return { folder, true };
    }

    BuiltFixture build_thumbnails(std::filesystem::path const& folder)
    {
        struct GeneratedPicture {
            char const* name;
            Picture picture;
            int width;
            int height;
            bool jpeg;
        };
        constexpr std::array<GeneratedPicture, 5> pictures { {
            { "sunset.png", Picture::Sunset, 640, 480, false },
            { "harbour.jpg", Picture::Harbour, 640, 480, true },
            { "forest-path.png", Picture::ForestPath, 480, 640, false },
            { "bloom.jpg", Picture::Bloom, 600, 600, true },
            { "study.png", Picture::Study, 720, 480, false },
        } };
        struct Placeholder {
            char const* name;
            std::string_view content;
        };
        constexpr std::array<Placeholder, 9> placeholders { {
            { "launch-clip.mp4", "" },
            { "release.zip", std::string_view("PK\x03\x04", 4) },
            { "main.c", "int main(void) { return 0; }\n" },
            { "README.md", "# Readme" },
            { "theme.mp3", "" },
            { "Report.docx", "" },
            { "Budget.xlsx", "" },
            { "config.json", "{}" },
            { "Inter.ttf", "" },
        } };

        detail::reset_folder(folder);
        int step = 0;
        put_folder(folder, "Camera Roll", step++);
        for (auto const& picture : pictures) {
            auto bytes = picture.jpeg ? picture_jpeg(picture.picture, picture.width, picture.height)
                                      : picture_png(picture.picture, picture.width, picture.height);
            put(folder, picture.name, bytes, step++);
        }
        put(folder, "Field guide.pdf", field_guide_pdf(), step++);
        auto epub = folder / "The Lantern-Keeper.epub";
        if (write_epub(epub, "The Lantern-Keeper", picture_png(Picture::LanternCover, 300, 400)))
            detail::set_modified(epub, fixture_time(step));
        ++step;
        for (auto const& placeholder : placeholders)
            put(folder, placeholder.name, placeholder.content, step++);
        detail::set_modified(folder, fixture_time(0));
        return { folder, false };
    }

    BuiltFixture build_embedded_thumbnails(std::filesystem::path const& folder)
    {
        struct EmbeddedFile {
            char const* name;
            Picture picture;
            char const* sync_state;
        };
        constexpr std::array<EmbeddedFile, 5> files { {
            { "Sunset over bay.png", Picture::Sunset, "local" },
            { "Harbour.jpg", Picture::Harbour, "projected" },
            { "Trail map.pdf", Picture::TrailMap, "projected" },
            { "Cover art.png", Picture::CoverArt, "downloading" },
            { "Studio.jpg", Picture::Study, "local" },
        } };
        // The size the synchronising file system publishes its thumbnails
        // at. As JPEG they stay well under the 4 KiB that ext4 allows for
        // all the attributes of one file.
        constexpr int thumb_width = 112;
        constexpr int thumb_height = 84;
        constexpr int thumb_quality = 80;

        detail::reset_folder(folder);
        int step = 0;
        for (auto const& file : files) {
            auto path = put(folder, file.name, {}, step++);
            detail::set_attribute(path, model::attribute::thumbnail,
                picture_jpeg(file.picture, thumb_width, thumb_height, thumb_quality));
            detail::set_attribute(path, model::attribute::sync, file.sync_state);
        }
        detail::set_attribute(put(folder, "dataset.parquet", {}, step++), model::attribute::sync, "projected");
        detail::set_attribute(put(folder, "notes.md", {}, step++), model::attribute::sync, "local");
        detail::set_modified(folder, fixture_time(0));
        return { folder, true };
    }

    base::Result<BuiltFixture> build_archive(std::filesystem::path const& file)
    {
        using detail::ZipCompression;
        std::array<detail::ZipMember, 5> const members { {
            { "Photos/Coast/IMG_2048.jpg", "photo", ZipCompression::Deflate },
            { "Photos/Coast/IMG_2051.jpg", "photo", ZipCompression::Deflate },
            { "Documents/Itinerary.pdf", "document", ZipCompression::Deflate },
            { "Documents/Packing list.txt", "list", ZipCompression::Deflate },
            { "Read me.txt", "A trip archive", ZipCompression::Deflate },
        } };
        std::error_code ignored;
        std::filesystem::remove_all(file, ignored);
        if (auto written = detail::write_zip(file, members, fixture_time(1)); !written) {
            std::filesystem::remove(file, ignored);
            return base::fail("cannot create the archive fixture: " + written.error().text());
        }
        detail::set_modified(file, fixture_time(1));
        return BuiltFixture { file, false };
    }

}

base::Result<std::optional<BuiltFixture>> build_fixture(SceneFixture fixture, std::filesystem::path const& temp)
{
    switch (fixture) {
    case SceneFixture::None:
        return std::nullopt;
    case SceneFixture::Sync:
        return build_sync(temp / sync_fixture_name);
    case SceneFixture::Thumbnails:
        return build_thumbnails(temp / thumbnails_fixture_name);
    case SceneFixture::EmbeddedThumbnails:
        return build_embedded_thumbnails(temp / embedded_thumbnails_fixture_name);
    case SceneFixture::Archive:
        return TRY(build_archive(temp / archive_fixture_name));
    }
    return std::nullopt;
}

}
