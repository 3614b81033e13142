#include "fileops/transfer.h"

#include "fileops/copy_tree.h"
#include "fileops/name_allocation.h"
#include "fileops/staging.h"
#include "fileops/transfer_primitives.h"

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>

#include <spdlog/spdlog.h>
#include <sys/stat.h>

namespace files::fileops {

namespace {

    namespace fs = std::filesystem;

    // What one transfer works with, computed once from its arguments.
    struct Transfer {
        fs::path const& source;
        fs::path const& destination;
        TransferMode mode;
        MessageResolver const& resolve;
        DestinationName name;
    };

    base::Result<fs::path> canonical_path(fs::path const& path)
    {
        std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
        if (!resolved)
            return base::fail_last_errno();
        return fs::path(resolved.get());
    }

    base::Result<void> refuse_folder_into_itself(fs::path const& source, fs::path const& destination)
    {
        auto canonical_source = TRY(canonical_path(source));
        auto canonical_destination = TRY(canonical_path(destination));
        if (is_within(canonical_destination, canonical_source))
            return base::fail(std::string(into_itself_text));
        return {};
    }

    bool already_in_folder(fs::path const& source, fs::path const& destination)
    {
        auto parent = parent_folder(source);
        if (!parent)
            return false;
        auto canonical_parent = canonical_path(*parent);
        auto canonical_destination = canonical_path(destination);
        return canonical_parent && canonical_destination && *canonical_parent == *canonical_destination;
    }

    std::unexpected<base::Error> names_exhausted(Transfer const& transfer)
    {
        return base::fail(transfer.resolve(Message { "files-destination-names-exhausted",
            { { "name", transfer.name.name }, { "path", path_text(transfer.destination) } } }));
    }

    // A move that needs no copy: one rename to the first free name. An empty
    // result means the rename is not possible here and the caller copies. When
    // every name is taken the move fails at once: copying, deleting the source
    // and then restoring it from the copy would only cost the source its times,
    // owner and extended attributes.
    base::Result<std::optional<fs::path>> move_by_rename(Transfer const& transfer)
    {
        for (int attempt = 1; attempt <= max_name_attempts; ++attempt) {
            auto candidate = transfer.destination / candidate_name(transfer.name, attempt);
            if (!TRY(destination_available(candidate, transfer.resolve)))
                continue;
            auto renamed = rename_no_replace(transfer.source, candidate);
            if (renamed)
                return candidate;
            if (!renamed.error().is_errno(EEXIST))
                return std::optional<fs::path> {};
        }
        return names_exhausted(transfer);
    }

    // Publishes the staged payload under the first free name.
    base::Result<fs::path> place(Transfer const& transfer, TransferStaging const& staging)
    {
        for (int attempt = 1; attempt <= max_name_attempts; ++attempt) {
            auto candidate = transfer.destination / candidate_name(transfer.name, attempt);
            if (!TRY(destination_available(candidate, transfer.resolve)))
                continue;
            auto renamed = rename_no_replace(staging.payload(), candidate);
            if (renamed)
                return candidate;
            if (!renamed.error().is_errno(EEXIST))
                return std::unexpected(std::move(renamed).error());
        }
        return names_exhausted(transfer);
    }

    // Removes the staging folder after a failure and returns the failure text,
    // extended with where the staged data is when it could not be removed.
    std::string discard_staging(TransferStaging& staging, std::string text)
    {
        if (auto removed = staging.remove(); !removed)
            text += std::string(staging_retained_text) + path_text(staging.payload()) + ": " + removed.error().text();
        return text;
    }

    // Copies the staged payload back beside the source under a private name
    // and publishes it by one rename, so a restoration that fails half-way
    // never leaves a partial tree under the source's own name.
    base::Result<void> copy_back(Transfer const& transfer, TransferStaging const& staging)
    {
        auto parent = parent_folder(transfer.source);
        if (!parent)
            return base::fail(std::string(source_no_parent_text));
        auto restoring = *parent / (std::string(quarantine_prefix) + random_uuid());
        auto published = copy_tree(staging.payload(), restoring);
        if (published)
            published = rename_no_replace(restoring, transfer.source);
        if (!published)
            (void)remove_private_path(restoring);
        return published;
    }

