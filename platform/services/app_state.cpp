#include "services/app_state.h"

#include "services/atomic_file.h"

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>

#include <fmt/format.h>
#include <sys/random.h>

namespace persist {

namespace {

    constexpr std::uintmax_t max_document_bytes = 1024 * 1024;

    std::vector<std::uint8_t> random_actor()
    {
        std::vector<std::uint8_t> bytes(16);
        std::size_t filled = 0;
        while (filled < bytes.size()) {
            auto got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
            if (got > 0)
                filled += static_cast<std::size_t>(got);
        }
        return bytes;
    }

    std::optional<std::vector<std::uint8_t>> parse_hex(std::string const& hex)
    {
        if (hex.empty() || hex.size() % 2 != 0)
            return std::nullopt;
        std::vector<std::uint8_t> out;
        out.reserve(hex.size() / 2);
        for (std::size_t i = 0; i < hex.size(); i += 2) {
            unsigned value = 0;
            for (std::size_t k = 0; k < 2; ++k) {
                char c = hex[i + k];
                unsigned digit = 0;
                if (c >= '0' && c <= '9')
                    digit = static_cast<unsigned>(c - '0');
                else if (c >= 'a' && c <= 'f')
                    digit = static_cast<unsigned>(c - 'a' + 10);
                else
                    return std::nullopt;
                value = value * 16 + digit;
            }
            out.push_back(static_cast<std::uint8_t>(value));
        }
        return out;
    }

    std::optional<Document> read_document(std::filesystem::path const& file)
    {
        std::error_code ec;
        auto size = std::filesystem::file_size(file, ec);
        if (ec || size > max_document_bytes)
            return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        std::string text(static_cast<std::size_t>(size), '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        auto json = nlohmann::json::parse(text, nullptr, false);
        if (json.is_discarded() || !json.is_object())
            return std::nullopt;
        auto actor = json.find("actor");
        if (actor == json.end() || !actor->is_string())
            return std::nullopt;
        auto bytes = parse_hex(actor->get<std::string>());
        if (!bytes)
            return std::nullopt;
        Document document;
        document.set_actor(*bytes);
        json.erase("actor");
        document.set_extra_json(json.dump());
        return document;
    }

}

std::string Document::actor_hex() const
{
    std::string out;
    out.reserve(m_actor.size() * 2);
    for (auto byte : m_actor)
        out += fmt::format("{:02x}", byte);
    return out;
}

base::Result<void> Writer::save(Document const& document) const
{
    auto json = nlohmann::json::parse(document.extra_json(), nullptr, false);
    if (json.is_discarded() || !json.is_object())
        json = nlohmann::json::object();
    json["actor"] = document.actor_hex();
    auto text = json.dump(2) + "\n";
    return services::write_creating_parent(m_file, std::string_view(text));
}

std::filesystem::path state_file_for(std::string const& app_id)
{
    std::filesystem::path base;
    if (char const* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        base = state;
    else if (char const* home = std::getenv("HOME"); home && *home)
        base = std::filesystem::path(home) / ".local" / "state";
    else
        base = "/tmp";
    return base / app_id / "state.json";
}

base::Result<Opened> open_file(std::filesystem::path const& file)
{
    auto document = read_document(file);
    auto writer = std::make_unique<Writer>(file);
    if (!document) {
        document.emplace();
        document->set_actor(random_actor());
        // A read-only state folder must not stop the program; the actor then
        // lives for this run only.
        (void)writer->save(*document);
    }
    return Opened { std::make_unique<Document>(std::move(*document)), std::move(writer) };
}

base::Result<Opened> open(std::string const& app_id) { return open_file(state_file_for(app_id)); }

}
