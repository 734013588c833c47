// A fitting drawn onto a cairo canvas as a small technical line drawing:
// its model seen from the fitting's view, light shaded sheet, dark outline,
// fold lines, hidden edges dashed, centre lines where the centres differ,
// and the dimension and angle marks the fitting asks for.
#pragma once

#include <cairo.h>

#include "pages/pictures/Fittings.h"

namespace vandrel::picturegen {

// Rectangle of the picture the drawing is fitted into, pixels.
struct Box {
    double x = 0, y = 0, w = 0, h = 0;
};

// Draws the fitting scaled to fill the box, centred in it.
void drawFitting(cairo_t* cr, const Fitting& fitting, const Box& box);

}  // namespace vandrel::picturegen
