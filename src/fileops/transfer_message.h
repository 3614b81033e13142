#pragma once

// A user-visible outcome as data: a catalogue message id with named
// arguments. The transfer engine never formats catalogue messages itself; it
// asks the caller's resolver, so the same code serves every language and the
// tests can see exactly which message was chosen.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace files::fileops {

struct MessageArgument {
    std::string name;
    std::variant<std::string, std::int64_t> value;

    bool operator==(MessageArgument const&) const = default;
};

struct Message {
    std::string id;
    std::vector<MessageArgument> arguments;

    bool operator==(Message const&) const = default;
};

// Turns a message into the text the user reads (normally the catalogue of the
// current locale).
using MessageResolver = std::function<std::string(Message const&)>;

// A count as a message argument; counts beyond the signed 64-bit range are
// passed as its largest value.
MessageArgument count_argument(std::string name, std::uint64_t count);

}
