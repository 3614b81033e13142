#include "fileops/create_rename_notices.h"

#include "fileops/create_rename.h"
#include "fileops/create_rename_templates.h"
#include "fileops/name_allocation.h"
#include "fileops/transfer_message.h"

namespace files::fileops {

namespace fs = std::filesystem;

namespace {

    Message failure(std::string id, std::string error)
    {
        return Message { std::move(id), { { "error", std::move(error) } } };
    }

}

CreateOutcome new_folder(fs::path const& folder, std::string const& default_name, MessageResolver const& resolve)
{
    auto created = create_folder(folder, default_name, resolve);
    if (!created)
        return { std::nullopt, failure("files-new-folder-failed", created.error().text()) };
    return { *created, Message { "files-created-folder", {} } };
}

CreateOutcome new_file_from_template(
    fs::path const& template_path, fs::path const& folder, MessageResolver const& resolve)
{
    auto created = create_from_template(template_path, folder, resolve);
    if (!created)
        return { std::nullopt, failure("files-new-file-failed", created.error().text()) };
    return { *created, Message { "files-created-file", {} } };
}

RenameOutcome commit_rename(fs::path const& path, std::string_view typed, MessageResolver const& resolve)
{
    auto current = last_component(path);
    if (current) {
        auto const& name = current->native();
        if (lossy_utf8(name) == name && trim_white_space(typed) == name)
            return { RenameEditor::Close, std::nullopt, std::nullopt };
    }
    auto renamed = rename_item(path, typed, resolve);
    if (!renamed)
        return { RenameEditor::StayOpen, std::nullopt, failure("files-rename-failed", renamed.error().text()) };
    return { RenameEditor::Close, *renamed, Message { "files-renamed", {} } };
}

}
