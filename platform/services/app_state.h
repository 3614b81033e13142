#pragma once

// The application's persisted state document: a small JSON file under the
// user's state folder ($XDG_STATE_HOME, else ~/.local/state) that keeps at
// least the random actor id under which this installation records changes.
// Unknown members written by other versions are kept when saving.

#include "base/result.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace persist {

class Document {
public:
    std::vector<std::uint8_t> const& actor() const { return m_actor; }
    void set_actor(std::vector<std::uint8_t> actor) { m_actor = std::move(actor); }
    // Lowercase hexadecimal of the actor bytes.
    std::string actor_hex() const;

    std::string const& extra_json() const { return m_extra_json; }
    void set_extra_json(std::string json) { m_extra_json = std::move(json); }

private:
    std::vector<std::uint8_t> m_actor;
    std::string m_extra_json { "{}" };
};

class Writer {
public:
    explicit Writer(std::filesystem::path file)
        : m_file(std::move(file))
    {
    }
    std::filesystem::path const& file() const { return m_file; }
    // Writes the document atomically (temporary file and rename).
    [[nodiscard]] base::Result<void> save(Document const& document) const;

private:
    std::filesystem::path m_file;
};

struct Opened {
    std::unique_ptr<Document> document;
    std::unique_ptr<Writer> writer;
};

// The state file of `app_id`: $XDG_STATE_HOME/<app_id>/state.json.
std::filesystem::path state_file_for(std::string const& app_id);

// Opens the document at `file`. A missing or unreadable document (bad JSON,
// no actor, a file above 1 MiB) is replaced by a new one with a fresh random
// 16-byte actor, which is saved right away; a failure to save is not fatal.
base::Result<Opened> open_file(std::filesystem::path const& file);

// open_file(state_file_for(app_id)).
base::Result<Opened> open(std::string const& app_id);

}
