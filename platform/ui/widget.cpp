#include "ui/widget.h"

namespace ui {

std::optional<Clock::time_point> earliest(std::optional<Clock::time_point> a, std::optional<Clock::time_point> b)
{
    if (!a)
        return b;
    if (!b)
        return a;
    return std::min(*a, *b);
}

}
