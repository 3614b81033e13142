#pragma once

// The pictures of the demonstration fixtures, painted by the program itself
// so that no sample image has to ship. Each has its own colour scheme and is
// drawn from fixed numbers only, so the bytes are the same on every run.

#include <cstdint>
#include <string>

namespace files::scenes {

enum class Picture : std::uint8_t {
    Sunset,
    Harbour,
    ForestPath,
    Bloom,
    Study,
    TrailMap,
    CoverArt,
    LanternCover,
};

// The picture painted at `width` x `height` pixels, encoded as PNG, or as
// JPEG of `quality` (0 to 100); empty when it cannot be painted or encoded.
std::string picture_png(Picture picture, int width, int height);
std::string picture_jpeg(Picture picture, int width, int height, int quality = 90);

}
