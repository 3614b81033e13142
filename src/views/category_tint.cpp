#include "views/category_tint.h"

#include <array>

namespace files::views {

ui::Color category_tint(std::uint8_t category)
{
    static constexpr std::array<std::uint32_t, 13> tints { 0x76a73b, 0xf65c8b, 0x9a55e0, 0x4d48e5, 0x2e8ad0, 0xea7b3e,
        0x6ba32f, 0x3a70e8, 0x3e7bb0, 0xb4a02a, 0x90827a, 0xf06c7c, 0xa0938a };
    return ui::Color::rgb(tints[category < tints.size() ? category : tints.size() - 1]);
}

}
