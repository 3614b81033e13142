#include "fileops/transfer_message.h"

#include <limits>

namespace files::fileops {

MessageArgument count_argument(std::string name, std::uint64_t count)
{
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return { std::move(name), static_cast<std::int64_t>(count > largest ? largest : count) };
}

}