    // Puts a moved source back at its former path from the staged copy, after
    // its removal or the placement failed. The text always tells where every
    // byte is.
    std::string restore_source(
        Transfer const& transfer, TransferStaging& staging, std::string text, std::optional<fs::path> const& quarantine)
    {
        std::optional<std::string> quarantine_error;
        if (quarantine) {
            if (auto removed = remove_path(*quarantine); !removed)
                quarantine_error = removed.error().text();
        }
        if (auto copied = copy_back(transfer, staging); !copied) {
            staging.set_retained();
            text += std::string(restoration_failed_text) + copied.error().text()
                + std::string(staged_data_retained_text) + path_text(staging.payload());
        } else {
            text = discard_staging(staging, std::move(text));
        }
        if (quarantine_error)
            text += std::string(quarantine_retained_text) + path_text(*quarantine) + ": " + *quarantine_error;
        return text;
    }

    fs::path complete(TransferStaging& staging, fs::path placed)
    {
        if (auto removed = staging.remove(); !removed)
            spdlog::warn("empty Files transfer staging container could not be removed; path=\"{}\" error=\"{}\"",
                path_text(staging.folder()), removed.error().text());
        return placed;
    }

    base::Result<fs::path> finish_copy(Transfer const& transfer, TransferStaging& staging)
    {
        auto placed = place(transfer, staging);
        if (!placed)
            return base::fail(discard_staging(staging, placed.error().text()));
        return complete(staging, std::move(*placed));
    }

    base::Result<fs::path> finish_move(Transfer const& transfer, TransferStaging& staging)
    {
        auto quarantine = quarantine_source(transfer.source);
        if (!quarantine)
            return base::fail(discard_staging(staging, quarantine.error().text()));
        if (auto removed = remove_path(*quarantine); !removed)
            return base::fail(restore_source(transfer, staging, removed.error().text(), *quarantine));
        auto placed = place(transfer, staging);
        if (!placed)
            return base::fail(restore_source(transfer, staging, placed.error().text(), std::nullopt));
        return complete(staging, std::move(*placed));
    }

    base::Result<fs::path> run(Transfer const& transfer)
    {
        TRY(destination_available(transfer.destination / transfer.name.name, transfer.resolve));
        if (transfer.mode == TransferMode::Move) {
            if (auto moved = TRY(move_by_rename(transfer)))
                return *moved;
        }
        auto staging = TRY(TransferStaging::create(transfer.destination));
        if (auto copied = copy_tree(transfer.source, staging.payload()); !copied)
            return base::fail(discard_staging(staging, copied.error().text()));
        switch (transfer.mode) {
        case TransferMode::Copy:
            return finish_copy(transfer, staging);
        case TransferMode::Move:
            return finish_move(transfer, staging);
        }
        return base::fail_errno(EINVAL);
    }

}

base::Result<fs::path> transfer_item(
    fs::path const& source, fs::path const& destination_folder, TransferMode mode, MessageResolver const& resolve)
{
    struct stat status { };
    if (::lstat(source.c_str(), &status) != 0)
        return base::fail_last_errno();
    if (S_ISDIR(status.st_mode))
        TRY_VOID(refuse_folder_into_itself(source, destination_folder));
    auto last = last_component(source);
    if (!last)
        return base::fail(resolve(Message { "files-source-no-name", {} }));
    if (mode == TransferMode::Move && already_in_folder(source, destination_folder))
        return base::fail(std::string(already_in_folder_text));
    return run(Transfer { source, destination_folder, mode, resolve, split_name(lossy_utf8(last->native())) });
}

base::Result<fs::path> copy_item(
    fs::path const& source, fs::path const& destination_folder, MessageResolver const& resolve)
{
    return transfer_item(source, destination_folder, TransferMode::Copy, resolve);
}

base::Result<fs::path> move_item(
    fs::path const& source, fs::path const& destination_folder, MessageResolver const& resolve)
{
    return transfer_item(source, destination_folder, TransferMode::Move, resolve);
}

}
