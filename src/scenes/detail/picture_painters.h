#pragma once

#include "scenes/fixture_pictures.h"

typedef struct _cairo cairo_t;

namespace files::scenes::detail {

// Paints `picture` over the whole of a `width` x `height` surface.
void paint_picture(cairo_t* cr, Picture picture, double width, double height);

}
